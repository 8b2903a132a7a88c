// The open document: the layout, its file name and path, the undo history and whether
// it differs from what was saved. Every change goes through a Transaction (an undo
// step with a label) or, for what undo does not take back, through MarkChanged; both
// tell the listeners what changed.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "catalog/text_mark.h"
#include "model/layout.h"

inline constexpr std::size_t kUndoLimit = 50;

// What a change touched, so that each view refreshes only what it shows.
enum class Change : unsigned {
  None = 0,
  Content = 1,    // placed objects: pieces, scenery, labels, shapes, measures, grades...
  Selection = 2,  // only which objects are selected
  Levels = 4,     // the decks or the active deck
  View = 8,       // how the layout is shown: the unit, the baseboard outline
  File = 16,      // the path, the name or the modified mark
};
constexpr Change operator|(Change a, Change b) {
  return static_cast<Change>(static_cast<unsigned>(a) | static_cast<unsigned>(b));
}
constexpr bool Has(Change set, Change c) {
  return (static_cast<unsigned>(set) & static_cast<unsigned>(c)) != 0;
}
inline Change& operator|=(Change& a, Change b) {
  return a = a | b;
}

// One undo or redo step: the content before it (or after, for redo) and its label.
struct UndoStep {
  std::string label;
  LayoutSnapshot snapshot;
  std::uint64_t revision = 0;  // the revision of the document state the snapshot holds
};

// What a file stores besides the placed content: undo does not take these back.
struct SavedSettings {
  std::vector<Level> levels;
  int active_level = 1;
  std::vector<Point> baseboard;
  LastShape lastshape;
  int units = 0;
  std::optional<BackgroundImage> background;
  friend bool operator==(const SavedSettings&, const SavedSettings&) = default;
};
SavedSettings TakeSavedSettings(const Layout& layout);
void RestoreSavedSettings(Layout& layout, const SavedSettings& settings);

inline constexpr const char* kIdsExhaustedCaption = TrMark("Layout Full");

// Ends the subscription it was returned for when destroyed; safe to outlive the document.
class Subscription {
 public:
  Subscription() = default;
  Subscription(Subscription&&) noexcept = default;
  Subscription& operator=(Subscription&&) noexcept;
  Subscription(const Subscription&) = delete;
  Subscription& operator=(const Subscription&) = delete;
  ~Subscription();

 private:
  friend class Document;
  struct Registry;
  Subscription(std::weak_ptr<Registry> registry, int id)
      : registry_(std::move(registry)), id_(id) {}
  std::weak_ptr<Registry> registry_;
  int id_ = -1;
};

class Document {
 public:
  using Listener = std::function<void(Change)>;

  Document();
  ~Document();
  Document(const Document&) = delete;
  Document& operator=(const Document&) = delete;

  Layout& layout() { return layout_; }
  const Layout& layout() const { return layout_; }

  // The file the layout was opened from or saved to ("" for none) and its name.
  const std::string& path() const { return path_; }
  const std::string& name() const { return name_; }
  void SetFile(std::string path, std::string name);
  void SetName(std::string name);

  // A number that changes with every change of the document and comes back with undo.
  std::uint64_t revision() const { return revision_; }
  // The document differs from its file (undoing back to the saved state clears it).
  bool modified() const { return revision_ != saved_revision_; }
  // The layout now is what its file holds.
  void MarkSaved();
  // A change that undo does not take back (units, baseboard, decks); `what` goes to the
  // listeners. Nothing in the history is the saved state any more.
  void MarkChanged(Change what);
  // The layout was replaced (New, Open, a recovered copy): it is the saved state unless
  // `modified`. The history stays, so an Undo can bring back the layout before.
  void Replaced(bool modified);

  bool CanUndo() const { return open_ == 0 && !undo_.empty(); }
  bool CanRedo() const { return open_ == 0 && !redo_.empty(); }
  // The label of the step Undo (Redo) takes back; "" when there is none.
  std::string UndoLabel() const;
  std::string RedoLabel() const;
  bool Undo();  // false when there is nothing to undo
  bool Redo();
  std::size_t undo_steps() const { return undo_.size(); }
  std::size_t redo_steps() const { return redo_.size(); }
  // Forgets the history (a fresh program start, or the tests).
  void ClearHistory();

  // `listener` hears of every change until the subscription ends.
  [[nodiscard]] Subscription Subscribe(Listener listener);
  // Tells the listeners; for changes made outside a transaction that are not saved
  // (the selection, for one).
  void Notify(Change what);
  // Counts every change the listeners were told of, the selection's included: what is
  // worked out from the document may be kept while this stays the same.
  std::uint64_t changes() const { return changes_; }
  // The refusal of the last commit that used up the object ids ("" when none), once:
  // the window shows it in a "Layout Full" box, the command line prints it.
  std::string TakeRefusal();

 private:
  friend class Transaction;
  void PushStep(UndoStep step);
  // Puts back the newest step of `from` and keeps the state it replaced in `to`.
  bool TakeStep(std::deque<UndoStep>& from, std::deque<UndoStep>& to);
  std::uint64_t NewRevision() { return next_revision_++; }

  Layout layout_;
  std::string path_;
  std::string name_;
  std::deque<UndoStep> undo_;
  std::deque<UndoStep> redo_;
  std::uint64_t revision_ = 1;
  std::uint64_t saved_revision_ = 1;
  std::uint64_t next_revision_ = 2;
  std::uint64_t changes_ = 0;
  int open_ = 0;  // transactions under way
  std::string refusal_;
  std::shared_ptr<Subscription::Registry> registry_;
};

// One edit as one undo step. Begun with a label ("Move", "Start Grade"): the content is
// kept as it is; Commit() keeps the change as a step (none when nothing changed); a
// transaction that ends without Commit() — a refusal, an exception — puts the content
// back as it was. A transaction begun inside another becomes part of the outer step.
class Transaction {
 public:
  Transaction(Document& doc, std::string label, Change what = Change::Content);
  ~Transaction();
  Transaction(Transaction&& other) noexcept;
  Transaction& operator=(Transaction&&) = delete;
  Transaction(const Transaction&) = delete;
  Transaction& operator=(const Transaction&) = delete;

  Layout& layout() { return doc_->layout(); }
  Document& document() { return *doc_; }
  // The step also keeps the decks (Remove Level, a level's height), so that undo puts
  // them back too.
  void IncludeLevels() { levels_ = true; }
  // Widens what the listeners are told.
  void Also(Change what) { what_ |= what; }
  // Keeps the change: one undo step when the placed content changed (a change of the
  // selection alone is none), the modified mark when anything saved changed. True when
  // a step was kept. A change that used up the object ids is taken back instead and the
  // document keeps the refusal for the window to tell (false).
  bool Commit();
  // Puts the content back as it was at the start.
  void Rollback();

 private:
  void Finish();

  Document* doc_;
  std::string label_;
  Change what_;
  LayoutSnapshot before_;
  SavedSettings settings_before_;
  std::uint64_t revision_before_ = 0;
  bool levels_ = false;
  bool open_ = true;
};
