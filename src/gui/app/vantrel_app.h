// The application object: start-up log, catalog, main window, preferences.
#pragma once

#include <wx/app.h>
#include <wx/timer.h>

class MainFrame;

class VantrelApp : public wxApp {
 public:
  bool OnInit() override;
  int OnExit() override;

 private:
  // A layout file named on the command line (or by a desktop launcher) is opened at start.
  void OpenFileArgument();

  MainFrame* frame_ = nullptr;
  wxTimer terminate_watch_;  // notices a termination request while the program is idle
};

wxDECLARE_APP(VantrelApp);
