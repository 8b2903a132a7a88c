// The canvas's event routing, without any window: pointer and key events arrive in screen
// pixels with their modifiers and go to the one tool under way (interact/canvas_tool.h);
// each call changes the layout and the tool's state and says what the window must do
// (repaint, capture, cursor, status texts, menus).
#pragma once

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/prompter.h"
#include "catalog/text_mark.h"
#include "edit/plan_check.h"
#include "edit/snap.h"
#include "interact/canvas_state.h"
#include "model/document.h"
#include "render/render.h"
#include "view/view_transform.h"

// Status field 0 while a polygon or baseboard outline is drawn.
inline constexpr const char* kPolygonStatus = TrMark(
    "Click to place vertices. Tab: exact length. Enter or double-click: close. Backspace: "
    "undo last.");
// Status field 0 while the background picture's scale is being set.
inline constexpr const char* kBackgroundScaleStatus =
    "Click two points on the background image whose distance you know. Escape cancels.";
// Status field 0 when the baseboard dialog asks for a hand-drawn outline.
inline constexpr const char* kBaseboardDrawStatus = TrMark(
    "Click vertices to outline the baseboard. Click first vertex (or press Enter) to close. "
    "Backspace removes last vertex; Escape cancels.");

struct Mods {
  bool ctrl = false;
  bool shift = false;
  bool alt = false;
};

struct MouseInput {
  double x = 0;
  double y = 0;
  Mods mods;
  bool left_down = false;  // the left button is held
};

// Text is a character of an exact length: 0-9, '.' or ','.
enum class CanvasKey { Escape, Delete, Back, R, Space, Tab, Enter, Text, Other };
// The sizing cursors: 0 and 4 one diagonal, 1 and 5 vertical, 2 and 6 the other, 3 and 7
// horizontal.
enum class CanvasCursor { Keep, Default, Cross, Hand, SizeNWSE, SizeNS, SizeNESW, SizeWE };
enum class CanvasMenu { None, Piece, Paste, Shape };
enum class CanvasDialog { None, ShapeProperties, ResizeScenery };

struct CanvasEffects {
  bool repaint = false;
  bool content = false;     // the layout's content changed: drawings and indexes are stale
  bool modified = false;    // a finished edit: mark modified, refresh panels, 3D view, title
  bool properties = false;  // the selection changed: refresh the properties panel
  bool view = false;        // zoom or offsets changed
  bool capture = false;
  bool release = false;
  bool focus = false;
  bool start_flash = false;
  bool stop_flash = false;
  bool tool_ended = false;  // a drawing ended: release the Measure and Polygon toggles
  CanvasDialog dialog = CanvasDialog::None;
  int dialog_id = -1;  // the shape or scenery item the dialog edits
  CanvasCursor cursor = CanvasCursor::Keep;
  CanvasMenu menu = CanvasMenu::None;
  bool menu_autofill = false;   // the piece menu offers the two autofill commands
  bool menu_end_grade = false;  // the piece menu offers "End Grade" (a grade is active)
  bool menu_flip = false;       // the piece menu offers "Flip" (one piece is selected)
  std::array<std::optional<std::string>, 3> status;

  CanvasEffects& operator|=(const CanvasEffects& o);
  // A repaint and nothing else.
  static CanvasEffects Repaint();
  // A finished edit of the layout: repaint, stale caches, modified, properties.
  static CanvasEffects Edited();
};

// What is under way between a press and a release, for painting: Move and Rotate carry
// the selection; a palette drag changes nothing until the drop.
enum class CanvasGesture { None, Pan, Move, Rotate, RubberBand, PaletteDrag, Other };

class CanvasController {
 public:
  CanvasController(Document& doc, Prompter& prompter);
  ~CanvasController();
  CanvasController(const CanvasController&) = delete;
  CanvasController& operator=(const CanvasController&) = delete;

