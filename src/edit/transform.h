// Moving and rotating the selection as a rigid block, with the guards that protect
// helices, tunnels and graded track.
#pragma once

#include <vector>

#include "app/prompter.h"
#include "edit/snap.h"
#include "model/document.h"

// Start poses of everything a move or rotation carries: selected pieces and scenery
// items by id, and the helices whose pieces are selected.
struct SelectionStart {
  struct Item {
    int id;
    double x, y, heading;
  };
  std::vector<Item> pieces;
  std::vector<Item> scenery;
  std::vector<Item> helices;  // centre and heading of each carried helix
};
SelectionStart RecordSelection(const Layout& layout, bool pieces = true, bool scenery = true);

// The checks before a move starts: a helix must be selected whole (four pieces), tunnel
// track and portals stay put, graded track asks once per run (Yes is remembered).
bool MoveAllowed(const Layout& layout, Prompter& prompter);
// Whether the user has agreed to move graded pieces during this run.
bool& GradedMoveConfirmed();

// Every carried item takes its start position plus (dx, dy).
void TranslateSelection(Layout& layout, const SelectionStart& start, double dx, double dy);
// Every carried item takes its start pose turned by `deg` about the pivot.
void RotateSelectionFrom(Layout& layout, const SelectionStart& start, Point pivot, double deg,
                         bool scenery_by_category = false);

// Ctrl+wheel pivot: the centre of the box around the selected pieces' positions, their
// connectors and curve middles, and the selected scenery footprints.
Point WheelRotationPivot(const Layout& layout);
// One Ctrl+wheel step (15 or 5 degrees, signed) about that pivot; one undo step.
bool WheelRotateSelection(Document& doc, double step_deg, Prompter& prompter);
// Alt + right click: +30 degrees about the first selected piece (a whole helix turns about
// its centre); scenery turns 30 or 15 degrees by category. One undo step.
bool RotateSelectionStep(Document& doc, Prompter& prompter);

// The heading an Alt-drag gives: within 2 degrees of a right angle it snaps to it.
struct AltRotation {
  double delta = 0;   // turn from the start, folded into (-180, 180]
  double target = 0;  // resulting heading of the reference item, in [0, 360)
  bool right_angle = false;
};
AltRotation AltDragRotation(double ref_heading, double start_screen_deg, double now_screen_deg);

// After a rotation: joints to unselected track whose ends no longer meet are cut, and ends
// that now meet within 4 mm are joined.
void RejoinAfterRotation(Layout& layout);
