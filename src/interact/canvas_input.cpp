// Pointer and key handling of the canvas controller: selection, moves, rotations,
// rubber band, panning, zooming and the context menus.
#include <algorithm>
#include <cmath>

#include "catalog/catalog.h"
#include "edit/placement.h"
#include "edit/selection.h"
#include "interact/canvas_controller.h"
#include "model/layout_ops.h"
#include "view/hit_test.h"

namespace {

constexpr int kMoveThresholdSq = 25;  // a press becomes a move after 5 pixels
constexpr int kPanDeadZone = 3;
constexpr double kMovedMm = 1.0;

}  // namespace

// ---- presses -----------------------------------------------------------------------

CanvasEffects CanvasController::LeftDown(const MouseInput& m) {
  CanvasEffects e;
  e.focus = true;
  if (st_.drawingTool == kToolMeasure || st_.drawingTool == kToolPolygon ||
      st_.drawingTool == kToolBaseboard)
    return e |= DrawingPress(m);
  if (m.mods.alt && AnyPieceOrScenerySelected(layout_)) return e |= StartRotation(m);
  if (st_.ignoreNextPress) {
    st_.ignoreNextPress = false;
    return e;
  }
  if (st_.pieceDragActive) return e |= DropDraggedPiece();
  if (st_.sceneryDragActive) return e |= DropDraggedScenery();
  if (st_.helixDragActive) {
    const Point at = ToLayoutPoint(view_, m.x, m.y);
    const std::string name = st_.dragHelixName;
    e |= CancelPieceDrag();
    return e |= InsertHelixAt(name, 0.0, at);
  }
  if (st_.spaceDown) return e |= StartPan(m, false);
  if (const CanvasEffects a = AnnotationPress(m); a.capture) return e |= a;
  int piece = HitTestPiece(layout_, view_, m.x, m.y);
  if (piece == -1) {
    const int helix = HitTestHelixRing(layout_, view_, m.x, m.y);
    if (helix != -1) piece = FirstHelixPiece(layout_, helix);
  }
  if (piece != -1) return e |= PressOnPiece(piece, m);
  const int scenery = HitTestScenery(layout_, view_, m.x, m.y);
  if (scenery != -1) return e |= PressOnScenery(scenery, m);
  // Inside a shape: after track and scenery, so that track over a lake stays clickable.
  if (!m.mods.ctrl && !m.mods.shift) {
    const int shape = ShapeInteriorAt(m.x, m.y);
    if (shape != -1) return e |= StartShapeDrag(shape, ToLayoutPoint(view_, m.x, m.y));
  }
  // Empty canvas.
  ::DeselectAll(layout_);
  st_.clipboard.clear();
  e.properties = e.repaint = true;
  if (m.mods.ctrl) {
    st_.labelDropPoint = ToLayoutPoint(view_, m.x, m.y);
    st_.hasLabelDropPoint = true;
    return e |= StartPan(m, true);
  }
  st_.rubberBandActive = true;
  st_.rubberBandStart = st_.rubberBandEnd = {static_cast<int>(m.x), static_cast<int>(m.y)};
  e.capture = true;
  return e;
}

CanvasEffects CanvasController::PressOnPiece(int piece_id, const MouseInput& m) {
  ClickSelectPiece(layout_, piece_id, m.mods.ctrl, m.mods.shift);
  st_.pressPending = true;
  st_.pressScreen = {static_cast<int>(m.x), static_cast<int>(m.y)};
  st_.pressWorld = ToLayoutPoint(view_, m.x, m.y);
  st_.moveStart = RecordSelection(layout_);
  CanvasEffects e = CanvasEffects::Repaint();
  e.properties = e.capture = true;
  return e;
}

