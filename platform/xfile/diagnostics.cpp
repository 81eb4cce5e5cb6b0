#include "platform/xfile/diagnostics.h"

#include <cstdio>

namespace ortolix {

std::string_view WarningCodeName(XWarningCode code) {
  switch (code) {
    case XWarningCode::kUnusualVersion: return "unusual-version";
    case XWarningCode::kHeaderTab: return "header-tab";
    case XWarningCode::kIntegerAsFloat: return "integer-as-float";
    case XWarningCode::kExponent: return "float-syntax";
    case XWarningCode::kNanSpelling: return "nan-spelling";
    case XWarningCode::kNegativeUnsigned: return "negative-unsigned";
    case XWarningCode::kMissingSeparator: return "missing-separator";
    case XWarningCode::kIrregularSeparator: return "irregular-separator";
    case XWarningCode::kSeparatorOutsideData: return "stray-separator";
    case XWarningCode::kTemplateNameCase: return "template-name-case";
    case XWarningCode::kNameCharacters: return "name-characters";
    case XWarningCode::kUnknownTemplate: return "unknown-template";
    case XWarningCode::kTemplateRedeclared: return "template-redeclared";
    case XWarningCode::kTemplateWithoutGuid: return "template-without-guid";
    case XWarningCode::kExtraClosingBrace: return "extra-closing-brace";
    case XWarningCode::kCompressedSizeMismatch: return "compressed-size-mismatch";
    case XWarningCode::kStringTerminator: return "string-terminator";
    case XWarningCode::kFloatOutOfRange: return "float-out-of-range";
    case XWarningCode::kArrayExtraElements: return "array-extra-elements";
    case XWarningCode::kArrayCutShort: return "array-cut-short";
    case XWarningCode::kAnimationTargetMissing: return "animation-target-missing";
    case XWarningCode::kCount: break;
  }
  return "unknown";
}

std::string_view WarningRepair(XWarningCode code) {
  switch (code) {
    case XWarningCode::kUnusualVersion: return "a version other than 0302/0303, read as usual";
    case XWarningCode::kHeaderTab: return "a tab in the header, read as a blank";
    case XWarningCode::kIntegerAsFloat: return "an integer where a float is declared, converted";
    case XWarningCode::kExponent: return "a float with an exponent, '+' or leading '.', read";
    case XWarningCode::kNanSpelling: return "a NaN or infinity spelling, read as that value";
    case XWarningCode::kNegativeUnsigned:
      return "a negative unsigned value, kept as two's complement";
    case XWarningCode::kMissingSeparator: return "a value without its ';' or ',', read";
    case XWarningCode::kIrregularSeparator: return "an irregular separator run, read as one";
    case XWarningCode::kSeparatorOutsideData: return "a separator outside any value, skipped";
    case XWarningCode::kTemplateNameCase: return "a template named in another case, matched";
    case XWarningCode::kNameCharacters: return "a name with '.', '-' or a leading digit, kept";
    case XWarningCode::kUnknownTemplate: return "an object of an undeclared template, skipped";
    case XWarningCode::kTemplateRedeclared: return "a template declared again, the first kept";
    case XWarningCode::kTemplateWithoutGuid: return "a template without a GUID, accepted";
    case XWarningCode::kExtraClosingBrace: return "a '}' closing nothing, skipped";
    case XWarningCode::kCompressedSizeMismatch:
      return "a compressed size that disagrees with the blocks, ignored";
    case XWarningCode::kStringTerminator: return "a string with a 4-byte terminator, read";
    case XWarningCode::kFloatOutOfRange:
      return "a number beyond the float range, read as infinity or zero";
    case XWarningCode::kArrayExtraElements:
      return "more array elements than the count; the count stands, the extras are skipped";
    case XWarningCode::kArrayCutShort:
      return "an array cut short by '}'; its count is lowered to the elements read";
    case XWarningCode::kAnimationTargetMissing:
      return "an animation names a frame not in this file; the name is kept as its target";
    case XWarningCode::kCount: break;
  }
  return "unknown";
}

std::string XWarning::Format(std::string_view file, bool binary) const {
  std::string position = binary ? "byte " + std::to_string(first_offset)
                                : std::to_string(first_line) + ":" + std::to_string(first_column);
  std::string text = std::string(file) + ":" + position + ": warning: " +
                     std::string(WarningCodeName(code));
  if (count > 1 || !object.empty()) {
    text += " (";
    if (count > 1) text += std::to_string(count) + " times" + (object.empty() ? "" : ", first ");
    if (!object.empty()) text += "in " + object;
    text += ")";
  }
  return text + ": " + std::string(WarningRepair(code));
}

std::string_view HresultName(HRESULT code) {
  switch (static_cast<std::uint32_t>(code)) {
    case 0u: return "S_OK";
    case 0x80004005u: return "E_FAIL";
    case 0x8007000Eu: return "E_OUTOFMEMORY";
    case 0x80070057u: return "E_INVALIDARG";
    case 0x80004003u: return "E_POINTER";
    case 0x80004001u: return "E_NOTIMPL";
    case 0x88760384u: return "D3DXFERR_BADOBJECT";
    case 0x88760385u: return "D3DXFERR_BADVALUE";
    case 0x88760386u: return "D3DXFERR_BADTYPE";
    case 0x88760387u: return "D3DXFERR_NOTFOUND";
    case 0x88760389u: return "D3DXFERR_FILENOTFOUND";
    case 0x8876038Cu: return "D3DXFERR_BADFILETYPE";
    case 0x8876038Du: return "D3DXFERR_BADFILEVERSION";
    case 0x8876038Eu: return "D3DXFERR_BADFILEFLOATSIZE";
    case 0x8876038Fu: return "D3DXFERR_BADFILE";
    case 0x88760390u: return "D3DXFERR_PARSEERROR";
    case 0x88760391u: return "D3DXFERR_BADARRAYSIZE";
    case 0x88760392u: return "D3DXFERR_BADDATAREFERENCE";
    case 0x88760393u: return "D3DXFERR_NOMOREOBJECTS";
    case 0x88760394u: return "D3DXFERR_NOMOREDATA";
    default: return "HRESULT";
  }
}

void LineColumnOf(std::string_view text, std::uint64_t offset, std::uint32_t* line,
                  std::uint32_t* column) {
  if (offset > text.size()) offset = text.size();
  std::uint32_t l = 1;
  std::size_t line_start = 0;
  for (std::size_t i = 0; i < offset; ++i) {
    if (text[i] == '\n') {
      ++l;
      line_start = i + 1;
    }
  }
  *line = l;
  *column = static_cast<std::uint32_t>(offset - line_start + 1);
}

std::string XDiagnostic::Format() const {
  char position[64];
  if (binary) {
    std::snprintf(position, sizeof position, inflated ? "inflated byte %llu" : "byte %llu",
                  static_cast<unsigned long long>(offset));
  } else {
    std::snprintf(position, sizeof position, "%u:%u", line, column);
  }
  char code_text[16];
  std::snprintf(code_text, sizeof code_text, "0x%08X", static_cast<unsigned>(code));
  std::string text = file + ":" + (positioned ? std::string(position) + ":" : std::string()) + " " +
                     std::string(HresultName(code)) + " (" + code_text + "): " + message;
  if (!object.empty()) text += " (in " + object + ")";
  return text;
}

}  // namespace ortolix
