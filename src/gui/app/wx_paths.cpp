// Asks wxWidgets for the executable and per-user folders.
#include "gui/app/wx_paths.h"

#include <wx/filename.h>
#include <wx/stdpaths.h>

#include <cstdlib>

#include "gui/wx_text.h"

const AppPaths& ProgramPaths() {
  static const AppPaths paths = [] {
    wxStandardPaths& sp = wxStandardPaths::Get();
    const std::filesystem::path exe = FromWx(sp.GetExecutablePath());
    return ComputeAppPaths(exe, KeepFilesBesideExecutable(exe), HomeOverrideFromEnvironment(),
                           UserDataFolder(std::getenv("XDG_DATA_HOME"), std::getenv("HOME")),
                           FromWx(wxFileName::GetTempDir()));
  }();
  return paths;
}