CanvasEffects CanvasController::PressOnScenery(int scenery_id, const MouseInput& m) {
  const int si = FindScenery(layout_, scenery_id);
  SceneryItem& s = layout_.scenery[static_cast<std::size_t>(si)];
  if (m.mods.shift) {
    s.sel = !s.sel;
  } else {
    if (!s.sel) ::DeselectAll(layout_);
    s.sel = true;
  }
  // Scenery moves at once, without threshold or guards.
  st_.sceneryMoving = true;
  st_.pressWorld = ToLayoutPoint(view_, m.x, m.y);
  st_.moveStart = RecordSelection(layout_, false, true);
  CanvasEffects e = CanvasEffects::Repaint();
  e.properties = e.capture = true;
  return e;
}

CanvasEffects CanvasController::StartPan(const MouseInput& m, bool dead_zone) {
  st_.panActive = true;
  st_.panDeadZone = dead_zone;
  st_.panPress = {static_cast<int>(m.x), static_cast<int>(m.y)};
  st_.panOffsetX = view_.offset_x;
  st_.panOffsetY = view_.offset_y;
  CanvasEffects e;
  e.cursor = CanvasCursor::Hand;
  e.capture = true;
  return e;
}

CanvasEffects CanvasController::MiddleDown(const MouseInput& m) {
  return StartPan(m, true);
}

CanvasEffects CanvasController::MiddleUp(const MouseInput&) {
  if (!st_.panActive) return {};
  st_.panActive = false;
  CanvasEffects e;
  e.cursor = CanvasCursor::Default;
  e.release = true;
  return e;
}

// ---- motion ------------------------------------------------------------------------

CanvasEffects CanvasController::Motion(const MouseInput& m) {
  CanvasEffects e;
  const Point at = ToLayoutPoint(view_, m.x, m.y);
  e.status[2] = PositionText(at.x, at.y, layout_.units);
  if (st_.panActive) {
    const int dx = static_cast<int>(m.x) - st_.panPress.x,
              dy = static_cast<int>(m.y) - st_.panPress.y;
    if (!st_.panDeadZone || std::abs(dx) > kPanDeadZone || std::abs(dy) > kPanDeadZone) {
      view_.offset_x = st_.panOffsetX + dx;
      view_.offset_y = st_.panOffsetY + dy;
      e.view = e.repaint = true;
    }
    return e;
  }
  if (st_.pieceDragActive) return e |= UpdateDragSnap(m.x, m.y);
  if (st_.measuring) {
    st_.measureEnd = st_.lastMouse = at;
    return e |= CanvasEffects::Repaint();
  }
  if (st_.drawingPolygon) {
    st_.lastMouse = at;
    return e |= CanvasEffects::Repaint();
  }
  if (AnnotationDragActive()) return m.left_down ? e |= AnnotationMotion(m) : e;
  if (!m.left_down) e |= HoverHandles(m);
  if (st_.sceneryDragActive) {
    st_.dragSceneryPose.x = at.x;
    st_.dragSceneryPose.y = at.y;
    return e |= CanvasEffects::Repaint();
  }
  if (st_.helixDragActive) {
    st_.dragHelixPos = at;
    return e |= CanvasEffects::Repaint();
  }
  if (st_.spaceDown && m.left_down && !st_.pressPending && !st_.moving && !st_.rotateActive &&
      !st_.rubberBandActive && !st_.sceneryMoving)
    return e |= StartPan(m, false);
  if (st_.pressPending && m.left_down) {
    const int dx = static_cast<int>(m.x) - st_.pressScreen.x,
              dy = static_cast<int>(m.y) - st_.pressScreen.y;
    if (dx * dx + dy * dy < kMoveThresholdSq) return e;
    e |= StartMove();
    if (!st_.moving) return e;
  }
  if (st_.moving) return e |= MoveTo(m);
  if (st_.sceneryMoving && m.left_down) {
    // Begun once the item really moves, so that a click is no undo step.
    if (!gesture_) gesture_.emplace(doc_, "Move");
    TranslateSelection(layout_, st_.moveStart, at.x - st_.pressWorld.x, at.y - st_.pressWorld.y);
    e.content = e.repaint = true;
    return e;
  }
  if (st_.rotateActive) return e |= RotateTo(m);
  if (st_.rubberBandActive) {
    st_.rubberBandEnd = {static_cast<int>(m.x), static_cast<int>(m.y)};
    return e |= CanvasEffects::Repaint();
  }
  return e;
}

