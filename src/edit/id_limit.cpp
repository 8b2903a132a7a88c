// Refusing edits once the object ids have run out.
#include "edit/id_limit.h"

#include "model/layout_file.h"
#include "model/layout_ops.h"
#include "model/undo.h"

bool RefuseEditBeyondIdLimit(Layout& layout, Prompter& prompter) {
  if (layout.next_id <= kMaxObjectId + 1 || HighestId(layout) <= kMaxObjectId) return false;
  if (!layout.undo.empty()) {
    Restore(layout, layout.undo.back());
    DropLastSnapshot(layout);
  }
  prompter.Notify("Layout Full",
                  "This layout has used every object id (up to " + std::to_string(kMaxObjectId) +
                      "), so nothing more can be added to it; the last edit was undone.",
                  PromptIcon::Warning);
  return true;
}
