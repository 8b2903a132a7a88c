// Layout millimetres to device pixels and back, the zoom steps and "fit".
#include "view/view_transform.h"

#include <algorithm>
#include <cmath>

#include "model/layout_extent.h"

namespace {

// Device coordinates far outside any screen are pinned so the conversion to int
// stays defined; such points are off every surface either way.
constexpr double kDeviceLimit = 1.0e9;

int ToDeviceInt(double v) {
  if (!(v > -kDeviceLimit)) return static_cast<int>(-kDeviceLimit);  // NaN lands here too
  if (v > kDeviceLimit) return static_cast<int>(kDeviceLimit);
  return static_cast<int>(std::trunc(v));
}

double ClampZoom(double z) {
  return std::clamp(z, kMinZoom, kMaxZoom);
}

// Pieces, scenery positions and helix squares on every level; unless pieces only, also
// the drawings and a shown baseboard.
Extent ContentExtent(const Layout& layout, bool pieces_only) {
  ExtentFilter f;
  f.helices = OnLevels::All;
  if (!pieces_only) {
    f.drawings = true;
    f.baseboard = ExtentFilter::Board::Outline;
  }
  return LayoutExtent(layout, f);
}

}  // namespace

IPoint ToDevice(const ViewTransform& v, double x, double y) {
  return {ToDeviceInt(v.zoom * x + v.offset_x), ToDeviceInt(v.zoom * y + v.offset_y)};
}

Point ToLayoutPoint(const ViewTransform& v, double sx, double sy) {
  return {(sx - v.offset_x) / v.zoom, (sy - v.offset_y) / v.zoom};
}

void ZoomAbout(ViewTransform& v, double factor, double sx, double sy) {
  const Point w = ToLayoutPoint(v, sx, sy);
  v.zoom = ClampZoom(v.zoom * factor);
  v.offset_x = sx - w.x * v.zoom;
  v.offset_y = sy - w.y * v.zoom;
}

void WheelZoom(ViewTransform& v, double factor, double sx, double sy, const ViewTransform& fit) {
  if (fit.zoom < kMinZoom && fit.zoom > 0 && v.zoom * factor <= fit.zoom && factor < 1.0) {
    v = fit;
    return;
  }
  const Point w = ToLayoutPoint(v, sx, sy);
  v.zoom =
      std::clamp(v.zoom * factor, std::min(kMinZoom, fit.zoom > 0 ? fit.zoom : kMinZoom), kMaxZoom);
  v.offset_x = sx - w.x * v.zoom;
  v.offset_y = sy - w.y * v.zoom;
}

void ZoomBy(ViewTransform& v, double factor, int client_width, int client_height) {
  ZoomAbout(v, factor, client_width / 2, client_height / 2);
}

static void FitToExtent(ViewTransform& v, const Extent& b, int client_width, int client_height) {
  // Nothing that has a position (or only unknown articles) gets the start view rather
  // than a view of the empty bounds.
  if (!b.any) {
    v = ViewTransform{};
    return;
  }
  const double w = std::max(1.0, b.max_x - b.min_x);
  const double h = std::max(1.0, b.max_y - b.min_y);
  const double avail_w = client_width - 160.0, avail_h = client_height - 160.0;
  v.zoom = std::max(0.05, std::min({avail_w / w, avail_h / h, kMaxZoom}));
  v.offset_x = 80.0 - v.zoom * b.min_x + (avail_w - v.zoom * w) / 2.0;
  v.offset_y = 80.0 - v.zoom * b.min_y + (avail_h - v.zoom * h) / 2.0;
  // Coordinates near the limits of a double give infinite sizes: shown like empty.
  if (!std::isfinite(v.offset_x) || !std::isfinite(v.offset_y) || !std::isfinite(v.zoom))
    v = ViewTransform{};
}

void FitToLayout(ViewTransform& v, const Layout& layout, bool pieces_only, int client_width,
                 int client_height) {
  FitToExtent(v, ContentExtent(layout, pieces_only), client_width, client_height);
}

bool FitToSelection(ViewTransform& v, const Layout& layout, int client_width, int client_height) {
  ExtentFilter f;
  f.helices = OnLevels::All;
  f.drawings = true;
  f.selected_only = true;
  const Extent b = LayoutExtent(layout, f);
  if (!b.any) return false;
  FitToExtent(v, b, client_width, client_height);
  return true;
}

PicturePlace PlacePicture(const BackgroundImage& image, const ViewTransform& v) {
  if (!(image.opacity > 0) || !(image.mm_per_px > 0)) return {};
  return {v.zoom * image.x + v.offset_x, v.zoom * image.y + v.offset_y, v.zoom * image.mm_per_px};
}
