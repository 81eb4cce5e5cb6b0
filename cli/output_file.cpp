#include "cli/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>

#include "platform/crt/wide_file.h"

namespace ortolix::cli {
namespace {

[[maybe_unused]] std::string DirectoryOf(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

#ifndef _WIN32
// The mode a plain create would give: the target's own when it exists, else
// 0666 less the umask.
mode_t ModeFor(const struct stat* existing) {
  if (existing != nullptr) return existing->st_mode & 07777;
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}
#endif

}  // namespace

OutputFile::OutputFile(std::string target) : target_(std::move(target)) {
  ClearFileWriteFailure();
  struct stat existing {};
  const bool exists = ::stat(target_.c_str(), &existing) == 0;
  if (exists && S_ISDIR(existing.st_mode)) {
    Fail(EISDIR);
    return;
  }
  if (exists && !S_ISREG(existing.st_mode)) {
    writePath_ = target_;
    return;
  }
#ifdef _WIN32
  // A rename does not replace an existing file here: the target is written
  // in place.
  writePath_ = target_;
#else
  if (CreateTemporary() && ::fchmod(fd_, ModeFor(exists ? &existing : nullptr)) != 0) Fail(errno);
#endif
}

OutputFile::~OutputFile() {
  if (fd_ >= 0) ::close(fd_);
  if (temporary_ && !done_) ::unlink(writePath_.c_str());
}

bool OutputFile::Fail(int error) {
  if (error_.empty()) error_ = target_ + ": " + std::strerror(error);
  return false;
}

#ifndef _WIN32
bool OutputFile::CreateTemporary() {
  std::string pattern = DirectoryOf(target_) + "/.ortolix-XXXXXX";
  fd_ = ::mkstemp(pattern.data());
  if (fd_ < 0) return Fail(errno);
  writePath_ = std::move(pattern);
  temporary_ = true;
  return true;
}
#endif

bool OutputFile::OpenInPlace() {
  if (fd_ >= 0) return true;
#ifdef _WIN32
  fd_ = ::open(writePath_.c_str(), O_WRONLY | O_TRUNC | O_CREAT | O_BINARY, 0666);
#else
  fd_ = ::open(writePath_.c_str(), O_WRONLY | O_TRUNC);
#endif
  return fd_ >= 0 || Fail(errno);
}

bool OutputFile::WriteAll(std::string_view bytes) {
  if (!IsOpen() || !error_.empty() || !OpenInPlace()) return false;
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd_, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return Fail(written < 0 ? errno : ENOSPC);
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

bool OutputFile::Commit() {
  if (!IsOpen() || done_) return false;
  if (FirstFileWriteFailure().error != 0) Fail(FirstFileWriteFailure().error);
  if (fd_ >= 0 && ::close(fd_) != 0) Fail(errno);
  fd_ = -1;
  if (!error_.empty()) return false;
  if (temporary_ && ::rename(writePath_.c_str(), target_.c_str()) != 0) return Fail(errno);
  done_ = true;
  return true;
}

}  // namespace ortolix::cli
