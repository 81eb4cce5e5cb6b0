// One stream of .x tokens, whatever the encoding. The text and binary
// tokenizers implement it; the template and data parsers use only this
// interface. Tokens are views into the payload and never allocate.
//
// Structural tokens (names, braces, GUIDs, keywords) come from PeekKind/Next.
// Member values come from the Read* calls, which also consume the separators
// that follow a value in text and walk the value lists of binary files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/xfile/xfile_types.h"

namespace ortolix {

// Values match the binary token numbers.
enum class TokenKind : std::uint16_t {
  kNone = 0,
  kName = 1,
  kString = 2,
  kInteger = 3,
  kGuid = 5,
  kIntegerList = 6,
  kFloatList = 7,
  kOBrace = 10,
  kCBrace = 11,
  kOParen = 12,
  kCParen = 13,
  kOBracket = 14,
  kCBracket = 15,
  kOAngle = 16,
  kCAngle = 17,
  kDot = 18,
  kComma = 19,
  kSemicolon = 20,
  kTemplate = 31,
  kWord = 40,
  kDword = 41,
  kFloat = 42,
  kDouble = 43,
  kChar = 44,
  kUchar = 45,
  kSword = 46,
  kSdword = 47,
  kVoid = 48,
  kLpstr = 49,
  kUnicode = 50,
  kCstring = 51,
  kArray = 52,
  kFloatValue = 100,  // text only: a number that is not a plain integer
  kEnd = 200,
  kInvalid = 201,
};

inline bool IsTypeKeyword(TokenKind k) {
  return k >= TokenKind::kWord && k <= TokenKind::kCstring;
}

struct Token {
  TokenKind kind = TokenKind::kNone;
  std::string_view text;     // names, strings, keywords (as written)
  std::uint32_t integer = 0;  // kInteger
  GUID guid{};                // kGuid
  std::uint64_t offset = 0;   // payload offset of the token
};

class TokenStream {
 public:
  virtual ~TokenStream() = default;

  // Kind of the next structural token without consuming it; kEnd at the end,
  // kInvalid for bytes that form no token. In binary files a value list in
  // progress reports its list kind.
  virtual TokenKind PeekKind() = 0;
  // Consumes the next token. False (with the error recorded) when the bytes
  // form no token.
  [[nodiscard]] virtual bool Next(Token* token) = 0;
  // Payload offset of the next token (after white space).
  virtual std::uint64_t Offset() = 0;
  // Bytes of payload not yet consumed: the bound for element counts.
  virtual std::uint64_t Remaining() const = 0;

  // Member values. Integers are returned as their 32-bit pattern (negative
  // text values in two's complement) with `negative` telling the sign.
  [[nodiscard]] virtual bool ReadInteger(std::uint32_t* value, bool* negative) = 0;
  // Bulk reads store little-endian 4-byte values at `out`, which need not be
  // aligned (Lock data is packed).
  [[nodiscard]] virtual bool ReadFloats(void* out, std::size_t count) = 0;
  [[nodiscard]] virtual bool ReadDouble(double* value) = 0;
  [[nodiscard]] virtual bool ReadDwords(void* out, std::size_t count) = 0;
  [[nodiscard]] virtual bool ReadString(std::string_view* value) = 0;
  // After the last member of an object. When that member is an array
  // (`last_is_array`), values still ahead of the closing brace (text) or in
  // the value list (binary) are extra elements: skipped with a warning.
  // Otherwise a binary list that still holds values fails.
  [[nodiscard]] virtual bool EndOfMembers(bool last_is_array) = 0;

  // While set, a value read that meets a '}' fails without recording an
  // error, so that the caller can take an array cut short by the closing
  // brace; StoppedAtBrace() then tells it happened (and clears the mark),
  // with the values a bulk read (ReadFloats, ReadDwords) stored before it.
  void StopAtBrace(bool stop) { stop_at_brace_ = stop; }
  bool StoppedAtBrace(std::uint64_t* bulk_values_read) {
    bool stopped = stopped_at_brace_;
    stopped_at_brace_ = false;
    *bulk_values_read = bulk_values_read_;
    return stopped;
  }

 protected:
  // For the tokenizers: true (and the mark set) when a value read that
  // found `kind` instead of a value is to stop quietly.
  bool StopsQuietly(TokenKind kind) {
    if (!stop_at_brace_ || kind != TokenKind::kCBrace) return false;
    stopped_at_brace_ = true;
    return true;
  }
  // Called by a bulk read that failed after storing `values` values.
  void NoteBulkValuesRead(std::uint64_t values) { bulk_values_read_ = values; }

 private:
  bool stop_at_brace_ = false;
  bool stopped_at_brace_ = false;
  std::uint64_t bulk_values_read_ = 0;
};

}  // namespace ortolix
