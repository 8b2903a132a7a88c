// A shown main window working in a private temporary folder, with scripted questions,
// and the events a user's hand sends it.
#pragma once

#include <gtest/gtest.h>
#include <wx/app.h>

#include "fake_prompter.h"
#include "gui/frame/main_frame.h"
#include "model/layout_ops.h"
#include "temp_dir.h"

class FrameFixture : public testing::Test {
 protected:
  FrameFixture() {
    paths.layout_dir = paths.log_dir = dir.path();
    paths.library_dir = dir / "library";
    paths.prefs_file = dir / "prefs.cfg";
    paths.recovery_dir = dir / "recovery";
    frame = new MainFrame(paths);
    frame->SetPrompter(&prompter);
    frame->Show();
    EnsureDefaultLevel(frame->layout());
    wxYield();
  }
  ~FrameFixture() override {
    frame->Destroy();
    wxYield();
  }
  // Whether command `id` is enabled, asked as the idle-time interface update asks.
  bool Enabled(int id) {
    wxUpdateUIEvent e(id);
    e.SetEventObject(frame);
    frame->ProcessWindowEvent(e);
    return e.GetEnabled();
  }
  static void Mouse(wxWindow* to, wxEventType type, int x, int y, bool left, bool right = false,
                    bool ctrl = false) {
    wxMouseEvent e(type);
    e.m_x = x;
    e.m_y = y;
    e.m_leftDown = left;
    e.m_rightDown = right;
    e.m_controlDown = ctrl;
    e.SetEventObject(to);
    to->ProcessWindowEvent(e);
  }
  static void Press(wxWindow* button) {
    wxCommandEvent e(wxEVT_BUTTON, button->GetId());
    e.SetEventObject(button);
    button->ProcessWindowEvent(e);
  }

  TempDir dir;
  AppPaths paths;
  FakePrompter prompter;
  MainFrame* frame = nullptr;
};
