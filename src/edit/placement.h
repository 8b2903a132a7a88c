// Committing pieces to the layout: a dropped palette piece, the one-click extensions
// (palette double-click, double-click on a placed piece), scenery drops, and the
// joining that happens when a moved selection is released.
#pragma once

#include <string>
#include <vector>

#include "app/prompter.h"
#include "edit/snap.h"
#include "model/document.h"

inline constexpr double kAutoJoinMm = 4.0;  // ends closer than this are joined
// A piece that nothing holds in place (dropped without a snap, pasted) is joined only
// where its end already lies on the other end: a joint is never recorded across a gap.
inline constexpr double kMatedMm = 0.05;
inline constexpr double kLoopCloseMinDeg = 150.0;  // closing ends must face each other

struct PlaceResult {
  bool placed = false;
  int id = -1;                 // the piece (or scenery item) left selected
  bool first_z_piece = false;  // the first Z-Track piece of an empty layout: zoom 1.0
};

// The level a piece dropped on empty canvas goes to: the visible level with the greatest
// height, else the active level.
int DropLevel(const Layout& layout);

// Commits a piece of `def` at `free_pose`, or at the snap's pose when it was found.
// Refuses (with the "Incompatible Track Systems" message) an unsnapped drop next to
// another system while snapping is on. One undo step with its automatic extras.
PlaceResult DropPiece(Document& doc, const PieceDef& def, const Pose& free_pose,
                      const SnapCandidate& snap, Prompter& prompter, bool snapping = true);

// The palette's double-click with a selection: extends the newest selected piece; a
// selected helix at the outer end of its newest stub that is free, or not at all (said).
PlaceResult AutoConnect(Document& doc, const std::string& article, Prompter& prompter);

// Double-click on a placed piece: a copy of it continues its free end.
PlaceResult ClonePiece(Document& doc, int piece_id, Prompter& prompter);

// A scenery item dropped at a pose; a roundhouse near a turntable faces it.
PlaceResult DropScenery(Document& doc, const std::string& item, Pose pose);
// The pose a roundhouse takes near the nearest turntable item (unchanged when none is
// closer than 700 mm).
Pose AlignRoundhouse(const Layout& layout, const std::string& item, Pose pose);

// Joins every free end of the given pieces that meets a free end of another piece of the
// same system within `reach` (4 mm closes a loop of track laid end to end), facing it;
// returns the number of joins made.
int CloseLoops(Layout& layout, const std::vector<int>& new_ids, double reach = kAutoJoinMm);

// On release of a moved selection: applies the move snap (the whole selection follows
// rigidly), then joins selected and unselected ends closer than 4 mm.
void JoinMovedSelection(Layout& layout, const SnapCandidate& move_snap, int move_snap_piece);

// Grows a piece's joint list to one slot per connector.
void SizeJoints(PlacedPiece& piece, const PieceDef& def);
