#include "platform/xfile/parse_context.h"

namespace ortolix {

namespace {
constexpr std::size_t kMaxPathFrames = 8;
}

ParseContext::ParseContext(const ReaderLimits& limits, std::string file)
    : limits_(limits), file_(std::move(file)) {}

void ParseContext::SetPayload(std::string_view payload, bool binary) {
  payload_ = payload;
  binary_ = binary;
}

bool ParseContext::Fail(HRESULT code, std::uint64_t offset, std::string message) {
  if (error_.code < 0) return false;
  error_.code = code;
  error_.offset = offset;
  error_.binary = binary_;
  error_.message = std::move(message);
  error_.object = ObjectPath();
  return false;
}

void ParseContext::Warn(XWarningCode code, std::uint64_t offset) {
  XWarning& w = warnings_[static_cast<std::size_t>(code)];
  if (w.count++ == 0) {
    w.code = code;
    w.first_offset = offset;
    w.object = ObjectPath();
  }
}

void ParseContext::PushObject(std::string_view type, std::string_view name) {
  path_.emplace_back(type, name);
}

void ParseContext::PopObject() {
  if (!path_.empty()) path_.pop_back();
}

std::string ParseContext::ObjectPath() const {
  std::string text;
  std::size_t first = path_.size() > kMaxPathFrames ? path_.size() - kMaxPathFrames : 0;
  if (first > 0) text = "... > ";
  for (std::size_t i = first; i < path_.size(); ++i) {
    if (i > first) text += " > ";
    text.append(path_[i].first);
    if (!path_[i].second.empty()) {
      text += " '";
      text.append(path_[i].second);
      text += "'";
    }
  }
  return text;
}

XDiagnostic ParseContext::TakeError() {
  XDiagnostic d = error_;
  d.file = file_;
  if (d.code < 0 && !d.binary) LineColumnOf(payload_, d.offset, &d.line, &d.column);
  return d;
}

std::vector<XWarning> ParseContext::TakeWarnings() {
  std::vector<XWarning> out;
  for (XWarning& w : warnings_) {
    if (w.count == 0) continue;
    if (!binary_) LineColumnOf(payload_, w.first_offset, &w.first_line, &w.first_column);
    out.push_back(w);
  }
  return out;
}

}  // namespace ortolix
