// The one set of JSON text emitters: the host-model save and the dumps of
// the command are built from them. They append to a std::string; no
// streams, no locale. Whatever bytes they are given, the text is valid JSON.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace ortolix {

// The shortest text that reads back to the same float; -0.0 for a negative
// zero; "nan", "-nan", "inf", "-inf" (quoted) for non-finite values.
void AppendFloat(std::string& out, float value);
// The same for a double.
void AppendDouble(std::string& out, double value);
void AppendInt(std::string& out, std::int64_t value);
// A quoted JSON string. Bytes that are not valid UTF-8 become U+FFFD;
// control characters are escaped.
void AppendString(std::string& out, std::string_view utf8);
// A quoted JSON string of narrow text (names and strings of .x files), read
// in the narrow code page; bytes that do not decode become U+FFFD.
void AppendNarrowString(std::string& out, std::string_view narrow);
// "[a, b, c]" of `count` floats.
void AppendFloats(std::string& out, const float* values, int count);

}  // namespace ortolix