CanvasEffects CanvasController::StartMove() {
  st_.pressPending = false;
  CanvasEffects e;
  if (!MoveAllowed(layout_, prompter_)) {
    e.release = e.repaint = true;
    return e;
  }
  gesture_.emplace(doc_, "Move");
  st_.moving = true;
  // A turntable moves with the track joined to it.
  const auto index = PieceIndexById(layout_);
  std::vector<std::size_t> joined;
  for (const PlacedPiece& p : layout_.pieces)
    if (p.sel && p.cat == "74861")
      for (const Joint& j : p.joints)
        if (j.target != -1 && index.count(j.target)) joined.push_back(index.at(j.target));
  for (std::size_t i : joined) layout_.pieces[i].sel = true;
  st_.moveStart = RecordSelection(layout_);
  CutSelectionJoints(layout_);
  move_index_.Build(layout_.pieces,
                    [&](const PlacedPiece& p) { return !p.sel && LevelVisible(layout_, p.level); });
  e.content = e.repaint = true;
  return e;
}

CanvasEffects CanvasController::MoveTo(const MouseInput& m) {
  const Point at = ToLayoutPoint(view_, m.x, m.y);
  TranslateSelection(layout_, st_.moveStart, at.x - st_.pressWorld.x, at.y - st_.pressWorld.y);
  st_.moveSnap = {};
  st_.moveSnapPieceId = -1;
  if (st_.snap && !move_index_.empty()) {
    const Catalog& catalog = Catalog::instance();
    for (const PlacedPiece& p : layout_.pieces) {
      if (!p.sel) continue;
      const PieceDef* def = catalog.find(p.cat);
      if (!def) continue;
      const SnapCandidate c = move_index_.FindFor(p, *def);
      if (c.found && (!st_.moveSnap.found || c.distance < st_.moveSnap.distance)) {
        st_.moveSnap = c;
        st_.moveSnapPieceId = p.id;
      }
    }
  }
  CanvasEffects e;
  e.content = e.repaint = true;
  return e;
}

CanvasEffects CanvasController::EndMove() {
  st_.moving = false;
  bool moved = false;
  const auto index = PieceIndexById(layout_);
  for (const auto& s : st_.moveStart.pieces) {
    auto it = index.find(s.id);
    if (it == index.end()) continue;
    const PlacedPiece& p = layout_.pieces[it->second];
    moved = moved || Distance(p.x, p.y, s.x, s.y) > kMovedMm;
  }
  if (moved) CutSelectionJoints(layout_);
  JoinMovedSelection(layout_, st_.moveSnap, st_.moveSnapPieceId);
  st_.moveSnap = {};
  st_.moveSnapPieceId = -1;
  index_dirty_ = true;
  CommitGesture();
  CanvasEffects e = CanvasEffects::Edited();
  e.release = true;
  return e;
}

// ---- rotation ----------------------------------------------------------------------

CanvasEffects CanvasController::StartRotation(const MouseInput& m) {
  int helix = -1;
  const bool whole_helix = IsWholeHelixSelection(layout_, &helix);
  if (!whole_helix && !CheckLocks(layout_, "rotate", prompter_)) return {};
  gesture_.emplace(doc_, "Rotate");
  st_.rotateActive = true;
  st_.rotateStart = RecordSelection(layout_);
  st_.rotateHelixId = -1;
  Point pivot;
  if (whole_helix) {
    for (const Helix& h : layout_.helices)
      if (h.id == helix) {
        pivot = {h.cx, h.cy};
        st_.rotateHelixId = h.id;
        st_.rotateHelixStartAngle = h.heading;
      }
  } else {
    double sx = 0, sy = 0;
    int n = 0;
    for (const auto* list : {&st_.rotateStart.pieces, &st_.rotateStart.scenery})
      for (const auto& s : *list) {
        sx += s.x;
        sy += s.y;
        ++n;
      }
    pivot = {sx / n, sy / n};
  }
  st_.rotatePivot = pivot;
  st_.rotateStartAngle = ScreenAngle(m.x, m.y);
  const auto& first =
      st_.rotateStart.pieces.empty() ? st_.rotateStart.scenery : st_.rotateStart.pieces;
  st_.rotateRefHeading = NormalizeAngle(first.front().heading);
  st_.rotateTarget = st_.rotateRefHeading;
  st_.rightAngleFlash = false;
  CanvasEffects e = CanvasEffects::Repaint();
  e.capture = true;
  return e;
}

