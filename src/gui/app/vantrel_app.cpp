// Start-up in a fixed order, each step recorded in "vantrel.log".
#include "gui/app/vantrel_app.h"

#include <wx/dialog.h>

#include <csignal>
#include <exception>
#include <filesystem>
#include <string>
#include <vector>

#include "app/prefs.h"
#include "app/startup_log.h"
#include "catalog/catalog.h"
#include "gui/app/translations.h"
#include "gui/app/wx_paths.h"
#include "gui/frame/main_frame.h"
#include "gui/wx_text.h"
#include "interact/file_commands.h"
#include "model/layout_ops.h"

namespace {
volatile std::sig_atomic_t g_terminate_requested = 0;
}  // namespace

bool VantrelApp::OnInit() {
  const AppPaths& paths = ProgramPaths();
  AppLog().Open(paths.log_dir / "vantrel.log");
  LogLine("=== Vantrel starting ===");
  // The window speaks the desktop's language; the export commands never get here.
  const wxString language = SetUpTranslations();
  if (!language.empty()) LogLine("Translations: " + FromWx(language));
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
  // A termination request closes the window the normal way, with its unsaved-changes
  // check. The handler only sets a flag; a timer acts on it, even while nothing happens.
  std::signal(SIGTERM, [](int) { g_terminate_requested = 1; });
  terminate_watch_.Bind(wxEVT_TIMER, [this](wxTimerEvent&) {
    if (!g_terminate_requested) return;
    // Open dialogs end first, as if cancelled: closing the window under a running modal
    // loop would destroy the dialog's parent while the dialog is still in use.
    bool ended_dialog = false;
    for (wxWindow* w : wxTopLevelWindows) {
      auto* dialog = wxDynamicCast(w, wxDialog);
      if (dialog && dialog->IsModal()) {
        dialog->EndModal(wxID_CANCEL);
        ended_dialog = true;
      }
    }
    if (ended_dialog) return;  // the next tick closes the window
    g_terminate_requested = 0;
    if (wxWindow* top = GetTopWindow()) top->Close();
  });
  terminate_watch_.Start(200);
  EnsureDefaultLevel(frame_->layout());
  Prefs prefs;
  const std::string refused = LoadPrefs(prefs, PrefsPath(paths));
  if (!refused.empty()) LogLine("Preferences not read: " + refused);
  frame_->AfterStart(prefs);
  OpenFileArgument();
  MainFrame* frame = frame_;
  frame->CallAfter([frame, refused] { frame->OfferRecovery(refused); });
  return true;
}

void VantrelApp::OpenFileArgument() {
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.push_back(FromWx(argv[i]));
  std::error_code ec;
  const std::optional<std::filesystem::path> file =
      LayoutFileArgument(args, std::filesystem::current_path(ec));
  if (!file) return;
  LogLine("Opening " + file->string());
  // Once the event loop runs, so that the canvas has its size for zooming to fit.
  MainFrame* frame = frame_;
  frame->CallAfter([frame, path = *file] { frame->OpenLayoutFile(path); });
}

int VantrelApp::OnExit() {
  terminate_watch_.Stop();
  LogLine("OnExit");
  AppLog().Close();
  return 0;
}
