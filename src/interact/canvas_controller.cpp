// The canvas controller: the stack of tools and the routing of events to the top one,
// the overlays, the view and the commands of the menus.
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
#include "edit/reorient.h"
#include "edit/selection.h"
#include "interact/canvas_tool.h"
#include "interact/height_labels.h"
#include "model/layout_ops.h"
#include "model/translate.h"
#include "model/units.h"
#include "render/render_overlays.h"
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

CanvasController::CanvasController(Document& doc, Prompter& prompter)
    : doc_(doc), layout_(doc.layout()), prompter_(prompter) {
  tools_.push_back(std::make_unique<SelectTool>(*this));
}

CanvasController::~CanvasController() = default;

// ---- the tool stack ------------------------------------------------------------------

void CanvasController::Push(std::unique_ptr<Tool> tool) {
  tools_.push_back(std::move(tool));
}

void CanvasController::End(Tool* tool) {
  for (std::size_t i = 1; i < tools_.size(); ++i)
    if (tools_[i].get() == tool) {
      retired_.push_back(std::move(tools_[i]));
      tools_.erase(tools_.begin() + static_cast<std::ptrdiff_t>(i));
      return;
    }
}

void CanvasController::SetBase(std::unique_ptr<Tool> tool) {
  retired_.push_back(std::move(tools_.front()));
  tools_.front() = std::move(tool);
}

void CanvasController::EndPaletteDrags() {
  for (std::size_t i = tools_.size(); i-- > 1;)
    if (tools_[i]->gesture() == CanvasGesture::PaletteDrag) End(tools_[i].get());
}

CanvasGesture CanvasController::gesture() const {
  return Top().gesture();
}

int CanvasController::tool() const {
  if (dynamic_cast<const MeasureTool*>(tools_.front().get())) return kToolMeasure;
  if (const auto* o = dynamic_cast<const OutlineTool*>(tools_.front().get()))
    return o->baseboard() ? kToolBaseboard : kToolPolygon;
  return kToolNone;
}

std::vector<Point> CanvasController::Drawing() const {
  if (const auto* m = dynamic_cast<const MeasureTool*>(tools_.front().get())) return m->Drawing();
  if (const auto* o = dynamic_cast<const OutlineTool*>(tools_.front().get())) return o->vertices();
  return {};
}

std::optional<std::string> CanvasController::TypedLength() const {
  if (const auto* o = dynamic_cast<const OutlineTool*>(tools_.front().get())) return o->typed();
  return std::nullopt;
}

std::optional<Pose> CanvasController::GhostPose() const {
  for (const auto& t : tools_) {
    if (const auto* d = dynamic_cast<const PieceDragTool*>(t.get())) return d->Ghost();
    if (const auto* d = dynamic_cast<const SceneryDragTool*>(t.get())) return d->Ghost();
    if (const auto* d = dynamic_cast<const HelixDragTool*>(t.get()))
      return Pose{d->at().x, d->at().y, 0};
  }
  return std::nullopt;
}

void CanvasController::TurnGhost(double degrees) {
  for (const auto& t : tools_) {
    if (auto* d = dynamic_cast<PieceDragTool*>(t.get())) d->Turn(degrees);
    if (auto* d = dynamic_cast<SceneryDragTool*>(t.get())) d->Turn(degrees);
  }
}

void CanvasController::DrawOverlays(Painter& p) {
  overlay_rc_.layout = &layout_;
  DrawSelectionHandles(p, view_, layout_);
  if (show_conflicts_) DrawConflictMarks(p, view_, ConflictMarks());
  if (show_heights_) DrawHeightLabels(p, HeightLabels(layout_, view_, width_, height_));
  for (const auto& t : tools_) t->Draw(p);
}

// ---- events: each goes to the tool on top ------------------------------------------

CanvasEffects CanvasController::LeftDown(const MouseInput& m) {
  retired_.clear();
  CanvasEffects e;
  e.focus = true;
  return e |= Top().LeftDown(m);
}

CanvasEffects CanvasController::LeftUp(const MouseInput& m) {
  retired_.clear();
  st_.ignoreNextPress = false;  // the press of a double-click has come and gone
  return Top().LeftUp(m);
}

