// The canvas's picture: the layout drawn once into a bitmap at the current zoom and
// reused while it holds. A pan shifts it and draws only the uncovered strips; while the
// selection is carried the bitmap holds the layout without it and the selection is drawn
// over it each frame; a rubber band or any other overlay is drawn over the bitmap.
#pragma once

#include <wx/bitmap.h>
#include <wx/dc.h>

#include <functional>

#include "gui/draw/background_picture.h"
#include "gui/draw/wx_painter.h"
#include "interact/canvas_controller.h"
#include "render/render.h"

class CanvasPicture {
 public:
  CanvasPicture();

  RenderContext& render() { return render_; }
  // The layout or what is shown of it changed: the next frame draws it afresh.
  void Invalidate();

  // One frame on `dc`, `width` by `height` pixels: the layout as `view` shows it, the
  // rulers, then `overlays`.
  void Paint(wxDC& dc, const Layout& layout, const ViewTransform& view, int width, int height,
             CanvasGesture gesture, const std::function<void(Painter&)>& overlays);

 private:
  void DrawWhole(const Layout& layout, const ViewTransform& view, int width, int height);
  void Shift(const Layout& layout, const ViewTransform& view, int dx, int dy, int width,
             int height);

  RenderContext render_;
  BackgroundPicture background_;
  WxPainter::TextExtents extents_;
  wxBitmap layer_;   // the layout, or during a move all of it but the selection
  wxBitmap spare_;   // the next layer while a pan shifts it
  wxBitmap framed_;  // the layer with the rulers, while neither changes
  bool framed_valid_ = false;
  bool valid_ = false;
  DrawPass layer_pass_ = DrawPass::All;
  ViewTransform layer_view_;
  const Layout* layer_layout_ = nullptr;
};
