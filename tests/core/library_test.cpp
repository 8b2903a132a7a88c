#include <gtest/gtest.h>

#include <filesystem>

#include "edit/place_block.h"
#include "fake_prompter.h"
#include "interact/library_commands.h"
#include "layout_builder.h"
#include "model/document.h"
#include "model/layout_file.h"
#include "model/layout_ops.h"
#include "model/library_block.h"
#include "model/snapshot.h"
#include "temp_dir.h"
#include "tool_run.h"

namespace fs = std::filesystem;

namespace {

// Three joined straights (ids 1-3) and a fourth piece (id 10) joined to the last.
Layout YardLayout() {
  Layout l = WithLevel();
  ChainBuilder b(l);
  b.Start("24188", {100, 50, 0});
  b.Append("24188");
  b.Append("24188");
  l.next_id = 10;
  b.Append("24188");
  for (int i = 0; i < 3; ++i) l.pieces[static_cast<std::size_t>(i)].sel = true;
  return l;
}

}  // namespace

TEST(LibraryBlock, SavedBlockPlacesTwiceWithFreshIdsAndOnlyItsOwnJoints) {
  TempDir dir;
  Layout source = YardLayout();
  source.pieces[0].free = true;
  const fs::path folder = LibraryFolder(dir / "library", "Marklin C-Track");
  FakePrompter prompter;
  prompter.texts.push_back("  Yard & Co ");
  ASSERT_TRUE(SaveBlockCommand(source, folder, prompter));
  EXPECT_EQ(prompter.last().text, "Block saved: Yard & Co");
  const fs::path file = dir / "library" / "Marklin_C-Track" / "Yard & Co.xml";
  ASSERT_EQ(ListLibraryBlocks(folder).size(), 1u);
  EXPECT_EQ(ListLibraryBlocks(folder)[0].path, file);
  Document target_doc;
  Layout& target = target_doc.layout();
  target = YardLayout();
  target.pieces[0].level = 2;  // whatever the source pieces were
  const std::size_t before = target.pieces.size();
  ASSERT_TRUE(PlaceBlockCommand(target_doc, file, prompter));
  ASSERT_TRUE(PlaceBlockCommand(target_doc, file, prompter));
  ASSERT_EQ(target.pieces.size(), before + 6);
  for (std::size_t k = 0; k < 6; ++k) {
    const PlacedPiece& p = target.pieces[before + k];
    EXPECT_EQ(p.id, 11 + static_cast<int>(k));
    EXPECT_EQ(p.level, 1);
    EXPECT_EQ(p.sel, k >= 3) << "only the last placed copy stays selected";
  }
  // Moved to the origin, joined inside the copy only; the joint to piece 10 is gone.
  const PlacedPiece& first = target.pieces[before + 3];
  EXPECT_DOUBLE_EQ(first.x, 0.0);
  EXPECT_DOUBLE_EQ(first.y, 0.0);
  EXPECT_TRUE(first.free) << "a free piece stays free and out of the tally";
  EXPECT_EQ(target.pieces[before + 4].joints, (std::vector<Joint>{{14, 1}, {16, 0}}));
  EXPECT_FALSE(target.pieces[before + 5].Joined(1));
  EXPECT_EQ(CheckJointConsistency(target), "");
}

TEST(LibraryBlock, UnsafeEmptyOrCancelledNamesAndNoSelectionWriteNothing) {
  TempDir dir;
  const fs::path folder = dir / "library" / "Marklin_C-Track";
  for (const char* name : {"../../escape", "a/b", "..", "/tmp/abs"}) {
    FakePrompter prompter;
    prompter.texts.push_back(std::string(name));
    EXPECT_FALSE(SaveBlockCommand(YardLayout(), folder, prompter)) << name;
    EXPECT_EQ(prompter.last().caption, "Save Block Failed") << name;
  }
  Layout none = YardLayout();
  DeselectAll(none);
  FakePrompter prompter;
  EXPECT_FALSE(SaveBlockCommand(none, folder, prompter));
  EXPECT_EQ(prompter.last().text, "Select pieces first to save as library block.");
  EXPECT_FALSE(SaveBlockCommand(YardLayout(), folder, prompter));  // cancelled
  prompter.texts.push_back(std::string("   "));
  EXPECT_FALSE(SaveBlockCommand(YardLayout(), folder, prompter));
  EXPECT_NE(prompter.last().kind, "notify") << "a blank name is no fault";
  EXPECT_FALSE(fs::exists(dir / "escape.xml"));
  EXPECT_FALSE(fs::exists(dir / "library"));
}

