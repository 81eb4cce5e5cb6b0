// Texts between the JSON document (UTF-8) and the HostModel's HostPathString.
// On POSIX the narrow form of a HostPathString is UTF-8 and is used as it
// stands; on Windows it is the ANSI code page, so texts go through the wide
// form instead.
#pragma once

#include <string>

#include "hostapi/host_path_string.h"

namespace ortolix {

// `utf8` is valid UTF-8 of at most 259 bytes and 259 UTF-16 units.
HostPathString HostTextFromUtf8(const std::string& utf8);

// The text as the JSON document holds it; on POSIX the narrow bytes as they
// stand (the writer escapes what is not UTF-8).
std::string Utf8FromHostText(const HostPathString& text);

}  // namespace ortolix
