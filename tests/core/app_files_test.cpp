// Preferences, logs and the program's folders.
#include <gtest/gtest.h>

#include <regex>

#include "app/app_paths.h"
#include "app/help_text.h"
#include "app/prefs.h"
#include "app/startup_log.h"
#include "temp_dir.h"

namespace {

Prefs Read(const TempDir& dir, const std::string& text) {
  dir.Write("prefs.cfg", text);
  Prefs p;
  LoadPrefs(p, dir / "prefs.cfg");
  return p;
}

TEST(Prefs, ParsingRules) {
  TempDir dir;
  EXPECT_FALSE(Read(dir, "playful=\n").playful);
  EXPECT_FALSE(Read(dir, "playful=yes\n").playful);
  EXPECT_TRUE(Read(dir, " playful=0\n").playful);  // a leading blank: not the key
  EXPECT_TRUE(Read(dir, "asked=1").playful);
  EXPECT_FALSE(Read(dir, "asked=1\nasked=0\n").asked);  // the last value wins
  EXPECT_FALSE(Read(dir, "playful=0\r\n").playful);
  EXPECT_TRUE(Read(dir, "playful=1\r\n").playful);
}

TEST(Prefs, FirstStartShowsTheSplashThenTheChooserAndEachAnswerIsKept) {
  TempDir dir;
  Prefs p;
  LoadPrefs(p, dir / "prefs.cfg");
  EXPECT_TRUE(GreetingAtStart(p).splash);

  ASSERT_TRUE(ChooseExperience(p, false, dir / "prefs.cfg"));
  EXPECT_EQ(dir.Read("prefs.cfg"), "playful=0\nasked=1\n");
  Prefs next;
  LoadPrefs(next, dir / "prefs.cfg");
  EXPECT_FALSE(GreetingAtStart(next).splash);

  ASSERT_TRUE(ChooseExperience(next, true, dir / "prefs.cfg"));
  EXPECT_EQ(dir.Read("prefs.cfg"), "playful=1\nasked=1\n");
  EXPECT_TRUE(GreetingAtStart(next).splash);
  EXPECT_FALSE(GreetingAtStart(next).chooser);
  EXPECT_FALSE(SavePrefs({}, dir / "missing-folder" / "prefs.cfg"));
}

TEST(Logs, StartupLogIsEmptiedAndTimeStamped) {
  TempDir dir;
  dir.Write("vantrel.log", "old run\n");
  StartupLog log;
  log.Open(dir / "vantrel.log");
  log.Line("=== Vantrel starting ===");
  log.Line("Show OK");
  log.Close();
  log.Line("dropped after close");
  StartupLog nowhere;
  nowhere.Open("/nonexistent-folder/vantrel.log");
  EXPECT_FALSE(nowhere.is_open());
  nowhere.Line("nothing happens");
  const std::string text = dir.Read("vantrel.log");
  EXPECT_TRUE(std::regex_match(
      text,
      std::regex(
          R"(\d\d:\d\d:\d\d\.\d\d\d === Vantrel starting ===\n\d\d:\d\d:\d\d\.\d\d\d Show OK\n)")))
      << text;
}

TEST(Logs, FrameLogReplacesTheOldFileAndEndsLinesWithCrLf) {
  TempDir dir;
  dir.Write("mainframe.log", "old\r\n");
  FrameLog log(dir / "mainframe.log");
  log.Line("A: wxFrame base constructed");
  log.Line("F: MainFrame constructor complete");
  EXPECT_EQ(dir.Read("mainframe.log"),
            "A: wxFrame base constructed\r\nF: MainFrame constructor complete\r\n");
}

TEST(AppPaths, ExecutableFolderOrHomeOverride) {
  TempDir dir;
  const auto data = dir / "data";
  AppPaths p = ComputeAppPaths("/opt/vantrel/vantrel", true, "", data, "/tmp");
  EXPECT_EQ(p.layout_dir, "/opt/vantrel");
  EXPECT_EQ(PrefsPath(p), "/opt/vantrel/prefs.cfg");
  EXPECT_EQ(p.log_dir, data);

  const auto home = dir / "portable" / "nested";
  p = ComputeAppPaths("/opt/vantrel/vantrel", false, home.string(), data, "/tmp");
  EXPECT_EQ(p.layout_dir, home);
  EXPECT_EQ(p.log_dir, home);
  EXPECT_EQ(p.recovery_dir, home / "recovery");

  // A log folder that cannot be made falls back to the temporary folder.
  p = ComputeAppPaths("/opt/vantrel/vantrel", true, "", "/proc/no-such/dir", "/tmp");
  EXPECT_EQ(p.log_dir, "/tmp");
}

TEST(AppPaths, InstalledProgramKeepsLayoutsInTheUserDataFolder) {
  TempDir dir;
  const auto data = dir / "data";
  const AppPaths p = ComputeAppPaths("/usr/bin/vantrel", false, "", data, "/tmp");
  EXPECT_EQ(p.layout_dir, data);
  EXPECT_FALSE(IsWritableFolder(dir / "missing"));

  // A portable copy keeps its files beside it; an installed one (bin beside share/vantrel)
  // does not, even when its folder can be written.
  std::filesystem::create_directories(dir / "portable");
  EXPECT_TRUE(KeepFilesBesideExecutable(dir / "portable" / "vantrel"));
  std::filesystem::create_directories(dir / "prefix" / "bin");
  std::filesystem::create_directories(dir / "prefix" / "share" / "vantrel");
  EXPECT_FALSE(KeepFilesBesideExecutable(dir / "prefix" / "bin" / "vantrel"));
  EXPECT_FALSE(KeepFilesBesideExecutable(dir / "missing" / "vantrel"));

  EXPECT_EQ(UserDataFolder(nullptr, "/home/ann"), "/home/ann/.local/share/vantrel");
  EXPECT_EQ(UserDataFolder("/data", "/home/ann"), "/data/vantrel");
  EXPECT_EQ(UserDataFolder("relative", "/home/ann"), "/home/ann/.local/share/vantrel");
}

// What a new user asked the help and did not find: how the palette places a piece, how a
// helix joins track, how a tunnel is made; and grades in degrees, as the panel sets them.
TEST(Help, ExplainsPlacingHelicesTunnelsAndGradesInDegrees) {
  const auto body = [](const std::string& heading) {
    for (const HelpSection& s : HelpSections())
      if (s.heading == heading) return s.before + s.link + s.after;
    return std::string();
  };
  EXPECT_NE(body("Getting Started").find("click to place"), std::string::npos);
  EXPECT_NE(body("Levels").find("stub"), std::string::npos);
  EXPECT_NE(body("Levels").find("Tunnel"), std::string::npos);
  EXPECT_NE(body("Elevation and Grades").find("degrees"), std::string::npos);
  EXPECT_EQ(body("Elevation and Grades").find("percentage"), std::string::npos);
  for (const HelpSection& s : HelpSections())
    EXPECT_EQ((s.heading + s.before + s.after).find('\n'), std::string::npos) << s.heading;
}

}  // namespace
