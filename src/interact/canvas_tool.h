// The canvas's tools. Each gesture from press to release, each drag from the palette and
// each drawing tool is one object with its own state and its own overlay. The controller
// keeps them on a stack: the bottom one is the select tool or a drawing tool, a gesture
// begun over it sits on top until it ends, and every event goes to the top one alone.
// A new tool is a class here whose handlers return what the window must do.
#pragma once

#include <string>
#include <vector>

#include "catalog/text_mark.h"
#include "edit/snap.h"
#include "edit/transform.h"
#include "interact/canvas_controller.h"

class CanvasController::Tool {
 public:
  explicit Tool(CanvasController& c) : c_(c) {}
  virtual ~Tool() = default;
  Tool(const Tool&) = delete;
  Tool& operator=(const Tool&) = delete;

  virtual CanvasGesture gesture() const { return CanvasGesture::Other; }
  virtual CanvasEffects LeftDown(const MouseInput&) { return {}; }
  virtual CanvasEffects LeftUp(const MouseInput&) { return {}; }
  virtual CanvasEffects LeftDClick(const MouseInput& m) { return c_.OpenOrClone(m); }
  virtual CanvasEffects Motion(const MouseInput&) { return {}; }
  virtual CanvasEffects RightDown(const MouseInput& m) { return c_.ContextPress(m); }
  virtual CanvasEffects Wheel(const MouseInput& m, int rotation) {
    return c_.WheelTurnOrZoom(m, rotation);
  }
  virtual CanvasEffects KeyDown(CanvasKey key, char) { return c_.SelectionKey(key); }
  virtual CanvasEffects FlashTimerFired() { return CanvasEffects::Repaint(); }
  // The tool's overlay, over the layout, its selection handles and conflict rings.
  virtual void Draw(Painter&) {}

 protected:
  // The sizing cursor over a scenery handle while no button is held.
  CanvasEffects Hover(const MouseInput& m) {
    return m.left_down ? CanvasEffects{} : c_.HoverHandles(m);
  }
  // Motion while nothing is under way: the sizing cursor, and a Space + left drag pans.
  CanvasEffects IdleMotion(const MouseInput& m);

  CanvasController& c_;
};

// ---- selecting, moving, turning, panning (select_tools.cpp) ----------------------------

// The bottom tool when no drawing tool is on: a press selects and starts the gesture that
// fits what is under the mouse.
class CanvasController::SelectTool : public Tool {
 public:
  using Tool::Tool;
  CanvasGesture gesture() const override { return CanvasGesture::None; }
  CanvasEffects LeftDown(const MouseInput& m) override;
  CanvasEffects Motion(const MouseInput& m) override { return IdleMotion(m); }
};

// Middle button, Ctrl + press on empty canvas and Space + left drag.
class CanvasController::PanTool : public Tool {
 public:
  PanTool(CanvasController& c, const MouseInput& m, bool dead_zone);
  CanvasGesture gesture() const override { return CanvasGesture::Pan; }
  CanvasEffects LeftUp(const MouseInput&) override;  // also the middle button's release
  CanvasEffects Motion(const MouseInput& m) override;

 private:
  bool dead_zone_;  // middle and Ctrl drags wait for 3 pixels; Space drags do not
  IPoint press_;
  double offset_x_;
  double offset_y_;
};

// A press on track: a click selects; past 5 pixels the selection moves and snaps.
class CanvasController::MoveTool : public Tool {
 public:
  MoveTool(CanvasController& c, const MouseInput& m);
  CanvasGesture gesture() const override {
    return moving_ ? CanvasGesture::Move : CanvasGesture::Other;
  }
  CanvasEffects LeftUp(const MouseInput&) override;
  CanvasEffects Motion(const MouseInput& m) override;

 private:
  CanvasEffects Start();
  CanvasEffects MoveTo(const MouseInput& m);

  bool moving_ = false;
  IPoint press_;
  Point press_world_;
  SelectionStart start_;
  SnapIndex index_;  // the pieces left standing
  SnapCandidate snap_;
  int snap_piece_ = -1;
};

// A press on scenery: it moves at once, without threshold or guards.
class CanvasController::SceneryMoveTool : public Tool {
 public:
  SceneryMoveTool(CanvasController& c, const MouseInput& m);
  CanvasGesture gesture() const override { return CanvasGesture::Move; }
  CanvasEffects LeftUp(const MouseInput&) override;
  CanvasEffects Motion(const MouseInput& m) override;

 private:
  Point press_world_;
  SelectionStart start_;
};

