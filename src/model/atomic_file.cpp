// Atomic replacement of files with POSIX calls (write, fsync, rename).
#include "model/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <random>

#include "model/layout_file.h"
#include "model/translate.h"

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

// Creates a fresh temporary file beside `target`; a name already taken is retried.
int CreateTempBeside(const fs::path& target, fs::path& tmp) {
  for (int attempt = 0; attempt < 16; ++attempt) {
    tmp = TempNameBeside(target);
    const int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

// Follows symbolic links (at most 40, as the system does) to the file they name.
fs::path ResolveLinks(fs::path p) {
  for (int hops = 0; hops < 40; ++hops) {
    std::error_code ec;
    if (!fs::is_symlink(p, ec)) break;
    const fs::path to = fs::read_symlink(p, ec);
    if (ec) break;
    p = to.is_absolute() ? to : p.parent_path() / to;
  }
  return p;
}

}  // namespace

std::string WriteFileAtomically(const fs::path& link, std::string_view data) {
  // Saving through a symbolic link replaces the file it points to, not the link.
  const fs::path target = ResolveLinks(link);
  struct stat st {};
  const bool exists = ::stat(target.c_str(), &st) == 0;
  if (exists && S_ISREG(st.st_mode) && (st.st_mode & 0222) == 0)
    return Tr("Cannot replace file: ") + link.string() + Tr(" (the file is read-only)");
  fs::path tmp;
  const int fd = CreateTempBeside(target, tmp);
  if (fd < 0) return Tr("Cannot open file: ") + target.string();
  // The replacement keeps the permissions of the file it replaces.
  if (exists && S_ISREG(st.st_mode)) ::fchmod(fd, st.st_mode & 07777);
  if (!WriteAll(fd, data) || ::fsync(fd) != 0) {
    const int err = errno;
    ::close(fd);
    ::unlink(tmp.c_str());
    return ErrnoText(TrMark("Cannot write file: "), target, err);
  }
  if (::close(fd) != 0) {
    const int err = errno;
    ::unlink(tmp.c_str());
    return ErrnoText(TrMark("Cannot write file: "), target, err);
  }
  if (::rename(tmp.c_str(), target.c_str()) != 0) {
    const int err = errno;
    ::unlink(tmp.c_str());
    return ErrnoText(TrMark("Cannot replace file: "), target, err);
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

std::string SizeText(std::uint64_t bytes) {
  if (bytes >= (std::uint64_t{1} << 30) && bytes % (std::uint64_t{1} << 30) == 0)
    return std::to_string(bytes >> 30) + " GiB";
  if (bytes >= (std::uint64_t{1} << 20) && bytes % (std::uint64_t{1} << 20) == 0)
    return std::to_string(bytes >> 20) + " MiB";
  return std::to_string(bytes) + Tr(" bytes");
}

std::string TooLargeText(const fs::path& file, std::uint64_t limit) {
  return Subst(Tr("The file %1 is larger than %2 and was not read."),
               {file.string(), SizeText(limit)});
}

std::string ReadWholeFile(const fs::path& file, std::string& out, std::uint64_t limit) {
  out.clear();
  const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return Tr("Cannot open file: ") + file.string();
  // The size is checked before anything is allocated: a sparse file may claim terabytes.
  struct stat st {};
  if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
    ::close(fd);
    return Tr("Cannot open file: ") + file.string();
  }
  std::uint64_t size = 0;
  if (S_ISREG(st.st_mode)) size = static_cast<std::uint64_t>(st.st_size);
  if (size > limit) {
    ::close(fd);
    return TooLargeText(file, limit);
  }
  // Read in bounded chunks: a file that grows, a device or an endless pipe stops at
  // the limit instead of filling the memory.
  constexpr std::size_t kChunk = std::size_t{1} << 20;
  out.reserve(static_cast<std::size_t>(size) + 1);
  std::uint64_t used = 0;
  for (;;) {
    const std::size_t want =
        static_cast<std::size_t>(std::min<std::uint64_t>(kChunk, limit + 1 - used));
    out.resize(static_cast<std::size_t>(used) + want);
    const ssize_t n = ::read(fd, out.data() + used, want);
    if (n < 0) {
      if (errno == EINTR) continue;
      const int err = errno;
      ::close(fd);
      out.clear();
      return ErrnoText(TrMark("Cannot read file: "), file, err);
    }
    used += static_cast<std::uint64_t>(n);
    out.resize(static_cast<std::size_t>(used));
    if (n == 0) break;
    if (used > limit) {
      ::close(fd);
      out.clear();
      return TooLargeText(file, limit);
    }
  }
  ::close(fd);
  return {};
}
