// The application object: start-up log, catalog, main window, preferences.
#pragma once

#include <wx/app.h>

class MainFrame;

class VantrelApp : public wxApp {
 public:
  bool OnInit() override;
  int OnExit() override;

 private:
  MainFrame* frame_ = nullptr;
};

wxDECLARE_APP(VantrelApp);
