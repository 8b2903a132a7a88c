// A point in device pixels: the canvas, a printout page, a picture.
#pragma once

struct IPoint {
  int x = 0;
  int y = 0;
  friend bool operator==(const IPoint&, const IPoint&) = default;
};