  ViewTransform& view() { return view_; }
  const ViewTransform& view() const { return view_; }
  const CanvasState& state() const { return st_; }
  CanvasState& state() { return st_; }
  void SetClientSize(int width, int height);
  int width() const { return width_; }
  int height() const { return height_; }
  // The layout was changed from outside (undo, panels, file commands): rebuild indexes.
  void LayoutChanged() {
    index_dirty_ = true;
    conflicts_stale_ = true;
  }

  // From the palette.
  CanvasEffects BeginPieceDrag(const std::string& id);
  CanvasEffects BeginSceneryDrag(const std::string& id);
  CanvasEffects BeginHelixDrag(const std::string& name);
  CanvasEffects AutoConnect(const std::string& id);
  CanvasEffects InsertHelixAt(const std::string& id, double angle, Point at);
  CanvasEffects CancelPieceDrag();

  // Pointer and keys.
  CanvasEffects LeftDown(const MouseInput& m);
  CanvasEffects LeftUp(const MouseInput& m);
  CanvasEffects LeftDClick(const MouseInput& m);
  CanvasEffects Motion(const MouseInput& m);
  CanvasEffects RightDown(const MouseInput& m);
  CanvasEffects MiddleDown(const MouseInput& m);
  CanvasEffects MiddleUp(const MouseInput& m);
  CanvasEffects Wheel(const MouseInput& m, int rotation);
  CanvasEffects KeyDown(CanvasKey key, Mods mods, char text = 0);
  CanvasEffects KeyUp(CanvasKey key);
  CanvasEffects FlashTimerFired();
  CanvasEffects CaptureLost();

  // Commands.
  CanvasEffects DeleteSelection();
  CanvasEffects CopySelection();
  CanvasEffects CopyShape(int shape_id);
  // Enters a tool mode (0 none, 3 measure, 4 polygon, 5 baseboard); any half-drawn
  // measurement or outline is dropped.
  CanvasEffects SetTool(int mode);
  CanvasEffects Paste();  // at the point of the last right click
  CanvasEffects ZoomBy(double factor);
  CanvasEffects ZoomToFit(bool pieces_only = false);
  // View > Zoom to Selection: nothing happens when nothing is selected.
  CanvasEffects ZoomToSelection();
  // Flip: the one selected piece turned end for end about its joint. Mirror: the
  // selected pieces swapped for their opposite-hand articles; the status names the others.
  CanvasEffects Flip();
  CanvasEffects Mirror();
  CanvasEffects SetView(double zoom, double offset_x, double offset_y);
  // Keeps the zoom and brings a layout point to the middle of the canvas.
  CanvasEffects CentreOn(Point at);
  // View > Show Conflicts: a red ring on every conflict of the plan.
  CanvasEffects ShowConflicts(bool on);
  bool conflicts_shown() const { return show_conflicts_; }
  // View > Show Heights: the height at each joint and the grade of graded pieces.
  CanvasEffects ShowHeights(bool on);
  bool heights_shown() const { return show_heights_; }
  // Where the rings go: the conflicts as the layout is now, re-checked only where it
  // changed since the last call (told by LayoutChanged, or a piece being carried).
  std::vector<Point> ConflictMarks();
  CanvasEffects DeselectAll();
  // "End Grade" from the piece menu, on the piece that was right-clicked.
  CanvasEffects EndGradeOnMenuPiece();
  // "Autofill Gap..." and, with curves, "Autofill Gap with Curves..." on the selected pair.
  CanvasEffects Autofill(bool with_curves);
  // "Add Label": at the last Ctrl+press on empty canvas (that point serves one label),
  // else at the origin.
  CanvasEffects AddLabel(const std::string& text);
  // Background Image's "Set Scale...": two clicks on the canvas, then the real distance
  // between them is asked and the picture scaled about the first. Refused with a message
  // while the picture is locked.
  CanvasEffects BeginBackgroundScale();

