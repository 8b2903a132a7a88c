// "prefs.cfg": lines "playful=1|0" and "asked=1|0"; any character but 1 reads as false.
#include "app/prefs.h"

#include <string>

#include "model/atomic_file.h"

std::string LoadPrefs(Prefs& prefs, const std::filesystem::path& file) {
  std::error_code ec;
  if (!std::filesystem::exists(file, ec)) return {};  // a first start
  std::string text;
  if (std::string error = ReadWholeFile(file, text, kMaxPrefsBytes); !error.empty())
    return error + "\n\nThe preferences start from their defaults.";
  std::size_t pos = 0;
  while (pos <= text.size()) {
    std::size_t nl = text.find('\n', pos);
    if (nl == std::string::npos) nl = text.size();
    const std::string_view line(text.data() + pos, nl - pos);
    if (line.substr(0, 8) == "playful=") {
      prefs.playful = line.size() > 8 && line[8] == '1';
    } else if (line.substr(0, 6) == "asked=") {
      prefs.asked = line.size() > 6 && line[6] == '1';
    }
    pos = nl + 1;
  }
  return {};
}

bool SavePrefs(const Prefs& prefs, const std::filesystem::path& file) {
  std::string text = "playful=";
  text += prefs.playful ? "1\n" : "0\n";
  text += "asked=";
  text += prefs.asked ? "1\n" : "0\n";
  return WriteFileAtomically(file, text).empty();
}

bool ChooseExperience(Prefs& prefs, bool playful, const std::filesystem::path& file) {
  prefs.playful = playful;
  prefs.asked = true;
  return SavePrefs(prefs, file);
}

StartGreeting GreetingAtStart(const Prefs& prefs) {
  return {prefs.playful, !prefs.asked};
}
