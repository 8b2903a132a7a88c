// The document's history and revisions. Each state of the document has a revision
// number; an undo step remembers the revision of the state it holds, so that undoing back
// to the saved state finds the saved revision again and the modified mark goes.
#include "model/document.h"

#include <algorithm>
#include <map>
#include <utility>

#include "model/layout_file.h"
#include "model/layout_ops.h"
#include "model/snapshot.h"
#include "model/translate.h"

struct Subscription::Registry {
  int next_id = 1;
  std::map<int, Document::Listener> listeners;
};

Subscription& Subscription::operator=(Subscription&& other) noexcept {
  if (this != &other) {
    this->~Subscription();
    registry_ = std::move(other.registry_);
    id_ = std::exchange(other.id_, -1);
  }
  return *this;
}

Subscription::~Subscription() {
  if (auto registry = registry_.lock()) registry->listeners.erase(id_);
  registry_.reset();
}

SavedSettings TakeSavedSettings(const Layout& l) {
  return {l.levels, l.active_level, l.baseboard, l.lastshape, l.units, l.background};
}

void RestoreSavedSettings(Layout& l, const SavedSettings& s) {
  l.levels = s.levels;
  l.active_level = s.active_level;
  l.baseboard = s.baseboard;
  l.lastshape = s.lastshape;
  l.units = s.units;
  l.background = s.background;
}

Document::Document() : registry_(std::make_shared<Subscription::Registry>()) {}

Document::~Document() = default;

void Document::SetFile(std::string path, std::string name) {
  path_ = std::move(path);
  name_ = std::move(name);
  Notify(Change::File);
}

void Document::SetName(std::string name) {
  name_ = std::move(name);
  Notify(Change::File);
}

void Document::MarkSaved() {
  saved_revision_ = revision_;
  Notify(Change::File);
}

void Document::MarkChanged(Change what) {
  revision_ = NewRevision();
  saved_revision_ = 0;  // no state in the history holds this change
  Notify(what | Change::File);
}

void Document::Replaced(bool modified) {
  revision_ = NewRevision();
  saved_revision_ = modified ? 0 : revision_;
  Notify(Change::Content | Change::Selection | Change::Levels | Change::View | Change::File);
}

std::string Document::UndoLabel() const {
  return CanUndo() ? undo_.back().label : std::string();
}

std::string Document::RedoLabel() const {
  return CanRedo() ? redo_.back().label : std::string();
}

namespace {
// Moves the newest step of `from` to `to`, swapping the layout's content for it.
void SwapStep(Layout& layout, std::deque<UndoStep>& from, std::deque<UndoStep>& to,
              std::uint64_t& revision) {
  UndoStep step = std::move(from.back());
  from.pop_back();
  UndoStep back{step.label, TakeSnapshot(layout), revision};
  if (step.snapshot.level_state)
    back.snapshot.level_state = LevelState{layout.levels, layout.active_level};
  Restore(layout, step.snapshot);
  revision = step.revision;
  to.push_back(std::move(back));
}
}  // namespace

bool Document::Undo() {
  return CanUndo() && TakeStep(undo_, redo_);
}

bool Document::Redo() {
  return CanRedo() && TakeStep(redo_, undo_);
}

bool Document::TakeStep(std::deque<UndoStep>& from, std::deque<UndoStep>& to) {
  const bool levels = from.back().snapshot.level_state.has_value();
  SwapStep(layout_, from, to, revision_);
  Notify(Change::Content | Change::Selection | Change::File |
         (levels ? Change::Levels : Change::None));
  return true;
}

void Document::ClearHistory() {
  undo_.clear();
  redo_.clear();
}

void Document::PushStep(UndoStep step) {
  undo_.push_back(std::move(step));
  while (undo_.size() > kUndoLimit) undo_.pop_front();
  redo_.clear();
}

Subscription Document::Subscribe(Listener listener) {
  const int id = registry_->next_id++;
  registry_->listeners.emplace(id, std::move(listener));
  return Subscription(registry_, id);
}

void Document::Notify(Change what) {
  ++changes_;
  // A listener may subscribe or end its subscription while it is told.
  std::vector<Listener> listeners;
  listeners.reserve(registry_->listeners.size());
  for (const auto& [id, l] : registry_->listeners) listeners.push_back(l);
  for (const Listener& l : listeners) l(what);
}

std::string Document::TakeRefusal() {
  return std::exchange(refusal_, std::string());
}

// ---- Transaction -------------------------------------------------------------------

Transaction::Transaction(Document& doc, std::string label, Change what)
    : doc_(&doc),
      label_(std::move(label)),
      what_(what),
      before_(TakeSnapshot(doc.layout())),
      settings_before_(TakeSavedSettings(doc.layout())),
      revision_before_(doc.revision()) {
  ++doc.open_;
}

Transaction::Transaction(Transaction&& o) noexcept
    : doc_(o.doc_),
      label_(std::move(o.label_)),
      what_(o.what_),
      before_(std::move(o.before_)),
      settings_before_(std::move(o.settings_before_)),
      revision_before_(o.revision_before_),
      levels_(o.levels_),
      open_(std::exchange(o.open_, false)) {}

Transaction::~Transaction() {
  if (open_) Rollback();
}

void Transaction::Finish() {
  open_ = false;
  --doc_->open_;
}

void Transaction::Rollback() {
  if (!open_) return;
  Finish();
  Layout& l = doc_->layout();
  if (SameContentIgnoringSelection(before_, l) && TakeSavedSettings(l) == settings_before_) {
    Restore(l, before_);  // the selection as it was
    return;
  }
  Restore(l, before_);
  RestoreSavedSettings(l, settings_before_);
  doc_->Notify(what_);
}

bool Transaction::Commit() {
  if (!open_) return false;
  Layout& l = doc_->layout();
  if (l.next_id > kMaxObjectId + 1 && HighestId(l) > kMaxObjectId) {
    Rollback();
    doc_->refusal_ = Tr("This layout has used every object id (up to ") +
                     std::to_string(kMaxObjectId) +
                     Tr("), so nothing more can be added to it; the last edit was undone.");
    doc_->Notify(what_);
    return false;
  }
  Finish();
  if (doc_->open_ > 0) return false;  // part of an outer step, which decides
  const bool content = !SameContentIgnoringSelection(before_, l);
  const bool settings = TakeSavedSettings(l) != settings_before_;
  const bool levels = levels_ && (l.levels != settings_before_.levels ||
                                  l.active_level != settings_before_.active_level);
  if (!content && !levels) {
    if (settings)
      doc_->MarkChanged(what_);
    else if (!SameSelection(before_, l))
      doc_->Notify(Change::Selection);
    return false;
  }
  if (levels_)
    before_.level_state = LevelState{settings_before_.levels, settings_before_.active_level};
  doc_->PushStep({std::move(label_), std::move(before_), revision_before_});
  doc_->revision_ = doc_->NewRevision();
  if (settings) doc_->saved_revision_ = 0;  // undo does not take those back
  doc_->Notify(what_ | Change::File);
  return true;
}
