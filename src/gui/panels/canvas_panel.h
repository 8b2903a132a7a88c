// The canvas window: turns wx mouse and key events into controller calls, carries out
// the returned effects, and paints the layout with its overlays.
#pragma once

#include <wx/panel.h>
#include <wx/timer.h>

#include <cstdint>
#include <string>

#include "gui/draw/canvas_picture.h"
#include "interact/canvas_controller.h"
#include "render/render.h"

// What the canvas asks of the window that owns the document.
class CanvasHost {
 public:
  virtual ~CanvasHost() = default;
  virtual void CanvasStatus(int field, const std::string& text) = 0;
  virtual std::string CanvasStatusText(int field) const = 0;
  virtual void CanvasCommand(int id) = 0;  // context-menu commands the window handles
  virtual void CanvasToolEnded() {}        // a drawing ended: release the tool toggles
};

class CanvasPanel : public wxPanel {
 public:
  CanvasPanel(wxWindow* parent, Document& doc, Prompter& prompter, CanvasHost& host);
  ~CanvasPanel() override;

  CanvasController& controller() { return controller_; }
  // Runs a controller call's effects; every change of the canvas goes through here.
  void Apply(const CanvasEffects& effects);
  // View > Show Grid and the labels tool: what the canvas shows besides the layout.
  const DrawSwitches& shown() const { return shown_; }
  void SetShown(const DrawSwitches& shown);
  // The layout changed outside the canvas: drop the cached picture and indexes.
  void LayoutChanged();

  // Hand-overs from the palette.
  void BeginPieceDrag(const std::string& id) {
    Run([&] { return controller_.BeginPieceDrag(id); });
  }
  void BeginSceneryDrag(const std::string& id) {
    Run([&] { return controller_.BeginSceneryDrag(id); });
  }
  void BeginHelixDrag(const std::string& name) {
    Run([&] { return controller_.BeginHelixDrag(name); });
  }
  void AutoConnect(const std::string& id) {
    Run([&] { return controller_.AutoConnect(id); });
  }
  void InsertHelix(const std::string& id, double angle, Point at) {
    Run([&] { return controller_.InsertHelixAt(id, angle, at); });
  }

 private:
  void OnPaint(wxPaintEvent&);
  void OnSize(wxSizeEvent&);
  void OnLeftDown(wxMouseEvent&);
  void OnLeftUp(wxMouseEvent&);
  void OnLeftDClick(wxMouseEvent&);
  void OnMotion(wxMouseEvent&);
  void OnRightDown(wxMouseEvent&);
  void OnMiddleDown(wxMouseEvent&);
  void OnMiddleUp(wxMouseEvent&);
  void OnWheel(wxMouseEvent&);
  void OnKeyDown(wxKeyEvent&);
  void OnKeyUp(wxKeyEvent&);
  void OnCaptureLost(wxMouseCaptureLostEvent&);
  void OnFlashTimer(wxTimerEvent&);
  void OnMenu(wxCommandEvent&);

  // One controller call and its effects; `busy_` keeps a capture loss during a message
  // box from re-entering the controller.
  template <typename F>
  void Run(F&& call) {
    ++busy_;
    const CanvasEffects fx = call();
    --busy_;
    Apply(fx);
  }
  MouseInput Input(const wxMouseEvent& e) const;
  void ShowMenu(const CanvasEffects& e);
  void ShowDialog(CanvasDialog dialog, int id);

  Document& doc_;
  ::Layout& layout_;
  CanvasHost& host_;
  CanvasController controller_;
  DrawSwitches shown_;
  CanvasPicture picture_;  // the layout, reused while only overlays change
  wxTimer flash_;
  int busy_ = 0;  // inside a controller call (a message box may be up)
};
