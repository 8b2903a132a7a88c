// Mapping between layout millimetres and device pixels, with the zoom commands.
#pragma once

#include "model/layout.h"
#include "view/device_point.h"

struct ViewTransform {
  double zoom = 0.4;       // pixels per layout millimetre
  double offset_x = 60.0;  // device x of layout x = 0
  double offset_y = 60.0;  // device y of layout y = 0
  friend bool operator==(const ViewTransform&, const ViewTransform&) = default;
};

inline constexpr double kMinZoom = 0.3;
inline constexpr double kMaxZoom = 20.0;
inline constexpr double kWheelZoomStep = 1.15;

// trunc(zoom * x + offset), toward zero; y grows downward like device y.
IPoint ToDevice(const ViewTransform& v, double x, double y);
// The layout point under a device point.
Point ToLayoutPoint(const ViewTransform& v, double sx, double sy);

// Where the background picture falls: its top-left corner in device pixels and the device
// pixels per picture pixel. `px` is 0 when it draws nothing (no opacity, no scale).
struct PicturePlace {
  double left = 0;
  double top = 0;
  double px = 0;
};
PicturePlace PlacePicture(const BackgroundImage& image, const ViewTransform& v);

// Zoom about the centre of a client area, clamped to [0.3, 20].
void ZoomBy(ViewTransform& v, double factor, int client_width, int client_height);
// Zoom about a device point (the mouse), which stays put; clamped to [0.3, 20].
void ZoomAbout(ViewTransform& v, double factor, double sx, double sy);
// The mouse wheel's zoom about a device point: as ZoomAbout, except that when `fit` (the
// view Zoom to Fit gives) is zoomed out further than 0.3, the range reaches down to it,
// and a step out that would reach or pass it gives exactly that view.
void WheelZoom(ViewTransform& v, double factor, double sx, double sy, const ViewTransform& fit);
// Fits the content into the client area with an 80-pixel margin; the empty-layout view
// is zoom 0.4 at (60, 60).
void FitToLayout(ViewTransform& v, const Layout& layout, bool pieces_only, int client_width,
                 int client_height);
// View > Zoom to Selection: fits what is selected as Zoom to Fit fits the layout; false,
// and the view as it was, when nothing with a position is selected.
bool FitToSelection(ViewTransform& v, const Layout& layout, int client_width, int client_height);
