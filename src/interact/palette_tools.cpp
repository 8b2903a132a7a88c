// Drags from the palette: a piece that snaps to free ends, a scenery item and a helix, each
// shown as a ghost under the mouse until a press drops it.
#include "catalog/catalog.h"
#include "catalog/helix_catalog.h"
#include "catalog/scenery_catalog.h"
#include "edit/placement.h"
#include "interact/canvas_tool.h"
#include "model/layout_ops.h"
#include "render/render_overlays.h"

namespace {

// Where a palette drag starts before the mouse first moves over the canvas.
constexpr double kStartX = 300, kStartY = 200;

double WheelTurn(const MouseInput& m, int rotation) {
  return (rotation > 0 ? 1.0 : -1.0) * (m.mods.shift ? 15 : 30);
}

}  // namespace

// ---- piece -------------------------------------------------------------------------

CanvasController::PieceDragTool::PieceDragTool(CanvasController& c, std::string id)
    : Tool(c), id_(std::move(id)) {
  const Point at = ToLayoutPoint(c.view_, kStartX, kStartY);
  pose_ = {at.x, at.y, 0};
}

CanvasEffects CanvasController::PieceDragTool::Follow(double sx, double sy) {
  const Point at = ToLayoutPoint(c_.view_, sx, sy);
  pose_.x = at.x;
  pose_.y = at.y;
  snap_ = {};
  const PieceDef* def = Catalog::instance().find(id_);
  if (def && c_.st_.snap) {
    c_.EnsureDragIndex();
    snap_ = c_.drag_index_.Find(*def, pose_);
  }
  return CanvasEffects::Repaint();
}

CanvasEffects CanvasController::PieceDragTool::LeftDown(const MouseInput& m) {
  CanvasEffects e;
  if (c_.PressPrelude(m, e)) return e;
  CanvasController& c = c_;
  const PieceDef* def = Catalog::instance().find(id_);
  if (!def) return c.CancelPieceDrag();
  const bool snap = c.st_.snap;
  const PlaceResult r =
      ::DropPiece(c.doc_, *def, pose_, snap ? snap_ : SnapCandidate{}, c.prompter_, snap);
  e = c.CancelPieceDrag();
  if (r.first_z_piece) e |= c.SetView(1.0, 60.0, 60.0);
  return e |= c.Placed(r.placed);
}

CanvasEffects CanvasController::PieceDragTool::RightDown(const MouseInput& m) {
  Turn(30);
  return Follow(m.x, m.y);
}

CanvasEffects CanvasController::PieceDragTool::Wheel(const MouseInput& m, int rotation) {
  Turn(WheelTurn(m, rotation));
  return Follow(m.x, m.y);
}

CanvasEffects CanvasController::PieceDragTool::KeyDown(CanvasKey key, char text) {
  if (key == CanvasKey::Escape) return c_.CancelPieceDrag();
  if (key != CanvasKey::R) return Tool::KeyDown(key, text);
  Turn(30);
  return CanvasEffects::Repaint();
}

void CanvasController::PieceDragTool::Draw(Painter& p) {
  const Layout& layout = c_.layout_;
  const PieceDef* def = Catalog::instance().find(id_);
  if (snap_.found) {
    const int ti = FindPiece(layout, snap_.targetPiece);
    const PlacedPiece* target = ti >= 0 ? &layout.pieces[static_cast<std::size_t>(ti)] : nullptr;
    const PieceDef* td = target ? Catalog::instance().find(target->cat) : nullptr;
    if (td && snap_.targetConnector < static_cast<int>(td->connectors.size())) {
      const Connector e =
          WorldConnectors(*target, *td)[static_cast<std::size_t>(snap_.targetConnector)];
      DrawSnapTarget(p, ToDevice(c_.view_, e.x, e.y));
    }
  }
  if (def) DrawPieceGhost(c_.overlay_rc_, p, *def, Ghost(), c_.view_);
}

// ---- scenery -----------------------------------------------------------------------

CanvasController::SceneryDragTool::SceneryDragTool(CanvasController& c, std::string id)
    : Tool(c), id_(std::move(id)) {
  const Point at = ToLayoutPoint(c.view_, kStartX, kStartY);
  pose_ = {at.x, at.y, 0};
}

CanvasEffects CanvasController::SceneryDragTool::LeftDown(const MouseInput& m) {
  CanvasEffects e;
  if (c_.PressPrelude(m, e)) return e;
  CanvasController& c = c_;
  const PlaceResult r = DropScenery(c.doc_, id_, pose_);
  e = c.CancelPieceDrag();
  return e |= c.Placed(r.placed);
}

CanvasEffects CanvasController::SceneryDragTool::Motion(const MouseInput& m) {
  CanvasEffects e = Hover(m);
  const Point at = ToLayoutPoint(c_.view_, m.x, m.y);
  pose_.x = at.x;
  pose_.y = at.y;
  return e |= CanvasEffects::Repaint();
}

CanvasEffects CanvasController::SceneryDragTool::RightDown(const MouseInput&) {
  Turn(15);
  return CanvasEffects::Repaint();
}

CanvasEffects CanvasController::SceneryDragTool::Wheel(const MouseInput& m, int rotation) {
  Turn(WheelTurn(m, rotation));
  return CanvasEffects::Repaint();
}

CanvasEffects CanvasController::SceneryDragTool::KeyDown(CanvasKey key, char text) {
  if (key == CanvasKey::Escape) return c_.CancelPieceDrag();
  if (key != CanvasKey::R) return Tool::KeyDown(key, text);
  Turn(15);
  return CanvasEffects::Repaint();
}

void CanvasController::SceneryDragTool::Draw(Painter& p) {
  if (const SceneryDef* def = SceneryCatalog::instance().find(id_))
    DrawSceneryGhost(c_.overlay_rc_, p, *def, pose_, c_.view_);
}

// ---- helix -------------------------------------------------------------------------

CanvasController::HelixDragTool::HelixDragTool(CanvasController& c, std::string name)
    : Tool(c), name_(std::move(name)), at_(ToLayoutPoint(c.view_, kStartX, kStartY)) {}

CanvasEffects CanvasController::HelixDragTool::LeftDown(const MouseInput& m) {
  CanvasEffects e;
  if (c_.PressPrelude(m, e)) return e;
  CanvasController& c = c_;
  const Point at = ToLayoutPoint(c.view_, m.x, m.y);
  const std::string name = name_;
  e = c.CancelPieceDrag();
  return e |= c.InsertHelixAt(name, 0.0, at);
}

CanvasEffects CanvasController::HelixDragTool::Motion(const MouseInput& m) {
  CanvasEffects e = Hover(m);
  at_ = ToLayoutPoint(c_.view_, m.x, m.y);
  return e |= CanvasEffects::Repaint();
}

CanvasEffects CanvasController::HelixDragTool::KeyDown(CanvasKey key, char text) {
  if (key == CanvasKey::Escape) return c_.CancelPieceDrag();
  if (key == CanvasKey::R) return {};
  return Tool::KeyDown(key, text);
}

void CanvasController::HelixDragTool::Draw(Painter& p) {
  if (const HelixDef* hd = HelixCatalog::resolve(name_))
    DrawHelixGhost(p, c_.view_, *hd, at_.x, at_.y);
}