// Alt + drag: the selection turns about its middle (a whole helix about its centre),
// snapping to right angles with a flash.
class CanvasController::RotateTool : public Tool {
 public:
  RotateTool(CanvasController& c, const MouseInput& m, bool whole_helix, int helix);
  CanvasGesture gesture() const override { return CanvasGesture::Rotate; }
  CanvasEffects LeftUp(const MouseInput&) override;
  CanvasEffects Motion(const MouseInput& m) override;
  CanvasEffects FlashTimerFired() override;
  void Draw(Painter& p) override;

 private:
  double ScreenAngle(double sx, double sy) const;

  SelectionStart start_;
  Point pivot_;
  double start_angle_ = 0;
  double ref_heading_ = 0;
  double target_ = 0;  // the heading shown beside the pivot
  bool flash_ = false;
};

class CanvasController::RubberBandTool : public Tool {
 public:
  RubberBandTool(CanvasController& c, const MouseInput& m);
  CanvasGesture gesture() const override { return CanvasGesture::RubberBand; }
  CanvasEffects LeftUp(const MouseInput&) override;
  CanvasEffects Motion(const MouseInput& m) override;
  void Draw(Painter& p) override;

 private:
  IPoint start_;
  IPoint end_;
};

// ---- drags from the palette (palette_tools.cpp) ----------------------------------------

class CanvasController::PieceDragTool : public Tool {
 public:
  PieceDragTool(CanvasController& c, std::string id);
  CanvasGesture gesture() const override { return CanvasGesture::PaletteDrag; }
  CanvasEffects LeftDown(const MouseInput& m) override;
  CanvasEffects Motion(const MouseInput& m) override { return Follow(m.x, m.y); }
  CanvasEffects RightDown(const MouseInput& m) override;
  CanvasEffects Wheel(const MouseInput& m, int rotation) override;
  CanvasEffects KeyDown(CanvasKey key, char text) override;
  void Draw(Painter& p) override;
  Pose Ghost() const { return snap_.found ? snap_.pose() : pose_; }
  void Turn(double degrees) { pose_.heading = NormalizeAngle(pose_.heading + degrees); }

 private:
  CanvasEffects Follow(double sx, double sy);  // moves the ghost and looks for an end

  std::string id_;
  Pose pose_;
  SnapCandidate snap_;
};

class CanvasController::SceneryDragTool : public Tool {
 public:
  SceneryDragTool(CanvasController& c, std::string id);
  CanvasGesture gesture() const override { return CanvasGesture::PaletteDrag; }
  CanvasEffects LeftDown(const MouseInput& m) override;
  CanvasEffects Motion(const MouseInput& m) override;
  CanvasEffects RightDown(const MouseInput& m) override;
  CanvasEffects Wheel(const MouseInput& m, int rotation) override;
  CanvasEffects KeyDown(CanvasKey key, char text) override;
  void Draw(Painter& p) override;
  Pose Ghost() const { return pose_; }
  void Turn(double degrees) { pose_.heading = NormalizeAngle(pose_.heading + degrees); }

 private:
  std::string id_;
  Pose pose_;
};

class CanvasController::HelixDragTool : public Tool {
 public:
  HelixDragTool(CanvasController& c, std::string name);
  CanvasGesture gesture() const override { return CanvasGesture::PaletteDrag; }
  CanvasEffects LeftDown(const MouseInput& m) override;
  CanvasEffects Motion(const MouseInput& m) override;
  CanvasEffects KeyDown(CanvasKey key, char text) override;
  void Draw(Painter& p) override;
  Point at() const { return at_; }

 private:
  std::string name_;
  Point at_;
};

// ---- drawing tools (drawing_tools.cpp) -------------------------------------------------

// Two clicks store a measurement; the tool ends with the second.
class CanvasController::MeasureTool : public Tool {
 public:
  using Tool::Tool;
  CanvasGesture gesture() const override {
    return measuring_ ? CanvasGesture::Other : CanvasGesture::None;
  }
  CanvasEffects LeftDown(const MouseInput& m) override;
  CanvasEffects LeftDClick(const MouseInput&) override { return {}; }
  CanvasEffects Motion(const MouseInput& m) override;
  CanvasEffects KeyDown(CanvasKey key, char text) override;
  void Draw(Painter& p) override;
  std::vector<Point> Drawing() const;

 private:
  bool measuring_ = false;
  Point start_;
  Point end_;
};

