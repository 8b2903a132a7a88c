// The single top-level window: owns the layout document and the panels.
#pragma once

#include <wx/frame.h>

#include <memory>
#include <string>

#include "app/app_paths.h"
#include "app/prefs.h"
#include "app/startup_log.h"
#include "model/layout.h"

class MainFrame : public wxFrame {
 public:
  explicit MainFrame(const AppPaths& paths);

  ::Layout& layout() { return layout_; }  // "::" because wxWindow has a Layout()
  // Runs once the window is shown and the preferences are read.
  void AfterStart(const Prefs& prefs);

 private:
  AppPaths paths_;
  FrameLog log_;
  ::Layout layout_;
  std::string path_;
  std::string name_;
  bool modified_ = false;
};
