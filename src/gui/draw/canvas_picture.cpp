// Keeping the canvas's layout bitmap and composing a frame from it.
#include "gui/draw/canvas_picture.h"

#include <wx/dcmemory.h>

#include <cmath>
#include <cstdlib>
#include <utility>

#include "gui/draw/wx_painter.h"
#include "render/render_overlays.h"

CanvasPicture::CanvasPicture() {
  render_.simplify = true;
  render_.keep_piece_index = true;
}

void CanvasPicture::Invalidate() {
  valid_ = framed_valid_ = false;
  render_.pieces_stale = true;
}

void CanvasPicture::DrawWhole(const Layout& layout, const ViewTransform& view, int width,
                              int height) {
  wxMemoryDC mem(layer_);
  WxPainter painter(mem);
  painter.ShareTextExtents(extents_);
  render_.area = {};
  render_.underlay = background_.UnderlayOn(mem);
  DrawLayout(render_, painter, layout, view, width, height);
  render_.underlay = {};
}

void CanvasPicture::Shift(const Layout& layout, const ViewTransform& view, int dx, int dy,
                          int width, int height) {
  if (!spare_.IsOk() || spare_.GetWidth() != width || spare_.GetHeight() != height)
    spare_.Create(width, height, 24);
  {
    wxMemoryDC mem(spare_);
    mem.DrawBitmap(layer_, dx, dy);
    WxPainter painter(mem);
    painter.ShareTextExtents(extents_);
    render_.underlay = background_.UnderlayOn(mem);
    // The columns uncovered at the left or right, then the rows at the top or bottom
    // beside them; no pixel is drawn twice.
    const int cx0 = dx > 0 ? 0 : width + dx, cx1 = dx > 0 ? dx : width;
    const int rx0 = dx > 0 ? dx : 0, rx1 = dx > 0 ? width : width + dx;
    const int ry0 = dy > 0 ? 0 : height + dy, ry1 = dy > 0 ? dy : height;
    const RenderContext::Area strips[2] = {{cx0, 0, cx1, height}, {rx0, ry0, rx1, ry1}};
    for (const RenderContext::Area& strip : strips) {
      if (strip.empty()) continue;
      painter.SetClip(strip.x0, strip.y0, strip.x1 - strip.x0, strip.y1 - strip.y0);
      render_.area = strip;
      DrawLayout(render_, painter, layout, view, width, height);
      painter.ResetClip();
    }
    render_.area = {};
    render_.underlay = {};
  }
  std::swap(layer_, spare_);
}

void CanvasPicture::Paint(wxDC& dc, const Layout& layout, const ViewTransform& view, int width,
                          int height, CanvasGesture gesture,
                          const std::function<void(Painter&)>& overlays) {
  if (width <= 0 || height <= 0) return;
  if (!layer_.IsOk() || layer_.GetWidth() != width || layer_.GetHeight() != height) {
    layer_.Create(width, height, 24);
    valid_ = false;
  }
  const bool carrying = gesture == CanvasGesture::Move || gesture == CanvasGesture::Rotate;
  const DrawPass pass = carrying ? DrawPass::Still : DrawPass::All;
  render_.pass = pass;
  bool changed = true;
  if (!valid_ || pass != layer_pass_ || view.zoom != layer_view_.zoom || &layout != layer_layout_) {
    DrawWhole(layout, view, width, height);
  } else if (view.offset_x != layer_view_.offset_x || view.offset_y != layer_view_.offset_y) {
    // A whole number of pixels moves every device point by that much (but for a point
    // within rounding of a pixel's edge, which may land one pixel off).
    const double dx = view.offset_x - layer_view_.offset_x;
    const double dy = view.offset_y - layer_view_.offset_y;
    if (dx == std::trunc(dx) && dy == std::trunc(dy) && std::fabs(dx) < width &&
        std::fabs(dy) < height)
      Shift(layout, view, static_cast<int>(dx), static_cast<int>(dy), width, height);
    else
      DrawWhole(layout, view, width, height);
  } else {
    changed = false;
  }
  valid_ = true;
  layer_pass_ = pass;
  layer_view_ = view;
  layer_layout_ = &layout;
  render_.pass = DrawPass::All;

  if (carrying) {
    // The still layout, the carried selection over it, the rulers.
    framed_valid_ = false;
    dc.DrawBitmap(layer_, 0, 0);
    WxPainter painter(dc);
    painter.ShareTextExtents(extents_);
    render_.pass = DrawPass::Moving;
    DrawLayout(render_, painter, layout, view, width, height);
    render_.pass = DrawPass::All;
    DrawRulers(painter, view, layout.units, width, height);
    overlays(painter);
    return;
  }
  if (changed || !framed_valid_ || framed_.GetWidth() != width || framed_.GetHeight() != height) {
    if (!framed_.IsOk() || framed_.GetWidth() != width || framed_.GetHeight() != height)
      framed_.Create(width, height, 24);
    wxMemoryDC mem(framed_);
    mem.DrawBitmap(layer_, 0, 0);
    WxPainter painter(mem);
    painter.ShareTextExtents(extents_);
    DrawRulers(painter, view, layout.units, width, height);
    framed_valid_ = true;
  }
  dc.DrawBitmap(framed_, 0, 0);
  WxPainter painter(dc);
  painter.ShareTextExtents(extents_);
  overlays(painter);
}
