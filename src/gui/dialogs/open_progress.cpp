#include "gui/dialogs/open_progress.h"

#include <wx/progdlg.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

// Quick opens show nothing.
constexpr Clock::duration kQuiet = std::chrono::milliseconds(500);
constexpr int kSteps = 1000;

struct OpenProgress {
  explicit OpenProgress(wxWindow* p) : parent(p) {}

  wxWindow* parent;
  Clock::time_point start = Clock::now();
  std::unique_ptr<wxProgressDialog> dialog;

  bool Report(const LoadProgress& p) {
    const wxString text = wxString::Format("%lu pieces read", static_cast<unsigned long>(p.pieces));
    if (!dialog) {
      if (Clock::now() - start < kQuiet) return true;
      dialog = std::make_unique<wxProgressDialog>(_("Open Layout"), text, kSteps, parent,
                                                  wxPD_APP_MODAL | wxPD_CAN_ABORT | wxPD_AUTO_HIDE);
    }
    // Below the end: at the end the dialog would hide before the layout is shown.
    const std::uint64_t total = std::max<std::uint64_t>(p.bytes_total, 1);
    const int value =
        static_cast<int>(std::min<std::uint64_t>(kSteps - 1, p.bytes_done * kSteps / total));
    return dialog->Update(value, text);
  }
};

}  // namespace

LoadProgressFn MakeOpenProgress(wxWindow* parent) {
  auto progress = std::make_shared<OpenProgress>(parent);
  return [progress](const LoadProgress& p) { return progress->Report(p); };
}