TEST(LibraryBlock, ReplacingAsksWithNoAsDefaultAndKeepsTheOldBlockOnNo) {
  TempDir dir;
  const fs::path folder = dir / "lib";
  fs::create_directories(folder);
  dir.Write("lib/Yard.xml", "old");
  FakePrompter prompter;
  prompter.texts.push_back(std::string("Yard"));
  EXPECT_FALSE(SaveBlockCommand(YardLayout(), folder, prompter));
  EXPECT_EQ(prompter.last().kind, "yesno");
  EXPECT_TRUE(prompter.last().default_no);
  EXPECT_EQ(dir.Read("lib/Yard.xml"), "old");

  prompter.texts.push_back(std::string("Yard"));
  prompter.answers.push_back(PromptAnswer::Yes);
  EXPECT_TRUE(SaveBlockCommand(YardLayout(), folder, prompter));
  EXPECT_EQ(LoadBlock(folder / "Yard.xml").pieces.size(), 3u);
}

TEST(LibraryBlock, SceneryOnlyBlockKeepsItsLevelWhenItExistsElseTakesTheActiveOne) {
  Layout source;
  source.scenery = {{.id = 4, .item = "tree", .x = 300, .y = 40, .sel = true, .level = 2}};
  const LoadedBlock block = ReadBlockText(BlockFileText(source, "Trees"));
  ASSERT_EQ(block.error, "");
  Document two_decks;
  two_decks.layout().levels = {Level{}, Level{.id = 2, .outline = {}}};
  ASSERT_TRUE(PlaceBlock(two_decks, block));
  EXPECT_EQ(two_decks.layout().scenery.at(0).level, 2);
  EXPECT_DOUBLE_EQ(two_decks.layout().scenery[0].x, 0.0);
  Document only_three;
  only_three.layout().levels = {Level{.id = 3, .outline = {}}};
  only_three.layout().active_level = 3;
  ASSERT_TRUE(PlaceBlock(only_three, block));
  EXPECT_EQ(only_three.layout().scenery.at(0).level, 3);
}

TEST(LibraryBlock, DamagedBlockIsRefusedWithoutChangingTheLayout) {
  TempDir dir;
  dir.Write(
      "bad.xml",
      "<block name=\"b\" version=\"1\">\n  <piece id=\"1\" cat=\"24188\" x=\"zz\" y=\"0\">\n");
  Document doc;
  Layout& l = doc.layout();
  l = YardLayout();
  const Layout before = l;
  FakePrompter prompter;
  EXPECT_FALSE(PlaceBlockCommand(doc, dir / "bad.xml", prompter));
  EXPECT_EQ(prompter.last().caption, "Load Block Failed");
  EXPECT_EQ(TakeSnapshot(l), TakeSnapshot(before));
  EXPECT_FALSE(PlaceBlockCommand(doc, dir / "missing.xml", prompter));
  EXPECT_EQ(prompter.last().text, "Cannot open file: " + (dir / "missing.xml").string());
}

