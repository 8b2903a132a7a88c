// Where layouts, library blocks, preferences and logs live, computed in one place.
#pragma once

#include <filesystem>
#include <string>

struct AppPaths {
  std::filesystem::path layout_dir;    // layouts (".vtl", older ".xml")
  std::filesystem::path library_dir;   // library blocks, one subfolder per track system
  std::filesystem::path prefs_file;    // "prefs.cfg"
  std::filesystem::path log_dir;       // "vantrel.log" and "mainframe.log"
  std::filesystem::path recovery_dir;  // recovery copies of unsaved layouts
};

// The folder of the executable holds layouts, "library" and "prefs.cfg"; logs go to the
// per-user data folder (created when missing, else the temporary folder), recovery copies
// to its "recovery" folder. An installed
// program keeps nothing beside itself (`beside_executable` false): then everything
// lives in the per-user data folder. A non-empty `home` (the VANTREL_HOME variable)
// replaces both: a portable install or a test keeps everything in that one folder,
// which is created when missing.
AppPaths ComputeAppPaths(const std::filesystem::path& exe_path, bool beside_executable,
                         const std::string& home, const std::filesystem::path& user_data_dir,
                         const std::filesystem::path& temp_dir);

// The folder exists and this process may create files in it.
bool IsWritableFolder(const std::filesystem::path& dir);
// Layouts and preferences may live beside the executable: its folder can be written and
// it is not an installed program ("bin" beside a "share/vantrel" folder).
bool KeepFilesBesideExecutable(const std::filesystem::path& exe_path);

// The per-user data folder: $XDG_DATA_HOME/vantrel, else ~/.local/share/vantrel (empty
// when neither variable is set).
std::filesystem::path UserDataFolder(const char* xdg_data_home, const char* home);

// Reads VANTREL_HOME from the environment (empty when unset).
std::string HomeOverrideFromEnvironment();

std::filesystem::path PrefsPath(const AppPaths& paths);
