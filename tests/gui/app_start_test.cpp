// Starts the real program in a private folder and reads what it logged.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "run_vantrel.h"
#include "temp_dir.h"

namespace {

// Starts vantrel with VANTREL_HOME set; returns its pid.
pid_t Launch(const TempDir& home) {
  const pid_t pid = fork();
  if (pid == 0) {
    setenv("VANTREL_HOME", home.path().c_str(), 1);
    execl(VANTREL_EXE, VANTREL_EXE, static_cast<char*>(nullptr));
    _exit(127);
  }
  return pid;
}

bool WaitForText(const std::filesystem::path& file, const std::string& text, int seconds) {
  for (int i = 0; i < seconds * 20; ++i) {
    if (TempDir::ReadFile(file).find(text) != std::string::npos) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return false;
}

TEST(AppStart, LogsEachStepAndExitsCleanlyOnTerminate) {
  TempDir home;
  home.Write("prefs.cfg", "playful=0\nasked=1\n");
  const pid_t pid = Launch(home);
  ASSERT_GT(pid, 0);
  ASSERT_TRUE(WaitForText(home / "vantrel.log", "Show OK", 30)) << home.Read("vantrel.log");
  std::this_thread::sleep_for(std::chrono::milliseconds(1500));  // idle, with nothing happening
  kill(pid, SIGTERM);
  int status = 0;
  waitpid(pid, &status, 0);
  EXPECT_TRUE(WIFEXITED(status)) << status;
  const std::string log = home.Read("vantrel.log");
  const char* const kSteps[] = {"=== Vantrel starting ===", "MainFrame created OK", "Show OK",
                                "OnExit"};
  std::size_t at = 0;
  for (const char* step : kSteps) {
    const std::size_t found = log.find(std::string(" ") + step + "\n", at);
    ASSERT_NE(found, std::string::npos) << step << "\n" << log;
    at = found;
  }
  const std::string frame = home.Read("mainframe.log");
  EXPECT_EQ(frame.rfind("A: wxFrame base constructed\r\n", 0), 0u) << frame;
  EXPECT_NE(frame.find("F: MainFrame constructor complete\r\n"), std::string::npos);
  // The preferences were read, not rewritten.
  EXPECT_EQ(home.Read("prefs.cfg"), "playful=0\nasked=1\n");
}

TEST(AppStart, RefusesPolitelyWithoutADisplay) {
  int status = 0;
  const std::string out =
      RunCommand(std::string("env -u DISPLAY -u WAYLAND_DISPLAY ") + VANTREL_EXE, status);
  EXPECT_NE(status, 0);
  EXPECT_NE(out.find("needs a graphical display"), std::string::npos) << out;
  EXPECT_NE(out.find("xvfb-run"), std::string::npos);
}

}  // namespace
