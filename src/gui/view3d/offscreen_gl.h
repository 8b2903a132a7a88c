// An OpenGL context drawing into an invisible GLX pixel buffer of a given size, for
// pictures and measurements made without a window.
#pragma once

#include <memory>
#include <string>
#include <vector>

// False when the X display has no GLX 1.3 (the toolkit's GL canvas would assert);
// true as well when there is no X display to ask (the toolkit then decides).
bool DisplayHasGlx();

class OffscreenGl {
 public:
  OffscreenGl(int width, int height);
  ~OffscreenGl();
  OffscreenGl(const OffscreenGl&) = delete;
  OffscreenGl& operator=(const OffscreenGl&) = delete;

  // Empty when the context is current; otherwise why there is none.
  const std::string& error() const { return error_; }
  int width() const { return width_; }
  int height() const { return height_; }
  // The drawn picture as RGB bytes, top row first.
  std::vector<unsigned char> ReadRgb() const;

 private:
  struct Glx;
  std::unique_ptr<Glx> glx_;
  int width_, height_;
  std::string error_;
};
