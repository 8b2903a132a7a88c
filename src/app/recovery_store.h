// Recovery copies of unsaved layouts: while a layout has unsaved changes, a copy is
// written into the per-user data folder now and then, so that a crash or a power cut
// costs at most a minute of work. Each running program writes its own file
// ("recovery-PID-TOKEN.vtl") and holds a lock on "recovery-PID-TOKEN.lock" while it
// runs; a copy whose lock can be taken belongs to a program that has ended.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <filesystem>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "model/document.h"
#include "model/layout.h"

// Unsaved changes are written at most this often.
inline constexpr std::chrono::seconds kRecoveryInterval{60};

// A copy left behind by a program that ended without saving, claimed by this program
// (its lock is held) until it is restored or discarded.
struct RecoveryCopy {
  std::filesystem::path file;
  std::string layout_path;  // the layout's file; empty when it was never saved
  std::string name;         // the layout's name
  int lock_fd = -1;
  std::optional<Layout> layout;  // the copy as read when it was claimed
};

// What a copy was made of: the document's revision, its file and its name.
struct RecoveryKey {
  std::uint64_t revision = 0;
  std::string path;
  std::string name;
  friend bool operator==(const RecoveryKey&, const RecoveryKey&) = default;
};

class RecoveryStore {
 public:
  using Clock = std::chrono::steady_clock;

  // Creates `dir` when missing and takes this program's lock. `now` starts the interval.
  // An empty `dir` keeps nothing.
  RecoveryStore(std::filesystem::path dir, Clock::time_point now);
  ~RecoveryStore();  // waits for a write in progress; the copy itself is kept
  RecoveryStore(const RecoveryStore&) = delete;
  RecoveryStore& operator=(const RecoveryStore&) = delete;

  // Called now and then (every few seconds): when the document is modified and differs
  // from the copy on disk, and the last attempt is at least kRecoveryInterval ago (or
  // failed), its text is made here and written atomically on the writer thread. An
  // unchanged document costs a comparison of revisions. True when a write was started.
  bool Tick(Clock::time_point now, const Document& doc);
  // Why copies cannot be written, once per run of failed writes ("" otherwise): the
  // window says it in the status bar.
  std::string TakeWriteFailure();
  // The layout was saved, replaced or closed on purpose: the copy is deleted (a write
  // still queued is dropped).
  void Remove();
  // Waits until every started write is on disk.
  void Flush();
  const std::filesystem::path& file() const { return file_; }

  // The copies of ended programs that are worth offering, newest first: each one that
  // reads as a layout and whose text differs from its layout file (or has no file).
  // Copies identical to their file are deleted; copies that cannot be read are set aside
  // under another name, once, and said by TakeSetAside. Stale temporary files of ended
  // programs are removed. Each returned copy stays claimed (locked) until Adopt or
  // Discard.
  std::vector<RecoveryCopy> ClaimOrphans();
  // What ClaimOrphans set aside, one text per copy, once.
  std::vector<std::string> TakeSetAside() { return std::exchange(set_aside_, {}); }
  // Reads a claimed copy into `layout` ("" on success, else the reader's error).
  std::string Read(RecoveryCopy& copy, Layout& layout) const;
  // The restored copy becomes this program's own copy.
  void Adopt(RecoveryCopy& copy);
  // Deletes a claimed copy.
  void Discard(RecoveryCopy& copy);
  // Gives up the claim: the copy is offered again at the next start.
  static void Release(RecoveryCopy& copy);

 private:
  void WriterLoop();

  void RemoveStaleTemporaries();
  void SetAside(RecoveryCopy& copy, const std::string& why);

  std::filesystem::path dir_;
  std::filesystem::path file_;
  std::filesystem::path lock_file_;
  int lock_fd_ = -1;
  Clock::time_point last_attempt_;
  std::vector<std::string> set_aside_;

  std::mutex mutex_;
  std::condition_variable wake_;
  std::condition_variable idle_;
  struct Pending {
    std::string text;
    RecoveryKey key;
  };
  std::optional<Pending> pending_;
  std::optional<RecoveryKey> written_;  // what the copy on disk holds
  std::string failure_;                 // the last write's error; "" after a success
  bool failure_told_ = false;
  bool busy_ = false;
  bool stop_ = false;
  std::thread writer_;
};

// The status bar's line when copies cannot be written.
std::string RecoveryFailureStatus(const std::string& error);

// The recovery question's text for a layout called `name` (or, unnamed, its file).
std::string RecoveryQuestionText(const RecoveryCopy& copy);
