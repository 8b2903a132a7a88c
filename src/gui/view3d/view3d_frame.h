// The 3D window: a frame holding the GL canvas that draws the layout's scene and turns
// mouse and keys into camera moves.
#pragma once

#include <wx/frame.h>
#include <wx/glcanvas.h>

#include <functional>
#include <memory>

#include "app/prompter.h"
#include "catalog/text_mark.h"
#include "gui/view3d/gl_scene.h"
#include "model/layout.h"
#include "scene3d/scene3d.h"

class TrackGLCanvas : public wxGLCanvas {
 public:
  TrackGLCanvas(wxWindow* parent, const wxGLAttributes& attrs, const ::Layout& layout);
  // False when no OpenGL 2.1 context could be made.
  bool HasContext() const { return context_ && context_->IsOK(); }
  // Marks the scene out of date: it is built again when next drawn or asked for, once
  // however many changes came before.
  void Rebuild();
  const Scene3D& scene();
  Camera3D& camera() { return camera_; }
  const DrawPlan& lastPlan() const { return plan_; }

 private:
  void BuildIfStale();
  void OnPaint(wxPaintEvent& e);
  void OnMouseDown(wxMouseEvent& e);
  void OnMouseUp(wxMouseEvent& e);
  void OnMotion(wxMouseEvent& e);
  void OnWheel(wxMouseEvent& e);
  void OnKey(wxKeyEvent& e);

  const ::Layout& layout_;
  std::unique_ptr<wxGLContext> context_;
  bool initialised_ = false;
  bool stale_ = true;
  Scene3D scene_;
  Camera3D camera_;
  DrawPlan plan_;
  GluTessellator tessellator_;
  int lastX_ = 0, lastY_ = 0;
  bool leftHeld_ = false, rightHeld_ = false;
};

class View3DFrame : public wxFrame {
 public:
  // Opens the window over `parent`, or tells the user through `prompter` that OpenGL is
  // not available and returns null. `closed` runs when the window closes.
  static View3DFrame* Open(wxWindow* parent, const ::Layout& layout, Prompter& prompter,
                           std::function<void()> closed);
  // Follows a change of the layout.
  void Rebuild();
  TrackGLCanvas* canvas() { return canvas_; }

 private:
  View3DFrame(wxWindow* parent, const ::Layout& layout, std::function<void()> closed);
  TrackGLCanvas* canvas_ = nullptr;
  std::function<void()> closed_;
};

inline constexpr const char* kView3DCaption = "3D View";
inline constexpr const char* kNoOpenGlText =
    TrMark("OpenGL is not available on this display, so the 3D view cannot be shown.");
