// Tokenizer of the binary encoding (also the inflated payload of bzip
// files): little-endian WORD tokens, some followed by a record. Member values
// are taken from INTEGER_LIST and FLOAT_LIST records, one list possibly
// spanning several members, or from single INTEGER and STRING tokens.
// Float lists hold 4- or 8-byte floats as the header says. Safe on any input.
#pragma once

#include "platform/xfile/parse_context.h"
#include "platform/xfile/token_stream.h"

namespace ortolix {

class BinaryTokenizer final : public TokenStream {
 public:
  BinaryTokenizer(std::string_view payload, bool double_floats, ParseContext& ctx);

  TokenKind PeekKind() override;
  [[nodiscard]] bool Next(Token* token) override;
  std::uint64_t Offset() override { return At(p_); }
  std::uint64_t Remaining() const override;

  [[nodiscard]] bool ReadInteger(std::uint32_t* value, bool* negative) override;
  [[nodiscard]] bool ReadFloats(void* out, std::size_t count) override;
  [[nodiscard]] bool ReadDouble(double* value) override;
  [[nodiscard]] bool ReadDwords(void* out, std::size_t count) override;
  [[nodiscard]] bool ReadString(std::string_view* value) override;
  [[nodiscard]] bool EndOfMembers(bool last_is_array) override;

 private:
  enum class ListKind { kNone, kIntegers, kFloats };

  [[nodiscard]] bool Need(std::uint64_t bytes, const char* what, std::uint64_t token_offset);
  [[nodiscard]] bool StartList(ListKind want);
  [[nodiscard]] bool ReadListFloat(double* value);
  [[nodiscard]] bool SkipSeparators();
  std::uint32_t Dword(const unsigned char* p) const;
  std::uint64_t At(const unsigned char* p) const {
    return static_cast<std::uint64_t>(p - begin_);
  }

  const unsigned char* begin_;
  const unsigned char* p_;
  const unsigned char* end_;
  bool double_floats_;
  ParseContext& ctx_;
  ListKind list_ = ListKind::kNone;
  std::uint32_t list_left_ = 0;  // values of the current list not yet read
};

}  // namespace ortolix
