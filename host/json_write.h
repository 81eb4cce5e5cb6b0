// The small text emitters the JSON save is built from. They append to a
// std::string; no streams, no locale.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace ortolix {

// The shortest text that reads back to the same float; -0.0 for a negative
// zero; "nan", "-nan", "inf", "-inf" (quoted) for non-finite values.
void AppendFloat(std::string& out, float value);
void AppendInt(std::string& out, std::int64_t value);
// A quoted JSON string. Bytes that are not valid UTF-8 become U+FFFD;
// control characters are escaped.
void AppendString(std::string& out, std::string_view utf8);
// "[a, b, c]" of `count` floats.
void AppendFloats(std::string& out, const float* values, int count);

}  // namespace ortolix
