// Main window construction.
#include "ui/main_frame.h"

static const char* const kTitle = "Vantrel v1.4 by Kestrelmoor";

MainFrame::MainFrame(const AppPaths& paths)
    : wxFrame(nullptr, wxID_ANY, kTitle, wxDefaultPosition, wxSize(1400, 900)),
      paths_(paths),
      log_(paths.log_dir / "mainframe.log") {
  log_.Line("A: wxFrame base constructed");
  Centre();
  log_.Line("F: MainFrame constructor complete");
}

void MainFrame::AfterStart(const Prefs&) {}
