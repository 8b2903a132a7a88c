// The select tool and the gestures it starts: moving track and scenery, turning the
// selection, the rubber band and panning.
#include <algorithm>
#include <cmath>

#include "catalog/catalog.h"
#include "catalog/text_mark.h"
#include "edit/placement.h"
#include "edit/selection.h"
#include "interact/canvas_tool.h"
#include "model/layout_ops.h"
#include "render/render_overlays.h"
#include "view/hit_test.h"

namespace {

constexpr int kMoveThresholdSq = 25;  // a press becomes a move after 5 pixels
constexpr int kPanDeadZone = 3;
constexpr double kMovedMm = 1.0;

IPoint Pixel(const MouseInput& m) {
  return {static_cast<int>(m.x), static_cast<int>(m.y)};
}

}  // namespace

CanvasEffects CanvasController::Tool::IdleMotion(const MouseInput& m) {
  CanvasEffects e = Hover(m);
  if (c_.st_.spaceDown && m.left_down) e |= c_.StartPan(m, false);
  return e;
}

// ---- select ------------------------------------------------------------------------

CanvasEffects CanvasController::SelectTool::LeftDown(const MouseInput& m) {
  CanvasEffects e;
  if (c_.PressPrelude(m, e)) return e;
  if (c_.st_.spaceDown) return c_.StartPan(m, false);
  if (const CanvasEffects a = c_.AnnotationPress(m); a.capture) return a;
  Layout& layout = c_.layout_;
  const ViewTransform& v = c_.view_;
  int piece = HitTestPiece(layout, v, m.x, m.y);
  if (piece == -1) {
    const int helix = HitTestHelixRing(layout, v, m.x, m.y);
    if (helix != -1) piece = FirstHelixPiece(layout, helix);
  }
  if (piece != -1) {
    ClickSelectPiece(layout, piece, m.mods.ctrl, m.mods.shift);
    c_.Push(std::make_unique<MoveTool>(c_, m));
    e = CanvasEffects::Repaint();
    e.properties = e.capture = true;
    return e;
  }
  if (const int scenery = HitTestScenery(layout, v, m.x, m.y); scenery != -1) {
    SceneryItem& s = layout.scenery[static_cast<std::size_t>(FindScenery(layout, scenery))];
    if (m.mods.shift) {
      s.sel = !s.sel;
    } else {
      if (!s.sel) ::DeselectAll(layout);
      s.sel = true;
    }
    c_.Push(std::make_unique<SceneryMoveTool>(c_, m));
    e = CanvasEffects::Repaint();
    e.properties = e.capture = true;
    return e;
  }
  // Inside a shape: after track and scenery, so that track over a lake stays clickable.
  if (!m.mods.ctrl && !m.mods.shift) {
    const int shape = c_.ShapeInteriorAt(m.x, m.y);
    if (shape != -1) return c_.StartShapeDrag(shape, ToLayoutPoint(v, m.x, m.y));
  }
  // Empty canvas.
  ::DeselectAll(layout);
  c_.st_.clipboard.clear();
  e.properties = e.repaint = true;
  if (m.mods.ctrl) {
    c_.st_.labelDropPoint = ToLayoutPoint(v, m.x, m.y);
    c_.st_.hasLabelDropPoint = true;
    return e |= c_.StartPan(m, true);
  }
  c_.Push(std::make_unique<RubberBandTool>(c_, m));
  e.capture = true;
  return e;
}

// ---- pan ---------------------------------------------------------------------------

CanvasController::PanTool::PanTool(CanvasController& c, const MouseInput& m, bool dead_zone)
    : Tool(c),
      dead_zone_(dead_zone),
      press_(Pixel(m)),
      offset_x_(c.view_.offset_x),
      offset_y_(c.view_.offset_y) {}

CanvasEffects CanvasController::PanTool::Motion(const MouseInput& m) {
  const int dx = static_cast<int>(m.x) - press_.x, dy = static_cast<int>(m.y) - press_.y;
  CanvasEffects e;
  if (!dead_zone_ || std::abs(dx) > kPanDeadZone || std::abs(dy) > kPanDeadZone) {
    c_.view_.offset_x = offset_x_ + dx;
    c_.view_.offset_y = offset_y_ + dy;
    e.view = e.repaint = true;
  }
  return e;
}

