// The canvas's interaction state: palette drags, snapping, presses, moves, rotations,
// the rubber band and panning.
#pragma once

#include <string>
#include <vector>

#include "edit/clipboard.h"
#include "edit/snap.h"
#include "edit/transform.h"
#include "model/world_connectors.h"
#include "render/painter.h"

// The canvas's tool modes: the drawing tools of the tool bar and the hand-drawn baseboard.
enum ToolMode : int { kToolNone = 0, kToolMeasure = 3, kToolPolygon = 4, kToolBaseboard = 5 };

struct CanvasState {
  bool snap = true;  // View > Snap: drops and moves snap to free ends
  // Dragging from the palette.
  bool pieceDragActive = false;
  std::string dragPieceId;
  Pose dragPose;
  SnapCandidate dragSnap;
  bool sceneryDragActive = false;
  std::string dragSceneryId;
  Pose dragSceneryPose;
  bool helixDragActive = false;
  std::string dragHelixName;
  Point dragHelixPos;
  SnapCandidate moveSnap;
  int moveSnapPieceId = -1;
  bool ignoreNextPress = false;

  // Editing.
  bool pressPending = false;
  IPoint pressScreen;
  bool moving = false;
  bool sceneryMoving = false;  // a scenery item is carried without threshold or guards
  Point pressWorld;
  SelectionStart moveStart;
  bool rubberBandActive = false;
  IPoint rubberBandStart;
  IPoint rubberBandEnd;
  bool panActive = false;
  bool panDeadZone = false;  // middle and Ctrl drags wait for 3 pixels; Space drags do not
  IPoint panPress;
  double panOffsetX = 0;
  double panOffsetY = 0;
  bool spaceDown = false;
  bool rotateActive = false;
  Point rotatePivot;
  double rotateStartAngle = 0;
  SelectionStart rotateStart;
  double rotateRefHeading = 0;
  double rotateTarget = 0;  // heading shown beside the pivot
  int rotateHelixId = -1;
  double rotateHelixStartAngle = 0;
  bool rightAngleFlash = false;

  // Drawing tools: measure, polygon and the hand-drawn baseboard.
  bool measuring = false;
  Point measureStart;
  Point measureEnd;
  bool drawingPolygon = false;
  std::vector<Point> polygonVertices;
  Point lastMouse;
  bool lengthEntryActive = false;
  std::string lengthText;
  int drawingTool = kToolNone;  // the tool on; the drawing state above belongs to it
  IPoint lastVertexScreen;      // a second press on this pixel (a double-click) adds nothing

  // Drags of annotations. Each takes its undo snapshot once something really moves.
  bool measureDrag = false;
  int measureDragId = -1;
  bool measureDragLabel = false;  // the label was hit rather than the line
  Measurement measureDragStart;
  bool shapeDrag = false;
  int shapeDragId = -1;
  std::vector<Point> shapeDragStart;
  bool labelDrag = false;
  int labelDragId = -1;
  Point labelGrab;  // label anchor minus the pressed point
  bool deckDrag = false;
  int deckDragLevel = -1;
  std::vector<Point> deckDragStart;
  bool resizeDrag = false;
  int resizeItemId = -1;
  int resizeHandle = -1;
  int resizeAnchor = -1;
  double resizeStartScaleX = 1.0;
  double resizeStartScaleY = 1.0;
  Point resizeStartPos;
  Point dragPress;  // layout point of the press that started one of these drags

  CanvasClipboard clipboard;
  Point labelDropPoint;  // where the next label goes (Ctrl + press on empty canvas)
  bool hasLabelDropPoint = false;
};
