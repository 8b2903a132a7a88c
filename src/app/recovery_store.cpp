// Recovery copies: made on the caller's thread (a copy of the layout's text), written
// atomically on a writer thread, claimed after a crash through file locks.
#include "app/recovery_store.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <functional>
#include <random>
#include <system_error>

#include "model/atomic_file.h"
#include "model/file_line.h"
#include "model/layout_file.h"

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kPrefix = "recovery-";

fs::path LockFileOf(const fs::path& copy) {
  fs::path lock = copy;
  lock.replace_extension(".lock");
  return lock;
}

// Opens (creating when `create`) and locks `file` without waiting; -1 when the lock is
// held by a running program or the file cannot be opened.
int TryLock(const fs::path& file, bool create) {
  const int fd = ::open(file.c_str(), O_RDWR | O_CLOEXEC | (create ? O_CREAT : 0), 0600);
  if (fd < 0) return -1;
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    ::close(fd);
    return -1;
  }
  return fd;
}

void CloseFd(int& fd) {
  if (fd >= 0) ::close(fd);
  fd = -1;
}

bool HasControlCharacters(std::string_view text) {
  return std::any_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; });
}

// The first line of a copy names the layout's file; the rest is the layout file itself.
std::string RecoveryText(const Layout& layout, const std::string& path, const std::string& name) {
  std::string text = "<recovery path=\"";
  if (!HasControlCharacters(path)) AppendEscaped(text, path);
  text += "\"/>";
  text += kCrLf;
  text += LayoutFileText(layout, name);
  return text;
}

bool NewerThan(const fs::path& copy, const std::string& layout_path) {
  if (layout_path.empty()) return true;
  std::error_code ec;
  const fs::file_time_type original = fs::last_write_time(layout_path, ec);
  if (ec) return true;  // the layout file is gone
  const fs::file_time_type copied = fs::last_write_time(copy, ec);
  return ec || copied > original;
}

}  // namespace

RecoveryStore::RecoveryStore(fs::path dir, Clock::time_point now)
    : dir_(std::move(dir)), last_write_(now) {
  writer_ = std::thread([this] { WriterLoop(); });
  if (dir_.empty()) return;  // no folder: nothing is kept
  std::error_code ec;
  fs::create_directories(dir_, ec);
  fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::replace, ec);
  std::random_device rd;
  const std::string stem =
      std::string(kPrefix) + std::to_string(::getpid()) + "-" + std::to_string(rd() & 0xffffffu);
  file_ = dir_ / (stem + ".vtl");
  lock_file_ = dir_ / (stem + ".lock");
  // Locked under a temporary name first: a lock file is never seen unlocked.
  const fs::path fresh = dir_ / (stem + ".lock.new");
  lock_fd_ = TryLock(fresh, true);
  if (lock_fd_ >= 0 && ::rename(fresh.c_str(), lock_file_.c_str()) != 0) ::unlink(fresh.c_str());
}

RecoveryStore::~RecoveryStore() {
  {
    std::lock_guard<std::mutex> hold(mutex_);
    stop_ = true;
  }
  wake_.notify_all();
  writer_.join();
  std::error_code ec;
  // Without a copy there is nothing for the lock to guard.
  if (!dir_.empty() && !fs::exists(file_, ec)) ::unlink(lock_file_.c_str());
  CloseFd(lock_fd_);
}

void RecoveryStore::WriterLoop() {
  std::unique_lock<std::mutex> hold(mutex_);
  for (;;) {
    wake_.wait(hold, [this] { return pending_.has_value() || stop_; });
    if (!pending_) return;  // stopping with nothing left to write
    const std::string text = std::move(*pending_);
    pending_.reset();
    busy_ = true;
    hold.unlock();
    WriteFileAtomically(file_, text);  // a failed write keeps the previous copy
    hold.lock();
    busy_ = false;
    idle_.notify_all();
  }
}

bool RecoveryStore::Tick(Clock::time_point now, const Layout& layout, const std::string& path,
                         const std::string& name, bool modified) {
  if (dir_.empty() || !modified || now - last_write_ < kRecoveryInterval) return false;
  std::string text = RecoveryText(layout, path, name);
  const std::size_t hash = std::hash<std::string>{}(text);
  if (last_hash_ == hash) return false;  // nothing changed since the last copy
  last_hash_ = hash;
  last_write_ = now;
  {
    std::lock_guard<std::mutex> hold(mutex_);
    pending_ = std::move(text);
  }
  wake_.notify_all();
  return true;
}