CanvasEffects CanvasController::PanTool::LeftUp(const MouseInput&) {
  c_.End(this);
  CanvasEffects e;
  e.cursor = CanvasCursor::Default;
  e.release = true;
  return e;
}

// ---- move --------------------------------------------------------------------------

CanvasController::MoveTool::MoveTool(CanvasController& c, const MouseInput& m)
    : Tool(c),
      press_(Pixel(m)),
      press_world_(ToLayoutPoint(c.view_, m.x, m.y)),
      start_(RecordSelection(c.layout_)) {}

CanvasEffects CanvasController::MoveTool::Motion(const MouseInput& m) {
  CanvasEffects e = Hover(m);
  if (!moving_) {
    if (!m.left_down) return e;
    const int dx = static_cast<int>(m.x) - press_.x, dy = static_cast<int>(m.y) - press_.y;
    if (dx * dx + dy * dy < kMoveThresholdSq) return e;
    e |= Start();
    if (!moving_) return e;
  }
  return e |= MoveTo(m);
}

CanvasEffects CanvasController::MoveTool::Start() {
  Layout& layout = c_.layout_;
  CanvasEffects e;
  if (!MoveAllowed(layout, c_.prompter_)) {
    c_.End(this);
    e.release = e.repaint = true;
    return e;
  }
  c_.gesture_.emplace(c_.doc_, TrMark("Move"));
  moving_ = true;
  // A turntable moves with the track joined to it.
  const auto index = PieceIndexById(layout);
  std::vector<std::size_t> joined;
  for (const PlacedPiece& p : layout.pieces)
    if (p.sel && p.cat == "74861")
      for (const Joint& j : p.joints)
        if (j.target != -1 && index.count(j.target)) joined.push_back(index.at(j.target));
  for (std::size_t i : joined) layout.pieces[i].sel = true;
  start_ = RecordSelection(layout);
  CutSelectionJoints(layout);
  index_.Build(layout.pieces,
               [&](const PlacedPiece& p) { return !p.sel && LevelVisible(layout, p.level); });
  e.content = e.repaint = true;
  return e;
}

CanvasEffects CanvasController::MoveTool::MoveTo(const MouseInput& m) {
  Layout& layout = c_.layout_;
  const Point at = ToLayoutPoint(c_.view_, m.x, m.y);
  TranslateSelection(layout, start_, at.x - press_world_.x, at.y - press_world_.y);
  snap_ = {};
  snap_piece_ = -1;
  if (c_.st_.snap && !index_.empty()) {
    const Catalog& catalog = Catalog::instance();
    for (const PlacedPiece& p : layout.pieces) {
      if (!p.sel) continue;
      const PieceDef* def = catalog.find(p.cat);
      if (!def) continue;
      const SnapCandidate c = index_.FindFor(p, *def);
      if (c.found && (!snap_.found || c.distance < snap_.distance)) {
        snap_ = c;
        snap_piece_ = p.id;
      }
    }
  }
  CanvasEffects e;
  e.content = e.repaint = true;
  return e;
}

CanvasEffects CanvasController::MoveTool::LeftUp(const MouseInput&) {
  CanvasController& c = c_;
  c.End(this);
  CanvasEffects e;
  if (!moving_) {
    e.release = true;
    return e;
  }
  Layout& layout = c.layout_;
  bool moved = false;
  const auto index = PieceIndexById(layout);
  for (const auto& s : start_.pieces) {
    auto it = index.find(s.id);
    if (it == index.end()) continue;
    const PlacedPiece& p = layout.pieces[it->second];
    moved = moved || Distance(p.x, p.y, s.x, s.y) > kMovedMm;
  }
  if (moved) CutSelectionJoints(layout);
  JoinMovedSelection(layout, snap_, snap_piece_);
  c.index_dirty_ = true;
  c.CommitGesture();
  e = CanvasEffects::Edited();
  e.release = true;
  return e;
}

// ---- scenery move ------------------------------------------------------------------

CanvasController::SceneryMoveTool::SceneryMoveTool(CanvasController& c, const MouseInput& m)
    : Tool(c),
      press_world_(ToLayoutPoint(c.view_, m.x, m.y)),
      start_(RecordSelection(c.layout_, false, true)) {}

