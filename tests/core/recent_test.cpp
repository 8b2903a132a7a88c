// File > Open Recent: the order of last use, kept across restarts in the preferences.
#include <gtest/gtest.h>

#include "app/prefs.h"
#include "temp_dir.h"

namespace {

TEST(RecentFiles, NewestFirstOnceEachAndKeptAcrossRestarts) {
  TempDir dir;
  Prefs prefs;
  prefs.playful = false;
  for (int i = 0; i < 10; ++i) NoteRecent(prefs, "/plans/p" + std::to_string(i) + ".vtl");
  NoteRecent(prefs, "/plans/p5.vtl");  // opened again: back to the top, not twice
  NoteRecent(prefs, "/plans/bad\nname.vtl");
  prefs.folder = "/plans/blocks";
  ASSERT_TRUE(SavePrefs(prefs, dir / "prefs.cfg"));

  Prefs again;
  ASSERT_EQ(LoadPrefs(again, dir / "prefs.cfg"), "");
  const std::vector<std::string> expected = {"/plans/p5.vtl", "/plans/p9.vtl", "/plans/p8.vtl",
                                             "/plans/p7.vtl", "/plans/p6.vtl", "/plans/p4.vtl",
                                             "/plans/p3.vtl", "/plans/p2.vtl"};
  EXPECT_EQ(again.recent, expected);
  EXPECT_EQ(again.folder, "/plans/blocks");
  EXPECT_FALSE(again.playful);

  EXPECT_TRUE(ForgetRecent(again, "/plans/p9.vtl"));
  EXPECT_FALSE(ForgetRecent(again, "/plans/p9.vtl"));
  EXPECT_EQ(again.recent.size(), 7u);
}

TEST(RecentFiles, AHandEditedListIsReadCleanly) {
  TempDir dir;
  dir.Write("prefs.cfg", "asked=1\r\nrecent=/a.vtl\r\nrecent=\nrecent=/b.vtl\nrecent=/a.vtl\n");
  Prefs prefs;
  ASSERT_EQ(LoadPrefs(prefs, dir / "prefs.cfg"), "");
  EXPECT_TRUE(prefs.asked);
  EXPECT_EQ(prefs.recent, (std::vector<std::string>{"/a.vtl", "/b.vtl"}));
}

}  // namespace
