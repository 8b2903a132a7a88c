// GLX pixel buffer: a private display connection, a config with depth, a buffer of the
// picture's size and a context current on it.
#include "gui/view3d/offscreen_gl.h"

#include <GL/gl.h>
#include <GL/glx.h>
#include <X11/Xlib.h>

#include <cstring>
#include <string>

namespace {
// X errors (a refused buffer size) are reported here instead of ending the program.
bool g_x_error = false;
int NoteXError(Display*, XErrorEvent*) {
  g_x_error = true;
  return 0;
}
}  // namespace

bool DisplayHasGlx() {
  Display* display = XOpenDisplay(nullptr);
  if (!display) return true;
  int error_base = 0, event_base = 0, major = 0, minor = 0;
  const bool ok = glXQueryExtension(display, &error_base, &event_base) &&
                  glXQueryVersion(display, &major, &minor) &&
                  (major > 1 || (major == 1 && minor >= 3));
  XCloseDisplay(display);
  return ok;
}

struct OffscreenGl::Glx {
  Display* display = nullptr;
  GLXPbuffer pbuffer = 0;
  GLXContext context = nullptr;
};

OffscreenGl::OffscreenGl(int width, int height)
    : glx_(std::make_unique<Glx>()), width_(width), height_(height) {
  Glx& g = *glx_;
  g.display = XOpenDisplay(nullptr);
  if (!g.display) {
    error_ = "no X display to draw on";
    return;
  }
  int error_base = 0, event_base = 0, major = 0, minor = 0;
  if (!glXQueryExtension(g.display, &error_base, &event_base) ||
      !glXQueryVersion(g.display, &major, &minor) || major < 1 || (major == 1 && minor < 3)) {
    error_ = "the display offers no GLX 1.3 (OpenGL is not available)";
    return;
  }
  const int config_attrs[] = {GLX_DRAWABLE_TYPE,
                              GLX_PBUFFER_BIT,
                              GLX_RENDER_TYPE,
                              GLX_RGBA_BIT,
                              GLX_RED_SIZE,
                              8,
                              GLX_GREEN_SIZE,
                              8,
                              GLX_BLUE_SIZE,
                              8,
                              GLX_DEPTH_SIZE,
                              24,
                              GLX_DOUBLEBUFFER,
                              False,
                              None};
  int count = 0;
  GLXFBConfig* configs =
      glXChooseFBConfig(g.display, DefaultScreen(g.display), config_attrs, &count);
  if (!configs || count < 1) {
    if (configs) XFree(configs);
    error_ = "no OpenGL pixel-buffer configuration with a depth buffer";
    return;
  }
  const GLXFBConfig config = configs[0];
  XFree(configs);
  int max_w = 0, max_h = 0;
  glXGetFBConfigAttrib(g.display, config, GLX_MAX_PBUFFER_WIDTH, &max_w);
  glXGetFBConfigAttrib(g.display, config, GLX_MAX_PBUFFER_HEIGHT, &max_h);
  if (width > max_w || height > max_h) {
    error_ = "OpenGL cannot draw a picture larger than " + std::to_string(max_w) + "x" +
             std::to_string(max_h);
    return;
  }
  XSync(g.display, False);
  g_x_error = false;
  XErrorHandler previous = XSetErrorHandler(NoteXError);
  const int buffer_attrs[] = {GLX_PBUFFER_WIDTH, width, GLX_PBUFFER_HEIGHT, height, None};
  g.pbuffer = glXCreatePbuffer(g.display, config, buffer_attrs);
  if (!g_x_error) g.context = glXCreateNewContext(g.display, config, GLX_RGBA_TYPE, nullptr, True);
  XSync(g.display, False);
  XSetErrorHandler(previous);
  if (g_x_error || !g.pbuffer || !g.context) {
    error_ = "OpenGL could not make an offscreen picture of that size";
    return;
  }
  if (!glXMakeContextCurrent(g.display, g.pbuffer, g.pbuffer, g.context))
    error_ = "the OpenGL context could not be made current";
}

OffscreenGl::~OffscreenGl() {
  Glx& g = *glx_;
  if (!g.display) return;
  glXMakeContextCurrent(g.display, None, None, nullptr);
  if (g.context) glXDestroyContext(g.display, g.context);
  if (g.pbuffer) glXDestroyPbuffer(g.display, g.pbuffer);
  XCloseDisplay(g.display);
}

std::vector<unsigned char> OffscreenGl::ReadRgb() const {
  const std::size_t row = static_cast<std::size_t>(width_) * 3;
  std::vector<unsigned char> bottom_up(row * static_cast<std::size_t>(height_));
  glFinish();
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, width_, height_, GL_RGB, GL_UNSIGNED_BYTE, bottom_up.data());
  std::vector<unsigned char> out(bottom_up.size());
  for (int y = 0; y < height_; ++y)
    std::memcpy(out.data() + row * static_cast<std::size_t>(y),
                bottom_up.data() + row * static_cast<std::size_t>(height_ - 1 - y), row);
  return out;
}
