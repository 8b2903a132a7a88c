// Pointer input for the canvas controller in tests: a mouse position with its buttons
// and modifiers, a press-drag-release in steps, and a canvas over an empty layout.
#pragma once

#include <gtest/gtest.h>

#include "fake_prompter.h"
#include "interact/canvas_controller.h"
#include "model/document.h"
#include "model/layout_ops.h"

inline MouseInput At(double x, double y, Mods mods = {}, bool left = false) {
  return {x, y, mods, left};
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

// A document with Level 1 shown on a 1000 x 800 canvas where screen pixels are layout
// millimetres; questions are answered by a script.
struct CanvasDesk {
  CanvasDesk() : canvas(doc, ask) {
    EnsureDefaultLevel(layout);
    canvas.SetClientSize(1000, 800);
    canvas.SetView(1.0, 0.0, 0.0);
  }
  PlacedPiece& P(int id) { return layout.pieces[static_cast<std::size_t>(FindPiece(layout, id))]; }
  CanvasEffects Drag(double x0, double y0, double x1, double y1, Mods mods = {}) {
    return ::Drag(canvas, x0, y0, x1, y1, mods);
  }

  Document doc;
  Layout& layout = doc.layout();
  FakePrompter ask;
  CanvasController canvas;
};

class CanvasFixture : public testing::Test, public CanvasDesk {};
