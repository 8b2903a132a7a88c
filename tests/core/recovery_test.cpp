// Recovery copies of unsaved layouts: when they are written, who may claim them after a
// crash, and restoring or discarding them at start.
#include <gtest/gtest.h>

#include "app/recovery_store.h"
#include "fake_prompter.h"
#include "interact/file_commands.h"
#include "layout_builder.h"
#include "model/layout_file.h"
#include "model/layout_ops.h"
#include "temp_dir.h"

namespace fs = std::filesystem;
using Clock = RecoveryStore::Clock;
using std::chrono::seconds;

namespace {

Layout Chain(int pieces) {
  Layout l;
  ChainBuilder chain(l);
  chain.Start("24188");
  for (int i = 1; i < pieces; ++i) chain.Append("24188");
  EnsureDefaultLevel(l);
  return l;
}

bool Exists(const fs::path& p) {
  std::error_code ec;
  return fs::exists(p, ec);
}

const Clock::time_point t0{};

TEST(RecoveryStoreTest, WritesOnlyModifiedChangesAndAtMostEveryMinute) {
  TempDir dir;
  RecoveryStore store(dir / "rec", t0);
  const Layout two = Chain(2);
  EXPECT_FALSE(store.Tick(t0 + seconds(120), two, "", "A", false));  // nothing unsaved
  EXPECT_FALSE(store.Tick(t0 + seconds(59), two, "", "A", true));    // too soon after start
  EXPECT_TRUE(store.Tick(t0 + seconds(60), two, "", "A", true));
  store.Flush();
  ASSERT_TRUE(Exists(store.file()));
  EXPECT_FALSE(store.Tick(t0 + seconds(200), two, "", "A", true));  // no edit since
  const Layout three = Chain(3);
  EXPECT_FALSE(store.Tick(t0 + seconds(119), three, "", "A", true));
  EXPECT_TRUE(store.Tick(t0 + seconds(201), three, "", "A", true));
  store.Flush();
  Layout back;
  RecoveryCopy copy{store.file(), "", "", -1};
  EXPECT_EQ(store.Read(copy, back), "");
  EXPECT_EQ(back.pieces.size(), 3u);

  store.Remove();
  EXPECT_FALSE(Exists(store.file()));
  // After a save the same content is written again once it is modified anew.
  EXPECT_TRUE(store.Tick(t0 + seconds(300), three, "", "A", true));
}

TEST(RecoveryStoreTest, TwoRunningProgramsNeverShareOrClaimEachOthersCopy) {
  TempDir dir;
  RecoveryStore a(dir / "rec", t0);
  RecoveryStore b(dir / "rec", t0);
  EXPECT_NE(a.file(), b.file());
  a.Tick(t0 + seconds(60), Chain(2), "", "A", true);
  a.Flush();
  EXPECT_TRUE(b.ClaimOrphans().empty());  // `a` still runs: its lock is held
  EXPECT_TRUE(Exists(a.file()));
}

class RecoveryOfferTest : public testing::Test {
 protected:
  // A program that made an edit to `layout_file` and then ended without saving.
  void Crash(const Layout& edited, const std::string& layout_file, const std::string& as) {
    RecoveryStore crashed(dir / "rec", t0);
    crashed.Tick(t0 + seconds(60), edited, layout_file, as, true);
    crashed.Flush();
  }

  TempDir dir;
  Document doc;
  Layout& layout = doc.layout();
  FakePrompter prompter;
  FileCommands files{doc, prompter, dir / "layouts"};
};

TEST_F(RecoveryOfferTest, RestoreOpensTheEditModifiedAndTheNextSaveWritesTheOriginalFile) {
  const fs::path original = dir / "Yard \"1\".vtl";
  ASSERT_EQ(SaveLayout(Chain(2), original, "Yard"), "");
  fs::last_write_time(original, fs::file_time_type::clock::now() - std::chrono::hours(1));
  Crash(Chain(4), original.string(), "Yard");

  RecoveryStore store(dir / "rec", t0);
  files.set_recovery(&store);
  prompter.answers = {PromptAnswer::Yes};
  EXPECT_TRUE(files.OfferRecovery(store));
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(prompter.last().kind, "buttons");
  EXPECT_EQ(prompter.last().text,
            "Vantrel closed without saving changes to \u201CYard\u201D. Restore them?"
            "|Restore|Discard");
  EXPECT_FALSE(prompter.last().default_no);  // Restore is the default
  EXPECT_EQ(layout.pieces.size(), 4u);
  EXPECT_TRUE(doc.modified());
  EXPECT_EQ(doc.path(), original.string());
  EXPECT_EQ(doc.name(), "Yard");
  EXPECT_TRUE(Exists(store.file()));  // still protected until saved

  EXPECT_TRUE(files.Save());
  Layout saved;
  EXPECT_EQ(LoadLayout(saved, original).error, "");
  EXPECT_EQ(saved.pieces.size(), 4u);
  EXPECT_FALSE(Exists(store.file()));
  EXPECT_EQ(fs::directory_iterator(dir / "rec")->path().extension(), ".lock");  // only ours
}

TEST_F(RecoveryOfferTest, DiscardDeletesTheCopyAndACopyOlderThanItsFileIsNotOffered) {
  Crash(Chain(3), "", "");
  RecoveryStore store(dir / "rec", t0);
  EXPECT_FALSE(files.OfferRecovery(store));  // the fake answers No: Discard
  EXPECT_NE(prompter.last().text.find("\u201CUntitled\u201D"), std::string::npos);
  EXPECT_TRUE(layout.pieces.empty());
  EXPECT_TRUE(store.ClaimOrphans().empty());

  const fs::path original = dir / "Saved.vtl";
  Crash(Chain(3), original.string(), "Saved");
  ASSERT_EQ(SaveLayout(Chain(2), original, "Saved"), "");  // saved after the copy
  fs::last_write_time(original, fs::file_time_type::clock::now() + std::chrono::hours(1));
  prompter.shown.clear();
  EXPECT_FALSE(files.OfferRecovery(store));
  EXPECT_TRUE(prompter.shown.empty());
  EXPECT_EQ(std::distance(fs::directory_iterator(dir / "rec"), fs::directory_iterator()), 1);
}

TEST_F(RecoveryOfferTest, NewAndOpenAfterTheQuestionDeleteTheCopy) {
  RecoveryStore store(dir / "rec", t0);
  files.set_recovery(&store);
  const fs::path file = dir / "A.vtl";
  ASSERT_EQ(SaveLayout(Chain(2), file, "A"), "");
  for (int round = 0; round < 2; ++round) {
    doc.MarkChanged(Change::None);
    ASSERT_TRUE(store.Tick(t0 + seconds(60 + 100 * round), Chain(3 + round), "", "", true));
    store.Flush();
    ASSERT_TRUE(Exists(store.file()));
    prompter.answers = {PromptAnswer::No};  // do not save
    EXPECT_TRUE(round == 0 ? files.New() : files.OpenFile(file));
    EXPECT_FALSE(Exists(store.file()));
  }
}

}  // namespace