CanvasEffects CanvasController::CaptureLost() {
  // Another window took the mouse: end any drag as if the button were released.
  CanvasEffects e = LeftUp({});
  e.release = false;
  return e;
}

CanvasEffects CanvasController::LeftDClick(const MouseInput& m) {
  retired_.clear();
  return Top().LeftDClick(m);
}

CanvasEffects CanvasController::Motion(const MouseInput& m) {
  retired_.clear();
  CanvasEffects e;
  const Point at = ToLayoutPoint(view_, m.x, m.y);
  e.status[2] = PositionText(at.x, at.y, layout_.units);
  return e |= Top().Motion(m);
}

CanvasEffects CanvasController::RightDown(const MouseInput& m) {
  retired_.clear();
  return Top().RightDown(m);
}

CanvasEffects CanvasController::MiddleDown(const MouseInput& m) {
  retired_.clear();
  if (Top().gesture() == CanvasGesture::Pan) End(&Top());  // pans afresh from here
  return StartPan(m, true);
}

CanvasEffects CanvasController::MiddleUp(const MouseInput& m) {
  retired_.clear();
  if (Top().gesture() != CanvasGesture::Pan) return {};
  return Top().LeftUp(m);
}

CanvasEffects CanvasController::Wheel(const MouseInput& m, int rotation) {
  retired_.clear();
  if (rotation == 0) return {};
  return Top().Wheel(m, rotation);
}

CanvasEffects CanvasController::KeyDown(CanvasKey key, Mods, char text) {
  retired_.clear();
  return Top().KeyDown(key, text);
}

CanvasEffects CanvasController::KeyUp(CanvasKey key) {
  if (key == CanvasKey::Space) st_.spaceDown = false;
  return {};
}

CanvasEffects CanvasController::FlashTimerFired() {
  retired_.clear();
  return Top().FlashTimerFired();
}

// ---- what the select tool does, and any tool with nothing of its own to do ----------

bool CanvasController::PressPrelude(const MouseInput& m, CanvasEffects& e) {
  if (m.mods.alt && AnyPieceOrScenerySelected(layout_)) {
    e |= StartRotation(m);
    return true;
  }
  if (st_.ignoreNextPress) {
    st_.ignoreNextPress = false;
    return true;
  }
  return false;
}

