// The drawing tools: measurements, polygons and the hand-drawn baseboard, with exact
// lengths typed after Tab.
#include <algorithm>
#include <cmath>

#include "edit/measurement.h"
#include "interact/canvas_tool.h"
#include "model/background.h"
#include "model/layout_ops.h"
#include "model/number_text.h"
#include "model/translate.h"
#include "model/units.h"
#include "render/render_overlays.h"

namespace {

constexpr double kCloseRadiusPx = 10.0;
constexpr double kLongestTypedMm = 100000.0;  // 100 m

std::string LengthPrompt(int units, const std::string& text) {
  return Subst(Tr("Length (%1): %2  [Enter] confirm  [Esc] cancel"),
               {Units::Of(units).mark(), text.empty() ? "_" : text});
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

// While a drawing tool is on, every key but these acts on the drawing only: Backspace
// never deletes the selection then.
bool KeyOfTheSelection(CanvasKey key) {
  return key == CanvasKey::Space || key == CanvasKey::R || key == CanvasKey::Delete;
}

}  // namespace

// ---- tool mode ---------------------------------------------------------------------

CanvasEffects CanvasController::SetTool(int mode) {
  // A drawing never survives a change of tool: each tool starts afresh.
  if (mode == kToolMeasure)
    SetBase(std::make_unique<MeasureTool>(*this));
  else if (mode == kToolPolygon || mode == kToolBaseboard)
    SetBase(std::make_unique<OutlineTool>(*this, mode == kToolBaseboard));
  else
    SetBase(std::make_unique<SelectTool>(*this));
  CanvasEffects e = CanvasEffects::Repaint();
  e.cursor = mode == kToolNone ? CanvasCursor::Default : CanvasCursor::Cross;
  if (mode == kToolBaseboard) {
    e.status[0] = kBaseboardDrawStatus;
    e.focus = true;
  }
  return e;
}

CanvasEffects CanvasController::EndTool() {
  const bool baseboard = tool() == kToolBaseboard;
  SetBase(std::make_unique<SelectTool>(*this));
  CanvasEffects e = CanvasEffects::Repaint();
  e.cursor = CanvasCursor::Default;
  e.tool_ended = true;
  if (baseboard) e.status[0] = "";
  return e;
}

// ---- measure -----------------------------------------------------------------------

CanvasEffects CanvasController::MeasureTool::LeftDown(const MouseInput& m) {
  const Point p = ToLayoutPoint(c_.view_, m.x, m.y);
  if (!measuring_) {
    measuring_ = true;
    start_ = end_ = p;
    return CanvasEffects::Repaint();
  }
  CanvasController& c = c_;
  const Point start = start_;
  CanvasEffects e = c.EndTool();
  if (!AddMeasurement(c.doc_, start, p)) return e;
  return e |= CanvasEffects::Edited();
}

CanvasEffects CanvasController::MeasureTool::Motion(const MouseInput& m) {
  if (!measuring_) return IdleMotion(m);
  end_ = ToLayoutPoint(c_.view_, m.x, m.y);
  return CanvasEffects::Repaint();
}

CanvasEffects CanvasController::MeasureTool::KeyDown(CanvasKey key, char text) {
  if (KeyOfTheSelection(key)) return Tool::KeyDown(key, text);
  if (key == CanvasKey::Escape) return c_.EndTool();
  return {};  // Backspace and the rest do nothing to the layout while measuring
}

std::vector<Point> CanvasController::MeasureTool::Drawing() const {
  if (!measuring_) return {};
  return {start_, end_};
}

void CanvasController::MeasureTool::Draw(Painter& p) {
  if (measuring_) DrawMeasureInProgress(p, c_.view_, start_, end_, c_.layout_.units);
}

// ---- polygon and hand-drawn baseboard ----------------------------------------------

bool CanvasController::OutlineTool::NearFirst(Point p) const {
  return vertices_.size() >= 3 &&
         std::hypot(p.x - vertices_.front().x, p.y - vertices_.front().y) <=
             kCloseRadiusPx / std::max(c_.view_.zoom, 0.0001);
}

CanvasEffects CanvasController::OutlineTool::LeftDown(const MouseInput& m) {
  const Point p = ToLayoutPoint(c_.view_, m.x, m.y);
  mouse_ = p;
  const IPoint px{static_cast<int>(m.x), static_cast<int>(m.y)};
  if (vertices_.empty()) {
    vertices_.assign(1, p);
  } else if (px.x == last_vertex_screen_.x && px.y == last_vertex_screen_.y) {
    return {};  // the second press of a double-click
  } else if (NearFirst(p)) {
    return Close();
  } else {
    vertices_.push_back(p);
  }
  last_vertex_screen_ = px;
  CanvasEffects e = CanvasEffects::Repaint();
  e.status[0] = kPolygonStatus;
  return e;
}

CanvasEffects CanvasController::OutlineTool::Motion(const MouseInput& m) {
  if (vertices_.empty()) return IdleMotion(m);
  mouse_ = ToLayoutPoint(c_.view_, m.x, m.y);
  return CanvasEffects::Repaint();
}

CanvasEffects CanvasController::OutlineTool::Close() {
  if (vertices_.size() < 3) return {};
  CanvasController& c = c_;
  Layout& layout = c.layout_;
  // The baseboard is not part of an undo step, so closing it takes none.
  Transaction t(c.doc_, baseboard_ ? TrMark("Baseboard") : TrMark("Draw Shape"),
                baseboard_ ? Change::View : Change::Content);
  if (baseboard_) {
    layout.baseboard = vertices_;
    layout.lastshape.id = 5;
  } else {
    LayoutShape s;
    s.id = TakeId(layout);
    s.vertices = vertices_;
    s.level = TopVisibleLevel(layout);
    layout.shapes.push_back(std::move(s));
  }
  t.Commit();
  CanvasEffects e = c.EndTool();
  return e |= CanvasEffects::Edited();
}

CanvasEffects CanvasController::OutlineTool::EnterLength() {
  double value = 0;
  const bool read = ParseDouble(text_, value);
  const double mm = value * Units::Of(c_.layout_.units).factor();
  typing_ = false;
  text_.clear();
  CanvasEffects e = CanvasEffects::Repaint();
  e.status[0] = kPolygonStatus;
  if (!read || !(mm > 0) || !(mm <= kLongestTypedMm) || vertices_.empty()) return e;
  const Point last = vertices_.back();
  double dx = mouse_.x - last.x, dy = mouse_.y - last.y;
  const double d = std::hypot(dx, dy);
  if (d <= 0.001) {
    dx = 1;
    dy = 0;
  } else {
    dx /= d;
    dy /= d;
  }
  const Point next{last.x + dx * mm, last.y + dy * mm};
  vertices_.push_back(next);
  mouse_ = next;
  last_vertex_screen_ = ToDevice(c_.view_, next.x, next.y);
  return e;
}

CanvasEffects CanvasController::OutlineTool::LengthKey(CanvasKey key, char text) {
  CanvasEffects e;
  switch (key) {
    case CanvasKey::Text:
      text_ += text == ',' ? '.' : text;
      e.status[0] = LengthPrompt(c_.layout_.units, text_);
      return e;
    case CanvasKey::Back:
      if (!text_.empty()) text_.pop_back();
      e.status[0] = LengthPrompt(c_.layout_.units, text_);
      return e;
    case CanvasKey::Enter:
      return EnterLength();
    case CanvasKey::Escape:
      return c_.EndTool();
    default:
      return {};
  }
}

CanvasEffects CanvasController::OutlineTool::KeyDown(CanvasKey key, char text) {
  if (KeyOfTheSelection(key)) return Tool::KeyDown(key, text);
  if (typing_) return LengthKey(key, text);
  switch (key) {
    case CanvasKey::Escape:
      return c_.EndTool();
    case CanvasKey::Back:
      if (vertices_.empty()) return {};
      vertices_.pop_back();
      last_vertex_screen_ = {-1000000, -1000000};
      return CanvasEffects::Repaint();
    case CanvasKey::Tab: {
      if (vertices_.empty()) return {};
      typing_ = true;
      text_.clear();
      CanvasEffects e;
      e.status[0] = LengthPrompt(c_.layout_.units, "");
      return e;
    }
    case CanvasKey::Enter:
      return vertices_.size() >= 3 ? Close() : CanvasEffects{};
    default:
      return {};
  }
}

void CanvasController::OutlineTool::Draw(Painter& p) {
  if (vertices_.empty()) return;
  DrawOutlineInProgress(p, c_.view_, vertices_, mouse_, NearFirst(mouse_), c_.layout_.units);
}

// ---- the background picture's scale ------------------------------------------------

CanvasEffects CanvasController::BeginBackgroundScale() {
  if (!layout_.background) return {};
  if (layout_.background->locked) {
    prompter_.Notify(kBackgroundCaption,
                     TrMark("The background image is locked. Clear Lock to set its scale."),
                     PromptIcon::Information);
    return {};
  }
  SetBase(std::make_unique<BackgroundScaleTool>(*this));
  CanvasEffects e = CanvasEffects::Repaint();
  e.cursor = CanvasCursor::Cross;
  e.tool_ended = true;  // no Measure or Polygon toggle stays down
  e.focus = true;
  e.status[0] = kBackgroundScaleStatus;
  return e;
}

CanvasEffects CanvasController::BackgroundScaleTool::LeftDown(const MouseInput& m) {
  const Point p = ToLayoutPoint(c_.view_, m.x, m.y);
  mouse_ = p;
  if (!first_) {
    first_ = p;
    return CanvasEffects::Repaint();
  }
  CanvasController& c = c_;  // the tool is gone after EndTool
  const Point a = *first_;
  CanvasEffects e = c.EndTool();
  e.status[0] = "";
  const Units units = Units::Of(c.layout_.units);
  const std::optional<std::string> typed = c.prompter_.AskText(
      kBackgroundCaption,
      Subst(Tr("Real distance between the two points (%1):"), {units.abbreviation()}), "");
  if (!typed || !c.layout_.background) return e;
  const std::optional<double> mm = units.ParseLength(*typed);
  const std::optional<BackgroundImage> scaled =
      ScaledBetween(*c.layout_.background, a, p, mm.value_or(0));
  if (!scaled) {
    c.prompter_.Notify(kBackgroundCaption,
                       TrMark("Enter a distance greater than zero between two different points."),
                       PromptIcon::Warning);
    return e;
  }
  Transaction t(c.doc_, TrMark("Background Image"), Change::View);
  t.layout().background = *scaled;
  t.Commit();
  return e |= CanvasEffects::Edited();
}

CanvasEffects CanvasController::BackgroundScaleTool::Motion(const MouseInput& m) {
  mouse_ = ToLayoutPoint(c_.view_, m.x, m.y);
  return first_ ? CanvasEffects::Repaint() : IdleMotion(m);
}

CanvasEffects CanvasController::BackgroundScaleTool::KeyDown(CanvasKey key, char) {
  if (key != CanvasKey::Escape) return {};
  CanvasEffects e = c_.EndTool();
  e.status[0] = "";
  return e;
}

void CanvasController::BackgroundScaleTool::Draw(Painter& p) {
  if (first_) DrawMeasureInProgress(p, c_.view_, *first_, mouse_, c_.layout_.units);
}
