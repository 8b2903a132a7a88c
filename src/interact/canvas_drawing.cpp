// The drawing tools of the canvas controller: measurements, polygons and the hand-drawn
// baseboard, exact-length entry, and the drags of measurements, shapes, labels and deck
// outlines.
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "catalog/scenery_catalog.h"
#include "edit/clipboard.h"
#include "edit/measurement.h"
#include "interact/canvas_controller.h"
#include "model/layout_ops.h"
#include "model/number_text.h"
#include "model/units.h"
#include "view/hit_test.h"
#include "view/scenery_handles.h"

namespace {

constexpr double kCloseRadiusPx = 10.0;
constexpr double kEdgeHitPx = 8.0;
constexpr double kLongestTypedMm = 100000.0;  // 100 m

double Scale(const ViewTransform& v) {
  return std::max(v.zoom, 0.0001);
}

std::string LengthPrompt(int units, const std::string& text) {
  return std::string("Length (") + Units::Of(units).mark() + "): " + (text.empty() ? "_" : text) +
         "  [Enter] confirm  [Esc] cancel";
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

// The visible level with the greatest height, else the active one.
int TopVisibleLevel(const Layout& layout) {
  double best = -1e9;
  int level = layout.active_level;
  bool any = false;
  for (const Level& l : layout.levels)
    if (l.visible && l.height > best) {
      best = l.height;
      level = l.id;
      any = true;
    }
  return any ? level : layout.active_level;
}

}  // namespace

// ---- tool mode ---------------------------------------------------------------------

void CanvasController::ClearDrawing() {
  st_.measuring = false;
  st_.measureStart = st_.measureEnd = {};
  st_.drawingPolygon = false;
  st_.polygonVertices.clear();
  st_.lengthEntryActive = false;
  st_.lengthText.clear();
}

CanvasEffects CanvasController::SetTool(int mode) {
  ClearDrawing();  // a drawing never survives a change of tool
  st_.drawingTool = mode;
  CanvasEffects e = CanvasEffects::Repaint();
  e.cursor = mode == kToolNone ? CanvasCursor::Default : CanvasCursor::Cross;
  if (mode == kToolBaseboard) {
    e.status[0] = kBaseboardDrawStatus;
    e.focus = true;
  }
  return e;
}

CanvasEffects CanvasController::EndTool() {
  const bool baseboard = st_.drawingTool == kToolBaseboard;
  ClearDrawing();
  st_.drawingTool = kToolNone;
  CanvasEffects e = CanvasEffects::Repaint();
  e.cursor = CanvasCursor::Default;
  e.tool_ended = true;
  if (baseboard) e.status[0] = "";
  return e;
}

// ---- presses and keys while drawing -------------------------------------------------

CanvasEffects CanvasController::DrawingPress(const MouseInput& m) {
  const Point p = ToLayoutPoint(view_, m.x, m.y);
  st_.lastMouse = p;
  if (st_.drawingTool == kToolMeasure) {
    if (!st_.measuring) {
      st_.measuring = true;
      st_.measureStart = st_.measureEnd = p;
      return CanvasEffects::Repaint();
    }
    const Point start = st_.measureStart;
    CanvasEffects e = EndTool();
    if (!AddMeasurement(doc_, start, p)) return e;
    return e |= CanvasEffects::Edited();
  }
  // Polygon and baseboard.
  const IPoint px{static_cast<int>(m.x), static_cast<int>(m.y)};
  auto& verts = st_.polygonVertices;
  if (!st_.drawingPolygon || verts.empty()) {
    st_.drawingPolygon = true;
    verts.assign(1, p);
  } else if (px.x == st_.lastVertexScreen.x && px.y == st_.lastVertexScreen.y) {
    return {};  // the second press of a double-click
  } else if (verts.size() >= 3 && std::hypot(p.x - verts.front().x, p.y - verts.front().y) <=
                                      kCloseRadiusPx / Scale(view_)) {
    return CloseOutline();
  } else {
    verts.push_back(p);
  }
  st_.lastVertexScreen = px;
  CanvasEffects e = CanvasEffects::Repaint();
  e.status[0] = kPolygonStatus;
  return e;
}

CanvasEffects CanvasController::CloseOutline() {
  if (st_.polygonVertices.size() < 3) return {};
  const std::vector<Point> verts = st_.polygonVertices;
  const bool baseboard = st_.drawingTool == kToolBaseboard;
  // The baseboard is not part of an undo step, so closing it takes none.
  Transaction t(doc_, baseboard ? "Baseboard" : "Draw Shape",
                baseboard ? Change::View : Change::Content);
  if (baseboard) {
    layout_.baseboard = verts;
    layout_.lastshape.id = 5;
  } else {
    LayoutShape s;
    s.id = TakeId(layout_);
    s.vertices = verts;
    s.level = TopVisibleLevel(layout_);
    layout_.shapes.push_back(std::move(s));
  }
  t.Commit();
  CanvasEffects e = EndTool();
  return e |= CanvasEffects::Edited();
}

CanvasEffects CanvasController::EnterLength() {
  double value = 0;
  const bool read = ParseDouble(st_.lengthText, value);
  const double mm = value * Units::Of(layout_.units).factor();
  st_.lengthEntryActive = false;
  st_.lengthText.clear();
  CanvasEffects e = CanvasEffects::Repaint();
  e.status[0] = kPolygonStatus;
  if (!read || !(mm > 0) || !(mm <= kLongestTypedMm) || st_.polygonVertices.empty()) return e;
  const Point last = st_.polygonVertices.back();
  double dx = st_.lastMouse.x - last.x, dy = st_.lastMouse.y - last.y;
  const double d = std::hypot(dx, dy);
  if (d <= 0.001) {
    dx = 1;
    dy = 0;
  } else {
    dx /= d;
    dy /= d;
  }
  const Point next{last.x + dx * mm, last.y + dy * mm};
  st_.polygonVertices.push_back(next);
  st_.lastMouse = next;
  st_.lastVertexScreen = ToDevice(view_, next.x, next.y);
  return e;
}

CanvasEffects CanvasController::DrawingKey(CanvasKey key, char text) {
  if (st_.drawingTool == kToolMeasure) {
    if (key == CanvasKey::Escape) return EndTool();
    return {};  // Backspace and the rest do nothing to the layout while measuring
  }
  if (st_.lengthEntryActive) {
    switch (key) {
      case CanvasKey::Text: {
        st_.lengthText += text == ',' ? '.' : text;
        CanvasEffects e;
        e.status[0] = LengthPrompt(layout_.units, st_.lengthText);
        return e;
      }
      case CanvasKey::Back: {
        if (!st_.lengthText.empty()) st_.lengthText.pop_back();
        CanvasEffects e;
        e.status[0] = LengthPrompt(layout_.units, st_.lengthText);
        return e;
      }
      case CanvasKey::Enter:
        return EnterLength();
      case CanvasKey::Escape:
        return EndTool();
      default:
        return {};
    }
  }
  switch (key) {
    case CanvasKey::Escape:
      return EndTool();
    case CanvasKey::Back:
      if (!st_.drawingPolygon) return {};
      if (!st_.polygonVertices.empty()) st_.polygonVertices.pop_back();
      if (st_.polygonVertices.empty()) st_.drawingPolygon = false;
      st_.lastVertexScreen = {-1000000, -1000000};
      return CanvasEffects::Repaint();
    case CanvasKey::Tab: {
      if (!st_.drawingPolygon || st_.polygonVertices.empty()) return {};
      st_.lengthEntryActive = true;
      st_.lengthText.clear();
      CanvasEffects e;
      e.status[0] = LengthPrompt(layout_.units, "");
      return e;
    }
    case CanvasKey::Enter:
      if (st_.drawingPolygon && st_.polygonVertices.size() >= 3) return CloseOutline();
      return {};
    default:
      return {};
  }
}

// ---- measurements, shapes, labels and deck outlines under the mouse -----------------

bool CanvasController::AnnotationDragActive() const {
  return st_.measureDrag || st_.shapeDrag || st_.labelDrag || st_.deckDrag || st_.resizeDrag;
}

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
  const bool over = st_.drawingTool == kToolNone && SceneryHandleAt(m.x, m.y, id, handle);
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

// A press that starts a drag of a measurement, a shape edge, a label or (Shift) a deck
// outline; an empty effect when none is hit. The snapshot waits for the first movement.
CanvasEffects CanvasController::AnnotationPress(const MouseInput& m) {
  const Point p = ToLayoutPoint(view_, m.x, m.y);
  const double z = Scale(view_);
  CanvasEffects e = CanvasEffects::Repaint();
  e.properties = e.capture = true;
  st_.dragPress = p;
  if (m.mods.shift && !m.mods.ctrl) {
    for (const Level& l : layout_.levels) {
      if (!l.visible || l.outline.size() < 3 || !NearEdge(p, l.outline, kEdgeHitPx / z)) continue;
      st_.deckDrag = true;
      st_.deckDragLevel = l.id;
      st_.deckDragStart = l.outline;
      return e;
    }
    return {};
  }
  if (m.mods.shift || m.mods.ctrl || m.mods.alt) return {};
  int item = -1, handle = -1;
  if (SceneryHandleAt(m.x, m.y, item, handle)) {
    const SceneryItem& s = *ById(layout_.scenery, item);
    const SceneryDef& def = *SceneryCatalog::instance().find(s.item);
    st_.resizeDrag = true;
    st_.resizeItemId = item;
    st_.resizeHandle = handle;
    st_.resizeAnchor = OppositeHandle(handle);
    st_.resizeStartScaleX = s.scalex;
    st_.resizeStartScaleY = s.scaley;
    st_.resizeStartPos = {s.x, s.y};
    st_.dragPress = SceneryHandles(s, def)[static_cast<std::size_t>(handle)];
    return e;
  }
  for (auto it = layout_.measures.rbegin(); it != layout_.measures.rend(); ++it) {
    const Point mid{(it->start.x + it->end.x) / 2 + it->label_offset.x,
                    (it->start.y + it->end.y) / 2 + it->label_offset.y};
    const bool label = std::abs(p.x - mid.x) <= 32 / z && std::abs(p.y - mid.y) <= 9 / z;
    if (!label && SegmentDistance(p, it->start, it->end) > kEdgeHitPx / z) continue;
    ::DeselectAll(layout_);
    it->sel = true;
    st_.measureDrag = true;
    st_.measureDragId = it->id;
    st_.measureDragLabel = label;
    st_.measureDragStart = *it;
    return e;
  }
  const int shape = HitShape(layout_, p, kEdgeHitPx / z, false);
  if (shape != -1) return StartShapeDrag(shape, p);
  for (auto it = layout_.labels.rbegin(); it != layout_.labels.rend(); ++it) {
    const IPoint a = ToDevice(view_, it->x, it->y);
    if (m.x < a.x - 4 || m.x > a.x + 121 || m.y < a.y - 4 || m.y > a.y + 25) continue;
    ::DeselectAll(layout_);
    it->sel = true;
    st_.labelDrag = true;
    st_.labelDragId = it->id;
    st_.labelGrab = {it->x - p.x, it->y - p.y};
    return e;
  }
  return {};
}

CanvasEffects CanvasController::StartShapeDrag(int shape_id, Point at) {
  LayoutShape* s = ById(layout_.shapes, shape_id);
  if (!s) return {};
  ::DeselectAll(layout_);
  s->sel = true;
  st_.shapeDrag = true;
  st_.shapeDragId = shape_id;
  st_.shapeDragStart = s->vertices;
  st_.dragPress = at;
  CanvasEffects e = CanvasEffects::Repaint();
  e.properties = e.capture = true;
  return e;
}

CanvasEffects CanvasController::AnnotationMotion(const MouseInput& m) {
  const Point p = ToLayoutPoint(view_, m.x, m.y);
  const double dx = p.x - st_.dragPress.x, dy = p.y - st_.dragPress.y;
  if (dx == 0 && dy == 0) return {};
  // One step once something moved; a deck outline is no undo step but still a change.
  if (!gesture_) gesture_.emplace(doc_, st_.deckDrag ? "Move Deck Outline" : "Move");
  if (st_.measureDrag) {
    if (Measurement* meas = ById(layout_.measures, st_.measureDragId)) {
      const Measurement& s = st_.measureDragStart;
      meas->start = {s.start.x + dx, s.start.y + dy};
      meas->end = {s.end.x + dx, s.end.y + dy};
    }
  } else if (st_.shapeDrag) {
    if (LayoutShape* s = ById(layout_.shapes, st_.shapeDragId))
      for (std::size_t i = 0; i < s->vertices.size() && i < st_.shapeDragStart.size(); ++i)
        s->vertices[i] = {st_.shapeDragStart[i].x + dx, st_.shapeDragStart[i].y + dy};
  } else if (st_.labelDrag) {
    if (LayoutLabel* l = ById(layout_.labels, st_.labelDragId)) {
      l->x = p.x + st_.labelGrab.x;
      l->y = p.y + st_.labelGrab.y;
    }
  } else if (st_.resizeDrag) {
    SceneryItem* s = ById(layout_.scenery, st_.resizeItemId);
    const SceneryDef* def = s ? SceneryCatalog::instance().find(s->item) : nullptr;
    if (def) {
      SceneryItem start = *s;
      start.scalex = st_.resizeStartScaleX;
      start.scaley = st_.resizeStartScaleY;
      start.x = st_.resizeStartPos.x;
      start.y = st_.resizeStartPos.y;
      const Point anchor = SceneryHandles(start, *def)[static_cast<std::size_t>(st_.resizeAnchor)];
      const SceneryResize r = ResizeByHandle(start, *def, st_.resizeHandle, anchor, p);
      s->scalex = r.scalex;
      s->scaley = r.scaley;
      s->x = r.center.x;
      s->y = r.center.y;
    }
  } else if (st_.deckDrag) {
    for (Level& l : layout_.levels)
      if (l.id == st_.deckDragLevel)
        for (std::size_t i = 0; i < l.outline.size() && i < st_.deckDragStart.size(); ++i)
          l.outline[i] = {st_.deckDragStart[i].x + dx, st_.deckDragStart[i].y + dy};
  }
  CanvasEffects e;
  e.content = e.repaint = true;
  return e;
}

CanvasEffects CanvasController::EndAnnotationDrag() {
  const bool moved = gesture_.has_value();
  st_.measureDrag = st_.shapeDrag = st_.labelDrag = st_.deckDrag = st_.resizeDrag = false;
  CommitGesture();
  CanvasEffects e = moved ? CanvasEffects::Edited() : CanvasEffects::Repaint();
  e.release = true;
  return e;
}

// ---- clipboard ---------------------------------------------------------------------

CanvasEffects CanvasController::CopyShape(int shape_id) {
  ::CopyShape(layout_, shape_id, st_.clipboard);
  return {};
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
