// Errors and warnings of the .x reader. An error is an HRESULT plus where it
// happened: line and column (text) or byte offset (binary), and the path of
// data objects being read. A tolerated quirk of a file is a counted warning:
// its code, where it first happened, how often, and the object it was in.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/xfile/xfile_types.h"

namespace ortolix {

// Quirks of real files that the reader accepts.
enum class XWarningCode : std::uint8_t {
  kUnusualVersion,         // version field other than 0302/0303
  kHeaderTab,              // tab in place of a blank in the header
  kIntegerAsFloat,         // integer text or list value where FLOAT is declared
  kExponent,               // float with an exponent or a leading '+' or '.'
  kNanSpelling,            // 1.#IND00, 1.#QNAN0, 1.#INF00 and the like
  kNegativeUnsigned,       // -1 where WORD/DWORD is declared (two's complement)
  kMissingSeparator,       // value not followed by ';' or ','
  kIrregularSeparator,     // ",," or ",;" between values
  kSeparatorOutsideData,   // ';' or ',' where no value precedes it
  kTemplateNameCase,       // TextureFileName for TextureFilename
  kNameCharacters,         // names with '.', '-' or a leading digit
  kUnknownTemplate,        // data object of an undeclared template, skipped
  kTemplateRedeclared,     // a later declaration of a known template, ignored
  kTemplateWithoutGuid,    // template declaration without a GUID
  kExtraClosingBrace,      // '}' with no open data object at top level
  kCompressedSizeMismatch, // MSZIP total differs from the blocks' sum
  kStringTerminator,       // binary string followed by a 4-byte terminator
  kFloatOutOfRange,        // 1e39, 1e400: read as infinity (or zero) of its sign
  kArrayExtraElements,     // more array elements than the count; the extras skipped
  kArrayCutShort,          // '}' before the count was reached; the count lowered
  kAnimationTargetMissing, // reference in an Animation to a frame not in the file
  kCount
};

std::string_view WarningCodeName(XWarningCode code);
// What the reader found and what it did about it, for messages.
std::string_view WarningRepair(XWarningCode code);

struct XWarning {
  XWarningCode code;
  std::uint64_t first_offset;  // byte offset of the first occurrence (as XDiagnostic::offset)
  std::uint32_t first_line;    // text files; 0 for binary
  std::uint32_t first_column;
  std::uint64_t count;
  std::string object;          // object path at the first occurrence

  // "file:6:3: warning: animation-target-missing (53 times, first in
  // AnimationSet 'stand'): <repair>"; `binary` gives a byte offset instead.
  std::string Format(std::string_view file, bool binary) const;
};

struct XDiagnostic {
  HRESULT code = S_OK;
  std::string file;            // path or "<memory>"
  bool binary = false;         // position is a byte offset, not line/column
  std::uint32_t line = 0;      // 1-based, text only
  std::uint32_t column = 0;    // 1-based, text only
  // Byte offset in the file; for tzip/bzip files, in the inflated data
  // (`inflated` set), where the text or tokens are.
  std::uint64_t offset = 0;
  bool inflated = false;
  bool positioned = true;      // false for errors of the file as a whole (not found ...)
  std::string object;          // "Frame 'Root' > Mesh 'body' > MeshNormals"
  std::string message;

  bool ok() const { return code >= 0; }
  // "file:12:5: parse error: <message> (in Frame 'Root' > Mesh)"
  std::string Format() const;
};

std::string_view HresultName(HRESULT code);

// Line and column (1-based) of a byte offset in a text payload.
void LineColumnOf(std::string_view text, std::uint64_t offset, std::uint32_t* line,
                  std::uint32_t* column);

}  // namespace ortolix