CanvasEffects CanvasController::RotateTo(const MouseInput& m) {
  const AltRotation r =
      AltDragRotation(st_.rotateRefHeading, st_.rotateStartAngle, ScreenAngle(m.x, m.y));
  RotateSelectionFrom(layout_, st_.rotateStart, st_.rotatePivot, r.delta);
  st_.rotateTarget = r.target;
  CanvasEffects e;
  e.content = e.repaint = true;
  if (r.right_angle && !st_.rightAngleFlash) {
    st_.rightAngleFlash = true;
    e.start_flash = true;
  } else if (!r.right_angle && st_.rightAngleFlash) {
    st_.rightAngleFlash = false;
    e.stop_flash = true;
  }
  return e;
}

CanvasEffects CanvasController::EndRotation() {
  st_.rotateActive = false;
  st_.rightAngleFlash = false;
  st_.rotateHelixId = -1;
  RejoinAfterRotation(layout_);
  index_dirty_ = true;
  CommitGesture();
  CanvasEffects e = CanvasEffects::Edited();
  e.stop_flash = e.release = true;
  return e;
}

CanvasEffects CanvasController::FlashTimerFired() {
  st_.rightAngleFlash = false;
  return CanvasEffects::Repaint();
}

// ---- release -----------------------------------------------------------------------

CanvasEffects CanvasController::LeftUp(const MouseInput&) {
  st_.ignoreNextPress = false;  // the press of a double-click has come and gone
  if (st_.panActive) return MiddleUp({});
  if (st_.rotateActive) return EndRotation();
  if (st_.moving) return EndMove();
  if (AnnotationDragActive()) return EndAnnotationDrag();
  CanvasEffects e;
  if (st_.sceneryMoving) {
    st_.sceneryMoving = false;
    e = gesture_ ? CanvasEffects::Edited() : CanvasEffects::Repaint();
    CommitGesture();
    e.release = true;
    return e;
  }
  if (st_.pressPending) {
    st_.pressPending = false;
    e.release = true;
    return e;
  }
  if (st_.rubberBandActive) {
    st_.rubberBandActive = false;
    e = CanvasEffects::Repaint();
    e.release = true;
    if (RubberBandIsClick(st_.rubberBandStart, st_.rubberBandEnd)) return e;
    RubberBandSelect(layout_, view_, st_.rubberBandStart, st_.rubberBandEnd);
    st_.clipboard.clear();
    e.properties = true;
  }
  return e;
}

CanvasEffects CanvasController::CaptureLost() {
  // Another window took the mouse: end any drag as if the button were released.
  CanvasEffects e = LeftUp({});
  e.release = false;
  return e;
}

CanvasEffects CanvasController::LeftDClick(const MouseInput& m) {
  // The hint promises that a double-click closes an outline being drawn.
  if (st_.drawingPolygon) return CloseOutline();
  if (m.mods.alt || st_.drawingTool != kToolNone) return {};
  CanvasEffects e;
  e.dialog = CanvasDialog::ShapeProperties;
  const int edge = ShapeEdgeAt(m.x, m.y), inner = ShapeInteriorAt(m.x, m.y);
  if (edge != -1) {
    e.dialog_id = edge;
    return e;
  }
  if (const int scenery = HitTestScenery(layout_, view_, m.x, m.y); scenery != -1) {
    e.dialog = CanvasDialog::ResizeScenery;
    e.dialog_id = scenery;
    return e;
  }
  const int piece = HitTestPiece(layout_, view_, m.x, m.y);
  if (piece == -1 && inner != -1) {
    e.dialog_id = inner;
    return e;
  }
  if (piece == -1) return {};
  st_.pressPending = false;
  const PlaceResult r = ClonePiece(doc_, piece, prompter_);
  if (r.placed) st_.ignoreNextPress = true;
  return Placed(r.placed);
}

