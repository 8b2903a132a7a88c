// The level manager: rows, Add Level, Level Properties and Remove Level with the
// delete's clean-up and its undo.
#include "edit/levels.h"

#include <gtest/gtest.h>

#include "edit/grades.h"
#include "edit/helix_ops.h"
#include "edit/tunnels.h"
#include "fake_prompter.h"
#include "layout_builder.h"
#include "model/document.h"
#include "model/layout_check.h"
#include "model/layout_ops.h"

namespace {

// Level 1: straights 1, 2. Level 2 ("Upper"): straights 3, 4 joined on from piece 2,
// under a tunnel, with a grade run anchored on 4, and a helix whose pieces lie on it.
Layout TwoDecks() {
  Document doc;
  Layout& l = doc.layout();
  l.levels = {Level{.id = 1, .outline = {}},
              Level{.id = 2, .name = "Upper", .height = 100, .outline = {}}};
  ChainBuilder b(l);
  b.Start("24188");
  b.Append("24188");
  b.Append("24188");
  b.Append("24188");
  Piece(l, 3).level = Piece(l, 4).level = 2;
  DeselectAll(l);
  Piece(l, 3).sel = Piece(l, 4).sel = true;
  EXPECT_TRUE(ToggleTunnel(doc));
  DeselectAll(l);
  SetGradeRun(l, 2.0, 4, 1);
  RecomputeGradeMode(l);
  InsertHelix(doc, "", 0, {3000, 0});
  for (PlacedPiece& p : l.pieces)
    if (p.helix != -1) p.level = 2;
  InsertScenery(l, {.item = "tree", .level = 2});
  return l;
}

TEST(Levels, RowsShowHeightsInTheUnitAndTheActiveLevel) {
  Layout l;
  l.levels = {Level{.id = 1, .name = "Ground", .outline = {}},
              Level{.id = 5, .name = "Deck", .height = 100, .outline = {}}};
  l.levels[1].trackcolor = true;
  l.levels[1].visible = false;
  l.active_level = 5;
  l.units = 2;
  const auto rows = LevelRows(l);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[1].height, "3.94 in");
  EXPECT_EQ(rows[1].color, "custom");
  EXPECT_EQ(rows[0].color, "-");
  EXPECT_TRUE(rows[1].active && !rows[1].visible && !rows[0].active);
}

TEST(Levels, AddProposesTheNextIdAndItsColour) {
  Document doc;
  Layout& l = doc.layout();
  l.levels = {Level{.id = 1, .outline = {}}, Level{.id = 5, .name = "Level 5", .outline = {}}};
  FakePrompter prompter;
  prompter.texts.push_back(std::string("Level 6"));
  ASSERT_EQ(AddLevel(doc, prompter), 6);
  EXPECT_EQ(prompter.shown[0].text, "Name for new level:|Level 6");
  const Level& added = l.levels.back();
  EXPECT_EQ((Rgb{added.r, added.g, added.b}), (Rgb{160, 220, 220}));
  EXPECT_EQ(l.active_level, 6);
  prompter.texts.push_back(std::string());  // an empty name adds nothing
  EXPECT_FALSE(AddLevel(doc, prompter));
  EXPECT_FALSE(AddLevel(doc, prompter));  // cancelled
  EXPECT_EQ(l.levels.size(), 3u);
}

TEST(Levels, PropertiesKeepAnUnchangedHeightAndBridges) {
  Document doc;
  Layout& l = doc.layout();
  l = TwoDecks();
  l.units = 2;
  // A bridge on the upper deck stands above it; renaming must not drop it.
  Piece(l, 3).z = 140;
  Piece(l, 4).z = 100;
  EXPECT_EQ(ChangedHeight(100, 2, 3.94), std::nullopt);
  LevelProperties props{"  Top  ", ChangedHeight(100, 2, 3.94), true, {1, 2, 3}};
  ASSERT_TRUE(ApplyLevelProperties(doc, 2, props));
  const Level& upper = l.levels[1];
  EXPECT_EQ(upper.name, "Top");
  EXPECT_EQ(upper.height, 100.0);  // not 100.076
  EXPECT_EQ(Piece(l, 3).z, 140);
  EXPECT_EQ(doc.undo_steps(), 0u);

  // Raised: the flat pieces at the old height follow; the bridge, a graded piece and
  // the helix stay.
  Piece(l, 1).level = 2;
  Piece(l, 1).z = 100;
  Piece(l, 1).grade = 2.0;
  const auto raised = ChangedHeight(100, 2, 5.0);
  ASSERT_TRUE(raised);
  EXPECT_DOUBLE_EQ(*raised, 127.0);
  props.name = "";
  props.height_mm = raised;
  ASSERT_TRUE(ApplyLevelProperties(doc, 2, props));
  EXPECT_EQ(l.levels[1].name, "Top");
  EXPECT_DOUBLE_EQ(Piece(l, 4).z, 127.0);
  EXPECT_EQ(Piece(l, 3).z, 140);
  EXPECT_EQ(Piece(l, 1).z, 100);
  for (const PlacedPiece& p : l.pieces) EXPECT_TRUE(p.helix == -1 || p.z != 127.0) << p.id;
}

