// The canvas's interaction state: palette drags, snapping, presses, moves, rotations,
// the rubber band and panning.
#pragma once

#include <string>

#include "edit/clipboard.h"
#include "edit/snap.h"
#include "edit/transform.h"
#include "model/world_connectors.h"
#include "render/painter.h"

struct CanvasState {
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
  bool moveSnapshotTaken = false;
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

  CanvasClipboard clipboard;
  Point labelDropPoint;  // where the next label goes (Ctrl + press on empty canvas)
  bool hasLabelDropPoint = false;
};
