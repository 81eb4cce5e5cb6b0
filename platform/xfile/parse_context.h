// State shared by the tokenizers and parsers while one file is read: the
// limits, the first error, the counted warnings and the path of data objects
// being read. Every failure of the reader passes through Fail().
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/xfile/diagnostics.h"
#include "platform/xfile/reader_limits.h"

namespace ortolix {

class ParseContext {
 public:
  ParseContext(const ReaderLimits& limits, std::string file);

  const ReaderLimits& limits() const { return limits_; }

  // The payload that offsets refer to; text payloads give line/column.
  // Offsets passed to Fail/Warn are payload offsets; reports add `base`
  // (the header size for uncompressed files) so that they are file offsets.
  // Until a payload is set, offsets are file offsets of the header.
  void SetPayload(std::string_view payload, bool binary, std::uint64_t base, bool inflated);

  // Records the first error (later ones are ignored) and returns false, so
  // that callers write `return ctx.Fail(...)`. The one place to break on
  // "first failure".
  [[nodiscard]] bool Fail(HRESULT code, std::uint64_t offset, std::string message);
  bool failed() const { return error_.code < 0; }

  void Warn(XWarningCode code, std::uint64_t offset);

  // Counts `bytes` the read is about to allocate against the memory budget
  // (ReaderLimits::max_memory); past it, records the error and returns false.
  [[nodiscard]] bool Charge(std::uint64_t bytes, std::uint64_t offset) {
    return TryCharge(bytes) || OverBudget(offset);
  }
  // The same in two steps, for callers whose offset costs a little to find.
  [[nodiscard]] bool TryCharge(std::uint64_t bytes) {
    if (bytes > limits_.max_memory - charged_) return false;
    charged_ += bytes;
    return true;
  }
  [[nodiscard]] bool OverBudget(std::uint64_t offset);

  // Data objects being read, innermost last; used for error context.
  void PushObject(std::string_view type, std::string_view name);
  void PopObject();

  // The error with its position filled in (code S_OK when none).
  XDiagnostic TakeError();
  // Warnings in code order, with positions filled in.
  std::vector<XWarning> TakeWarnings();

 private:
  std::string ObjectPath() const;
  void TextPosition(std::uint64_t offset, std::uint32_t* line, std::uint32_t* column) const;

  const ReaderLimits& limits_;
  std::string file_;
  std::string_view payload_;
  bool binary_ = true;
  bool inflated_ = false;
  std::uint64_t base_ = 0;
  std::uint64_t charged_ = 0;
  XDiagnostic error_;
  std::array<XWarning, static_cast<std::size_t>(XWarningCode::kCount)> warnings_{};
  std::vector<std::pair<std::string_view, std::string_view>> path_;
};

}  // namespace ortolix
