// Atomic replacement of files with POSIX calls (write, fsync, rename).
#include "model/atomic_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>

namespace fs = std::filesystem;

namespace {

std::string ErrnoText(const std::string& what, const fs::path& p, int err) {
  return what + p.string() + " (" + std::strerror(err) + ")";
}

bool WriteAll(int fd, std::string_view data) {
  const char* p = data.data();
  std::size_t left = data.size();
  while (left > 0) {
    const ssize_t n = ::write(fd, p, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    p += n;
    left -= static_cast<std::size_t>(n);
  }
  return true;
}

fs::path TempNameBeside(const fs::path& target) {
  static std::mt19937_64 rng{std::random_device{}()};
  char suffix[24];
  std::snprintf(suffix, sizeof suffix, ".%012llx.tmp",
                static_cast<unsigned long long>(rng() & 0xffffffffffffull));
  fs::path tmp = target;
  tmp += suffix;
  return tmp;
}

}  // namespace

std::string WriteFileAtomically(const fs::path& target, std::string_view data) {
  const fs::path tmp = TempNameBeside(target);
  const int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) return ErrnoText("Cannot open file: ", target, errno);
  if (!WriteAll(fd, data) || ::fsync(fd) != 0) {
    const int err = errno;
    ::close(fd);
    ::unlink(tmp.c_str());
    return ErrnoText("Cannot write file: ", target, err);
  }
  if (::close(fd) != 0) {
    const int err = errno;
    ::unlink(tmp.c_str());
    return ErrnoText("Cannot write file: ", target, err);
  }
  if (::rename(tmp.c_str(), target.c_str()) != 0) {
    const int err = errno;
    ::unlink(tmp.c_str());
    return ErrnoText("Cannot replace file: ", target, err);
  }
  // The rename is durable only once the folder entry is on disk.
  fs::path dir = target.parent_path();
  if (dir.empty()) dir = ".";
  const int dfd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dfd >= 0) {
    ::fsync(dfd);
    ::close(dfd);
  }
  return {};
}

bool ReadWholeFile(const fs::path& file, std::string& out) {
  out.clear();
  const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  char buf[1 << 16];
  for (;;) {
    const ssize_t n = ::read(fd, buf, sizeof buf);
    if (n < 0) {
      if (errno == EINTR) continue;
      ::close(fd);
      return false;
    }
    if (n == 0) break;
    out.append(buf, static_cast<std::size_t>(n));
  }
  ::close(fd);
  return true;
}
