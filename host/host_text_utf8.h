// Texts between the JSON document (UTF-8) and the HostModel's HostPathString.
// They go through the wide form: the narrow form is the plug-in's narrow code
// page (the ANSI code page on Windows, `--codepage` on POSIX), which the
// document does not use.
#pragma once

#include <string>

#include "hostapi/host_path_string.h"

namespace ortolix {

// `utf8` is valid UTF-8 of at most 259 bytes and 259 UTF-16 units.
HostPathString HostTextFromUtf8(const std::string& utf8);

// The text as the JSON document holds it: the wide form in UTF-8, a lone
// surrogate as U+FFFD.
std::string Utf8FromHostText(const HostPathString& text);

}  // namespace ortolix
