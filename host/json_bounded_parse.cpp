#include "host/json_bounded_parse.h"

#include <charconv>
#include <cmath>
#include <vector>

namespace ortolix {

namespace {

using nlohmann::json;

// Builds the DOM from nlohmann's (iterative) SAX parser, checking the limits
// as it goes and keeping the path of the value being read for messages.
class BoundedBuilder {
 public:
  BoundedBuilder(json& root, const JsonLimits& limits) : root_(root), limits_(limits) {}

  bool null() { return Insert(json(nullptr)) != nullptr; }
  bool boolean(bool value) { return Insert(json(value)) != nullptr; }
  // The parser reports a token with a minus sign as a signed integer and one
  // without as unsigned, so a signed zero here is the token -0: a negative
  // zero for float fields (integer fields read it as 0).
  bool number_integer(json::number_integer_t value) {
    if (value == 0) return Insert(json(-0.0)) != nullptr;
    return Insert(json(value)) != nullptr;
  }
  bool number_unsigned(json::number_unsigned_t value) { return Insert(json(value)) != nullptr; }
  bool number_float(json::number_float_t value, const std::string& text) {
    return Insert(json(NearestFloat(value, text))) != nullptr;
  }
  bool string(std::string& value) { return Insert(json(std::move(value))) != nullptr; }
  bool binary(json::binary_t&) { return Fail(Path(), "binary values are not JSON"); }
  bool start_object(std::size_t) { return Open(json::object()); }
  bool start_array(std::size_t) { return Open(json::array()); }
  bool end_object() { return Close(); }
  bool end_array() { return Close(); }
  bool key(std::string& name) {
    Frame& frame = frames_.back();
    frame.key = std::move(name);
    if (frame.node->contains(frame.key)) return Fail(Path(), "duplicate key");
    return true;
  }
  bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception& e) {
    std::string what = e.what();
    const auto bracket = what.find("] ");
    if (what.starts_with("[json.exception") && bracket != std::string::npos) {
      what.erase(0, bracket + 2);
    }
    // The place the parser had reached: where the value being read belongs.
    return Fail(Path(), "invalid JSON: " + what);
  }

  const std::string& error() const { return error_; }

 private:
  struct Frame {
    json* node;
    std::string label;  // how the path reaches this container: "[3]" or a key
    std::string key;    // objects: the key of the value being read
  };

  static float NearestFloat(double value, const std::string& text) {
    float result = 0.0f;
    const auto parsed = std::from_chars(text.data(), text.data() + text.size(), result);
    if (parsed.ec == std::errc::result_out_of_range) {
      const float sign = std::signbit(value) ? -1.0f : 1.0f;
      return std::fabs(value) < 1.0 ? sign * 0.0f : sign * INFINITY;
    }
    return parsed.ec == std::errc() ? result : static_cast<float>(value);
  }

  // The label of the next value inside the innermost container.
  std::string NextLabel() const {
    const Frame& top = frames_.back();
    return top.node->is_array() ? "[" + std::to_string(top.node->size()) + "]" : top.key;
  }

  std::string Path() const {
    std::string path;
    for (const Frame& frame : frames_) AppendLabel(path, frame.label);
    if (!frames_.empty()) AppendLabel(path, NextLabel());
    return path.empty() ? "document" : path;
  }

  static void AppendLabel(std::string& path, const std::string& label) {
    if (label.empty()) return;
    if (!path.empty() && label[0] != '[') path += '.';
    path += label;
  }

  bool Fail(const std::string& path, const std::string& message) {
    if (error_.empty()) error_ = path + ": " + message;
    return false;
  }

  json* Insert(json&& value) {
    if (++values_ > limits_.maxValues) {
      Fail(Path(), "the document holds more than " + std::to_string(limits_.maxValues) + " values");
      return nullptr;
    }
    if (frames_.empty()) {
      root_ = std::move(value);
      return &root_;
    }
    json& parent = *frames_.back().node;
    if (parent.is_array()) {
      parent.push_back(std::move(value));
      return &parent.back();
    }
    json& slot = parent[frames_.back().key];
    slot = std::move(value);
    return &slot;
  }

  bool Open(json&& container) {
    if (static_cast<int>(frames_.size()) >= limits_.maxDepth) {
      return Fail(Path(), "nesting deeper than " + std::to_string(limits_.maxDepth) + " levels");
    }
    std::string label = frames_.empty() ? std::string() : NextLabel();
    json* node = Insert(std::move(container));
    if (node == nullptr) return false;
    frames_.push_back({node, std::move(label), {}});
    return true;
  }

  bool Close() {
    frames_.pop_back();
    return true;
  }

  json& root_;
  const JsonLimits& limits_;
  std::vector<Frame> frames_;
  std::size_t values_ = 0;
  std::string error_;
};

}  // namespace

bool ParseJsonBounded(std::string_view text, const JsonLimits& limits, json& out,
                      std::string& error) {
  if (text.size() > limits.maxBytes) {
    error = "document: larger than " + std::to_string(limits.maxBytes) + " bytes";
    return false;
  }
  json root;
  BoundedBuilder builder(root, limits);
  const bool ok = json::sax_parse(text, &builder, json::input_format_t::json, true, false);
  if (!ok) {
    error = builder.error().empty() ? "document: invalid JSON" : builder.error();
    return false;
  }
  out = std::move(root);
  return true;
}

}  // namespace ortolix
