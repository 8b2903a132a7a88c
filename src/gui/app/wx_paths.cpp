// Asks wxWidgets for the executable and per-user folders.
#include "gui/app/wx_paths.h"

#include <wx/filename.h>
#include <wx/stdpaths.h>

#include "gui/wx_text.h"

const AppPaths& ProgramPaths() {
  static const AppPaths paths = [] {
    wxStandardPaths& sp = wxStandardPaths::Get();
    sp.SetFileLayout(wxStandardPaths::FileLayout_XDG);
    const std::filesystem::path exe = FromWx(sp.GetExecutablePath());
    return ComputeAppPaths(exe, IsWritableFolder(exe.parent_path()),
                           HomeOverrideFromEnvironment(), FromWx(sp.GetUserLocalDataDir()),
                           FromWx(wxFileName::GetTempDir()));
  }();
  return paths;
}