TEST(LibraryBlock, TruncatedOrSelfJoinedBlocksAreRefusedWhole) {
  Layout source = YardLayout();
  const std::string whole = BlockFileText(source, "Yard");
  ASSERT_EQ(ReadBlockText(whole).error, "");
  // Cut anywhere before its last line, a block is refused, never placed in part.
  for (std::size_t cut = 0; cut + 9 < whole.size(); cut += 7) {
    const LoadedBlock b = ReadBlockText(whole.substr(0, cut));
    EXPECT_NE(b.error, "") << cut;
    EXPECT_TRUE(b.pieces.empty() && b.scenery.empty()) << cut;
  }
  EXPECT_EQ(ReadBlockText(whole.substr(0, whole.rfind("</block>"))).error,
            "Line 13: the file ends before </block>; it is incomplete.");
  EXPECT_EQ(ReadBlockText("").error, "Line 1: no <block> element; this is not a library block.");

  // Two pieces of one id: the second's joints would name itself.
  std::string twice = whole;
  const std::size_t second = twice.find("<piece id=\"2\"");
  ASSERT_NE(second, std::string::npos);
  twice.replace(second, 14, "<piece id=\"1\"");
  const LoadedBlock b = ReadBlockText(twice);
  EXPECT_EQ(b.error, "Line 6: piece id 1 is used twice; the block is damaged.");
  EXPECT_TRUE(b.pieces.empty());
}

TEST(LibraryBlock, HeadingsAndSceneryReadBackAsSaved) {
  Layout source;
  EnsureDefaultLevel(source);
  ChainBuilder b(source);
  b.Start("24130", {10, 20, 75});
  b.Append("24188");
  source.scenery = {{.id = 9, .item = "house", .x = 300, .y = 40, .heading = 33, .scalex = 2}};
  SelectAll(source);
  const std::string text = BlockFileText(source, "Turn");
  // Saved unselected: a placed block selects what it places, nothing else does.
  const std::string item_line = text.substr(text.find("<sceneryitem"));
  EXPECT_EQ(item_line.substr(0, item_line.find('\n')).find("sel=\"1\""), std::string::npos);

  Document doc;
  EnsureDefaultLevel(doc.layout());
  ASSERT_TRUE(PlaceBlock(doc, ReadBlockText(text)));
  const Layout& placed = doc.layout();
  ASSERT_EQ(placed.pieces.size(), 2u);
  EXPECT_DOUBLE_EQ(placed.pieces[0].heading, 75);
  EXPECT_DOUBLE_EQ(placed.pieces[1].heading, source.pieces[1].heading);
  EXPECT_NEAR(placed.pieces[1].x - placed.pieces[0].x, source.pieces[1].x - 10, 1e-9);
  EXPECT_EQ(std::pair(placed.scenery.at(0).heading, placed.scenery[0].scalex),
            std::pair(33.0, 2.0));
}

TEST(LibraryBlock, ToolPlacesABlockCentredOnAPoint) {
  TempDir dir;
  Layout source = YardLayout();  // three straights from (100, 50) along x
  dir.Write("yard.xml", BlockFileText(source, "Yard"));
  ASSERT_EQ(SaveLayout(Layout{}, dir / "a.vtl", "A"), "");
  const ToolRun r = RunTool({"edit", (dir / "a.vtl").string(), (dir / "a.vtl").string(),
                             "place-block", (dir / "yard.xml").string(), "1000", "2000"});
  ASSERT_EQ(r.status, 0) << r.err << r.out;
  Layout back;
  ASSERT_EQ(LoadLayout(back, dir / "a.vtl").error, "");
  ASSERT_EQ(back.pieces.size(), 3u);
  // The start points span 0 ... 376.6 mm along x: their middle lands on 1000.
  EXPECT_NEAR(back.pieces[0].x, 1000 - 188.3, 1e-9);
  EXPECT_NEAR(back.pieces[1].y, 2000, 1e-9);
}

TEST(LibraryBlock, DeleteAsksWithNoAsDefault) {
  TempDir dir;
  dir.Write("Yard.xml", "x");
  const LibraryEntry entry{"Yard", dir / "Yard.xml"};
  FakePrompter prompter;
  EXPECT_FALSE(DeleteBlockCommand(entry, prompter));
  EXPECT_EQ(prompter.last().text, "Delete library block \"Yard\"?\n\nThis cannot be undone.");
  EXPECT_TRUE(prompter.last().default_no);
  EXPECT_TRUE(fs::exists(entry.path));
  prompter.answers.push_back(PromptAnswer::Yes);
  EXPECT_TRUE(DeleteBlockCommand(entry, prompter));
  EXPECT_FALSE(fs::exists(entry.path));
  EXPECT_EQ(LibraryFolderName("Minitrix"), "Minitrix-Track");
}
