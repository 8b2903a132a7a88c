// Folder rules for the program's files.
#include "app/app_paths.h"

#include <unistd.h>

#include <cstdlib>
#include <system_error>

namespace fs = std::filesystem;

namespace {
// Creates the folder with its parents; true when it exists afterwards.
bool EnsureFolder(const fs::path& dir) {
  if (dir.empty()) return false;
  std::error_code ec;
  fs::create_directories(dir, ec);
  return fs::is_directory(dir, ec);
}
}  // namespace

AppPaths ComputeAppPaths(const fs::path& exe_path, bool beside_executable, const std::string& home,
                         const fs::path& user_data_dir, const fs::path& temp_dir) {
  AppPaths p;
  fs::path base = exe_path.parent_path();
  fs::path logs = user_data_dir;
  const bool portable = !home.empty() && EnsureFolder(home);
  if (portable) {
    base = fs::path(home);
    logs = base;
  }
  if (base.empty()) base = fs::path(".");
  if (!EnsureFolder(logs)) logs = temp_dir;
  if (!portable && !beside_executable) base = logs;
  p.layout_dir = base;
  p.library_dir = base / "library";
  p.prefs_file = base / "prefs.cfg";
  p.log_dir = logs;
  p.recovery_dir = logs / "recovery";
  return p;
}

bool IsWritableFolder(const fs::path& dir) {
  std::error_code ec;
  return fs::is_directory(dir, ec) && ::access(dir.c_str(), W_OK | X_OK) == 0;
}

bool KeepFilesBesideExecutable(const fs::path& exe_path) {
  const fs::path dir = exe_path.parent_path();
  std::error_code ec;
  const bool installed =
      dir.filename() == "bin" && fs::is_directory(dir.parent_path() / "share" / "vantrel", ec);
  return !installed && IsWritableFolder(dir);
}

fs::path UserDataFolder(const char* xdg_data_home, const char* home) {
  if (xdg_data_home && *xdg_data_home == '/') return fs::path(xdg_data_home) / "vantrel";
  if (home && *home) return fs::path(home) / ".local" / "share" / "vantrel";
  return {};
}

std::string HomeOverrideFromEnvironment() {
  const char* v = std::getenv("VANTREL_HOME");
  return v ? std::string(v) : std::string();
}

fs::path PrefsPath(const AppPaths& paths) {
  return paths.prefs_file;
}
