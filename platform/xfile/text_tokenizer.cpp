#include "platform/xfile/text_tokenizer.h"

#include <cstring>
#include <string>

#include "platform/crt/narrow_code_page.h"
#include "platform/crt/utf8.h"
#include "platform/xfile/number_text.h"

namespace ortolix {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsAlpha(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsHigh(char c) { return static_cast<unsigned char>(c) >= 0x80; }
bool IsNameChar(char c) {
  return IsAlpha(c) || IsDigit(c) || c == '_' || c == '-' || c == '.' || IsHigh(c);
}
bool StartsName(char c) { return IsAlpha(c) || c == '_' || IsHigh(c); }

bool IsValidUtf8(const char* p, const char* end) {
  const auto* b = reinterpret_cast<const unsigned char*>(p);
  const auto* e = reinterpret_cast<const unsigned char*>(end);
  while (b < e) {
    char32_t cp;
    std::size_t len = utf8::DecodeBounded(b, static_cast<std::size_t>(e - b), cp);
    if (len == 0) return false;
    b += len;
  }
  return true;
}

// A Shift-JIS lead byte and the bytes that may follow it.
bool IsDoubleByteLead(unsigned char c) {
  return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}
bool IsDoubleByteTrail(unsigned char c) { return c >= 0x40 && c <= 0xFC && c != 0x7F; }

// End of the name starting at `p`. Bytes above 0x7F are name characters.
// Under a double-byte narrow code page, and under UTF-8 for a name that is
// not UTF-8 (a Shift-JIS name read without `--codepage`), a lead byte
// carries the next byte with it even when that byte is '\\', '{' or another
// ASCII character. Single-byte code pages pair nothing.
const char* NameEnd(const char* p, const char* end) {
  const char* q = p;
  bool high = false;
  while (q < end && IsNameChar(*q)) high |= IsHigh(*q++);
  if (!high) return q;
  bool pairs = NarrowCodePageIsDoubleByte() ||
               (NarrowCodePage() == kUtf8CodePage && !IsValidUtf8(p, q));
  if (!pairs) return q;
  q = p;
  while (q < end) {
    auto c = static_cast<unsigned char>(*q);
    if (IsDoubleByteLead(c) && q + 1 < end && IsDoubleByteTrail(static_cast<unsigned char>(q[1]))) {
      q += 2;
    } else if (IsNameChar(*q)) {
      ++q;
    } else {
      break;
    }
  }
  return q;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool EqualsUpper(std::string_view text, const char* upper) {
  std::size_t n = std::strlen(upper);
  if (text.size() != n) return false;
  for (std::size_t i = 0; i < n; ++i) {
    char c = text[i];
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (c != upper[i]) return false;
  }
  return true;
}

// Keywords are matched without regard to case, as the runtime does.
TokenKind KeywordKind(std::string_view text) {
  struct Keyword {
    const char* upper;
    TokenKind kind;
  };
  static constexpr Keyword kKeywords[] = {
      {"TEMPLATE", TokenKind::kTemplate}, {"ARRAY", TokenKind::kArray},
      {"WORD", TokenKind::kWord},         {"DWORD", TokenKind::kDword},
      {"FLOAT", TokenKind::kFloat},       {"DOUBLE", TokenKind::kDouble},
      {"CHAR", TokenKind::kChar},         {"UCHAR", TokenKind::kUchar},
      {"SWORD", TokenKind::kSword},       {"SDWORD", TokenKind::kSdword},
      {"VOID", TokenKind::kVoid},         {"STRING", TokenKind::kLpstr},
      {"UNICODE", TokenKind::kUnicode},   {"CSTRING", TokenKind::kCstring},
  };
  if (text.size() < 4 || text.size() > 8) return TokenKind::kName;
  for (const Keyword& k : kKeywords) {
    if (EqualsUpper(text, k.upper)) return k.kind;
  }
  return TokenKind::kName;
}

bool ParseHex(const char* p, int digits, std::uint64_t* value) {
  std::uint64_t v = 0;
  for (int i = 0; i < digits; ++i) {
    int h = HexValue(p[i]);
    if (h < 0) return false;
    v = v << 4 | static_cast<unsigned>(h);
  }
  *value = v;
  return true;
}

}  // namespace

TextTokenizer::TextTokenizer(std::string_view payload, ParseContext& ctx)
    : begin_(payload.data()), p_(payload.data()), end_(payload.data() + payload.size()), ctx_(ctx) {}

void TextTokenizer::SkipSpace() {
  // Usually the next character already starts a token.
  if (p_ < end_ && static_cast<unsigned char>(*p_) > ' ' && *p_ != '#' && *p_ != '/') return;
  const char* p = p_;
  while (p < end_) {
    char c = *p;
    if (c == ' ' || c == '\n' || c == '\r' || c == '\t' || c == '\0') {
      ++p;
    } else if (c == '#' || (c == '/' && p + 1 < end_ && p[1] == '/')) {
      const void* nl = std::memchr(p, '\n', static_cast<std::size_t>(end_ - p));
      p = nl != nullptr ? static_cast<const char*>(nl) + 1 : end_;
    } else {
      break;
    }
  }
  p_ = p;
}

std::uint64_t TextTokenizer::Offset() {
  SkipSpace();
  return At(p_);
}

std::uint64_t TextTokenizer::Remaining() const { return static_cast<std::uint64_t>(end_ - p_); }

TokenKind TextTokenizer::PeekKind() {
  SkipSpace();
  if (p_ >= end_) return TokenKind::kEnd;
  char c = *p_;
  switch (c) {
    case '{': return TokenKind::kOBrace;
    case '}': return TokenKind::kCBrace;
    case '[': return TokenKind::kOBracket;
    case ']': return TokenKind::kCBracket;
    case '(': return TokenKind::kOParen;
    case ')': return TokenKind::kCParen;
    case ',': return TokenKind::kComma;
    case ';': return TokenKind::kSemicolon;
    case '<': return TokenKind::kGuid;
    case '>': return TokenKind::kCAngle;
    case '"': return TokenKind::kString;
    default: break;
  }
  if (IsDigit(c) || c == '-' || c == '+' || c == '.') {
    Token t;
    const char* saved = p_;
    bool ok = ReadNumberOrName(&t, false);
    p_ = saved;
    return ok ? t.kind : TokenKind::kInvalid;
  }
  if (StartsName(c)) {
    const char* q = NameEnd(p_, end_);
    return KeywordKind(std::string_view(p_, static_cast<std::size_t>(q - p_)));
  }
  return TokenKind::kInvalid;
}

bool TextTokenizer::Next(Token* token) {
  SkipSpace();
  *token = Token{};
  token->offset = At(p_);
  if (p_ >= end_) {
    token->kind = TokenKind::kEnd;
    return true;
  }
  TokenKind kind = PeekKind();
  switch (kind) {
    case TokenKind::kGuid: return ReadGuid(token);
    case TokenKind::kString: {
      const void* close = std::memchr(p_ + 1, '"', static_cast<std::size_t>(end_ - p_ - 1));
      if (close == nullptr) return ctx_.Fail(D3DXFERR_PARSEERROR, At(p_), "unterminated string");
      const char* q = static_cast<const char*>(close);
      token->kind = kind;
      token->text = std::string_view(p_ + 1, static_cast<std::size_t>(q - p_ - 1));
      p_ = q + 1;
      return true;
    }
    case TokenKind::kInvalid:
      return ctx_.Fail(D3DXFERR_PARSEERROR, At(p_),
                       std::string("unexpected character '") + *p_ + "'");
    default: break;
  }
  if (IsDigit(*p_) || *p_ == '-' || *p_ == '+' || (*p_ == '.' && kind != TokenKind::kDot)) {
    return ReadNumberOrName(token, true);
  }
  if (kind == TokenKind::kName || (kind >= TokenKind::kTemplate && kind <= TokenKind::kArray)) {
    const char* q = NameEnd(p_, end_);
    token->kind = kind;
    token->text = std::string_view(p_, static_cast<std::size_t>(q - p_));
    if (kind == TokenKind::kName && token->text.find_first_of(".-") != std::string_view::npos) {
      ctx_.Warn(XWarningCode::kNameCharacters, token->offset);
    }
    if (token->text.size() > ctx_.limits().max_name_length) {
      return ctx_.Fail(D3DXFERR_PARSEERROR, token->offset, "name longer than the limit");
    }
    p_ = q;
    return true;
  }
  token->kind = kind;
  token->text = std::string_view(p_, 1);
  ++p_;
  return true;
}

// A run starting with a digit, sign or '.' is a number when the number
// covers the whole run of name characters; otherwise it is a name such as
// "3DS_Box" or a lone '.'.
bool TextTokenizer::ReadNumberOrName(Token* token, bool report) {
  token->offset = At(p_);
  const char* run_end = NameEnd(p_, end_);
  NumberScan scan;
  if (ScanNumber(p_, end_, &scan) && scan.end >= run_end) {
    token->text = std::string_view(p_, static_cast<std::size_t>(scan.end - p_));
    if (scan.is_integer && !scan.negative && scan.integer <= 0xFFFFFFFFull) {
      token->kind = TokenKind::kInteger;
      token->integer = static_cast<std::uint32_t>(scan.integer);
    } else {
      token->kind = TokenKind::kFloatValue;
    }
    p_ = scan.end;
    return true;
  }
  if (*p_ == '.' && (run_end == p_ + 1 || p_[1] == '.')) {
    token->kind = TokenKind::kDot;
    token->text = std::string_view(p_, 1);
    ++p_;
    return true;
  }
  if (run_end == p_) {
    return report && ctx_.Fail(D3DXFERR_PARSEERROR, At(p_), "malformed number");
  }
  token->kind = TokenKind::kName;
  token->text = std::string_view(p_, static_cast<std::size_t>(run_end - p_));
  if (report) ctx_.Warn(XWarningCode::kNameCharacters, token->offset);
  p_ = run_end;
  return true;
}

// <XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX>, blanks allowed inside the brackets.
bool TextTokenizer::ReadGuid(Token* token) {
  const char* p = p_ + 1;
  while (p < end_ && (*p == ' ' || *p == '\t')) ++p;
  if (end_ - p < 36) return ctx_.Fail(D3DXFERR_PARSEERROR, At(p_), "malformed GUID");
  std::uint64_t d1 = 0, d2 = 0, d3 = 0, d4 = 0, d5 = 0;
  bool ok = ParseHex(p, 8, &d1) && p[8] == '-' && ParseHex(p + 9, 4, &d2) && p[13] == '-' &&
            ParseHex(p + 14, 4, &d3) && p[18] == '-' && ParseHex(p + 19, 4, &d4) &&
            p[23] == '-' && ParseHex(p + 24, 12, &d5);
  p += 36;
  while (p < end_ && (*p == ' ' || *p == '\t')) ++p;
  if (!ok || p >= end_ || *p != '>') {
    return ctx_.Fail(D3DXFERR_PARSEERROR, At(p_), "malformed GUID");
  }
  GUID g;
  g.Data1 = static_cast<std::uint32_t>(d1);
  g.Data2 = static_cast<std::uint16_t>(d2);
  g.Data3 = static_cast<std::uint16_t>(d3);
  g.Data4[0] = static_cast<std::uint8_t>(d4 >> 8);
  g.Data4[1] = static_cast<std::uint8_t>(d4);
  for (int i = 0; i < 6; ++i) g.Data4[2 + i] = static_cast<std::uint8_t>(d5 >> (40 - 8 * i));
  token->kind = TokenKind::kGuid;
  token->guid = g;
  token->text = std::string_view(p_, static_cast<std::size_t>(p + 1 - p_));
  p_ = p + 1;
  return true;
}

// After a value: any number of ';' optionally followed by one ','. Other
// runs (",,", ",;") and a missing separator are tolerated with a warning.
inline void TextTokenizer::ConsumeSeparators() {
  // The usual shapes ("1.0;", "3;,", "7,\n  ") read directly: ';'s, at most
  // one ',', blanks, then a character that starts neither a separator nor a
  // comment. Anything else takes the general path from the start.
  const char* p = p_;
  while (p < end_ && *p == ';') ++p;
  if (p < end_ && *p == ',') ++p;
  if (p != p_) {
    while (p < end_ && (*p == ' ' || *p == '\n' || *p == '\r' || *p == '\t')) ++p;
    if (p < end_ && *p != ';' && *p != ',' && *p != '#' && *p != '/' && *p != '\0') {
      p_ = p;
      return;
    }
  }
  ConsumeSeparatorRun();
}

void TextTokenizer::ConsumeSeparatorRun() {
  SkipSpace();
  if (p_ >= end_ || (*p_ != ';' && *p_ != ',')) {
    ctx_.Warn(XWarningCode::kMissingSeparator, At(p_));
    return;
  }
  bool seen_comma = false;
  bool irregular = false;
  std::uint64_t start = At(p_);
  while (p_ < end_ && (*p_ == ';' || *p_ == ',')) {
    if (seen_comma) irregular = true;
    if (*p_ == ',') seen_comma = true;
    ++p_;
    SkipSpace();
  }
  if (irregular) ctx_.Warn(XWarningCode::kIrregularSeparator, start);
}

bool TextTokenizer::ExpectedValue(const char* what) {
  if (p_ < end_ && *p_ == '}' && StopsQuietly(TokenKind::kCBrace)) return false;
  std::string found = p_ >= end_ ? std::string("end of data") : std::string("'") + *p_ + "'";
  return ctx_.Fail(D3DXFERR_PARSEERROR, At(p_), std::string("expected ") + what + ", found " + found);
}

bool TextTokenizer::ReadInteger(std::uint32_t* value, bool* negative) {
  SkipSpace();
  // Most integers are short unsigned decimals ending at a separator: read
  // those directly; anything else takes the general scan below.
  const char* p = p_;
  std::uint32_t quick = 0;
  int digits = 0;
  while (p < end_ && digits < 10 && IsDigit(*p)) {
    quick = quick * 10 + static_cast<std::uint32_t>(*p - '0');
    ++p;
    ++digits;
  }
  if (digits > 0 && digits < 10 && (p == end_ || !IsNameChar(*p))) {
    *value = quick;
    *negative = false;
    p_ = p;
    ConsumeSeparators();
    return true;
  }
  NumberScan scan;
  if (!ScanNumber(p_, end_, &scan)) return ExpectedValue("an integer");
  if (scan.end < end_ && (IsAlpha(*scan.end) || *scan.end == '_')) return ExpectedValue("an integer");
  if (!scan.is_integer) return ExpectedValue("an integer");
  if (scan.integer > 0xFFFFFFFFull || (scan.negative && scan.integer > 0x80000000ull)) {
    return ctx_.Fail(D3DXFERR_PARSEERROR, At(p_), "integer out of range");
  }
  std::uint32_t v = static_cast<std::uint32_t>(scan.integer);
  *negative = scan.negative && v != 0;
  *value = scan.negative ? 0u - v : v;
  if (*negative) negative_at_ = At(p_);  // the value's own position, for warnings
  p_ = scan.end;
  ConsumeSeparators();
  return true;
}

// Decimals such as -12.345678 followed by a separator, the bulk of real
// files: read directly; anything else takes the general scan.
bool TextTokenizer::ReadPlainDecimal(float* value) {
  const char* p = p_;
  bool negative = p < end_ && *p == '-';
  if (negative) ++p;
  const char* digits_begin = p;
  std::uint64_t mantissa = 0;
  while (p < end_ && IsDigit(*p)) {
    mantissa = mantissa * 10 + static_cast<unsigned>(*p - '0');
    ++p;
  }
  if (p == digits_begin || p == end_ || *p != '.') return false;
  ++p;
  const char* fraction_begin = p;
  while (p < end_ && IsDigit(*p)) {
    mantissa = mantissa * 10 + static_cast<unsigned>(*p - '0');
    ++p;
  }
  // At most 15 digits in all (the '.' is the 16th character): exact in a
  // double, and the power of ten is exact too. Longer texts, which may
  // still have few significant digits, go to the general scan.
  if (p == fraction_begin || p - digits_begin > 16) return false;
  if (p < end_ && (IsNameChar(*p) || *p == '#')) return false;
  int decimal_exponent = -static_cast<int>(p - fraction_begin);
  if (!ShortDecimalToFloat(mantissa, decimal_exponent, negative, value)) {
    NumberScan scan;
    scan.negative = negative;
    scan.short_decimal = true;
    scan.mantissa = mantissa;
    scan.decimal_exponent = decimal_exponent;
    scan.end = p;
    bool out_of_range = false;  // at most 15 digits and no exponent: always in range
    *value = ScannedToFloat(p_, scan, &out_of_range);
  }
  p_ = p;
  ConsumeSeparators();
  return true;
}

bool TextTokenizer::ReadFloat(float* value) {
  SkipSpace();
  if (ReadPlainDecimal(value)) return true;
  NumberScan scan;
  if (!ScanNumber(p_, end_, &scan)) return ExpectedValue("a float");
  if (scan.end < end_ && (IsAlpha(*scan.end) || *scan.end == '_')) return ExpectedValue("a float");
  if (scan.special) {
    ctx_.Warn(XWarningCode::kNanSpelling, At(p_));
  } else if (scan.is_integer) {
    ctx_.Warn(XWarningCode::kIntegerAsFloat, At(p_));
  } else if (scan.unusual) {
    ctx_.Warn(XWarningCode::kExponent, At(p_));
  }
  bool out_of_range = false;
  *value = ScannedToFloat(p_, scan, &out_of_range);
  if (out_of_range) ctx_.Warn(XWarningCode::kFloatOutOfRange, At(p_));
  p_ = scan.end;
  ConsumeSeparators();
  return true;
}

bool TextTokenizer::ReadFloats(void* out, std::size_t count) {
  auto* bytes = static_cast<unsigned char*>(out);
  for (std::size_t i = 0; i < count; ++i) {
    float value = 0.0f;
    if (!ReadFloat(&value)) {
      NoteBulkValuesRead(i);
      return false;
    }
    std::memcpy(bytes + i * 4, &value, 4);
  }
  return true;
}

bool TextTokenizer::ReadDouble(double* value) {
  SkipSpace();
  NumberScan scan;
  if (!ScanNumber(p_, end_, &scan)) return ExpectedValue("a float");
  if (scan.end < end_ && (IsAlpha(*scan.end) || *scan.end == '_')) return ExpectedValue("a float");
  if (scan.special) ctx_.Warn(XWarningCode::kNanSpelling, At(p_));
  else if (scan.is_integer) ctx_.Warn(XWarningCode::kIntegerAsFloat, At(p_));
  else if (scan.unusual) ctx_.Warn(XWarningCode::kExponent, At(p_));
  bool out_of_range = false;
  *value = ScannedToDouble(p_, scan, &out_of_range);
  if (out_of_range) ctx_.Warn(XWarningCode::kFloatOutOfRange, At(p_));
  p_ = scan.end;
  ConsumeSeparators();
  return true;
}

bool TextTokenizer::ReadDwords(void* out, std::size_t count) {
  auto* bytes = static_cast<unsigned char*>(out);
  for (std::size_t i = 0; i < count; ++i) {
    bool negative = false;
    std::uint32_t value = 0;
    if (!ReadInteger(&value, &negative)) {
      NoteBulkValuesRead(i);
      return false;
    }
    if (negative) ctx_.Warn(XWarningCode::kNegativeUnsigned, negative_at_);
    std::memcpy(bytes + i * 4, &value, 4);
  }
  return true;
}

// Values left after a final array are extra elements: every value token and
// separator up to the closing brace, a child object or a reference.
bool TextTokenizer::EndOfMembers(bool last_is_array) {
  if (!last_is_array) return true;
  TokenKind k = PeekKind();
  if (k != TokenKind::kInteger && k != TokenKind::kFloatValue && k != TokenKind::kString) {
    return true;
  }
  ctx_.Warn(XWarningCode::kArrayExtraElements, At(p_));
  for (;;) {
    k = PeekKind();
    if (k == TokenKind::kSemicolon || k == TokenKind::kComma) {
      ++p_;
      continue;
    }
    if (k != TokenKind::kInteger && k != TokenKind::kFloatValue && k != TokenKind::kString) {
      return true;
    }
    Token t;
    if (!Next(&t)) return false;
  }
}

bool TextTokenizer::ReadString(std::string_view* value) {
  SkipSpace();
  if (p_ >= end_ || *p_ != '"') return ExpectedValue("a string");
  Token t;
  if (!Next(&t)) return false;
  *value = t.text;
  ConsumeSeparators();
  return true;
}

}  // namespace ortolix