TEST(Levels, RemoveAsksWithTheCountsLeavesAConsistentLayoutAndCanBeUndone) {
  Document one_doc;
  EnsureDefaultLevel(one_doc.layout());
  FakePrompter prompter;
  EXPECT_FALSE(RemoveLevel(one_doc, prompter, 1));
  EXPECT_EQ(prompter.last().caption + ": " + prompter.last().text,
            "Remove Level: A layout must have at least one level.");

  Document doc;
  Layout& l = doc.layout();
  l = TwoDecks();
  l.active_level = 2;
  EXPECT_FALSE(RemoveLevel(doc, prompter, 2));  // Cancel is the default
  EXPECT_EQ(prompter.last().caption, "Remove Level \u2014 Confirm Deletion");
  EXPECT_TRUE(prompter.last().default_no);
  EXPECT_EQ(prompter.last().text,
            "Remove level \"Upper\"?\n\nThis will PERMANENTLY DELETE everything on this level:\n"
            "    \u2022 2 track piece(s)\n    \u2022 3 scenery item(s)\n    \u2022 1 "
            "helix/helices\n\nThis cannot be undone from this dialog. Are you sure?|Delete "
            "Level && Contents|Cancel");

  prompter.answers.push_back(PromptAnswer::Yes);
  ASSERT_TRUE(RemoveLevel(doc, prompter, 2));
  ASSERT_EQ(l.levels.size(), 1u);
  EXPECT_EQ(l.active_level, 1);
  EXPECT_EQ(l.pieces.size(), 2u);  // the helix pieces went too
  EXPECT_TRUE(l.scenery.empty());  // the tree and both portals
  EXPECT_FALSE(l.grade_mode.active);
  EXPECT_FALSE(Piece(l, 2).Joined(1));
  EXPECT_TRUE(CheckLayout(l).problems.empty());
}

TEST(Levels, RemovingTheActiveOfThreeLevelsActivatesTheFirstLeftAndTakesWholeHelices) {
  Document doc;
  Layout& l = doc.layout();
  l.levels = {Level{.id = 1, .name = "Ground", .outline = {}},
              Level{.id = 2, .name = "Middle", .height = 100, .outline = {}},
              Level{.id = 3, .name = "Top", .height = 200, .outline = {}}};
  l.active_level = 1;
  ChainBuilder b(l);
  b.Start("24188");
  l.active_level = 2;
  const int helix = InsertHelix(doc, "", 0, {3000, 0});
  ASSERT_GT(helix, 0);
  // The helix stands on level 2; its top stub reaches the deck above.
  std::vector<int> helix_pieces;
  for (PlacedPiece& p : l.pieces)
    if (p.helix == helix) {
      helix_pieces.push_back(p.id);
      p.level = 2;
    }
  ASSERT_EQ(helix_pieces.size(), 4u);
  Piece(l, helix_pieces.back()).level = 3;
  l.active_level = 1;
  FakePrompter prompter;

  prompter.answers = {PromptAnswer::Yes};
  ASSERT_TRUE(RemoveLevel(doc, prompter, 2));
  EXPECT_TRUE(l.helices.empty());
  ASSERT_EQ(l.pieces.size(), 1u);  // the stub on level 3 went with its helix
  EXPECT_EQ(l.active_level, 1);    // not the removed one: kept

  // A long name is asked about whole, never cut in the middle of a character.
  std::string name;
  for (int i = 0; i < 700; ++i) name += "Gro\u00DFe ";
  l.levels.push_back(Level{.id = 4, .name = name, .outline = {}});
  prompter.answers = {PromptAnswer::Yes};
  ASSERT_TRUE(RemoveLevel(doc, prompter, 1));
  EXPECT_EQ(l.active_level, 3);  // the first level left, not the last
  prompter.answers = {PromptAnswer::No};
  EXPECT_FALSE(RemoveLevel(doc, prompter, 4));
  EXPECT_TRUE(prompter.last().text.starts_with("Remove level \"" + name + "\"?\n\n"));
  EXPECT_TRUE(prompter.last().text.ends_with("Are you sure?|Delete Level && Contents|Cancel"));
}

}  // namespace
