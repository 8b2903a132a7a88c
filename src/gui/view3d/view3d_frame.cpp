// The 3D window and its canvas: thin handlers over the core scene and camera.
#include "gui/view3d/view3d_frame.h"

#include <wx/dcclient.h>
#include <wx/sizer.h>

#include "gui/view3d/offscreen_gl.h"

namespace {

wxGLAttributes DisplayAttributes() {
  wxGLAttributes attrs;
  attrs.PlatformDefaults().RGBA().DoubleBuffer().Depth(24).EndList();
  return attrs;
}

}  // namespace

TrackGLCanvas::TrackGLCanvas(wxWindow* parent, const wxGLAttributes& attrs, const ::Layout& layout)
    : wxGLCanvas(parent, attrs, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                 wxWANTS_CHARS | wxFULL_REPAINT_ON_RESIZE, "GLCanvas"),
      layout_(layout) {
  wxGLContextAttrs context_attrs;
  context_attrs.PlatformDefaults().OGLVersion(2, 1).EndList();
  context_ = std::make_unique<wxGLContext>(this, nullptr, &context_attrs);
  Rebuild();
  Bind(wxEVT_PAINT, &TrackGLCanvas::OnPaint, this);
  Bind(wxEVT_SIZE, [this](wxSizeEvent& e) {
    Refresh(false);
    e.Skip();
  });
  Bind(wxEVT_MOTION, &TrackGLCanvas::OnMotion, this);
  Bind(wxEVT_LEFT_DOWN, &TrackGLCanvas::OnMouseDown, this);
  Bind(wxEVT_RIGHT_DOWN, &TrackGLCanvas::OnMouseDown, this);
  Bind(wxEVT_LEFT_UP, &TrackGLCanvas::OnMouseUp, this);
  Bind(wxEVT_RIGHT_UP, &TrackGLCanvas::OnMouseUp, this);
  Bind(wxEVT_MOUSEWHEEL, &TrackGLCanvas::OnWheel, this);
  Bind(wxEVT_KEY_DOWN, &TrackGLCanvas::OnKey, this);
  // A lost capture (another window took the mouse) ends the drag.
  Bind(wxEVT_MOUSE_CAPTURE_LOST,
       [this](wxMouseCaptureLostEvent&) { leftHeld_ = rightHeld_ = false; });
}

void TrackGLCanvas::Rebuild() {
  stale_ = true;
  Refresh(false);
}

void TrackGLCanvas::BuildIfStale() {
  if (!stale_) return;
  stale_ = false;
  RebuildScene(scene_, camera_, layout_, tessellator_);
}

const Scene3D& TrackGLCanvas::scene() {
  BuildIfStale();
  return scene_;
}

void TrackGLCanvas::OnPaint(wxPaintEvent&) {
  wxPaintDC dc(this);
  if (!HasContext() || !SetCurrent(*context_)) return;
  if (!initialised_) {
    SetUpGlState();
    initialised_ = true;
  }
  BuildIfStale();
  const wxSize size = GetClientSize() * GetContentScaleFactor();
  DrawScene(scene_, camera_, size.x, size.y, plan_);
  SwapBuffers();
}

void TrackGLCanvas::OnMouseDown(wxMouseEvent& e) {
  lastX_ = e.GetX();
  lastY_ = e.GetY();
  leftHeld_ = e.LeftIsDown();
  rightHeld_ = e.RightIsDown();
  if (!HasCapture()) CaptureMouse();  // a second button must not capture twice
  SetFocus();
}

void TrackGLCanvas::OnMouseUp(wxMouseEvent&) {
  leftHeld_ = rightHeld_ = false;
  if (HasCapture()) ReleaseMouse();
}

void TrackGLCanvas::OnMotion(wxMouseEvent& e) {
  const int dx = e.GetX() - lastX_, dy = e.GetY() - lastY_;
  lastX_ = e.GetX();
  lastY_ = e.GetY();
  if (leftHeld_) OrbitBy(camera_, dx, dy);
  if (rightHeld_) PanBy(camera_, dx, dy);
  if (leftHeld_ || rightHeld_) Refresh(false);
}

void TrackGLCanvas::OnWheel(wxMouseEvent& e) {
  ZoomStep(camera_, e.GetWheelRotation() > 0);
  Refresh(false);
}

void TrackGLCanvas::OnKey(wxKeyEvent& e) {
  if (e.GetKeyCode() != 'R' && e.GetKeyCode() != 'r') {
    e.Skip();
    return;
  }
  ResetView(camera_);
  Refresh(false);
}

View3DFrame::View3DFrame(wxWindow* parent, const ::Layout& layout, std::function<void()> closed)
    : wxFrame(parent, wxID_ANY, _("3D View - Vantrel"), wxDefaultPosition, wxSize(1000, 700),
              wxDEFAULT_FRAME_STYLE | wxFRAME_FLOAT_ON_PARENT),
      closed_(std::move(closed)) {
  CreateStatusBar(1);
  SetStatusText(_("Left drag: rotate  |  Right drag: pan  |  Scroll: zoom  |  R: reset view"));
  canvas_ = new TrackGLCanvas(this, DisplayAttributes(), layout);
  auto* sizer = new wxBoxSizer(wxVERTICAL);
  sizer->Add(canvas_, 1, wxEXPAND);
  SetSizer(sizer);
  Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent& e) {
    if (closed_) closed_();
    closed_ = nullptr;
    e.Skip();
  });
}

View3DFrame* View3DFrame::Open(wxWindow* parent, const ::Layout& layout, Prompter& prompter,
                               std::function<void()> closed) {
  // Asked in this order: building GL attributes on a display without GLX asserts.
  if (!DisplayHasGlx() || !wxGLCanvas::IsDisplaySupported(DisplayAttributes())) {
    prompter.Notify(kView3DCaption, kNoOpenGlText, PromptIcon::Information);
    return nullptr;
  }
  auto* frame = new View3DFrame(parent, layout, std::move(closed));
  if (!frame->canvas_->HasContext()) {
    frame->closed_ = nullptr;
    frame->Destroy();
    prompter.Notify(kView3DCaption, kNoOpenGlText, PromptIcon::Information);
    return nullptr;
  }
  frame->Show();
  return frame;
}

void View3DFrame::Rebuild() {
  canvas_->Rebuild();
}