CanvasEffects CanvasController::ContextPress(const MouseInput& m) {
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
    e.menu_flip = selected == 1;
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

CanvasEffects CanvasController::WheelTurnOrZoom(const MouseInput& m, int rotation) {
  const double sign = rotation > 0 ? 1.0 : -1.0;
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

CanvasEffects CanvasController::SelectionKey(CanvasKey key) {
  switch (key) {
    case CanvasKey::Escape:
      return DeselectAll();
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

CanvasEffects CanvasController::OpenOrClone(const MouseInput& m) {
  if (m.mods.alt) return {};
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
  if (Top().gesture() == CanvasGesture::Other && dynamic_cast<MoveTool*>(&Top()))
    End(&Top());  // the press before the double-click moves nothing now
  const PlaceResult r = ClonePiece(doc_, piece, prompter_);
  if (r.placed) st_.ignoreNextPress = true;
  return Placed(r.placed);
}

// ---- shared helpers ------------------------------------------------------------------

void CanvasController::CommitGesture() {
  if (!gesture_) return;
  gesture_->Commit();
  gesture_.reset();
}

void CanvasController::SetClientSize(int width, int height) {
  width_ = width;
  height_ = height;
}

void CanvasController::EnsureDragIndex() {
  if (!index_dirty_) return;
  drag_index_.Build(layout_.pieces,
                    [&](const PlacedPiece& p) { return LevelVisible(layout_, p.level); });
  index_dirty_ = false;
}

CanvasEffects CanvasController::StartPan(const MouseInput& m, bool dead_zone) {
  Push(std::make_unique<PanTool>(*this, m, dead_zone));
  CanvasEffects e;
  e.cursor = CanvasCursor::Hand;
  e.capture = true;
  return e;
}

CanvasEffects CanvasController::StartRotation(const MouseInput& m) {
  int helix = -1;
  const bool whole_helix = IsWholeHelixSelection(layout_, &helix);
  if (!whole_helix && !CheckLocks(layout_, TrMark("rotate"), prompter_)) return {};
  gesture_.emplace(doc_, TrMark("Rotate"));
  Push(std::make_unique<RotateTool>(*this, m, whole_helix, helix));
  CanvasEffects e = CanvasEffects::Repaint();
  e.capture = true;
  return e;
}

CanvasEffects CanvasController::Placed(bool placed) {
  if (!placed) return CanvasEffects::Repaint();
  index_dirty_ = true;
  CanvasEffects e = CanvasEffects::Edited();
  e.status[1] = Tr("Pieces: ") + std::to_string(layout_.pieces.size());
  return e;
}

// ---- palette -------------------------------------------------------------------------

CanvasEffects CanvasController::BeginPieceDrag(const std::string& id) {
  if (id.empty() || !Catalog::instance().find(id)) return {};
  EndPaletteDrags();
  Push(std::make_unique<PieceDragTool>(*this, id));
  index_dirty_ = true;  // the layout may have changed since the last drag
  CanvasEffects e = CanvasEffects::Repaint();
  e.focus = e.capture = true;
  return e;
}

CanvasEffects CanvasController::BeginSceneryDrag(const std::string& id) {
  if (id.empty() || !SceneryCatalog::instance().find(id)) return {};
  EndPaletteDrags();
  Push(std::make_unique<SceneryDragTool>(*this, id));
  CanvasEffects e = CanvasEffects::Repaint();
  e.focus = e.capture = true;
  return e;
}

CanvasEffects CanvasController::BeginHelixDrag(const std::string& name) {
  if (name.empty()) return {};
  EndPaletteDrags();
  Push(std::make_unique<HelixDragTool>(*this, name));
  CanvasEffects e = CanvasEffects::Repaint();
  e.focus = e.capture = true;
  return e;
}

CanvasEffects CanvasController::CancelPieceDrag() {
  EndPaletteDrags();
  CanvasEffects e = CanvasEffects::Repaint();
  e.release = true;
  return e;
}

CanvasEffects CanvasController::AutoConnect(const std::string& id) {
  if (std::none_of(layout_.pieces.begin(), layout_.pieces.end(), [](auto& p) { return p.sel; }))
    return BeginPieceDrag(id);
  return Placed(::AutoConnect(doc_, id, prompter_).placed);
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

// ---- commands ----------------------------------------------------------------------

CanvasEffects CanvasController::Flip() {
  if (!FlipSelected(doc_, prompter_).changed) return {};
  index_dirty_ = true;
  return CanvasEffects::Edited();
}

CanvasEffects CanvasController::Mirror() {
  const ReorientOutcome r = MirrorSelected(doc_, prompter_);
  CanvasEffects e;
  if (r.changed) {
    index_dirty_ = true;
    e = CanvasEffects::Edited();
  }
  if (!r.status.empty()) e.status[0] = r.status;
  return e;
}

CanvasEffects CanvasController::DeleteSelection() {
  if (!::DeleteSelection(doc_, prompter_)) return {};
  index_dirty_ = true;
  CanvasEffects e = CanvasEffects::Edited();
  e.status[1] = Tr("Pieces: ") + std::to_string(layout_.pieces.size());
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

CanvasEffects CanvasController::ShowHeights(bool on) {
  show_heights_ = on;
  return CanvasEffects::Repaint();
}

CanvasEffects CanvasController::ZoomToSelection() {
  if (!FitToSelection(view_, layout_, width_, height_)) return {};
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
  const CanvasGesture g = gesture();
  if (conflicts_stale_ || g == CanvasGesture::Move || g == CanvasGesture::Rotate)
    conflicts_.Update(layout_);
  conflicts_stale_ = false;
  std::vector<Point> out;
  for (const PlanConflict& c : conflicts_.conflicts()) out.push_back(c.at);
  return out;
}
