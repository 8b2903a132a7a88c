// Event routing of the canvas. Palette drags come first, then rotation, pressed pieces,
// scenery and empty canvas, in that order; each handler returns what the window must do.
#include "interact/canvas_controller.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "catalog/catalog.h"
#include "catalog/scenery_catalog.h"
#include "edit/autofill.h"
#include "edit/grades.h"
#include "edit/helix_ops.h"
#include "edit/panel_edits.h"
#include "edit/placement.h"
#include "edit/selection.h"
#include "model/layout_ops.h"
#include "model/units.h"
#include "view/hit_test.h"

CanvasEffects CanvasEffects::Repaint() {
  CanvasEffects e;
  e.repaint = true;
  return e;
}

CanvasEffects CanvasEffects::Edited() {
  CanvasEffects e;
  e.repaint = e.content = e.modified = e.properties = true;
  return e;
}

CanvasEffects& CanvasEffects::operator|=(const CanvasEffects& o) {
  repaint |= o.repaint;
  content |= o.content;
  modified |= o.modified;
  properties |= o.properties;
  view |= o.view;
  capture |= o.capture;
  release |= o.release;
  focus |= o.focus;
  start_flash |= o.start_flash;
  stop_flash |= o.stop_flash;
  tool_ended |= o.tool_ended;
  if (o.dialog != CanvasDialog::None) {
    dialog = o.dialog;
    dialog_id = o.dialog_id;
  }
  if (o.cursor != CanvasCursor::Keep) cursor = o.cursor;
  if (o.menu != CanvasMenu::None) {
    menu = o.menu;
    menu_autofill = o.menu_autofill;
    menu_end_grade = o.menu_end_grade;
  }
  for (std::size_t i = 0; i < status.size(); ++i)
    if (o.status[i]) status[i] = o.status[i];
  return *this;
}

std::string CanvasController::PositionText(double x, double y, int units) {
  const Units u = Units::Of(units);
  return u.Text(x) + ",  " + u.Text(y);
}

void CanvasController::CommitGesture() {
  if (!gesture_) return;
  gesture_->Commit();
  gesture_.reset();
}

void CanvasController::SetClientSize(int width, int height) {
  width_ = width;
  height_ = height;
}

CanvasGesture CanvasController::gesture() const {
  if (st_.panActive) return CanvasGesture::Pan;
  if (st_.moving) return CanvasGesture::Move;
  if (st_.rotateActive) return CanvasGesture::Rotate;
  if (st_.rubberBandActive) return CanvasGesture::RubberBand;
  if (st_.pieceDragActive || st_.sceneryDragActive || st_.helixDragActive)
    return CanvasGesture::PaletteDrag;
  if (st_.sceneryMoving || AnnotationDragActive()) return CanvasGesture::Other;
  return CanvasGesture::None;
}

void CanvasController::EnsureDragIndex() {
  if (!index_dirty_) return;
  drag_index_.Build(layout_.pieces,
                    [&](const PlacedPiece& p) { return LevelVisible(layout_, p.level); });
  index_dirty_ = false;
}

double CanvasController::ScreenAngle(double sx, double sy) const {
  const IPoint pivot = ToDevice(view_, st_.rotatePivot.x, st_.rotatePivot.y);
  return std::atan2(sy - pivot.y, sx - pivot.x) * 180.0 / kPi;
}

// ---- palette drags ---------------------------------------------------------------

CanvasEffects CanvasController::BeginPieceDrag(const std::string& id) {
  if (id.empty() || !Catalog::instance().find(id)) return {};
  st_.sceneryDragActive = st_.helixDragActive = false;
  st_.pieceDragActive = true;
  st_.dragPieceId = id;
  const Point at = ToLayoutPoint(view_, 300, 200);
  st_.dragPose = {at.x, at.y, 0};
  st_.dragSnap = {};
  index_dirty_ = true;  // the layout may have changed since the last drag
  CanvasEffects e = CanvasEffects::Repaint();
  e.focus = e.capture = true;
  return e;
}

CanvasEffects CanvasController::BeginSceneryDrag(const std::string& id) {
  if (id.empty() || !SceneryCatalog::instance().find(id)) return {};
  st_.pieceDragActive = st_.helixDragActive = false;
  st_.sceneryDragActive = true;
  st_.dragSceneryId = id;
  const Point at = ToLayoutPoint(view_, 300, 200);
  st_.dragSceneryPose = {at.x, at.y, 0};
  CanvasEffects e = CanvasEffects::Repaint();
  e.focus = e.capture = true;
  return e;
}

