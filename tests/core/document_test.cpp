// The document's history: every kind of edit is exactly one labelled undo step, a refused
// or empty edit none; the modified mark follows undo back to the saved state; refusals
// and exceptions leave nothing behind; listeners hear what changed.
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

#include "canvas_events.h"
#include "edit/autofill.h"
#include "edit/clipboard.h"
#include "edit/grades.h"
#include "edit/helix_ops.h"
#include "edit/levels.h"
#include "edit/panel_edits.h"
#include "edit/place_block.h"
#include "edit/placement.h"
#include "edit/shape_edits.h"
#include "edit/tunnels.h"
#include "interact/file_commands.h"
#include "layout_builder.h"
#include "model/layout_ops.h"
#include "model/snapshot.h"
#include "temp_dir.h"

namespace {

// Two joined straights a (0..188.3) and b (188.3..376.6) on Level 1; the canvas shows
// layout millimetres as screen pixels.
struct Desk : CanvasDesk {
  Desk() {
    ChainBuilder chain(l);
    a = chain.Start("24188");
    b = chain.Append("24188");
  }
  void Select(std::initializer_list<int> ids) {
    DeselectAll(l);
    for (int id : ids) P(id).sel = true;
  }
  int AddUpperLevel() {
    const int id = *AddLevelNamed(l, "Upper");
    l.active_level = 1;
    return id;
  }
  // Drops the palette item being dragged at (x, y).
  void Drop(double x, double y) {
    canvas.Motion(At(x, y));
    canvas.LeftDown(At(x, y, {}, true));
  }
  ShownItem PieceA() const { return {ShownKind::Piece, a}; }
  static void SelectA(Desk& d) { d.Select({d.a}); }
  static void SelectB(Desk& d) { d.Select({d.b}); }
  static void SelectAB(Desk& d) { d.Select({d.a, d.b}); }
  static void AddHelix(Desk& d) { InsertHelix(d.doc, "", 0, {2000, 2000}); }
  static void AddShape(Desk& d) {
    d.l.shapes.push_back(
        {.id = TakeId(d.l), .vertices = {{0, 300}, {100, 300}, {100, 400}}, .label = {}});
  }
  static void AddLabelAt500(Desk& d) { d.l.labels.push_back({TakeId(d.l), "Yard", 500, 500}); }

