// Parsing an untrusted JSON text into a DOM with bounds on size, nesting and
// value count, so that a hostile document yields an error, never a crash or
// an unbounded allocation.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

namespace ortolix {

struct JsonLimits {
  std::size_t maxBytes = std::size_t{512} << 20;  // the whole text
  int maxDepth = 32;                               // nested arrays and objects
  std::size_t maxValues = std::size_t{1} << 25;   // every value, containers included
};

// Parses `text` into `out`. Every number that is not an integer is stored as
// the nearest 32-bit float (read from its own digits, so without double
// rounding); a number beyond the float range becomes an infinity, one that
// rounds to zero a signed zero. The integer token -0 is kept as a negative
// zero float. Duplicate keys are an error. On failure returns false and sets
// `error` to a message naming the place ("meshes[0].faces: ...").
bool ParseJsonBounded(std::string_view text, const JsonLimits& limits, nlohmann::json& out,
                      std::string& error);

}  // namespace ortolix
