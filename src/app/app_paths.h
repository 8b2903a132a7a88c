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
// to its "recovery" folder. A non-empty
// `home` (the VANTREL_HOME variable) replaces both: a portable install or a test keeps
// everything in that one folder, which is created when missing.
AppPaths ComputeAppPaths(const std::filesystem::path& exe_path, const std::string& home,
                         const std::filesystem::path& user_data_dir,
                         const std::filesystem::path& temp_dir);

// Reads VANTREL_HOME from the environment (empty when unset).
std::string HomeOverrideFromEnvironment();

std::filesystem::path PrefsPath(const AppPaths& paths);
