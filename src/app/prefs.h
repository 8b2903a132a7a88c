// The user's preferences: the experience mode and whether it was asked.
#pragma once

#include <filesystem>

struct Prefs {
  bool playful = true;  // "Keep it Playful" (true) or "Down to Business" (false)
  bool asked = false;   // the experience question has been answered
};

// Reads "prefs.cfg"; keys that are absent (or a missing file) leave the fields as they are.
void LoadPrefs(Prefs& prefs, const std::filesystem::path& file);
// Writes both keys, replacing the file; returns false when it could not be written.
bool SavePrefs(const Prefs& prefs, const std::filesystem::path& file);
