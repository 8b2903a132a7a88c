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

#include <fstream>

namespace fs = std::filesystem;
using Clock = RecoveryStore::Clock;
using std::chrono::seconds;

namespace {

Layout Chain(int pieces) {
  Layout l = WithLevel();
  ChainBuilder chain(l);
  chain.Start("24188");
  for (int i = 1; i < pieces; ++i) chain.Append("24188");
  return l;
}

const Clock::time_point t0{};

// A document that differs from its file: `layout` as an edit left it.
void Edit(Document& doc, Layout layout) {
  doc.layout() = std::move(layout);
  doc.MarkChanged(Change::Content);
}

TEST(RecoveryStoreTest, WritesOnlyModifiedChangesAndAtMostEveryMinute) {
  TempDir dir;
  RecoveryStore store(dir / "rec", t0);
  Document doc;
  doc.SetFile("", "A");
  doc.layout() = Chain(2);
  EXPECT_FALSE(store.Tick(t0 + seconds(120), doc));  // nothing unsaved
  Edit(doc, Chain(2));
  EXPECT_FALSE(store.Tick(t0 + seconds(59), doc));  // too soon after start
  EXPECT_TRUE(store.Tick(t0 + seconds(60), doc));
  store.Flush();
  EXPECT_FALSE(store.Tick(t0 + seconds(200), doc));  // no edit since
  Edit(doc, Chain(3));
  EXPECT_FALSE(store.Tick(t0 + seconds(119), doc));
  EXPECT_TRUE(store.Tick(t0 + seconds(201), doc));
  store.Flush();
  // A rename is a change worth a copy too.
  doc.SetName("B");
  EXPECT_TRUE(store.Tick(t0 + seconds(261), doc));
  store.Flush();

  store.Remove();
  EXPECT_FALSE(fs::exists(store.file()));
  // After a save the same content is written again once it is modified anew.
  EXPECT_TRUE(store.Tick(t0 + seconds(400), doc));
}

TEST(RecoveryStoreTest, AFailedWriteIsTriedAgainAtTheNextTickAndToldOnce) {
  TempDir dir;
  RecoveryStore store(dir / "rec", t0);
  Document doc;
  Edit(doc, Chain(2));
  // The folder turns into a file: no copy can be written there, not even by root.
  fs::remove_all(dir / "rec");
  dir.Write("rec", "");
  ASSERT_TRUE(store.Tick(t0 + seconds(60), doc));
  store.Flush();
  const std::string failure = store.TakeWriteFailure();
  EXPECT_TRUE(failure.starts_with("Cannot open file: ")) << failure;
  EXPECT_EQ(store.TakeWriteFailure(), "");         // said once
  EXPECT_TRUE(store.Tick(t0 + seconds(65), doc));  // retried at once, no minute's wait
  store.Flush();
  EXPECT_EQ(RecoveryFailureStatus("x"), "Recovery copies cannot be written: x");

  fs::remove(dir / "rec");
  fs::create_directories(dir / "rec");  // space again
  ASSERT_TRUE(store.Tick(t0 + seconds(70), doc));
  store.Flush();
  EXPECT_TRUE(fs::exists(store.file()));
  EXPECT_FALSE(store.Tick(t0 + seconds(200), doc));  // now on disk
}

TEST(RecoveryStoreTest, TwoRunningProgramsNeverShareOrClaimEachOthersCopy) {
  TempDir dir;
  RecoveryStore a(dir / "rec", t0);
  RecoveryStore b(dir / "rec", t0);
  EXPECT_NE(a.file(), b.file());
  Document doc;
  Edit(doc, Chain(2));
  a.Tick(t0 + seconds(60), doc);
  a.Flush();
  // A write of `a` under way: its temporary file is not stale.
  const fs::path writing = a.file().string() + ".0123456789ab.tmp";
  std::ofstream(writing) << "half";
  EXPECT_TRUE(b.ClaimOrphans().empty());  // `a` still runs: its lock is held
  EXPECT_TRUE(fs::exists(a.file()));
  EXPECT_TRUE(fs::exists(writing));
}

class RecoveryOfferTest : public testing::Test {
 protected:
  // A program that made an edit to `layout_file` and then ended without saving.
  fs::path Crash(const Layout& edited, const std::string& layout_file, const std::string& as) {
    RecoveryStore crashed(dir / "rec", t0);
    Document theirs;
    theirs.SetFile(layout_file, as);
    Edit(theirs, edited);
    crashed.Tick(t0 + seconds(60), theirs);
    crashed.Flush();
    return crashed.file();
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
  Crash(Chain(4), original.string(), "Yard");
  // The file is newer than the copy (touched, synced, saved by another window): what it
  // holds still differs, so the edit is offered.
  fs::last_write_time(original, fs::file_time_type::clock::now() + std::chrono::hours(1));

  RecoveryStore store(dir / "rec", t0);
  files.set_recovery(&store);
  prompter.answers = {PromptAnswer::Yes};
  EXPECT_TRUE(files.OfferRecovery(store));
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(prompter.last().text,
            "Vantrel closed without saving changes to \u201CYard\u201D. Restore them?"
            "|Restore|Discard");
  EXPECT_FALSE(prompter.last().default_no);  // Restore is the default
  EXPECT_EQ(layout.pieces.size(), 4u);
  EXPECT_TRUE(doc.modified());
  EXPECT_EQ(doc.path(), original.string());
  EXPECT_TRUE(fs::exists(store.file()));  // still protected until saved

  EXPECT_TRUE(files.Save());
  Layout saved;
  EXPECT_EQ(LoadLayout(saved, original).error, "");
  EXPECT_EQ(saved.pieces.size(), 4u);
  EXPECT_FALSE(fs::exists(store.file()));
  EXPECT_EQ(fs::directory_iterator(dir / "rec")->path().extension(), ".lock");  // only ours
}

TEST_F(RecoveryOfferTest, DiscardDeletesTheCopyAndACopyIdenticalToItsFileIsNotOffered) {
  Crash(Chain(3), "", "");
  RecoveryStore store(dir / "rec", t0);
  EXPECT_FALSE(files.OfferRecovery(store));  // the fake answers No: Discard
  EXPECT_NE(prompter.last().text.find("\u201CUntitled\u201D"), std::string::npos);
  EXPECT_TRUE(store.ClaimOrphans().empty());

  // Saved (by another window, say) with exactly the edit: nothing is lost, however old
  // the file looks.
  const fs::path original = dir / "Saved.vtl";
  Crash(Chain(3), original.string(), "Saved");
  ASSERT_EQ(SaveLayout(Chain(3), original, "Saved"), "");
  fs::last_write_time(original, fs::file_time_type::clock::now() - std::chrono::hours(1));
  prompter.shown.clear();
  EXPECT_FALSE(files.OfferRecovery(store));
  EXPECT_TRUE(prompter.shown.empty());
  EXPECT_EQ(std::distance(fs::directory_iterator(dir / "rec"), fs::directory_iterator()), 1);
}

TEST_F(RecoveryOfferTest, SeveralCopiesAreOfferedNewestFirst) {
  const fs::path older = Crash(Chain(2), "", "Older");
  const fs::path newer = Crash(Chain(3), "", "Newer");
  fs::last_write_time(older, fs::file_time_type::clock::now() - std::chrono::hours(2));
  fs::last_write_time(newer, fs::file_time_type::clock::now() - std::chrono::hours(1));
  RecoveryStore store(dir / "rec", t0);
  prompter.answers = {PromptAnswer::Yes};
  EXPECT_TRUE(files.OfferRecovery(store));
  ASSERT_EQ(prompter.shown.size(), 1u);  // one restored; the other waits for the next start
  EXPECT_NE(prompter.last().text.find("\u201CNewer\u201D"), std::string::npos);
  EXPECT_EQ(layout.pieces.size(), 3u);
  EXPECT_TRUE(fs::exists(older));
  RecoveryStore next(dir / "rec", t0);
  const std::vector<RecoveryCopy> left = next.ClaimOrphans();
  ASSERT_EQ(left.size(), 1u);  // the restored copy is `store`'s own now, and `store` runs
  EXPECT_EQ(left[0].name, "Older");
}

TEST_F(RecoveryOfferTest, CopiesThatDoNotReadAreSetAsideOnceAndSaid) {
  // A killed program's copy full of noise, one cut short, one of 64 GiB (sparse), and a
  // temporary file of a write it never finished.
  fs::create_directories(dir / "rec");
  dir.Write("rec/recovery-1-1.vtl", std::string("\x01\xff\x7f garbage\0\0", 13));
  const std::string whole = "<recovery path=\"\"/>\r\n" + LayoutFileText(Chain(2), "Cut");
  dir.Write("rec/recovery-1-2.vtl", whole.substr(0, whole.size() / 2));
  dir.Write("rec/recovery-1-3.vtl", "");
  fs::resize_file(dir / "rec/recovery-1-3.vtl", std::uintmax_t{64} << 30);
  dir.Write("rec/recovery-1-3.vtl.0123456789ab.tmp", "half");

  RecoveryStore store(dir / "rec", t0);
  EXPECT_FALSE(files.OfferRecovery(store));
  ASSERT_EQ(prompter.shown.size(), 3u);  // no question: three notes
  int too_large = 0;
  for (const auto& shown : prompter.shown) {
    EXPECT_EQ(shown.caption, "Recovery");
    EXPECT_TRUE(shown.text.starts_with("A recovery copy could not be read and was set aside as\n"))
        << shown.text;
    too_large += shown.text.find("is larger than 1 GiB and was not read.") != std::string::npos;
  }
  EXPECT_EQ(too_large, 1);
  EXPECT_TRUE(fs::exists(dir / "rec/unreadable-recovery-1-1.vtl"));
  EXPECT_FALSE(fs::exists(dir / "rec/recovery-1-3.vtl.0123456789ab.tmp"));

  prompter.shown.clear();
  RecoveryStore again(dir / "rec", t0);
  EXPECT_FALSE(files.OfferRecovery(again));
  EXPECT_TRUE(prompter.shown.empty());  // said once
}

TEST_F(RecoveryOfferTest, NewAndOpenAfterTheQuestionDeleteTheCopy) {
  RecoveryStore store(dir / "rec", t0);
  files.set_recovery(&store);
  const fs::path file = dir / "A.vtl";
  ASSERT_EQ(SaveLayout(Chain(2), file, "A"), "");
  for (int round = 0; round < 2; ++round) {
    Edit(doc, Chain(3 + round));
    ASSERT_TRUE(store.Tick(t0 + seconds(60 + 100 * round), doc));
    store.Flush();
    prompter.answers = {PromptAnswer::No};  // do not save
    EXPECT_TRUE(round == 0 ? files.New() : files.OpenFile(file));
    EXPECT_FALSE(fs::exists(store.file()));
  }
}

}  // namespace