  Layout& l = layout;
  int a = -1;
  int b = -1;
};

// What undo must give back: the content and the decks. Which objects are selected and
// which level is active are no undo steps of their own.
LayoutSnapshot State(const Layout& l) {
  LayoutSnapshot s = TakeSnapshot(l);
  for (auto& p : s.pieces) p.sel = false;
  for (auto& i : s.scenery) i.sel = false;
  for (auto& t : s.labels) t.sel = false;
  for (auto& m : s.measures) m.sel = false;
  for (auto& x : s.shapes) x.sel = false;
  s.level_state = LevelState{l.levels, 0};
  return s;
}

const Mods kCtrl{true, false, false};
const Mods kAlt{false, false, true};

struct EditCase {
  const char* name;
  const char* label;
  std::function<void(Desk&)> prepare;
  std::function<void(Desk&)> edit;
};

const std::vector<EditCase>& EditCases() {
  static const std::vector<EditCase> cases = {
      {"drop a palette piece", "Place", nullptr,
       [](Desk& d) {
         d.canvas.BeginPieceDrag("24188");
         d.Drop(600, 300);
       }},
      {"extend the selection from the palette", "Place", Desk::SelectB,
       [](Desk& d) { d.canvas.AutoConnect("24188"); }},
      {"double-click a piece", "Place", nullptr, [](Desk& d) { d.canvas.LeftDClick(At(94, 0)); }},
      {"drop scenery", "Place Scenery", nullptr,
       [](Desk& d) {
         d.canvas.BeginSceneryDrag("tree_sm_dec");
         d.Drop(500, 500);
       }},
      {"move the selection", "Move", Desk::SelectAB, [](Desk& d) { d.Drag(94, 0, 94, 200); }},
      {"rotate with Alt and a drag", "Rotate", Desk::SelectAB,
       [](Desk& d) { d.Drag(400, 100, 100, 400, kAlt); }},
      {"rotate with Ctrl and the wheel", "Rotate", Desk::SelectA,
       [](Desk& d) { d.canvas.Wheel(At(10, 10, kCtrl), 120); }},
      {"rotate with Alt and the right button", "Rotate", Desk::SelectA,
       [](Desk& d) { d.canvas.RightDown(At(10, 10, kAlt)); }},
      {"delete", "Delete", Desk::SelectA, [](Desk& d) { d.canvas.DeleteSelection(); }},
      {"paste", "Paste",
       [](Desk& d) {
         d.Select({d.a});
         d.canvas.CopySelection();
         d.canvas.RightDown(At(500, 500));
       },
       [](Desk& d) { d.canvas.Paste(); }},
      {"start a grade", "Start Grade", nullptr, [](Desk& d) { StartGrade(d.doc, d.b, 2.0); }},
      {"end a grade", "End Grade", [](Desk& d) { StartGrade(d.doc, d.a, 2.0); },
       [](Desk& d) { EndGrade(d.doc, d.a); }},
      {"recalculate heights", "Recalculate Heights", [](Desk& d) { d.P(d.b).z = 10; },
       [](Desk& d) { RecalculateForward(d.doc, d.b); }},
      {"type a height", "Height", nullptr,
       [](Desk& d) { ApplyHeightText(d.doc, d.PieceA(), "25"); }},
      {"type a helix's base height", "Height", Desk::AddHelix,
       [](Desk& d) { SetHelixBaseHeight(d.doc, d.l.helices[0].id, 50); }},
      {"place a helix", "Place Helix", nullptr, Desk::AddHelix},
      {"make a tunnel", "Tunnel", Desk::SelectAB, [](Desk& d) { ToggleTunnel(d.doc); }},
      {"choose a level", "Level",
       [](Desk& d) {
         d.AddUpperLevel();
         d.Select({d.a});
       },
       [](Desk& d) { ApplyLevelChoice(d.doc, d.PieceA(), 2); }},
      {"colour track", "Color", Desk::SelectA, [](Desk& d) { ApplyColor(d.doc, 1); }},
      {"add a label", "Add Label", nullptr, [](Desk& d) { AddLabel(d.doc, "Yard", Point{}); }},
      {"drag a label", "Move", Desk::AddLabelAt500, [](Desk& d) { d.Drag(510, 510, 560, 560); }},
      {"shape properties", "Shape Properties", Desk::AddShape,
       [](Desk& d) {
         ApplyShapeProps(d.doc, d.l.shapes[0].id, ShapeProps{"Lake", Rgb{10, 20, 200}});
       }},
      {"resize scenery", "Resize Scenery",
       [](Desk& d) { InsertScenery(d.l, {.item = "tree_sm_dec", .x = 700, .y = 700}); },
       [](Desk& d) { ResizeScenery(d.doc, d.l.scenery[0].id, 2, 3); }},
      {"measure", "Measure", nullptr,
       [](Desk& d) {
         d.canvas.SetTool(kToolMeasure);
         d.canvas.LeftDown(At(0, 300, {}, true));
         d.canvas.LeftDown(At(300, 300, {}, true));
       }},
      {"draw a polygon", "Draw Shape", nullptr,
       [](Desk& d) {
         d.canvas.SetTool(kToolPolygon);
         for (const auto& [x, y] : {std::pair{0, 400}, {200, 400}, {200, 600}})
           d.canvas.LeftDown(At(x, y, {}, true));
         d.canvas.KeyDown(CanvasKey::Enter, {});
       }},
      {"fill a gap", "Autofill Gap",
       [](Desk& d) {
         ChainBuilder(d.l).Start("24188", {736.6, 0, 0});
         d.Select({d.b, d.l.pieces.back().id});
         d.ask.rows.push_back(0);
       },
       [](Desk& d) { AutofillGap(d.doc, d.ask); }},
      {"place a library block", "Place Block", nullptr,
       [](Desk& d) {
         PlaceBlock(d.doc, LoadedBlock{"", "", {d.P(d.a)}, {}});
       }},
      {"remove a level", "Remove Level",
       [](Desk& d) {
         d.P(d.b).level = d.AddUpperLevel();
         d.ask.answers.push_back(PromptAnswer::Yes);
       },
       [](Desk& d) { RemoveLevel(d.doc, d.ask, 2); }},
      {"raise a level", "Level Properties", [](Desk& d) { d.P(d.b).level = d.AddUpperLevel(); },
       [](Desk& d) {
         ApplyLevelProperties(d.doc, 2, {.name = "Upper", .height_mm = 50.0, .color = {}});
       }},
      {"new layout", "New", [](Desk& d) { d.ask.answers.push_back(PromptAnswer::No); },
       [](Desk& d) { FileCommands(d.doc, d.ask, TempDir().path()).New(); }},
  };
  return cases;
}

TEST(Document, EveryKindOfEditIsOneLabelledUndoStepThatUndoAndRedoTakeBackAndReplay) {
  for (const EditCase& c : EditCases()) {
    SCOPED_TRACE(c.name);
    Desk d;
    if (c.prepare) c.prepare(d);
    const LayoutSnapshot before = State(d.l);
    const std::size_t steps = d.doc.undo_steps();
    c.edit(d);
    ASSERT_EQ(d.doc.undo_steps(), steps + 1);
    EXPECT_EQ(d.doc.UndoLabel(), c.label);
    EXPECT_TRUE(d.ask.shown.empty() || d.ask.last().kind != "notify") << d.ask.last().text;
    const LayoutSnapshot after = State(d.l);
    ASSERT_TRUE(d.doc.Undo());
    EXPECT_TRUE(State(d.l) == before);
    EXPECT_EQ(d.doc.RedoLabel(), c.label);
    ASSERT_TRUE(d.doc.Redo());
    EXPECT_TRUE(State(d.l) == after);
  }
}

TEST(Document, ARefusedOrEmptyEditIsNoStepAndChangesNothing) {
  const std::vector<EditCase> cases = {
      {"delete with nothing selected", "", nullptr, [](Desk& d) { d.canvas.DeleteSelection(); }},
      {"extend by another track system", "", Desk::SelectB,
       [](Desk& d) { d.canvas.AutoConnect("2200"); }},
      {"fill between two track systems", "",
       [](Desk& d) {
         ChainBuilder(d.l).Start("2200", {736.6, 0, 0});
         d.Select({d.b, d.l.pieces.back().id});
       },
       [](Desk& d) { AutofillGap(d.doc, d.ask); }},
      {"remove the only level", "", nullptr, [](Desk& d) { RemoveLevel(d.doc, d.ask, 1); }},
      {"remove a level, cancelled", "", [](Desk& d) { d.AddUpperLevel(); },
       [](Desk& d) { RemoveLevel(d.doc, d.ask, 2); }},
      {"colour with nothing selected", "", nullptr, [](Desk& d) { ApplyColor(d.doc, 1); }},
      {"an empty label", "", nullptr, [](Desk& d) { AddLabel(d.doc, "", std::nullopt); }},
      {"a click that does not move", "", nullptr,
       [](Desk& d) {
         d.canvas.LeftDown(At(94, 0, {}, true));
         d.canvas.LeftUp(At(94, 0));
       }},
      {"recalculate heights that are right", "", nullptr,
       [](Desk& d) { RecalculateForward(d.doc, d.b); }},
      {"type the height a piece has", "", nullptr,
       [](Desk& d) { ApplyHeightText(d.doc, d.PieceA(), "0"); }},
      {"turn one piece of a helix", "",
       [](Desk& d) {
         Desk::AddHelix(d);
         d.Select({d.l.pieces.back().id});
       },
       [](Desk& d) { d.canvas.Wheel(At(10, 10, kCtrl), 120); }},
  };
  for (const EditCase& c : cases) {
    SCOPED_TRACE(c.name);
    Desk d;
    if (c.prepare) c.prepare(d);
    d.doc.ClearHistory();
    const LayoutSnapshot before = State(d.l);
    const std::uint64_t revision = d.doc.revision();
    c.edit(d);
    EXPECT_EQ(d.doc.undo_steps(), 0u);
    EXPECT_TRUE(SameContentIgnoringSelection(before, d.l));
    EXPECT_TRUE(d.l.levels == before.level_state->levels);
    EXPECT_EQ(d.doc.revision(), revision) << "nothing changed, so nothing to save";
  }
}

TEST(Document, UndoingBackToTheSavedStateClearsTheModifiedMark) {
  Desk d;
  d.doc.MarkSaved();
  AddLabel(d.doc, "one", std::nullopt);
  AddLabel(d.doc, "two", std::nullopt);
  ASSERT_TRUE(d.doc.Undo());
  EXPECT_TRUE(d.doc.modified());
  ASSERT_TRUE(d.doc.Undo());
  EXPECT_FALSE(d.doc.modified()) << "back where it was saved";
  ASSERT_TRUE(d.doc.Redo());
  EXPECT_TRUE(d.doc.modified());
  d.doc.MarkSaved();  // saved with one label
  ASSERT_TRUE(d.doc.Undo());
  EXPECT_TRUE(d.doc.modified());
  ASSERT_TRUE(d.doc.Redo());
  EXPECT_FALSE(d.doc.modified());

  // A change undo does not take back (the baseboard) leaves no state in the history
  // that is the saved one.
  Transaction board(d.doc, "Baseboard", Change::View);
  d.l.baseboard = {{0, 0}, {100, 0}, {100, 100}};
  EXPECT_FALSE(board.Commit()) << "no undo step";
  EXPECT_TRUE(d.doc.modified());
  ASSERT_TRUE(d.doc.Undo());
  EXPECT_EQ(d.l.baseboard.size(), 3u);
  ASSERT_TRUE(d.doc.Redo());
  EXPECT_TRUE(d.doc.modified()) << "the baseboard is still not saved";
}

TEST(Document, KeepsFiftyStepsAndANewStepEmptiesRedo) {
  Document doc;
  for (int i = 0; i < 60; ++i) AddLabel(doc, "label", std::nullopt);
  int undone = 0;
  while (doc.Undo()) ++undone;
  EXPECT_EQ(undone, 50);
  EXPECT_EQ(doc.layout().labels.size(), 10u);
  EXPECT_TRUE(doc.Redo());
  EXPECT_TRUE(doc.CanRedo());
  AddLabel(doc, "new", std::nullopt);
  EXPECT_FALSE(doc.CanRedo());
  EXPECT_EQ(doc.RedoLabel(), "");
}

TEST(Transaction, ARefusalOrAnExceptionPutsEverythingBack) {
  Desk d;
  const LayoutSnapshot before = State(d.l);
  Change told = Change::None;
  const Subscription listening = d.doc.Subscribe([&](Change c) { told |= c; });
  {
    Transaction t(d.doc, "Half Done");
    d.P(d.a).x = 999;
    d.l.baseboard = {{0, 0}, {1, 0}, {1, 1}};
  }  // refused: never committed
  EXPECT_TRUE(State(d.l) == before);
  EXPECT_TRUE(d.l.baseboard.empty());
  EXPECT_TRUE(Has(told, Change::Content)) << "the views drop what they drew meanwhile";
  EXPECT_THROW(
      {
        Transaction t(d.doc, "Throws");
        d.l.pieces.clear();
        throw std::runtime_error("disk gone");
      },
      std::runtime_error);
  EXPECT_TRUE(State(d.l) == before);
  EXPECT_EQ(d.doc.undo_steps(), 0u);
  EXPECT_FALSE(d.doc.modified());
}

TEST(Transaction, SelectingAloneIsNoStepButIsTold) {
  Desk d;
  Change told = Change::None;
  const Subscription listening = d.doc.Subscribe([&](Change c) { told |= c; });
  Transaction t(d.doc, "Select");
  d.P(d.a).sel = true;
  EXPECT_FALSE(t.Commit());
  EXPECT_TRUE(d.P(d.a).sel) << "the selection stays";
  EXPECT_EQ(told, Change::Selection);
  EXPECT_FALSE(d.doc.modified());
}

TEST(Transaction, ATransactionInsideAnotherIsPartOfItsStep) {
  Desk d;
  Transaction outer(d.doc, "Move");
  d.P(d.a).x = 10;
  {
    Transaction inner(d.doc, "Height");
    d.P(d.a).z = 5;
    EXPECT_FALSE(inner.Commit());
  }
  {
    Transaction refused(d.doc, "Color");
    d.P(d.b).has_color = true;
  }
  EXPECT_FALSE(d.P(d.b).has_color) << "the inner refusal went back to its own start";
  EXPECT_FALSE(d.doc.CanUndo()) << "no undo in the middle of an edit";
  EXPECT_TRUE(outer.Commit());
  EXPECT_EQ(d.doc.undo_steps(), 1u);
  EXPECT_EQ(d.doc.UndoLabel(), "Move");
  ASSERT_TRUE(d.doc.Undo());
  EXPECT_EQ(d.P(d.a).x, 0);
  EXPECT_EQ(d.P(d.a).z, 0);
}

TEST(Document, ListenersHearWhatChangedUntilTheirSubscriptionEnds) {
  Desk d;
  std::vector<Change> heard;
  auto listening =
      std::make_unique<Subscription>(d.doc.Subscribe([&](Change c) { heard.push_back(c); }));
  SetActiveLevel(d.doc, d.AddUpperLevel());
  ASSERT_EQ(heard.size(), 1u);
  EXPECT_TRUE(Has(heard[0], Change::Levels));
  EXPECT_TRUE(d.doc.modified()) << "the active level is saved";
  EXPECT_FALSE(d.doc.CanUndo()) << "and not undone";
  AddLabel(d.doc, "x", std::nullopt);
  ASSERT_EQ(heard.size(), 2u);
  EXPECT_TRUE(Has(heard[1], Change::Content));
  d.doc.Undo();
  ASSERT_EQ(heard.size(), 3u);
  EXPECT_TRUE(Has(heard[2], Change::Content) && Has(heard[2], Change::File));
  listening.reset();
  AddLabel(d.doc, "y", std::nullopt);
  EXPECT_EQ(heard.size(), 3u);
  // A subscription may outlive its document.
  auto doc = std::make_unique<Document>();
  Subscription late = doc->Subscribe([](Change) {});
  doc.reset();
}

TEST(Document, ContentBroughtBackAfterOpeningAFileKeepsIdsUnique) {
  Document doc;
  Layout& l = doc.layout();
  for (int i = 0; i < 10; ++i) AddLabel(doc, "label", std::nullopt);
  // Opening a smaller file replaces the content and derives the counter from it.
  l.labels.resize(2);
  RecomputeNextId(l);
  ASSERT_EQ(l.next_id, 3);
  ASSERT_TRUE(doc.Undo());  // brings back labels 1 to 9
  AddLabel(doc, "new", std::nullopt);
  EXPECT_EQ(l.labels.back().id, 10);  // above every id that is back, once only
}

}  // namespace
