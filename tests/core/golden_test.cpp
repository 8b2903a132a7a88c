// The drawing checked as pictures: the example layouts, every article and scenery item,
// track in each of its colours, the layers around the track, the canvas overlays and a
// printed page, each drawn by the raster painter and compared with its stored PNG.
#include <gtest/gtest.h>

#include <filesystem>

#include "catalog/catalog.h"
#include "catalog/helix_catalog.h"
#include "catalog/scenery_catalog.h"
#include "catalog/track_system.h"
#include "golden.h"
#include "model/layout_file.h"
#include "model/layout_ops.h"
#include "print/print_layout.h"
#include "recording_painter.h"
#include "render/render_overlays.h"

namespace {

RasterPainter Draw(const Layout& l, const ViewTransform& v, int w, int h,
                   DrawSwitches show = kNoGrid) {
  RasterPainter p(w, h);
  RenderContext rc;
  rc.show = show;
  DrawLayout(rc, p, l, v, w, h);
  return p;
}

TEST(Golden, ExampleLayouts) {
  for (const auto& entry : std::filesystem::directory_iterator(VANTREL_EXAMPLES)) {
    if (entry.path().extension() != ".vtl") continue;
    Layout l;
    ASSERT_EQ(LoadLayout(l, entry.path()).error, "");
    ViewTransform v;
    FitToLayout(v, l, false, 640, 480);
    EXPECT_TRUE(MatchesGolden("example-" + entry.path().stem().string(), Draw(l, v, 640, 480, {})));
  }
}

// Every article of a system side by side with its label and its open ends' dots: the
// outlines and the connectors as the catalog gives them.
TEST(Golden, EveryArticleOfEverySystem) {
  const std::pair<int, const char*> systems[] = {
      {MarklinC, "c"}, {TrixC, "trix-c"}, {MarklinZ, "z"}, {MarklinK, "k"}};
  for (const auto& [system, name] : systems) {
    Layout l = WithLevel();
    double x = 0, y = 0;
    const Catalog& cat = Catalog::instance();
    for (int i = 0; i < cat.count(); ++i) {
      const PieceDef& d = *cat.at(i);
      if (d.system != system) continue;
      double reach = 0;
      for (const Connector& k : d.connectors) reach = std::max(reach, k.x);
      const bool table = d.kind == PieceKind::Turntable;
      if (table) reach = 2 * d.length / 2;
      if (x + reach > 2900) x = 0, y += table ? 420 : 240;
      AddPiece(l, d.id, x + (table ? d.length / 2 : 0), y + (table ? 90 : 0));
      x += reach + 70;
    }
    EXPECT_TRUE(MatchesGolden(std::string("catalog-") + name,
                              Draw(l, {0.25, 10, 40}, 760, static_cast<int>(y * 0.25) + 150)));
  }
}

// Every item, and the signals close up: their lights are smaller than a pixel otherwise.
TEST(Golden, EverySceneryItem) {
  Layout all = WithLevel(), signals = WithLevel();
  double x = 0, y = 0, row = 0;
  for (const SceneryDef& def : SceneryCatalog::instance().all()) {
    if (x + def.width > 1500) x = 0, y += row + 30, row = 0;
    all.scenery.push_back({TakeId(all), def.id, x + def.width / 2, y + def.depth / 2});
    x += def.width + 30;
    row = std::max(row, def.depth);
    if (def.category == kSignals) {
      const int n = static_cast<int>(signals.scenery.size());
      signals.scenery.push_back({TakeId(signals), def.id, n % 4 * 40.0, n / 4 * 40.0});
    }
  }
  ViewTransform v;
  FitToLayout(v, all, false, 640, 480);
  EXPECT_TRUE(MatchesGolden("scenery", Draw(all, v, 640, 480)));
  EXPECT_TRUE(MatchesGolden("signals", Draw(signals, {4.0, 40, 40}, 720, 320)));
}

// Straights in every colour a piece takes: each system's own, selected, the elevation
// tints, faded in a tunnel, a level's and its own colour, on a helix, and joined.
TEST(Golden, TrackColours) {
  Layout l = WithLevel();
  l.levels.push_back({.id = 2, .trackcolor = true, .r = 30, .g = 140, .b = 90, .outline = {}});
  const auto straight = [&l](const char* cat, int slot) {
    return &Piece(l, AddPiece(l, cat, slot % 2 * 400.0, slot / 2 * 90.0));
  };
  straight("24188", 0);
  straight("2200", 1);
  straight("24188", 2)->sel = true;
  straight("24188", 3)->z = 30;
  straight("24188", 4)->z = 60;
  straight("24188", 5)->z = 120;
  l.tunnels.push_back({50, -1, -1, -1, -1, {straight("24188", 6)->id}});
  straight("24188", 7)->level = 2;
  PlacedPiece* own = straight("2200", 8);
  own->has_color = true, own->color = {200, 40, 120};
  PlacedPiece* flat_helix = straight("24188", 9);
  flat_helix->helix = 3, flat_helix->z = 60;
  PlacedPiece* graded_helix = straight("24188", 10);
  graded_helix->helix = 3, graded_helix->z = 60, graded_helix->grade = 2;
  straight("24188", 11);
  l.pieces.back().SetJoint(1, 99, 0);
  EXPECT_TRUE(MatchesGolden("track-colours", Draw(l, {0.6, 10, 30}, 480, 360)));
}

// The board with its edge lengths, decks, the grid, shapes on two levels, a hidden
// level, scenery turned, stretched and selected, a helix over track and a turntable.
TEST(Golden, BoardDecksShapesSceneryAndHelix) {
  Layout l = WithLevel();
  l.units = 1;
  l.baseboard = {{0, 0}, {1600, 0}, {1600, 1100}, {0, 1100}};
  l.levels.push_back({2, "Top", true, 200, true, 10, 20, 30, {{50, 50}, {600, 50}, {600, 400}}});
  l.levels.push_back(
      {3, "Low", true, 50, false, 200, 120, 90, {{700, 50}, {1000, 50}, {900, 300}}});
  l.levels.push_back({4, "Off", false, 80, false, 1, 2, 3, {{0, 600}, {600, 600}, {300, 900}}});
  l.shapes.push_back(
      {.vertices = {{100, 500}, {500, 500}, {400, 800}}, .level = 2, .label = "Hill"});
  l.shapes.push_back(
      {.vertices = {{300, 450}, {700, 450}, {700, 650}}, .r = 50, .label = {}, .sel = true});
  l.shapes.push_back({.vertices = {{0, 0}, {50, 900}, {900, 0}}, .level = 4, .label = "Hidden"});
  l.scenery.push_back({TakeId(l), "platform", 450, 600, 30});
  l.scenery.push_back({TakeId(l), "signal_box", 1300, 700, 90, true, 2, 1});
  l.scenery.push_back({TakeId(l), "tree_conifer", 1400, 900, 0, false, 1, 0.5});
  const int bottom = AddPiece(l, "24188", 1000, 150, 90);
  AddPiece(l, "74861", 1150, 900);  // its spokes' ends show without the connector dots
  l.helices.push_back({.id = TakeId(l), .cx = 1200, .cy = 150, .bottomR1 = bottom});
  EXPECT_TRUE(MatchesGolden("board-decks-shapes-scenery",
                            Draw(l, {0.3, 40, 30}, 560, 400, {true, false, true})));
}

// Grade markers both ways, labels plain, selected and on two lines, measurements long,
// short and selected, a turntable with its bridge, a bridge's arch and a contact box.
TEST(Golden, MarkersLabelsMeasurementsAndSpecialPieces) {
  Layout l = WithLevel();
  const int up = AddPiece(l, "24188", 0, 0), down = AddPiece(l, "24188", 0, 150);
  l.pieces[1].SetJoint(1, 77, 0);
  l.grade_runs = {{2.5, up, 1}, {-1.0, down, 0}};
  l.labels.push_back({TakeId(l), "Yard", 60, 140});
  l.labels.push_back({TakeId(l), "East\nSidings", 200, 300, true});
  l.measures.push_back({TakeId(l), {100, -20}, {100, 440}, {0, 0}, false});
  l.measures.push_back({TakeId(l), {0, 470}, {300, 520}, {0, 20}, true});
  l.measures.push_back({TakeId(l), {450, 470}, {460, 470}, {0, 0}, false});
  PlacedPiece& table = Piece(l, AddPiece(l, "74861", 650, 200, 90));
  table.SetJoint(0, 50, 0);
  table.SetJoint(5, 51, 0);
  AddPiece(l, "74620", 300, 80, 20);
  AddPiece(l, "74623", 300, 0, 0);
  AddPiece(l, "24994", 300, 160);
  AddPiece(l, "24130", 500, 380, 300);
  EXPECT_TRUE(MatchesGolden("markers-labels-measurements", Draw(l, {0.55, 50, 40}, 520, 400)));
}

TEST(Golden, CanvasOverlays) {
  Layout l = WithLevel();
  AddPiece(l, "24188", 100, 200);
  l.pieces[0].sel = true;
  l.scenery.push_back({TakeId(l), "platform", 500, 400, 0, true});
  l.shapes.push_back({.vertices = {{600, 100}, {800, 100}, {700, 250}}, .label = {}, .sel = true});
  l.measures.push_back({TakeId(l), {100, 500}, {400, 500}, {0, 0}, true});
  const ViewTransform v{0.5, 40, 40};
  RasterPainter p = Draw(l, v, 480, 360);
  RenderContext rc;
  DrawSelectionHandles(p, v, l);
  DrawRulers(p, v, 0, 480, 360);
  DrawPieceGhost(rc, p, *Catalog::instance().find("24611"), {200, 300, 10}, v);
  DrawSceneryGhost(rc, p, *SceneryCatalog::instance().find("signal_box"), {600, 450, 45}, v);
  DrawHelixGhost(p, v, *HelixCatalog::resolve(""), 300, 600);
  DrawRotationMarker(p, {400, 80}, 12.5, false);
  DrawRotationMarker(p, {440, 130}, 90, true);
  DrawRubberBand(p, {250, 330}, {200, 280});
  DrawSnapTarget(p, {100, 300});
  DrawConflictMarks(p, v, {{600, 600}});
  DrawOutlineInProgress(p, v, {{50, 600}, {200, 620}, {150, 700}}, {60, 610}, true, 0);
  DrawMeasureInProgress(p, v, {400, 620}, {700, 640}, 1);
  EXPECT_TRUE(MatchesGolden("overlays", p));
}

// A middle sheet of a tiled printout in grey: header, clipped drawing, join marks.
TEST(Golden, PrintedPageInGrey) {
  Layout l = WithLevel();
  l.baseboard = {{0, 0}, {2400, 0}, {2400, 1200}, {0, 1200}};
  const int first = AddPiece(l, "24611", 600, 500);
  l.grade_runs.push_back({2.0, first, 0});
  AddPiece(l, "24188", 1000, 300, 30);
  l.pieces.back().has_color = true, l.pieces.back().color = {220, 60, 60};
  l.labels.push_back({TakeId(l), "Yard", 900, 600});
  PrintOptions o;
  o.scaling = PrintScaling::ActualScale;
  o.scale_n = 5;
  o.color = PrintColor::Greyscale;
  o.grid = true;
  const PagePlan plan = PlanPrint(l, o, kA4Paper, false, 40);
  ASSERT_GE(PageCount(plan), 3);
  RasterPainter page(plan.width, plan.height);
  GreyPainter grey(page);
  RenderContext rc;
  DrawPrintPage(rc, grey, PrintedLayout(l, o), "Shelf", o, plan, 2);
  EXPECT_TRUE(MatchesGolden("printed-page-grey", page));
}

}  // namespace
