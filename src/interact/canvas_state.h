// What the canvas keeps from one tool to the next: the snap switch, the Space key, the
// clipboard and where the next label goes. Each tool keeps its own state
// (interact/canvas_tool.h).
#pragma once

#include "edit/clipboard.h"
#include "model/layout.h"

// The canvas's tool modes: the drawing tools of the tool bar and the hand-drawn baseboard.
enum ToolMode : int { kToolNone = 0, kToolMeasure = 3, kToolPolygon = 4, kToolBaseboard = 5 };

struct CanvasState {
  bool snap = true;              // View > Snap: drops and moves snap to free ends
  bool spaceDown = false;        // Space held: a left drag pans
  bool ignoreNextPress = false;  // the press that follows a double-click's clone
  CanvasClipboard clipboard;
  Point labelDropPoint;  // where the next label goes (Ctrl + press on empty canvas)
  bool hasLabelDropPoint = false;
};