  // What the tool on top is doing.
  CanvasGesture gesture() const;
  // The drawing tool on: kToolNone, kToolMeasure, kToolPolygon or kToolBaseboard.
  int tool() const;
  // The measurement (start and end) or the outline's vertices being drawn; empty if none.
  std::vector<Point> Drawing() const;
  // The exact length typed after Tab, while it is being typed.
  std::optional<std::string> TypedLength() const;
  // Where the piece, scenery item or helix dragged from the palette is shown: snapped to
  // an end when it snaps.
  std::optional<Pose> GhostPose() const;
  // Turns the piece or scenery item dragged from the palette.
  void TurnGhost(double degrees);
  // Everything drawn over the layout: selection handles, conflict rings, and the overlay
  // of each tool (ghosts, rubber band, the drawing under way, the rotation readout).
  void DrawOverlays(Painter& p);

  // The shape under a device point: an edge within 8 pixels, else an interior; -1 none.
  int ShapeAt(double sx, double sy) const;
  int ShapeEdgeAt(double sx, double sy) const;
  int ShapeInteriorAt(double sx, double sy) const;
  int MenuShape() const { return menu_shape_; }

  // The status-bar text of the mouse position in the layout's unit.
  static std::string PositionText(double x_mm, double y_mm, int units);

 private:
  // The tools (canvas_tool.h) are nested so that they reach the document and the view.
  class Tool;
  class SelectTool;
  class PanTool;
  class MoveTool;
  class SceneryMoveTool;
  class RotateTool;
  class RubberBandTool;
  class PieceDragTool;
  class SceneryDragTool;
  class HelixDragTool;
  class MeasureTool;
  class OutlineTool;
  class BackgroundScaleTool;
  class AnnotationDragTool;
  class MeasureDragTool;
  class ShapeDragTool;
  class LabelDragTool;
  class DeckDragTool;
  class ResizeDragTool;

  // The stack of tools: the bottom one (select or a drawing tool) stays; a gesture begun
  // over it goes on top until it ends. Ended tools live until the next event comes in, as
  // one may end itself in the middle of its own handler.
  Tool& Top() const { return *tools_.back(); }
  void Push(std::unique_ptr<Tool> tool);
  void End(Tool* tool);
  void SetBase(std::unique_ptr<Tool> tool);
  void EndPaletteDrags();

  // What a press, right click, wheel turn, key or double-click does when the tool on top
  // has nothing of its own to do with it.
  CanvasEffects ContextPress(const MouseInput& m);
  CanvasEffects WheelTurnOrZoom(const MouseInput& m, int rotation);
  CanvasEffects SelectionKey(CanvasKey key);
  CanvasEffects OpenOrClone(const MouseInput& m);
  // Alt + press turns the selection; the press after a double-click's clone is swallowed.
  bool PressPrelude(const MouseInput& m, CanvasEffects& e);

  CanvasEffects StartPan(const MouseInput& m, bool dead_zone);
  CanvasEffects StartRotation(const MouseInput& m);
  CanvasEffects StartShapeDrag(int shape_id, Point at);
  CanvasEffects AnnotationPress(const MouseInput& m);
  CanvasEffects EndTool();
  CanvasEffects Placed(bool placed);
  void EnsureDragIndex();
  // The selected scenery item and handle under a device point; false when none.
  bool SceneryHandleAt(double sx, double sy, int& item_id, int& handle) const;
  CanvasEffects HoverHandles(const MouseInput& m);
  // Keeps the drag, rotation or annotation drag under way as one undo step.
  void CommitGesture();

  Document& doc_;
  Layout& layout_;
  Prompter& prompter_;
  ViewTransform view_;
  CanvasState st_;
  std::vector<std::unique_ptr<Tool>> tools_;
  std::vector<std::unique_ptr<Tool>> retired_;
  RenderContext overlay_rc_;
  int width_ = 800;
  int height_ = 600;
  SnapIndex drag_index_;
  bool index_dirty_ = true;
  Point last_right_click_;
  int menu_piece_ = -1;                 // the piece the context menu was opened on
  int menu_shape_ = -1;                 // the shape the context menu was opened on
  bool over_handle_ = false;            // the sizing cursor is showing
  std::optional<Transaction> gesture_;  // the drag under way, begun once something moved
  PlanChecker conflicts_;
  bool show_conflicts_ = false;
  bool show_heights_ = false;
  bool conflicts_stale_ = true;
};