// A polygon shape or the hand-drawn baseboard, vertex by vertex, with exact lengths typed
// after Tab; it closes near the first vertex, with Enter or a double-click.
class CanvasController::OutlineTool : public Tool {
 public:
  OutlineTool(CanvasController& c, bool baseboard) : Tool(c), baseboard_(baseboard) {}
  CanvasGesture gesture() const override {
    return vertices_.empty() ? CanvasGesture::None : CanvasGesture::Other;
  }
  CanvasEffects LeftDown(const MouseInput& m) override;
  CanvasEffects LeftDClick(const MouseInput&) override { return Close(); }
  CanvasEffects Motion(const MouseInput& m) override;
  CanvasEffects KeyDown(CanvasKey key, char text) override;
  void Draw(Painter& p) override;
  bool baseboard() const { return baseboard_; }
  const std::vector<Point>& vertices() const { return vertices_; }
  std::optional<std::string> typed() const {
    return typing_ ? std::optional<std::string>(text_) : std::nullopt;
  }

 private:
  CanvasEffects Close();
  CanvasEffects EnterLength();
  CanvasEffects LengthKey(CanvasKey key, char text);
  bool NearFirst(Point p) const;  // a press here closes the outline

  bool baseboard_;
  std::vector<Point> vertices_;
  Point mouse_;
  bool typing_ = false;
  std::string text_;
  IPoint last_vertex_screen_;  // a second press on this pixel (a double-click) adds nothing
};

// Two clicks on the background picture, then the real distance between them sets its
// scale; Escape cancels.
class CanvasController::BackgroundScaleTool : public Tool {
 public:
  using Tool::Tool;
  CanvasGesture gesture() const override {
    return first_ ? CanvasGesture::Other : CanvasGesture::None;
  }
  CanvasEffects LeftDown(const MouseInput& m) override;
  CanvasEffects LeftDClick(const MouseInput&) override { return {}; }
  CanvasEffects Motion(const MouseInput& m) override;
  CanvasEffects KeyDown(CanvasKey key, char text) override;
  void Draw(Painter& p) override;

 private:
  std::optional<Point> first_;
  Point mouse_;
};

// ---- drags of annotations (annotation_tools.cpp) ---------------------------------------

// A measurement, shape, label, deck outline or scenery size dragged from `press`. The undo
// step is taken once something really moves, so a click is none.
class CanvasController::AnnotationDragTool : public Tool {
 public:
  AnnotationDragTool(CanvasController& c, Point press) : Tool(c), press_(press) {}
  CanvasEffects LeftUp(const MouseInput&) override;
  CanvasEffects Motion(const MouseInput& m) override;

 protected:
  virtual const char* label() const { return TrMark("Move"); }
  // Puts the dragged thing where the mouse at `at`, moved by `d` since the press, says.
  virtual void Apply(Point at, Point d) = 0;

 private:
  Point press_;
};

class CanvasController::MeasureDragTool : public AnnotationDragTool {
 public:
  MeasureDragTool(CanvasController& c, Point press, const Measurement& m)
      : AnnotationDragTool(c, press), start_(m) {}

 private:
  void Apply(Point at, Point d) override;
  Measurement start_;
};

class CanvasController::ShapeDragTool : public AnnotationDragTool {
 public:
  ShapeDragTool(CanvasController& c, Point press, const LayoutShape& s)
      : AnnotationDragTool(c, press), id_(s.id), start_(s.vertices) {}

 private:
  void Apply(Point at, Point d) override;
  int id_;
  std::vector<Point> start_;
};

class CanvasController::LabelDragTool : public AnnotationDragTool {
 public:
  LabelDragTool(CanvasController& c, Point press, const LayoutLabel& l)
      : AnnotationDragTool(c, press), id_(l.id), grab_{l.x - press.x, l.y - press.y} {}

 private:
  void Apply(Point at, Point d) override;
  int id_;
  Point grab_;  // the label's anchor minus the pressed point
};

// Shift + drag on a deck's edge: the free-form deck outline moves; no undo step.
class CanvasController::DeckDragTool : public AnnotationDragTool {
 public:
  DeckDragTool(CanvasController& c, Point press, const Level& l)
      : AnnotationDragTool(c, press), level_(l.id), start_(l.outline) {}

 private:
  const char* label() const override { return TrMark("Move Deck Outline"); }
  void Apply(Point at, Point d) override;
  int level_;
  std::vector<Point> start_;
};

// One of the eight handles of a selected scenery item: it scales from the opposite one.
class CanvasController::ResizeDragTool : public AnnotationDragTool {
 public:
  ResizeDragTool(CanvasController& c, const SceneryItem& s, int handle);

 private:
  void Apply(Point at, Point d) override;
  SceneryItem start_;
  int handle_;
  int anchor_;
};
