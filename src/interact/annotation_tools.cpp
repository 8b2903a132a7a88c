// What lies on the layout besides track, under the mouse: shapes, measurements, labels,
// deck outlines and the sizing handles of scenery, and the drags that move them.
#include <algorithm>
#include <cmath>

#include "catalog/scenery_catalog.h"
#include "edit/clipboard.h"
#include "interact/canvas_tool.h"
#include "model/layout_ops.h"
#include "view/hit_test.h"
#include "view/scenery_handles.h"

namespace {

constexpr double kEdgeHitPx = 8.0;

double Scale(const ViewTransform& v) {
  return std::max(v.zoom, 0.0001);
}

double SegmentDistance(Point p, Point a, Point b) {
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double len2 = dx * dx + dy * dy;
  double t = len2 > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / len2 : 0.0;
  t = std::clamp(t, 0.0, 1.0);
  return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

bool NearEdge(Point p, const std::vector<Point>& poly, double tol) {
  if (poly.size() < 2) return false;
  for (std::size_t i = 0; i < poly.size(); ++i)
    if (SegmentDistance(p, poly[i], poly[(i + 1) % poly.size()]) <= tol) return true;
  return false;
}

bool Inside(Point p, const std::vector<Point>& poly) {
  bool in = false;
  for (std::size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++) {
    const Point a = poly[i], b = poly[j];
    if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x) in = !in;
  }
  return in;
}

// The shape under a layout point, newest first; edge hits only, or interiors only.
int HitShape(const Layout& layout, Point p, double tol, bool interior) {
  for (auto it = layout.shapes.rbegin(); it != layout.shapes.rend(); ++it) {
    if (!LevelVisible(layout, it->level) || it->vertices.size() < 2) continue;
    const bool hit = interior ? it->vertices.size() >= 3 && Inside(p, it->vertices)
                              : NearEdge(p, it->vertices, tol);
    if (hit) return it->id;
  }
  return -1;
}

template <typename T>
T* ById(std::vector<T>& items, int id) {
  for (T& t : items)
    if (t.id == id) return &t;
  return nullptr;
}

}  // namespace

// ---- under the mouse ---------------------------------------------------------------

bool CanvasController::SceneryHandleAt(double sx, double sy, int& item_id, int& handle) const {
  for (auto it = layout_.scenery.rbegin(); it != layout_.scenery.rend(); ++it) {
    if (!it->sel) continue;
    const SceneryDef* def = SceneryCatalog::instance().find(it->item);
    if (!def) continue;
    handle = HitSceneryHandle(*it, *def, view_, sx, sy);
    if (handle != -1) {
      item_id = it->id;
      return true;
    }
  }
  return false;
}

CanvasEffects CanvasController::HoverHandles(const MouseInput& m) {
  int id = -1, handle = -1;
  const bool over = tool() == kToolNone && SceneryHandleAt(m.x, m.y, id, handle);
  CanvasEffects e;
  if (over) {
    static constexpr CanvasCursor kCursors[4] = {CanvasCursor::SizeNWSE, CanvasCursor::SizeNS,
                                                 CanvasCursor::SizeNESW, CanvasCursor::SizeWE};
    e.cursor = kCursors[handle % 4];
  } else if (over_handle_) {
    e.cursor = CanvasCursor::Default;
  }
  over_handle_ = over;
  return e;
}

int CanvasController::ShapeAt(double sx, double sy) const {
  const Point p = ToLayoutPoint(view_, sx, sy);
  const int edge = HitShape(layout_, p, kEdgeHitPx / Scale(view_), false);
  return edge != -1 ? edge : HitShape(layout_, p, 0, true);
}

int CanvasController::ShapeInteriorAt(double sx, double sy) const {
  return HitShape(layout_, ToLayoutPoint(view_, sx, sy), 0, true);
}

int CanvasController::ShapeEdgeAt(double sx, double sy) const {
  return HitShape(layout_, ToLayoutPoint(view_, sx, sy), kEdgeHitPx / Scale(view_), false);
}

CanvasEffects CanvasController::CopyShape(int shape_id) {
  ::CopyShape(layout_, shape_id, st_.clipboard);
  return {};
}

// ---- presses that start a drag -----------------------------------------------------

