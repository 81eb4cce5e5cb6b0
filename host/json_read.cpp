#include "host/json_read.h"

#include <cmath>
#include <limits>

#include "host/host_text_utf8.h"

namespace ortolix {

std::string JsonPath::ToString() const {
  if (parent_ == nullptr) return "document";
  std::string path = parent_->parent_ == nullptr ? std::string() : parent_->ToString();
  if (isIndex_) return path + "[" + std::to_string(index_) + "]";
  if (!path.empty()) path += '.';
  return path.append(key_);
}

void JsonPath::Fail(const std::string& message) const {
  throw JsonReadError(ToString() + ": " + message);
}

namespace {

const char* TypeName(const Json& value) {
  if (value.is_number_integer()) return "an integer";
  if (value.is_number()) return "a number";
  if (value.is_string()) return "a string";
  if (value.is_boolean()) return "a boolean";
  if (value.is_null()) return "null";
  if (value.is_array()) return "an array";
  return "an object";
}

[[noreturn]] void Expected(const Json& value, const JsonPath& path, const std::string& what) {
  path.Fail("expected " + what + ", found " + TypeName(value));
}

}  // namespace

void CheckObject(const Json& value, const JsonPath& path,
                 std::initializer_list<std::string_view> allowed) {
  if (!value.is_object()) Expected(value, path, "an object");
  for (const auto& item : value.items()) {
    bool known = false;
    for (std::string_view key : allowed) known = known || key == item.key();
    if (!known) JsonPath(path, item.key()).Fail("unknown key");
  }
}

const Json* Member(const Json& object, std::string_view key) {
  const auto found = object.find(key);
  return found == object.end() ? nullptr : &*found;
}

std::int32_t CheckArray(const Json& value, const JsonPath& path) {
  if (!value.is_array()) Expected(value, path, "an array");
  if (value.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
    path.Fail("array too large");
  }
  return static_cast<std::int32_t>(value.size());
}

float ReadFloat(const Json& value, const JsonPath& path) {
  if (value.is_number_float()) {
    const double number = value.get<double>();
    if (!std::isfinite(number)) path.Fail("number outside the 32-bit float range");
    return static_cast<float>(number);
  }
  if (value.is_number_integer()) {
    // Integers go straight to the nearest float (one rounding).
    if (value.is_number_unsigned()) return static_cast<float>(value.get<std::uint64_t>());
    return static_cast<float>(value.get<std::int64_t>());
  }
  if (value.is_string()) {
    const std::string& text = value.get_ref<const std::string&>();
    if (text == "nan") return std::numeric_limits<float>::quiet_NaN();
    if (text == "-nan") return -std::numeric_limits<float>::quiet_NaN();
    if (text == "inf") return std::numeric_limits<float>::infinity();
    if (text == "-inf") return -std::numeric_limits<float>::infinity();
    path.Fail("expected a number or \"nan\", \"-nan\", \"inf\", \"-inf\", found \"" +
              text.substr(0, 32) + "\"");
  }
  Expected(value, path, "a number");
}

std::int32_t ReadInt(const Json& value, const JsonPath& path) {
  if (value.is_number_float()) {
    const double number = value.get<double>();
    if (number == 0.0) return 0;  // the token -0
    path.Fail("expected an integer, found a number with a fraction or exponent");
  }
  if (!value.is_number_integer()) Expected(value, path, "an integer");
  const bool fits = value.is_number_unsigned()
                        ? value.get<std::uint64_t>() <= std::numeric_limits<std::int32_t>::max()
                        : value.get<std::int64_t>() >= std::numeric_limits<std::int32_t>::min() &&
                              value.get<std::int64_t>() <= std::numeric_limits<std::int32_t>::max();
  if (!fits) path.Fail("integer outside the 32-bit range");
  return static_cast<std::int32_t>(value.get<std::int64_t>());
}

namespace {

// UTF-16 units of a valid UTF-8 text (the parser has checked the encoding).
std::size_t Utf16Length(const std::string& text) {
  std::size_t units = 0;
  for (unsigned char c : text) {
    if ((c & 0xC0) != 0x80) ++units;  // a lead byte starts a code point
    if (c >= 0xF0) ++units;           // four-byte sequences need a surrogate pair
  }
  return units;
}

}  // namespace

HostPathString ReadText(const Json& value, const JsonPath& path) {
  if (!value.is_string()) Expected(value, path, "a string");
  const std::string& text = value.get_ref<const std::string&>();
  constexpr std::size_t kMax = HostPathString::kCapacity - 1;
  if (text.find('\0') != std::string::npos) path.Fail("text holds a NUL character");
  if (Utf16Length(text) > kMax) path.Fail("text longer than 259 characters");
  if (text.size() > kMax) path.Fail("text longer than 259 bytes in UTF-8");
  return HostTextFromUtf8(text);
}

void ReadFloats(const Json& value, const JsonPath& path, float* out, std::size_t count) {
  if (!value.is_array()) Expected(value, path, "an array of " + std::to_string(count) + " numbers");
  if (value.size() != count) {
    path.Fail("expected " + std::to_string(count) + " numbers, found " +
              std::to_string(value.size()));
  }
  for (std::size_t i = 0; i < count; ++i) out[i] = ReadFloat(value[i], JsonPath(path, i));
}

Vec3 ReadVec3(const Json& value, const JsonPath& path) {
  float f[3];
  ReadFloats(value, path, f, 3);
  return {f[0], f[1], f[2]};
}

Quat ReadQuat(const Json& value, const JsonPath& path) {
  float f[4];
  ReadFloats(value, path, f, 4);
  return {f[0], f[1], f[2], f[3]};
}

HostColor ReadColor(const Json& value, const JsonPath& path) {
  float f[4];
  ReadFloats(value, path, f, 4);
  return {f[0], f[1], f[2], f[3]};
}

Matrix4 ReadMatrix(const Json& value, const JsonPath& path) {
  Matrix4 m;
  ReadFloats(value, path, m.m, 16);
  return m;
}

}  // namespace ortolix
