// Recovery copies: made on the caller's thread (a copy of the layout's text), written
// atomically on a writer thread, claimed after a crash through file locks.
#include "app/recovery_store.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <random>
#include <system_error>

#include "model/atomic_file.h"
#include "model/file_line.h"
#include "model/layout_file.h"
#include "model/translate.h"

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

// The copy's file name without the random suffix of an atomic write's temporary file:
// "recovery-PID-TOKEN.vtl.0123456789ab.tmp" -> "recovery-PID-TOKEN".
std::string OwnerStem(const std::string& temporary) {
  const std::size_t vtl = temporary.find(".vtl.");
  if (vtl != std::string::npos) return temporary.substr(0, vtl);
  const std::size_t lock = temporary.find(".lock.");
  return lock == std::string::npos ? std::string() : temporary.substr(0, lock);
}

// The layout file's text beside the copy's: the copy is worth offering only when they
// differ (or the file cannot be read, or there is none).
bool SameAsLayoutFile(std::string_view copy_text, const std::string& layout_path) {
  if (layout_path.empty()) return false;
  const std::size_t eol = copy_text.find('\n');
  if (eol == std::string_view::npos) return false;
  std::string file_text;
  if (!ReadWholeFile(layout_path, file_text).empty()) return false;
  return copy_text.substr(eol + 1) == file_text;
}

}  // namespace

RecoveryStore::RecoveryStore(fs::path dir, Clock::time_point now)
    : dir_(std::move(dir)), last_attempt_(now) {
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
    Pending job = std::move(*pending_);
    pending_.reset();
    busy_ = true;
    hold.unlock();
    const std::string error = WriteFileAtomically(file_, job.text);  // a failure keeps the old copy
    hold.lock();
    busy_ = false;
    if (error.empty()) {
      written_ = std::move(job.key);
      failure_.clear();
      failure_told_ = false;
    } else {
      failure_ = error;
    }
    idle_.notify_all();
  }
}

bool RecoveryStore::Tick(Clock::time_point now, const Document& doc) {
  if (dir_.empty() || !doc.modified()) return false;
  RecoveryKey key{doc.revision(), doc.path(), doc.name()};
  {
    std::lock_guard<std::mutex> hold(mutex_);
    if (busy_ || pending_) return false;  // the last copy is still being written
    if (written_ == key) return false;    // the copy on disk is this state
    // After a failed write the next tick tries again; otherwise at most once a minute.
    if (failure_.empty() && now - last_attempt_ < kRecoveryInterval) return false;
  }
  std::string text = RecoveryText(doc.layout(), doc.path(), doc.name());
  last_attempt_ = now;
  {
    std::lock_guard<std::mutex> hold(mutex_);
    pending_ = Pending{std::move(text), std::move(key)};
  }
  wake_.notify_all();
  return true;
}

std::string RecoveryStore::TakeWriteFailure() {
  std::lock_guard<std::mutex> hold(mutex_);
  if (failure_.empty() || failure_told_) return {};
  failure_told_ = true;
  return failure_;
}

void RecoveryStore::Remove() {
  std::unique_lock<std::mutex> hold(mutex_);
  pending_.reset();
  idle_.wait(hold, [this] { return !busy_; });
  if (!dir_.empty()) ::unlink(file_.c_str());
  written_.reset();
}

void RecoveryStore::Flush() {
  std::unique_lock<std::mutex> hold(mutex_);
  idle_.wait(hold, [this] { return !busy_ && !pending_; });
}

void RecoveryStore::RemoveStaleTemporaries() {
  std::error_code ec;
  for (fs::directory_iterator it(dir_, ec); !ec && it != fs::directory_iterator();
       it.increment(ec)) {
    const fs::path& p = it->path();
    const std::string file_name = p.filename().string();
    if (!file_name.starts_with(kPrefix)) continue;
    if (p.extension() != ".tmp" && p.extension() != ".new") continue;
    const std::string stem = OwnerStem(file_name);
    if (stem.empty() || dir_ / (stem + ".lock") == lock_file_) continue;
    // Left by a program that ended in the middle of a write: its lock is free or gone.
    const fs::path lock = dir_ / (stem + ".lock");
    std::error_code exists_ec;
    int fd = fs::exists(lock, exists_ec) ? TryLock(lock, false) : -2;
    if (fd == -1) continue;  // its program still runs
    ::unlink(p.c_str());
    CloseFd(fd);
  }
}

void RecoveryStore::SetAside(RecoveryCopy& copy, const std::string& why) {
  const fs::path aside = dir_ / ("unreadable-" + copy.file.filename().string());
  const bool moved = ::rename(copy.file.c_str(), aside.c_str()) == 0;
  ::unlink(LockFileOf(copy.file).c_str());
  CloseFd(copy.lock_fd);
  set_aside_.push_back(Tr("A recovery copy could not be read") +
                       (moved ? Tr(" and was set aside as\n") + aside.string() : std::string()) +
                       "\n\n" + why);
}

std::vector<RecoveryCopy> RecoveryStore::ClaimOrphans() {
  std::vector<std::pair<fs::file_time_type, RecoveryCopy>> found;
  if (dir_.empty()) return {};
  RemoveStaleTemporaries();
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
    std::error_code time_ec;
    const fs::file_time_type written = fs::last_write_time(p, time_ec);
    std::string text;
    if (std::string error = ReadWholeFile(p, text); !error.empty()) {
      SetAside(copy, error);
      continue;
    }
    Layout layout;
    if (const LoadResult read = ReadLayoutText(text, layout); !read.error.empty()) {
      SetAside(copy, read.error);
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
    // Only the content decides: the file's time says nothing of what it holds.
    if (SameAsLayoutFile(text, copy.layout_path)) {
      Discard(copy);  // the layout file holds exactly this
      continue;
    }
    copy.layout = std::move(layout);
    found.emplace_back(written, std::move(copy));
  }
  std::stable_sort(found.begin(), found.end(),
                   [](const auto& a, const auto& b) { return a.first > b.first; });
  std::vector<RecoveryCopy> copies;
  for (auto& f : found) copies.push_back(std::move(f.second));
  return copies;
}

std::string RecoveryStore::Read(RecoveryCopy& copy, Layout& layout) const {
  if (copy.layout) {
    layout = std::move(*copy.layout);
    copy.layout.reset();
    return {};
  }
  return LoadLayout(layout, copy.file).error;
}

void RecoveryStore::Adopt(RecoveryCopy& copy) {
  {
    std::unique_lock<std::mutex> hold(mutex_);
    pending_.reset();
    idle_.wait(hold, [this] { return !busy_; });
    if (::rename(copy.file.c_str(), file_.c_str()) != 0) ::unlink(copy.file.c_str());
    written_.reset();
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

std::string RecoveryFailureStatus(const std::string& error) {
  return Tr("Recovery copies cannot be written: ") + error;
}

std::string RecoveryQuestionText(const RecoveryCopy& copy) {
  std::string name = copy.name;
  if (name.empty() && !copy.layout_path.empty()) name = fs::path(copy.layout_path).stem().string();
  if (name.empty()) name = TrMark("Untitled");
  return Subst(Tr("Vantrel closed without saving changes to \u201C%1\u201D. Restore them?"),
               {name});
}
