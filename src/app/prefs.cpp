// "prefs.cfg": lines "playful=1|0" and "asked=1|0" (any character but 1 reads as false),
// "recent=PATH" newest first, and "folder=PATH".
#include "app/prefs.h"

#include <algorithm>
#include <string>

#include "model/atomic_file.h"
#include "model/translate.h"

std::string LoadPrefs(Prefs& prefs, const std::filesystem::path& file) {
  std::error_code ec;
  if (!std::filesystem::exists(file, ec)) return {};  // a first start
  std::string text;
  if (std::string error = ReadWholeFile(file, text, kMaxPrefsBytes); !error.empty())
    return error + Tr("\n\nThe preferences start from their defaults.");
  std::vector<std::string> recent;
  bool any_recent = false;
  std::size_t pos = 0;
  while (pos <= text.size()) {
    std::size_t nl = text.find('\n', pos);
    if (nl == std::string::npos) nl = text.size();
    std::string_view line(text.data() + pos, nl - pos);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.substr(0, 8) == "playful=") {
      prefs.playful = line.size() > 8 && line[8] == '1';
    } else if (line.substr(0, 6) == "asked=") {
      prefs.asked = line.size() > 6 && line[6] == '1';
    } else if (line.substr(0, 7) == "recent=") {
      any_recent = true;
      const std::string path(line.substr(7));
      if (!path.empty() && recent.size() < kMostRecent &&
          std::find(recent.begin(), recent.end(), path) == recent.end())
        recent.push_back(path);
    } else if (line.substr(0, 7) == "folder=") {
      prefs.folder = line.substr(7);
    }
    pos = nl + 1;
  }
  if (any_recent) prefs.recent = std::move(recent);
  return {};
}

bool SavePrefs(const Prefs& prefs, const std::filesystem::path& file) {
  std::string text = "playful=";
  text += prefs.playful ? "1\n" : "0\n";
  text += "asked=";
  text += prefs.asked ? "1\n" : "0\n";
  for (const std::string& path : prefs.recent) text += "recent=" + path + "\n";
  if (!prefs.folder.empty()) text += "folder=" + prefs.folder + "\n";
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

void NoteRecent(Prefs& prefs, const std::string& path) {
  if (path.empty() || path.find_first_of("\r\n") != std::string::npos) return;
  ForgetRecent(prefs, path);
  prefs.recent.insert(prefs.recent.begin(), path);
  if (prefs.recent.size() > kMostRecent) prefs.recent.resize(kMostRecent);
}

bool ForgetRecent(Prefs& prefs, const std::string& path) {
  return std::erase(prefs.recent, path) > 0;
}
