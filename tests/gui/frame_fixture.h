// A shown main window working in a private temporary folder, with scripted questions.
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

  TempDir dir;
  AppPaths paths;
  FakePrompter prompter;
  MainFrame* frame = nullptr;
};
