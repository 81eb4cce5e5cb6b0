// A file the command writes whole or not at all. The bytes go to a temporary
// file beside the target, renamed into place only when every write, the
// close, and any write recorded by the file layer (FirstFileWriteFailure)
// succeeded; otherwise the temporary file is removed and the target keeps
// what it held. A target that exists and is not a regular file (a device, a
// pipe) is written in place, since it cannot be replaced by a rename.
#pragma once

#include <string>
#include <string_view>

namespace ortolix::cli {

class OutputFile {
 public:
  // Creates the temporary file and clears this thread's write-failure record,
  // so that Commit sees only the failures of this output. Check IsOpen.
  explicit OutputFile(std::string target);
  ~OutputFile();  // removes the temporary file unless committed
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  bool IsOpen() const { return !writePath_.empty(); }
  const std::string& Target() const { return target_; }
  // Where a writer that opens files by name writes: the temporary file, or
  // the target itself when it is written in place.
  const std::string& WritePath() const { return writePath_; }
  // True for a device or pipe, which cannot be read back.
  bool WrittenInPlace() const { return IsOpen() && !temporary_; }
  // "TARGET: reason" for the first failure; empty while none.
  const std::string& Error() const { return error_; }

  // Writes all of `bytes` at the end of what this object wrote so far.
  [[nodiscard]] bool WriteAll(std::string_view bytes);
  // Puts the written file in place. False, with Error() set, when anything
  // failed; the target is then untouched (or, written in place, incomplete).
  [[nodiscard]] bool Commit();

 private:
  bool Fail(int error);
#ifndef _WIN32
  bool CreateTemporary();
#endif
  bool OpenInPlace();

  std::string target_;
  std::string writePath_;
  std::string error_;
  int fd_ = -1;
  bool temporary_ = false;
  bool done_ = false;
};

}  // namespace ortolix::cli
