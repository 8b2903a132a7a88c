// The user's preferences: the experience mode and whether it was asked.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

struct Prefs {
  bool playful = true;  // "Keep it Playful" (true) or "Down to Business" (false)
  bool asked = false;   // the experience question has been answered
};

// A preferences file is a few bytes; anything beyond this is not one.
inline constexpr std::uint64_t kMaxPrefsBytes = std::uint64_t{1} << 20;

// Reads "prefs.cfg"; keys that are absent (or a missing file) leave the fields as they
// are. Returns "" or, for a file that cannot be read or is too large, what to tell the
// user (the fields then stay as they are).
std::string LoadPrefs(Prefs& prefs, const std::filesystem::path& file);
// Writes both keys, replacing the file; returns false when it could not be written.
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
