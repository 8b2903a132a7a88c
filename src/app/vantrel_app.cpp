// Start-up in a fixed order, each step recorded in "vantrel.log".
#include "app/vantrel_app.h"

#include <csignal>
#include <exception>

#include "app/prefs.h"
#include "app/startup_log.h"
#include "app/wx_paths.h"
#include "catalog/catalog.h"
#include "model/layout_ops.h"
#include "ui/main_frame.h"

bool VantrelApp::OnInit() {
  const AppPaths& paths = ProgramPaths();
  AppLog().Open(paths.log_dir / "vantrel.log");
  LogLine("=== Vantrel starting ===");
  LogLine("Built-in catalog loaded - " + std::to_string(Catalog::instance().count()) + " pieces");
  LogLine("Creating MainFrame...");
  try {
    frame_ = new MainFrame(paths);
    LogLine("MainFrame created OK");
  } catch (const std::exception& e) {
    LogLine(std::string("EXCEPTION: ") + e.what());
    return false;
  } catch (...) {
    LogLine("UNKNOWN EXCEPTION in MainFrame");
    return false;
  }
  frame_->Show();
  LogLine("Show OK");
  // A termination request closes the window the normal way, with its unsaved-changes check.
  SetSignalHandler(SIGTERM, [](int) {
    if (wxWindow* top = wxTheApp->GetTopWindow()) top->Close();
  });
  EnsureDefaultLevel(frame_->layout());
  Prefs prefs;
  LoadPrefs(prefs, PrefsPath(paths));
  frame_->AfterStart(prefs);
  return true;
}

int VantrelApp::OnExit() {
  LogLine("OnExit");
  AppLog().Close();
  return 0;
}