// A press that starts a drag of a measurement, a shape edge, a label, a scenery handle or
// (Shift) a deck outline; an empty effect when none is hit.
CanvasEffects CanvasController::AnnotationPress(const MouseInput& m) {
  const Point p = ToLayoutPoint(view_, m.x, m.y);
  const double z = Scale(view_);
  CanvasEffects e = CanvasEffects::Repaint();
  e.properties = e.capture = true;
  if (m.mods.shift && !m.mods.ctrl) {
    for (const Level& l : layout_.levels) {
      if (!l.visible || l.outline.size() < 3 || !NearEdge(p, l.outline, kEdgeHitPx / z)) continue;
      Push(std::make_unique<DeckDragTool>(*this, p, l));
      return e;
    }
    return {};
  }
  if (m.mods.shift || m.mods.ctrl || m.mods.alt) return {};
  int item = -1, handle = -1;
  if (SceneryHandleAt(m.x, m.y, item, handle)) {
    Push(std::make_unique<ResizeDragTool>(*this, *ById(layout_.scenery, item), handle));
    return e;
  }
  for (auto it = layout_.measures.rbegin(); it != layout_.measures.rend(); ++it) {
    const Point mid{(it->start.x + it->end.x) / 2 + it->label_offset.x,
                    (it->start.y + it->end.y) / 2 + it->label_offset.y};
    const bool label = std::abs(p.x - mid.x) <= 32 / z && std::abs(p.y - mid.y) <= 9 / z;
    if (!label && SegmentDistance(p, it->start, it->end) > kEdgeHitPx / z) continue;
    ::DeselectAll(layout_);
    it->sel = true;
    Push(std::make_unique<MeasureDragTool>(*this, p, *it));
    return e;
  }
  const int shape = HitShape(layout_, p, kEdgeHitPx / z, false);
  if (shape != -1) return StartShapeDrag(shape, p);
  for (auto it = layout_.labels.rbegin(); it != layout_.labels.rend(); ++it) {
    const IPoint a = ToDevice(view_, it->x, it->y);
    if (m.x < a.x - 4 || m.x > a.x + 121 || m.y < a.y - 4 || m.y > a.y + 25) continue;
    ::DeselectAll(layout_);
    it->sel = true;
    Push(std::make_unique<LabelDragTool>(*this, p, *it));
    return e;
  }
  return {};
}

CanvasEffects CanvasController::StartShapeDrag(int shape_id, Point at) {
  LayoutShape* s = ById(layout_.shapes, shape_id);
  if (!s) return {};
  ::DeselectAll(layout_);
  s->sel = true;
  Push(std::make_unique<ShapeDragTool>(*this, at, *s));
  CanvasEffects e = CanvasEffects::Repaint();
  e.properties = e.capture = true;
  return e;
}

// ---- the drags ---------------------------------------------------------------------

CanvasEffects CanvasController::AnnotationDragTool::Motion(const MouseInput& m) {
  if (!m.left_down) return {};
  const Point p = ToLayoutPoint(c_.view_, m.x, m.y);
  const Point d{p.x - press_.x, p.y - press_.y};
  if (d.x == 0 && d.y == 0) return {};
  // One step once something moved; a deck outline is no undo step but still a change.
  if (!c_.gesture_) c_.gesture_.emplace(c_.doc_, label());
  Apply(p, d);
  CanvasEffects e;
  e.content = e.repaint = true;
  return e;
}

CanvasEffects CanvasController::AnnotationDragTool::LeftUp(const MouseInput&) {
  CanvasController& c = c_;
  c.End(this);
  const bool moved = c.gesture_.has_value();
  c.CommitGesture();
  CanvasEffects e = moved ? CanvasEffects::Edited() : CanvasEffects::Repaint();
  e.release = true;
  return e;
}

void CanvasController::MeasureDragTool::Apply(Point, Point d) {
  if (Measurement* m = ById(c_.layout_.measures, start_.id)) {
    m->start = {start_.start.x + d.x, start_.start.y + d.y};
    m->end = {start_.end.x + d.x, start_.end.y + d.y};
  }
}

void CanvasController::ShapeDragTool::Apply(Point, Point d) {
  if (LayoutShape* s = ById(c_.layout_.shapes, id_))
    for (std::size_t i = 0; i < s->vertices.size() && i < start_.size(); ++i)
      s->vertices[i] = {start_[i].x + d.x, start_[i].y + d.y};
}

void CanvasController::LabelDragTool::Apply(Point at, Point) {
  if (LayoutLabel* l = ById(c_.layout_.labels, id_)) {
    l->x = at.x + grab_.x;
    l->y = at.y + grab_.y;
  }
}

void CanvasController::DeckDragTool::Apply(Point, Point d) {
  for (Level& l : c_.layout_.levels)
    if (l.id == level_)
      for (std::size_t i = 0; i < l.outline.size() && i < start_.size(); ++i)
        l.outline[i] = {start_[i].x + d.x, start_[i].y + d.y};
}

// The press point is the handle itself, so that the first movement already scales.
CanvasController::ResizeDragTool::ResizeDragTool(CanvasController& c, const SceneryItem& s,
                                                 int handle)
    : AnnotationDragTool(c, SceneryHandles(s, *SceneryCatalog::instance().find(
                                                  s.item))[static_cast<std::size_t>(handle)]),
      start_(s),
      handle_(handle),
      anchor_(OppositeHandle(handle)) {}

void CanvasController::ResizeDragTool::Apply(Point at, Point) {
  SceneryItem* s = ById(c_.layout_.scenery, start_.id);
  const SceneryDef* def = s ? SceneryCatalog::instance().find(s->item) : nullptr;
  if (!def) return;
  SceneryItem start = *s;
  start.scalex = start_.scalex;
  start.scaley = start_.scaley;
  start.x = start_.x;
  start.y = start_.y;
  const Point anchor = SceneryHandles(start, *def)[static_cast<std::size_t>(anchor_)];
  const SceneryResize r = ResizeByHandle(start, *def, handle_, anchor, at);
  s->scalex = r.scalex;
  s->scaley = r.scaley;
  s->x = r.center.x;
  s->y = r.center.y;
}