// ---- right button, wheel, keys ------------------------------------------------------

CanvasEffects CanvasController::RightDown(const MouseInput& m) {
  if (st_.pieceDragActive) {
    st_.dragPose.heading = NormalizeAngle(st_.dragPose.heading + 30);
    return UpdateDragSnap(m.x, m.y);
  }
  if (st_.sceneryDragActive) {
    st_.dragSceneryPose.heading = NormalizeAngle(st_.dragSceneryPose.heading + 15);
    return CanvasEffects::Repaint();
  }
  if (m.mods.alt && AnyPieceOrScenerySelected(layout_)) {
    const bool turned = RotateSelectionStep(doc_, prompter_);
    if (turned) index_dirty_ = true;
    return turned ? CanvasEffects::Edited() : CanvasEffects{};
  }
  last_right_click_ = ToLayoutPoint(view_, m.x, m.y);
  int piece = HitTestPiece(layout_, view_, m.x, m.y);
  if (piece == -1) {
    const int helix = HitTestHelixRing(layout_, view_, m.x, m.y);
    if (helix != -1) piece = FirstHelixPiece(layout_, helix);
  }
  CanvasEffects e;
  if (piece != -1) {
    const int pi = FindPiece(layout_, piece);
    if (!layout_.pieces[static_cast<std::size_t>(pi)].sel) {
      ::DeselectAll(layout_);
      const int helix = layout_.pieces[static_cast<std::size_t>(pi)].helix;
      for (PlacedPiece& p : layout_.pieces)
        if (p.id == piece || (helix != -1 && p.helix == helix)) p.sel = true;
    }
    const auto selected = std::count_if(layout_.pieces.begin(), layout_.pieces.end(),
                                        [](const PlacedPiece& p) { return p.sel; });
    e = CanvasEffects::Repaint();
    e.properties = true;
    e.menu = CanvasMenu::Piece;
    e.menu_autofill = selected == 2;
    e.menu_end_grade = !layout_.grade_runs.empty();
    menu_piece_ = piece;
    return e;
  }
  if (const int shape = ShapeAt(m.x, m.y); shape != -1) {
    menu_shape_ = shape;
    e.menu = CanvasMenu::Shape;
    return e;
  }
  if (!st_.clipboard.empty()) {
    e.menu = CanvasMenu::Paste;
    return e;
  }
  if (!m.mods.shift) return DeselectAll();
  return e;
}

CanvasEffects CanvasController::Wheel(const MouseInput& m, int rotation) {
  if (rotation == 0) return {};
  const double sign = rotation > 0 ? 1.0 : -1.0;
  if (st_.pieceDragActive) {
    st_.dragPose.heading = NormalizeAngle(st_.dragPose.heading + sign * (m.mods.shift ? 15 : 30));
    return UpdateDragSnap(m.x, m.y);
  }
  if (st_.sceneryDragActive) {
    st_.dragSceneryPose.heading =
        NormalizeAngle(st_.dragSceneryPose.heading + sign * (m.mods.shift ? 15 : 30));
    return CanvasEffects::Repaint();
  }
  if (m.mods.ctrl && AnyPieceOrScenerySelected(layout_)) {
    const bool turned = WheelRotateSelection(doc_, sign * (m.mods.shift ? 5.0 : 15.0), prompter_);
    if (turned) index_dirty_ = true;
    return turned ? CanvasEffects::Edited() : CanvasEffects{};
  }
  // Wheeling out goes as far as Zoom to Fit, however big the layout.
  ViewTransform fit = view_;
  if (rotation < 0) FitToLayout(fit, layout_, false, width_, height_);
  WheelZoom(view_, rotation > 0 ? kWheelZoomStep : 1.0 / kWheelZoomStep, m.x, m.y, fit);
  CanvasEffects e = CanvasEffects::Repaint();
  e.view = true;
  return e;
}

