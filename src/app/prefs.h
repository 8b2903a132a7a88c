// The user's preferences: the experience mode and whether it was asked, the layouts
// opened or saved last and the folder the file dialogs used last.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

// File > Open Recent lists this many layouts.
inline constexpr std::size_t kMostRecent = 8;

struct Prefs {
  bool playful = true;              // "Keep it Playful" (true) or "Down to Business" (false)
  bool asked = false;               // the experience question has been answered
  std::vector<std::string> recent;  // newest first, at most kMostRecent
  std::string folder;               // where the last file dialog was left
};

// A layout was opened or saved: it heads the recent list (once), which keeps its newest
// kMostRecent. A path that cannot be kept on one line is not listed.
void NoteRecent(Prefs& prefs, const std::string& path);
// Takes a path off the recent list; false when it was not on it.
bool ForgetRecent(Prefs& prefs, const std::string& path);

// A preferences file is a few bytes; anything beyond this is not one.
inline constexpr std::uint64_t kMaxPrefsBytes = std::uint64_t{1} << 20;

// Reads "prefs.cfg"; keys that are absent (or a missing file) leave the fields as they
// are. Returns "" or, for a file that cannot be read or is too large, what to tell the
// user (the fields then stay as they are).
std::string LoadPrefs(Prefs& prefs, const std::filesystem::path& file);
// Writes every key, replacing the file; returns false when it could not be written.
bool SavePrefs(const Prefs& prefs, const std::filesystem::path& file);

// The experience chooser's answer: `playful` as chosen, `asked` set, and both written.
// False when the file could not be written (the choice still holds for this run).
bool ChooseExperience(Prefs& prefs, bool playful, const std::filesystem::path& file);

// What greets the user once the main window is up, in this order: the splash (playful
// only), then the experience chooser (until it has been answered once). The chooser
// waits for the splash to close, so it never opens underneath it.
struct StartGreeting {
  bool splash = false;
  bool chooser = false;
};
StartGreeting GreetingAtStart(const Prefs& prefs);