CanvasEffects CanvasController::SceneryMoveTool::Motion(const MouseInput& m) {
  CanvasEffects e = Hover(m);
  if (!m.left_down) return e;
  // Begun once the item really moves, so that a click is no undo step.
  if (!c_.gesture_) c_.gesture_.emplace(c_.doc_, TrMark("Move"));
  const Point at = ToLayoutPoint(c_.view_, m.x, m.y);
  TranslateSelection(c_.layout_, start_, at.x - press_world_.x, at.y - press_world_.y);
  e.content = e.repaint = true;
  return e;
}

CanvasEffects CanvasController::SceneryMoveTool::LeftUp(const MouseInput&) {
  CanvasController& c = c_;
  c.End(this);
  CanvasEffects e = c.gesture_ ? CanvasEffects::Edited() : CanvasEffects::Repaint();
  c.CommitGesture();
  e.release = true;
  return e;
}

// ---- rotate ------------------------------------------------------------------------

CanvasController::RotateTool::RotateTool(CanvasController& c, const MouseInput& m, bool whole_helix,
                                         int helix)
    : Tool(c), start_(RecordSelection(c.layout_)) {
  if (whole_helix) {
    for (const Helix& h : c.layout_.helices)
      if (h.id == helix) pivot_ = {h.cx, h.cy};
  } else {
    double sx = 0, sy = 0;
    int n = 0;
    for (const auto* list : {&start_.pieces, &start_.scenery})
      for (const auto& s : *list) {
        sx += s.x;
        sy += s.y;
        ++n;
      }
    pivot_ = {sx / n, sy / n};
  }
  start_angle_ = ScreenAngle(m.x, m.y);
  const auto& first = start_.pieces.empty() ? start_.scenery : start_.pieces;
  ref_heading_ = target_ = NormalizeAngle(first.front().heading);
}

double CanvasController::RotateTool::ScreenAngle(double sx, double sy) const {
  const IPoint pivot = ToDevice(c_.view_, pivot_.x, pivot_.y);
  return std::atan2(sy - pivot.y, sx - pivot.x) * 180.0 / kPi;
}

CanvasEffects CanvasController::RotateTool::Motion(const MouseInput& m) {
  CanvasEffects e = Hover(m);
  const AltRotation r = AltDragRotation(ref_heading_, start_angle_, ScreenAngle(m.x, m.y));
  RotateSelectionFrom(c_.layout_, start_, pivot_, r.delta);
  target_ = r.target;
  e.content = e.repaint = true;
  if (r.right_angle && !flash_) {
    flash_ = true;
    e.start_flash = true;
  } else if (!r.right_angle && flash_) {
    flash_ = false;
    e.stop_flash = true;
  }
  return e;
}

CanvasEffects CanvasController::RotateTool::FlashTimerFired() {
  flash_ = false;
  return CanvasEffects::Repaint();
}

CanvasEffects CanvasController::RotateTool::LeftUp(const MouseInput&) {
  CanvasController& c = c_;
  c.End(this);
  RejoinAfterRotation(c.layout_);
  c.index_dirty_ = true;
  c.CommitGesture();
  CanvasEffects e = CanvasEffects::Edited();
  e.stop_flash = e.release = true;
  return e;
}

void CanvasController::RotateTool::Draw(Painter& p) {
  DrawRotationMarker(p, ToDevice(c_.view_, pivot_.x, pivot_.y), target_, flash_);
}

// ---- rubber band -------------------------------------------------------------------

CanvasController::RubberBandTool::RubberBandTool(CanvasController& c, const MouseInput& m)
    : Tool(c), start_(Pixel(m)), end_(start_) {}

CanvasEffects CanvasController::RubberBandTool::Motion(const MouseInput& m) {
  CanvasEffects e = Hover(m);
  end_ = Pixel(m);
  return e |= CanvasEffects::Repaint();
}

CanvasEffects CanvasController::RubberBandTool::LeftUp(const MouseInput&) {
  CanvasController& c = c_;
  c.End(this);
  CanvasEffects e = CanvasEffects::Repaint();
  e.release = true;
  if (RubberBandIsClick(start_, end_)) return e;
  RubberBandSelect(c.layout_, c.view_, start_, end_);
  c.st_.clipboard.clear();
  e.properties = true;
  return e;
}

void CanvasController::RubberBandTool::Draw(Painter& p) {
  DrawRubberBand(p, start_, end_);
}
