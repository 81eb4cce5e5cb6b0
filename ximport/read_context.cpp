#include "ximport/read_context.h"

#include <cstdio>
#include <utility>
#include <vector>

namespace ortolix {

std::string ReadContext::Where() const {
  if (path.empty()) return "file";
  std::string where;
  for (const std::string& segment : path) {
    if (!where.empty()) where += " > ";
    where += segment;
  }
  return where;
}

HRESULT ReadContext::Fail(HRESULT code, std::string_view message) {
  if (error.empty()) error = Where() + ": " + std::string(message);
  return code;
}

void ReadContext::Warn(std::string_view code, std::string_view message) {
  WarnAt(code, Where(), message);
}

void ReadContext::WarnAt(std::string_view code, std::string object, std::string_view message,
                         std::uint64_t count) {
  for (ReadWarning& warning : reader.warnings) {
    if (warning.code == code) {
      warning.count += count;
      return;
    }
  }
  reader.warnings.push_back(
      ReadWarning{std::string(code), std::move(object), std::string(message), count});
}

std::string ObjectLabel(std::string_view kind, std::string_view name) {
  std::string label(kind);
  if (!name.empty()) {
    label += " '";
    label += name;
    label += "'";
  }
  return label;
}

HRESULT ReadObjectName(ID3DXFileData& data, std::size_t* length, std::string* name) {
  *length = 0;
  name->clear();
  if (const HRESULT hr = data.GetName(nullptr, length); hr < 0) return hr;
  if (*length <= 1) return S_OK;
  std::vector<char> buffer(*length + 1, '\0');
  std::size_t size = buffer.size();
  if (const HRESULT hr = data.GetName(buffer.data(), &size); hr < 0) return hr;
  name->assign(buffer.data());
  return S_OK;
}

HRESULT ObjectType(ID3DXFileData& data, GUID* type) { return data.GetType(type); }

HRESULT ServiceFailure(ReadContext& ctx, HRESULT hr, const char* call) {
  char text[64];
  std::snprintf(text, sizeof text, "%s failed with 0x%08X", call, static_cast<unsigned>(hr));
  return ctx.Fail(hr, text);
}

}  // namespace ortolix