void RecoveryStore::Remove() {
  std::unique_lock<std::mutex> hold(mutex_);
  pending_.reset();
  idle_.wait(hold, [this] { return !busy_; });
  if (!dir_.empty()) ::unlink(file_.c_str());
  last_hash_.reset();
}

void RecoveryStore::Flush() {
  std::unique_lock<std::mutex> hold(mutex_);
  idle_.wait(hold, [this] { return !busy_ && !pending_; });
}

std::vector<RecoveryCopy> RecoveryStore::ClaimOrphans() {
  std::vector<std::pair<fs::file_time_type, RecoveryCopy>> found;
  if (dir_.empty()) return {};
  std::error_code ec;
  for (fs::directory_iterator it(dir_, ec); !ec && it != fs::directory_iterator();
       it.increment(ec)) {
    const fs::path& p = it->path();
    const std::string file_name = p.filename().string();
    if (!file_name.starts_with(kPrefix) || p == file_ || p == lock_file_) continue;
    if (p.extension() == ".lock") {
      // A lock without a copy: its program ended before it had anything to save.
      std::error_code exists_ec;
      fs::path copy = p;
      copy.replace_extension(".vtl");
      if (fs::exists(copy, exists_ec)) continue;
      int fd = TryLock(p, false);
      if (fd >= 0) ::unlink(p.c_str());
      CloseFd(fd);
      continue;
    }
    if (p.extension() != ".vtl") continue;
    RecoveryCopy copy;
    copy.file = p;
    // A copy's program takes its lock before writing it, so a missing lock means ended.
    copy.lock_fd = TryLock(LockFileOf(p), true);
    if (copy.lock_fd < 0) continue;  // its program is still running
    std::string text;
    if (!ReadWholeFile(p, text)) {
      CloseFd(copy.lock_fd);
      continue;
    }
    const std::string_view first_line = std::string_view(text).substr(0, text.find('\n'));
    copy.layout_path = DecodeEntities(RawAttribute(first_line, "path"));
    const std::size_t layout_line = text.find("<layout ");
    if (layout_line != std::string::npos) {
      const std::string_view line =
          std::string_view(text).substr(layout_line, text.find('\n', layout_line) - layout_line);
      copy.name = DecodeEntities(RawAttribute(line, "name"));
    }
    if (!NewerThan(p, copy.layout_path)) {
      Discard(copy);  // the layout was saved after this copy was made
      continue;
    }
    std::error_code time_ec;
    found.emplace_back(fs::last_write_time(p, time_ec), std::move(copy));
  }
  std::sort(found.begin(), found.end(),
            [](const auto& a, const auto& b) { return a.first > b.first; });
  std::vector<RecoveryCopy> copies;
  for (auto& f : found) copies.push_back(std::move(f.second));
  return copies;
}

std::string RecoveryStore::Read(const RecoveryCopy& copy, Layout& layout) const {
  return LoadLayout(layout, copy.file).error;
}

void RecoveryStore::Adopt(RecoveryCopy& copy) {
  {
    std::unique_lock<std::mutex> hold(mutex_);
    pending_.reset();
    idle_.wait(hold, [this] { return !busy_; });
    if (::rename(copy.file.c_str(), file_.c_str()) != 0) ::unlink(copy.file.c_str());
    last_hash_.reset();
  }
  ::unlink(LockFileOf(copy.file).c_str());
  CloseFd(copy.lock_fd);
}

void RecoveryStore::Discard(RecoveryCopy& copy) {
  ::unlink(copy.file.c_str());
  ::unlink(LockFileOf(copy.file).c_str());
  CloseFd(copy.lock_fd);
}

void RecoveryStore::Release(RecoveryCopy& copy) {
  CloseFd(copy.lock_fd);
}

std::string RecoveryQuestionText(const RecoveryCopy& copy) {
  std::string name = copy.name;
  if (name.empty() && !copy.layout_path.empty()) name = fs::path(copy.layout_path).stem().string();
  if (name.empty()) name = "Untitled";
  return "Vantrel closed without saving changes to \u201C" + name + "\u201D. Restore them?";
}