CanvasEffects CanvasController::KeyDown(CanvasKey key, Mods, char text) {
  // While a drawing tool is on, these keys act on the drawing only: Backspace never
  // deletes the selection then.
  if ((st_.drawingTool == kToolMeasure || st_.drawingTool == kToolPolygon ||
       st_.drawingTool == kToolBaseboard) &&
      key != CanvasKey::Space && key != CanvasKey::R && key != CanvasKey::Delete)
    return DrawingKey(key, text);
  switch (key) {
    case CanvasKey::Escape:
      if (st_.drawingTool != kToolNone) return {};
      if (st_.pieceDragActive || st_.helixDragActive) return CancelPieceDrag();
      if (st_.sceneryDragActive) return EndSceneryDrag();
      return DeselectAll();
    case CanvasKey::R:
      if (st_.pieceDragActive)
        st_.dragPose.heading = NormalizeAngle(st_.dragPose.heading + 30);
      else if (st_.sceneryDragActive)
        st_.dragSceneryPose.heading = NormalizeAngle(st_.dragSceneryPose.heading + 15);
      else
        return {};
      return CanvasEffects::Repaint();
    case CanvasKey::Delete:
    case CanvasKey::Back:
      return DeleteSelection();
    case CanvasKey::Space:
      st_.spaceDown = true;
      return {};
    default:
      return {};
  }
}

CanvasEffects CanvasController::KeyUp(CanvasKey key) {
  if (key == CanvasKey::Space) st_.spaceDown = false;
  return {};
}

// ---- commands ----------------------------------------------------------------------

CanvasEffects CanvasController::DeleteSelection() {
  if (!::DeleteSelection(doc_, prompter_)) return {};
  index_dirty_ = true;
  CanvasEffects e = CanvasEffects::Edited();
  e.status[1] = "Pieces: " + std::to_string(layout_.pieces.size());
  return e;
}

CanvasEffects CanvasController::DeselectAll() {
  ::DeselectAll(layout_);
  CanvasEffects e = CanvasEffects::Repaint();
  e.properties = true;
  return e;
}

CanvasEffects CanvasController::CopySelection() {
  ::CopySelection(layout_, st_.clipboard);
  return {};
}

CanvasEffects CanvasController::Paste() {
  if (st_.clipboard.empty()) return {};
  ::PasteAt(doc_, st_.clipboard, last_right_click_);
  return Placed(true);
}

CanvasEffects CanvasController::ZoomBy(double factor) {
  ::ZoomBy(view_, factor, width_, height_);
  CanvasEffects e = CanvasEffects::Repaint();
  e.view = true;
  return e;
}

CanvasEffects CanvasController::ZoomToFit(bool pieces_only) {
  FitToLayout(view_, layout_, pieces_only, width_, height_);
  CanvasEffects e = CanvasEffects::Repaint();
  e.view = true;
  return e;
}

CanvasEffects CanvasController::SetView(double zoom, double offset_x, double offset_y) {
  view_ = {zoom, offset_x, offset_y};
  CanvasEffects e = CanvasEffects::Repaint();
  e.view = true;
  return e;
}

CanvasEffects CanvasController::CentreOn(Point at) {
  return SetView(view_.zoom, width_ / 2.0 - at.x * view_.zoom, height_ / 2.0 - at.y * view_.zoom);
}

CanvasEffects CanvasController::ShowConflicts(bool on) {
  show_conflicts_ = on;
  conflicts_stale_ = true;
  return CanvasEffects::Repaint();
}

std::vector<Point> CanvasController::ConflictMarks() {
  // A carried or turned piece moves without telling the document until it is let go.
  if (conflicts_stale_ || st_.moving || st_.rotateActive) conflicts_.Update(layout_);
  conflicts_stale_ = false;
  std::vector<Point> out;
  for (const PlanConflict& c : conflicts_.conflicts()) out.push_back(c.at);
  return out;
}
