// `ortolix dump FILE [--summary]`: the data objects of a .x file as the file
// services see them, as JSON. Full form: header, warnings and the object
// tree with each object's template name and GUID, name, id, reference flag,
// members decoded by the template, and children (references are not
// followed). Summary form: header, warnings and the number of objects per
// template. Safe on hostile files: a file the reader refuses gives exit
// status 1 and its diagnostic on `err`.
#pragma once

#include <cstdio>
#include <string>

#include "platform/xfile/d3dx_file.h"

namespace ortolix {

// Registers the three standard template sets, reads `path` and writes the
// JSON to `out`. Returns the exit status: 0, or 1 with the diagnostic line
// written to `err`.
int DumpXFileJson(const char* path, bool summary, std::FILE* out, std::FILE* err);

// The same JSON for an already open enumerator.
std::string XFileJson(const ID3DXFileEnumObject& file, bool summary);

}  // namespace ortolix
