// Tokenizer of the text encoding (also the inflated payload of tzip files).
// Structural tokens and member values are views into the payload; values
// consume the separator run that follows them. Safe on any input.
#pragma once

#include "platform/xfile/parse_context.h"
#include "platform/xfile/token_stream.h"

namespace ortolix {

class TextTokenizer final : public TokenStream {
 public:
  TextTokenizer(std::string_view payload, ParseContext& ctx);

  TokenKind PeekKind() override;
  [[nodiscard]] bool Next(Token* token) override;
  std::uint64_t Offset() override;
  std::uint64_t Remaining() const override;

  [[nodiscard]] bool ReadInteger(std::uint32_t* value, bool* negative) override;
  [[nodiscard]] bool ReadFloats(void* out, std::size_t count) override;
  [[nodiscard]] bool ReadDouble(double* value) override;
  [[nodiscard]] bool ReadDwords(void* out, std::size_t count) override;
  [[nodiscard]] bool ReadString(std::string_view* value) override;
  [[nodiscard]] bool EndOfMembers(bool last_is_array) override;

 private:
  void SkipSpace();
  void ConsumeSeparators();
  void ConsumeSeparatorRun();  // the general path of ConsumeSeparators
  [[nodiscard]] bool ReadFloat(float* value);
  [[nodiscard]] bool ReadPlainDecimal(float* value);
  [[nodiscard]] bool ReadGuid(Token* token);
  // `report` false: classify only, without warnings or errors (for PeekKind).
  [[nodiscard]] bool ReadNumberOrName(Token* token, bool report);
  [[nodiscard]] bool ExpectedValue(const char* what);
  std::uint64_t At(const char* p) const { return static_cast<std::uint64_t>(p - begin_); }

  const char* begin_;
  const char* p_;
  const char* end_;
  ParseContext& ctx_;
  std::uint64_t negative_at_ = 0;  // where the last negative integer read starts
};

}  // namespace ortolix
