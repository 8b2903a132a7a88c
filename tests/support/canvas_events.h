// Pointer input for the canvas controller in tests: a mouse position with its buttons
// and modifiers, and a press-drag-release in steps.
#pragma once

#include "interact/canvas_controller.h"

inline MouseInput At(double x, double y, Mods mods = {}, bool left = false) {
  MouseInput m;
  m.x = x;
  m.y = y;
  m.mods = mods;
  m.left_down = left;
  return m;
}

// Press, drag in four steps and release; the effects of all of it.
inline CanvasEffects Drag(CanvasController& canvas, double x0, double y0, double x1, double y1,
                          Mods mods = {}) {
  CanvasEffects e = canvas.LeftDown(At(x0, y0, mods, true));
  for (int k = 1; k <= 4; ++k)
    e |= canvas.Motion(At(x0 + (x1 - x0) * k / 4, y0 + (y1 - y0) * k / 4, mods, true));
  e |= canvas.LeftUp(At(x1, y1, mods));
  return e;
}
