// `ortolix dump FILE [--summary]`: the data objects of a .x file as the file
// services see them, as JSON. Full form: header, warnings and the object
// tree with each object's template name and GUID, name, id, reference flag,
// members decoded by the template, and children (references are not
// followed). Summary form: header, warnings and the number of objects per
// template. Safe on hostile files; names and strings are read in the narrow
// code page, so the text is valid JSON whatever their bytes.
#pragma once

#include <string>

#include "platform/xfile/d3dx_file.h"

namespace ortolix {

// Registers the three standard template sets, reads `path` within `limits`
// and gives its JSON. On failure returns the reader's code with its
// diagnostic line (file, position, object, message) in `error`.
[[nodiscard]] HRESULT DumpXFileJson(const char* path, bool summary, const ReaderLimits& limits,
                                    std::string* json, std::string* error);

// The same JSON for an already open enumerator.
std::string XFileJson(const ID3DXFileEnumObject& file, bool summary);

}  // namespace ortolix
