#include "platform/xfile/binary_tokenizer.h"

#include <bit>
#include <cstring>
#include <string>

namespace ortolix {

static_assert(std::endian::native == std::endian::little,
              "binary .x lists are copied as little-endian words");

namespace {

bool IsKnownToken(std::uint16_t w) {
  return (w >= 1 && w <= 3) || (w >= 5 && w <= 7) || (w >= 10 && w <= 20) || w == 31 ||
         (w >= 40 && w <= 52);
}

std::uint16_t Word(const unsigned char* p) {
  return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

}  // namespace

BinaryTokenizer::BinaryTokenizer(std::string_view payload, bool double_floats, ParseContext& ctx)
    : begin_(reinterpret_cast<const unsigned char*>(payload.data())),
      p_(begin_),
      end_(begin_ + payload.size()),
      double_floats_(double_floats),
      ctx_(ctx) {}

std::uint32_t BinaryTokenizer::Dword(const unsigned char* p) const {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

std::uint64_t BinaryTokenizer::Remaining() const {
  return static_cast<std::uint64_t>(end_ - p_);
}

// Errors name the token whose record is cut short, at the token's offset.
bool BinaryTokenizer::Need(std::uint64_t bytes, const char* what, std::uint64_t token_offset) {
  if (bytes <= Remaining()) return true;
  return ctx_.Fail(D3DXFERR_PARSEERROR, token_offset, std::string("data ends inside ") + what);
}

TokenKind BinaryTokenizer::PeekKind() {
  if (list_left_ > 0) {
    return list_ == ListKind::kFloats ? TokenKind::kFloatList : TokenKind::kIntegerList;
  }
  if (p_ == end_) return TokenKind::kEnd;
  if (end_ - p_ < 2) return TokenKind::kInvalid;
  std::uint16_t w = Word(p_);
  return IsKnownToken(w) ? static_cast<TokenKind>(w) : TokenKind::kInvalid;
}

bool BinaryTokenizer::Next(Token* token) {
  *token = Token{};
  token->offset = At(p_);
  if (list_left_ > 0) {
    return ctx_.Fail(D3DXFERR_PARSEERROR, At(p_), "value list holds more values than expected");
  }
  TokenKind kind = PeekKind();
  if (kind == TokenKind::kEnd) {
    token->kind = kind;
    return true;
  }
  if (kind == TokenKind::kInvalid) {
    return ctx_.Fail(D3DXFERR_PARSEERROR, At(p_), "unknown binary token");
  }
  p_ += 2;
  token->kind = kind;
  switch (kind) {
    case TokenKind::kName:
    case TokenKind::kString: {
      if (!Need(4, "a name", token->offset)) return false;
      std::uint32_t n = Dword(p_);
      p_ += 4;
      if (kind == TokenKind::kName && n > ctx_.limits().max_name_length) {
        return ctx_.Fail(D3DXFERR_PARSEERROR, token->offset, "name longer than the limit");
      }
      if (!Need(n, "a name", token->offset)) return false;
      token->text = std::string_view(reinterpret_cast<const char*>(p_), n);
      p_ += n;
      if (kind == TokenKind::kString && end_ - p_ >= 2 &&
          (Word(p_) == static_cast<std::uint16_t>(TokenKind::kSemicolon) ||
           Word(p_) == static_cast<std::uint16_t>(TokenKind::kComma))) {
        p_ += 2;
      }
      return true;
    }
    case TokenKind::kInteger:
      if (!Need(4, "an integer", token->offset)) return false;
      token->integer = Dword(p_);
      p_ += 4;
      return true;
    case TokenKind::kGuid: {
      if (!Need(16, "a GUID", token->offset)) return false;
      GUID g;
      g.Data1 = Dword(p_);
      g.Data2 = Word(p_ + 4);
      g.Data3 = Word(p_ + 6);
      std::memcpy(g.Data4, p_ + 8, 8);
      token->guid = g;
      p_ += 16;
      return true;
    }
    case TokenKind::kIntegerList:
    case TokenKind::kFloatList: {
      // Only opaque objects skip whole lists as tokens.
      if (!Need(4, "a list", token->offset)) return false;
      std::uint64_t n = Dword(p_);
      p_ += 4;
      std::uint64_t size = kind == TokenKind::kFloatList && double_floats_ ? 8 : 4;
      if (!Need(n * size, "a list", token->offset)) return false;
      p_ += n * size;
      token->integer = static_cast<std::uint32_t>(n);
      return true;
    }
    default:
      return true;
  }
}

bool BinaryTokenizer::SkipSeparators() {
  while (end_ - p_ >= 2) {
    std::uint16_t w = Word(p_);
    if (w != static_cast<std::uint16_t>(TokenKind::kSemicolon) &&
        w != static_cast<std::uint16_t>(TokenKind::kComma)) {
      break;
    }
    ctx_.Warn(XWarningCode::kSeparatorOutsideData, At(p_));
    p_ += 2;
  }
  return true;
}

bool BinaryTokenizer::StartList(ListKind want) {
  if (!SkipSeparators()) return false;
  TokenKind kind = PeekKind();
  if (kind != TokenKind::kIntegerList && kind != TokenKind::kFloatList) {
    if (StopsQuietly(kind)) return false;
    return ctx_.Fail(D3DXFERR_PARSEERROR, At(p_), "expected a value list");
  }
  // Integer lists may fill FLOAT members (converted); float lists never
  // fill integer members.
  if (want == ListKind::kIntegers && kind == TokenKind::kFloatList) {
    return ctx_.Fail(D3DXFERR_PARSEERROR, At(p_), "float values where an integer is declared");
  }
  if (!Need(6, "a list", At(p_))) return false;
  std::uint64_t n = Dword(p_ + 2);
  std::uint64_t size = kind == TokenKind::kFloatList && double_floats_ ? 8 : 4;
  if (n * size > Remaining() - 6) {
    return ctx_.Fail(D3DXFERR_PARSEERROR, At(p_), "value list longer than the data");
  }
  p_ += 6;
  list_ = kind == TokenKind::kFloatList ? ListKind::kFloats : ListKind::kIntegers;
  list_left_ = static_cast<std::uint32_t>(n);
  return true;
}

bool BinaryTokenizer::ReadInteger(std::uint32_t* value, bool* negative) {
  *negative = false;
  if (list_left_ == 0) {
    if (!SkipSeparators()) return false;
    if (PeekKind() == TokenKind::kInteger) {
      Token t;
      if (!Next(&t)) return false;
      *value = t.integer;
      if (PeekKind() == TokenKind::kSemicolon || PeekKind() == TokenKind::kComma) {
        p_ += 2;
      } else {
        ctx_.Warn(XWarningCode::kMissingSeparator, At(p_));
      }
      return true;
    }
    // Lists may be empty; skip to one with values.
    do {
      if (!StartList(ListKind::kIntegers)) return false;
    } while (list_left_ == 0);
  }
  if (list_ != ListKind::kIntegers) {
    return ctx_.Fail(D3DXFERR_PARSEERROR, At(p_), "float value where an integer is declared");
  }
  *value = Dword(p_);
  p_ += 4;
  --list_left_;
  return true;
}

bool BinaryTokenizer::ReadListFloat(double* value) {
  if (list_left_ == 0) {
    do {
      if (!StartList(ListKind::kFloats)) return false;
    } while (list_left_ == 0);
  }
  if (list_ == ListKind::kIntegers) {
    ctx_.Warn(XWarningCode::kIntegerAsFloat, At(p_));
    *value = static_cast<double>(Dword(p_));
    p_ += 4;
  } else if (double_floats_) {
    std::memcpy(value, p_, 8);
    p_ += 8;
  } else {
    float f;
    std::memcpy(&f, p_, 4);
    *value = static_cast<double>(f);
    p_ += 4;
  }
  --list_left_;
  return true;
}

bool BinaryTokenizer::ReadFloats(void* out_bytes, std::size_t count) {
  auto* out = static_cast<unsigned char*>(out_bytes);
  std::size_t i = 0;
  while (i < count) {
    if (list_left_ > 0 && list_ == ListKind::kFloats && !double_floats_) {
      std::size_t n = list_left_ < count - i ? list_left_ : count - i;
      std::memcpy(out + i * 4, p_, n * 4);
      p_ += n * 4;
      list_left_ -= static_cast<std::uint32_t>(n);
      i += n;
      continue;
    }
    double d;
    if (!ReadListFloat(&d)) {
      NoteBulkValuesRead(i);
      return false;
    }
    float f = static_cast<float>(d);
    std::memcpy(out + 4 * i++, &f, 4);
  }
  return true;
}

bool BinaryTokenizer::ReadDouble(double* value) { return ReadListFloat(value); }

bool BinaryTokenizer::ReadDwords(void* out_bytes, std::size_t count) {
  auto* out = static_cast<unsigned char*>(out_bytes);
  std::size_t i = 0;
  while (i < count) {
    if (list_left_ > 0 && list_ == ListKind::kIntegers) {
      std::size_t n = list_left_ < count - i ? list_left_ : count - i;
      std::memcpy(out + i * 4, p_, n * 4);
      p_ += n * 4;
      list_left_ -= static_cast<std::uint32_t>(n);
      i += n;
      continue;
    }
    bool negative;
    std::uint32_t value;
    if (!ReadInteger(&value, &negative)) {
      NoteBulkValuesRead(i);
      return false;
    }
    std::memcpy(out + 4 * i++, &value, 4);
  }
  return true;
}

bool BinaryTokenizer::ReadString(std::string_view* value) {
  if (list_left_ > 0) {
    return ctx_.Fail(D3DXFERR_PARSEERROR, At(p_), "list value where a string is declared");
  }
  if (!SkipSeparators()) return false;
  if (PeekKind() != TokenKind::kString) {
    if (StopsQuietly(PeekKind())) return false;
    return ctx_.Fail(D3DXFERR_PARSEERROR, At(p_), "expected a string");
  }
  const std::uint64_t token_offset = At(p_);
  if (!Need(6, "a string", token_offset)) return false;
  p_ += 2;
  std::uint32_t n = Dword(p_);
  p_ += 4;
  if (!Need(n, "a string", token_offset)) return false;
  *value = std::string_view(reinterpret_cast<const char*>(p_), n);
  p_ += n;
  TokenKind t = PeekKind();
  if (t != TokenKind::kSemicolon && t != TokenKind::kComma) {
    ctx_.Warn(XWarningCode::kMissingSeparator, At(p_));
    return true;
  }
  p_ += 2;
  // Some writers give the terminator as a 4-byte field.
  if (end_ - p_ >= 2 && Word(p_) == 0) {
    ctx_.Warn(XWarningCode::kStringTerminator, At(p_));
    p_ += 2;
  }
  return true;
}

bool BinaryTokenizer::EndOfMembers(bool last_is_array) {
  if (list_left_ == 0) return true;
  if (last_is_array) {
    // The list was checked against the data when it started.
    ctx_.Warn(XWarningCode::kArrayExtraElements, At(p_));
    std::uint64_t size = list_ == ListKind::kFloats && double_floats_ ? 8 : 4;
    p_ += list_left_ * size;
    list_left_ = 0;
    return true;
  }
  return ctx_.Fail(D3DXFERR_PARSEERROR, At(p_),
                   "value list holds " + std::to_string(list_left_) +
                       " more values than the template takes");
}

}  // namespace ortolix