CanvasEffects CanvasController::BeginHelixDrag(const std::string& name) {
  if (name.empty()) return {};
  st_.pieceDragActive = st_.sceneryDragActive = false;
  st_.helixDragActive = true;
  st_.dragHelixName = name;
  st_.dragHelixPos = ToLayoutPoint(view_, 300, 200);
  CanvasEffects e = CanvasEffects::Repaint();
  e.focus = e.capture = true;
  return e;
}

CanvasEffects CanvasController::CancelPieceDrag() {
  st_.pieceDragActive = st_.sceneryDragActive = st_.helixDragActive = false;
  st_.dragPieceId.clear();
  st_.dragSceneryId.clear();
  st_.dragHelixName.clear();
  st_.dragPose = st_.dragSceneryPose = {};
  st_.dragHelixPos = {};
  st_.dragSnap = {};
  CanvasEffects e = CanvasEffects::Repaint();
  e.release = true;
  return e;
}

CanvasEffects CanvasController::UpdateDragSnap(double sx, double sy) {
  const Point at = ToLayoutPoint(view_, sx, sy);
  st_.dragPose.x = at.x;
  st_.dragPose.y = at.y;
  const PieceDef* def = Catalog::instance().find(st_.dragPieceId);
  if (!def) return CanvasEffects::Repaint();
  if (!st_.snap) {
    st_.dragSnap = {};
    return CanvasEffects::Repaint();
  }
  EnsureDragIndex();
  st_.dragSnap = drag_index_.Find(*def, st_.dragPose);
  return CanvasEffects::Repaint();
}

CanvasEffects CanvasController::Placed(bool placed) {
  if (!placed) return CanvasEffects::Repaint();
  index_dirty_ = true;
  CanvasEffects e = CanvasEffects::Edited();
  e.status[1] = "Pieces: " + std::to_string(layout_.pieces.size());
  return e;
}

CanvasEffects CanvasController::DropDraggedPiece() {
  const PieceDef* def = Catalog::instance().find(st_.dragPieceId);
  if (!def) return CancelPieceDrag();
  const SnapCandidate snap = st_.snap ? st_.dragSnap : SnapCandidate{};
  const PlaceResult r = ::DropPiece(doc_, *def, st_.dragPose, snap, prompter_, st_.snap);
  CanvasEffects e = CancelPieceDrag();
  if (r.first_z_piece) e |= SetView(1.0, 60.0, 60.0);
  e |= Placed(r.placed);
  return e;
}

CanvasEffects CanvasController::AutoConnect(const std::string& id) {
  if (std::none_of(layout_.pieces.begin(), layout_.pieces.end(), [](auto& p) { return p.sel; }))
    return BeginPieceDrag(id);
  return Placed(::AutoConnect(doc_, id, prompter_).placed);
}

CanvasEffects CanvasController::EndSceneryDrag() {
  st_.sceneryDragActive = false;
  st_.dragSceneryId.clear();
  CanvasEffects e = CanvasEffects::Repaint();
  e.release = true;
  return e;
}

CanvasEffects CanvasController::DropDraggedScenery() {
  const PlaceResult r = DropScenery(doc_, st_.dragSceneryId, st_.dragSceneryPose);
  CanvasEffects e = EndSceneryDrag();
  e |= Placed(r.placed);
  return e;
}

CanvasEffects CanvasController::InsertHelixAt(const std::string& id, double angle, Point at) {
  const int helix = InsertHelix(doc_, id, angle, at);
  return Placed(helix != -1);
}

CanvasEffects CanvasController::EndGradeOnMenuPiece() {
  const GradeOutcome r = EndGrade(doc_, menu_piece_);
  if (!r.changed) return {};
  index_dirty_ = true;
  CanvasEffects e = CanvasEffects::Edited();
  e.status[0] = r.status;
  return e;
}

CanvasEffects CanvasController::Autofill(bool with_curves) {
  const AutofillOutcome r =
      with_curves ? AutofillGapWithCurves(doc_, prompter_) : AutofillGap(doc_, prompter_);
  if (r.placed) {
    index_dirty_ = true;
    return CanvasEffects::Edited();
  }
  if (!r.deselected) return {};
  CanvasEffects e = CanvasEffects::Repaint();
  e.properties = true;
  return e;
}

CanvasEffects CanvasController::AddLabel(const std::string& text) {
  const std::optional<Point> at =
      st_.hasLabelDropPoint ? std::optional<Point>(st_.labelDropPoint) : std::nullopt;
  if (!::AddLabel(doc_, text, at)) return {};
  st_.hasLabelDropPoint = false;
  return CanvasEffects::Edited();
}
