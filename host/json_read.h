// Reading typed values out of a parsed JSON document, with the path of every
// value at hand for error messages ("bones[3].rotation: expected 4 numbers").
// Readers throw JsonReadError; the loader turns it into a failure result.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "math/vector_math.h"
#include "hostapi/host_model.h"

namespace ortolix {

class JsonReadError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A place in the document: a chain of keys and indices, built on the stack
// while the loader descends and turned into text only for a message.
class JsonPath {
 public:
  JsonPath() = default;
  JsonPath(const JsonPath& parent, std::string_view key) : parent_(&parent), key_(key) {}
  JsonPath(const JsonPath& parent, std::size_t index)
      : parent_(&parent), index_(index), isIndex_(true) {}

  std::string ToString() const;
  [[noreturn]] void Fail(const std::string& message) const;

 private:
  const JsonPath* parent_ = nullptr;
  std::string_view key_;
  std::size_t index_ = 0;
  bool isIndex_ = false;
};

using Json = nlohmann::json;

// Object checks: the value is an object whose keys are all in `allowed`.
void CheckObject(const Json& value, const JsonPath& path, std::initializer_list<std::string_view> allowed);
// The member `key`, or null when absent.
const Json* Member(const Json& object, std::string_view key);
// The value is an array; returns its size, checked to fit a 32-bit count.
std::int32_t CheckArray(const Json& value, const JsonPath& path);

float ReadFloat(const Json& value, const JsonPath& path);
std::int32_t ReadInt(const Json& value, const JsonPath& path);
// A text of at most 259 characters (UTF-16 units) whose UTF-8 form fits the
// narrow buffer; NUL characters are refused.
HostPathString ReadText(const Json& value, const JsonPath& path);
Vec3 ReadVec3(const Json& value, const JsonPath& path);
Quat ReadQuat(const Json& value, const JsonPath& path);
HostColor ReadColor(const Json& value, const JsonPath& path);
Matrix4 ReadMatrix(const Json& value, const JsonPath& path);
// Reads `count` floats from an array of exactly that size.
void ReadFloats(const Json& value, const JsonPath& path, float* out, std::size_t count);

// Optional members: the reader's result, or the default when absent.
template <typename T, typename Reader>
T ReadMember(const Json& object, const JsonPath& path, std::string_view key, const T& fallback,
             Reader reader) {
  const Json* member = Member(object, key);
  return member ? reader(*member, JsonPath(path, key)) : fallback;
}

}  // namespace ortolix
