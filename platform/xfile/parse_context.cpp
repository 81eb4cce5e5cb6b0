#include "platform/xfile/parse_context.h"

namespace ortolix {

namespace {
constexpr std::size_t kMaxPathFrames = 8;
}

ParseContext::ParseContext(const ReaderLimits& limits, std::string file)
    : limits_(limits), file_(std::move(file)) {}

void ParseContext::SetPayload(std::string_view payload, bool binary, std::uint64_t base,
                              bool inflated) {
  payload_ = payload;
  binary_ = binary;
  base_ = base;
  inflated_ = inflated;
}

bool ParseContext::Fail(HRESULT code, std::uint64_t offset, std::string message) {
  if (error_.code < 0) return false;
  error_.code = code;
  error_.offset = offset + base_;
  error_.binary = binary_;
  error_.inflated = inflated_;
  error_.message = std::move(message);
  error_.object = ObjectPath();
  return false;
}

void ParseContext::Warn(XWarningCode code, std::uint64_t offset) {
  XWarning& w = warnings_[static_cast<std::size_t>(code)];
  if (w.count++ == 0) {
    w.code = code;
    w.first_offset = offset + base_;
    w.object = ObjectPath();
  }
}

bool ParseContext::OverBudget(std::uint64_t offset) {
  return Fail(E_OUTOFMEMORY, offset,
              "the file needs more memory than the read's budget of " +
                  std::to_string(limits_.max_memory) + " bytes (max-memory)");
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

// The payload of a text file continues the header's line, so columns on
// line 1 count the 16 header bytes (also for tzip, whose header is the same).
void ParseContext::TextPosition(std::uint64_t offset, std::uint32_t* line,
                                std::uint32_t* column) const {
  constexpr std::uint32_t kHeaderSize = 16;
  if (offset < base_) {
    *line = 1;
    *column = static_cast<std::uint32_t>(offset) + 1;
    return;
  }
  LineColumnOf(payload_, offset - base_, line, column);
  if (*line == 1) *column += kHeaderSize;
}

XDiagnostic ParseContext::TakeError() {
  XDiagnostic d = error_;
  d.file = file_;
  if (d.code < 0 && !d.binary) TextPosition(d.offset, &d.line, &d.column);
  return d;
}

std::vector<XWarning> ParseContext::TakeWarnings() {
  std::vector<XWarning> out;
  for (XWarning& w : warnings_) {
    if (w.count == 0) continue;
    if (!binary_) TextPosition(w.first_offset, &w.first_line, &w.first_column);
    out.push_back(w);
  }
  return out;
}

}  // namespace ortolix
