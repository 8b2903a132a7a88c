// The layout file: exact writer text, round trips of every element, and the reader's
// rules for defaults, derived fields, number edges and what a load replaces.
#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <random>

#include "layout_builder.h"
#include "model/document.h"
#include "model/layout_file.h"
#include "model/layout_ops.h"
#include "model/number_text.h"
#include "temp_dir.h"

namespace {

const std::filesystem::path kData = VANTREL_TEST_DATA;

// Uses every element and attribute the file has, with awkward values.
Layout FullLayout() {
  Layout l;
  l.units = 2;
  l.grade_runs = {{2.5, 1, 1}, {-1.25, 2, 0}};
  PlacedPiece a = PieceAt("24188", -100.5, 20.25, 90, 1);
  a.z = 12.5, a.grade = 2.5, a.level = 2, a.helix = 9, a.color = {200, 100, 50};
  a.rev = a.free = a.sel = a.has_color = true;
  a.SetJoint(1, 2, 0);
  PlacedPiece b = PieceAt("24130", -100.5, 208.55, 90, 2);
  b.SetJoint(0, 1, 1);
  b.SetJoint(5, 1, 7);  // beyond the article's connectors: kept as it is
  b.has_color = true;   // black is a colour too
  l.pieces = {a, b, PieceAt("a&b <\"c\"> 'd'", 1e6, -1e-4, 359.9999, 3)};
  l.scenery = {{10, "platform_island", 5, -6, 45, true, 1.5, 0.75, 2},
               {11, "Bäume am Hang", -0.0625, 0, 0, false, 1, 1, 1}};
  l.levels = {Level{1, "Erdgeschoss & \"Keller\"", true, 0, true, 200, 100, 50, {}},
              Level{2, "Oben <2>", false, 120.5, false, 0, 255, 7, {{5, 5}, {6, 6}}}};
  l.levels[0].outline = {{0, 0}, {100, 0}, {100, -50.5}};
  l.active_level = 2;
  l.baseboard = {{-10, -10}, {2400, -10}, {2400, 1200.125}, {-10, 1200.125}};
  l.lastshape = {3, 2000.5, 900, 1100, 800};
  l.labels = {{20, "Gleis <1> & \"2\" 'drei'", -5, 7.125, true}};
  l.measures = {{40, {1.5, -2}, {100.25, 3}, {0, -7.5}, true}};
  l.shapes = {{21, {{1, 2}, {3, 4}, {-5, 6}}, 1, 2, 3, 4, false, 2, 30.5, "Berg & Tal", false},
              {22, {}, 120, 170, 110, 140, true, 1, 0, "", false}};
  l.tunnels = {{30, 10, 11, 1, 2, {1, 2}}, {31, -1, -1, -1, -1, {}}};
  l.helices = {{9, 300.25, -400, 180, "proses_2_5_r1r2", 1, 2, -1, 3}};
  RecomputeNextId(l);
  RecomputeGradeMode(l);
  return l;
}

// Everything a file stores, as one comparable text.
std::string Stored(const Layout& l) {
  return LayoutFileText(l, "") + std::to_string(l.next_id) + "/" +
         std::to_string(l.grade_mode.active) + "/" + std::to_string(l.grade_mode.anchor);
}

// Reads a text that must load.
Layout Read(const std::string& text) {
  Layout l;
  EXPECT_EQ(ReadLayoutText(text, l).error, "");
  return l;
}

// The writer's exact text is kept in a file, and every element reads back as written.
TEST(LayoutFile, WriterMatchesTheGoldenFileAndEveryElementSurvivesARoundTrip) {
  TempDir dir;
  const Layout original = FullLayout();
  const std::string name = "Bahnhof Süd & \"Nord\" <Hbf> 'x'";
  ASSERT_EQ(SaveLayout(original, dir / "a.vtl", name), "");
  const std::string golden = TempDir::ReadFile(kData / "golden_full.vtl");
  EXPECT_EQ(dir.Read("a.vtl"), golden);
  // Every line end on disk is CRLF.
  EXPECT_EQ(std::count(golden.begin(), golden.end(), '\n'),
            std::count(golden.begin(), golden.end(), '\r'));
  Layout loaded;
  loaded.measures = {{99, {1, 2}, {3, 4}, {0, 0}, false}};  // the last layout's: they go
  const LoadResult r = LoadLayout(loaded, dir / "a.vtl");
  ASSERT_EQ(r.error, "");
  EXPECT_EQ(r.name, name);
  EXPECT_EQ(loaded.levels[1].outline.size(), 0u) << "two points are not an outline";
  EXPECT_EQ(Stored(loaded), Stored(original));
}

// Every layout the project ships, opened and saved, gives its own bytes again, or those
// of its copy in resaved/ when an older writer or a hand made it.
TEST(LayoutFile, ShippedLayoutsSaveToTheSameBytes) {
  int count = 0;
  for (const std::filesystem::path& folder :
       {std::filesystem::path(VANTREL_EXAMPLES), kData, kData / "fuzz_regressions"}) {
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
      if (entry.path().extension() != ".vtl") continue;
      Layout l;
      const LoadResult r = LoadLayout(l, entry.path());
      if (!r.error.empty()) continue;
      const std::filesystem::path resaved = kData / "resaved" / entry.path().filename();
      const bool own = !std::filesystem::exists(resaved);
      EXPECT_EQ(LayoutFileText(l, r.name), TempDir::ReadFile(own ? entry.path() : resaved))
          << entry.path();
      ++count;
    }
  }
  EXPECT_GE(count, 10);
}

// Control characters are written as blanks; texts ending in " x=" once shadowed the
// attribute after them (found by fuzzing).
TEST(LayoutFile, TextsAreWrittenSoTheyReadBackAsTexts) {
  Layout l;
  l.labels = {{1,
               "two\nlines\r\tand\x7f"
               "bell\x07",
               0, 0, false},
              {2, "a x=\"1\" text=", 3, 4, false}};
  l.pieces = {PieceAt("24\n188", 0, 0, 0, 2), PieceAt("24188 x=", 5, 6, 7, 3)};
  l.levels = {Level{.name = "Deck height=", .outline = {}}};
  const std::string text = LayoutFileText(l, "Name\r\nwith break units=");
  EXPECT_NE(text.find("name=\"Name  with break units=\""), std::string::npos);
  const Layout back = Read(text);
  l.labels[0].text = "two lines  and bell ";
  l.pieces[0].cat = "24 188";
  EXPECT_EQ(back.labels, l.labels);
  EXPECT_EQ(back.pieces, l.pieces);
  EXPECT_EQ(back.levels, l.levels);
}

TEST(LayoutFile, NumberEdgesThatAreFineOrNotWritten) {
  // NaN and infinity cannot be read back: they are written as 0.
  Layout l;
  l.pieces = {PieceAt("24188", std::nan(""), 1e300, -std::numeric_limits<double>::infinity(), 1)};
  Layout back = Read(LayoutFileText(l, ""));
  EXPECT_EQ(std::tuple(back.pieces[0].x, back.pieces[0].y, back.pieces[0].heading),
            std::tuple(0.0, 1e300, 0.0));
  back = Read(
      "<layout >\n<pieces>\n"
      "<piece id=\"-2147483648\" cat=\"\" x=\"1e300\" y=\"-0\" heading=\".5\" color=\"-1\" "
      "level=\"2147483647\"/>\n</pieces>\n</layout>");
  const PlacedPiece& p = back.pieces.at(0);
  EXPECT_EQ(std::tuple(p.id, p.x, p.heading, p.level),
            std::tuple(-2147483647 - 1, 1e300, 0.5, 2147483647));
  EXPECT_EQ(p.color, (Rgb{255, 255, 255}));
  EXPECT_EQ(back.next_id, 1);
  for (const int units : {-1, 0, 1, 2, 3, 7})  // unknown units read as millimetres
    EXPECT_EQ(Read("<layout units=\"" + std::to_string(units) + "\">\n</layout>").units,
              units >= 0 && units <= 2 ? units : 0);
}

// Plain decimals are read without from_chars; they must come out to the same bit.
TEST(LayoutReader, NumbersReadToTheSameBitAsTheStandardLibrary) {
  std::mt19937_64 rng(3);
  for (int i = 0; i < 20000; ++i) {
    const double v =
        std::ldexp(static_cast<double>(rng() >> 11), static_cast<int>(rng() % 70) - 60);
    char text[64];
    const auto end = std::to_chars(text, text + 64, i % 2 ? -v : v, std::chars_format::fixed,
                                   static_cast<int>(rng() % 10))
                         .ptr;
    double expected = 0, got = 0;
    std::from_chars(text, end, expected);
    ASSERT_TRUE(ParseDouble(std::string_view(text, end), got));
    ASSERT_EQ(std::bit_cast<std::uint64_t>(got), std::bit_cast<std::uint64_t>(expected)) << text;
  }
}

TEST(LayoutReader, ThePiecesSectionEndsAtTheEndOfTheLayoutOrABlock) {
  const std::string piece = "<piece id=\"3\" cat=\"24188\" x=\"0\" y=\"0\" heading=\"0\"/>\n";
  Layout l;
  EXPECT_EQ(ReadLayoutText("<layout >\n<pieces>\n" + piece + "</layout>\n", l).error, "");
  EXPECT_EQ(l.pieces.size(), 1u);
  // After </block> the lines are no longer pieces: the label is read as a label.
  const Layout b = Read("<layout >\n<pieces>\n" + piece +
                        "</block>\n<label id=\"4\" x=\"1\" y=\"2\" text=\"t\"/>\n</layout>\n");
  EXPECT_EQ(b.labels.size(), 1u);
}

TEST(LayoutReader, AppliesDefaultsAndDerivedFields) {
  const Layout l = Read(
      "<layout name=\"d\">\n"
      "<pieces>\n"
      "<piece id=\"5\" cat=\"24188\" x=\"1\" y=\"2\" heading=\"3\" helix=\"3\" sel=\"1\">\n"
      "<joint conn=\"3\" target=\"6\" tconn=\"0\"/>\n"
      "</piece>\n"
      "<piece id=\"6\" cat=\"24188\" x=\"1\" y=\"2\" heading=\"3\" helix=\"3\" sel=\"0\">\n"
      "<piece id=\"7\" cat=\"24188\" x=\"1\" y=\"2\" heading=\"3\" helix=\"4\">\n"
      "</pieces>\n"
      "<scenery>\n<sceneryitem id=\"57\" item=\"tree\" x=\"0\" y=\"0\" heading=\"0\"/>\n"
      "</scenery>\n"
      "<shapes><shape id=\"\" r=\"1\">\n<shape id=\"8\" r=\"300\" g=\"-4\">\n<v x=\"1\"/>\n"
      "<v x=\"1\" y=\"2\"/>\n</shapes>\n"
      "<helix id=\"9\" cx=\"0\" cy=\"0\" heading=\"0\" variant=\"\" bottomR1=\"5\" "
      "bottomR2=\"-1\" topR1=\"-1\" topR2=\"-1\"/>\n"
      "<lastshape w_mm=\"10\"/>\n"
      "</layout>\n");
  ASSERT_EQ(l.pieces.size(), 3u);
  // A joint on connector 3 of a piece without joints: four slots, the first three open.
  EXPECT_EQ(l.pieces[0].joints, (std::vector<Joint>{{-1, -1}, {-1, -1}, {-1, -1}, {6, 0}}));
  // One selected piece of helix 3 selects all of helix 3, not helix 4.
  EXPECT_TRUE(l.pieces[1].sel);
  EXPECT_FALSE(l.pieces[2].sel);
  EXPECT_EQ(l.pieces[2].level, 1);
  EXPECT_FALSE(l.pieces[2].has_color);
  EXPECT_EQ(l.next_id, 58);
  EXPECT_EQ(l.scenery[0].scalex, 1.0);
  EXPECT_EQ(l.scenery[0].level, 1);
  // The shape without an id is skipped; colours are held to 0..255; a vertex needs x and y.
  ASSERT_EQ(l.shapes.size(), 1u);
  EXPECT_EQ(l.shapes[0], (LayoutShape{8, {{1, 2}}, 255, 0, 110, 140, true, 1, 0, "", false}));
  EXPECT_EQ(l.helices[0].variant, kDefaultHelixId);
  EXPECT_EQ(l.lastshape, (LastShape{0, 10, 1200, 1200, 1200}));
  // A level without a visible attribute is visible; one without colour is grey.
  const Level bare =
      Read("<layout >\n<levels >\n<level id=\"4\"/>\n</levels>\n</layout>\n").levels.at(0);
  EXPECT_TRUE(bare.visible);
  EXPECT_EQ((Rgb{bare.r, bare.g, bare.b}), (Rgb{180, 180, 180}));
}

TEST(LayoutReader, LoadReplacesEverythingTheFileStores) {
  Layout l = FullLayout();
  l.next_id = 500;
  const LoadResult r = ReadLayoutText(
      "<layout name=\"bare\" version=\"1\" units=\"0\">\r\n  <pieces>\r\n  </pieces>\r\n"
      "</layout>\r\n",
      l);
  ASSERT_EQ(r.error, "");
  EXPECT_EQ(r.name, "bare");
  EXPECT_EQ(Stored(l), Stored(Layout{}));  // no levels, active level 1, no baseboard, no runs
  EXPECT_TRUE(l.measures.empty()) << "the last layout's measurements do not show on this one";
  // A reader skips what it does not know, so older programs read newer files, and a
  // file without measurements (any file from before they were saved) reads as it did.
  const Layout later = Read(
      "<layout name=\"x\">\n<pieces>\n</pieces>\n<future kind=\"thing\"/>\n"
      "<measures>\n<measure id=\"3\" x1=\"0\" y1=\"0\" x2=\"10\" y2=\"0\"/>\n</measures>\n"
      "</layout>\n");
  EXPECT_EQ(later.measures.at(0).end, (Point{10, 0}));
  EXPECT_EQ(later.measures[0].label_offset, (Point{0, 0}));
  EXPECT_EQ(later.next_id, 4);
}

TEST(LayoutReader, BadNumbersAreRefusedWithTheLineAndLeaveTheLayoutAlone) {
  const std::pair<std::string, std::string> cases[] = {
      {"<run deg=\"x\" anchor=\"1\" conn=\"0\"/>",
       "Line 2: \"deg\" of <run> is missing or not a number."},
      {"<run deg=\"1\" conn=\"0\"/>", "Line 2: \"anchor\" of <run> is missing or not a number."},
      {"<label id=\"1\" x=\"1\" y=\"1e400\" text=\"a\"/>",
       "Line 2: \"y\" of <label> is missing or not a number."},
      {"<tunnel id=\"1\" portalA=\"2\" portalB=\"3\" anchorA=\"4.5\"/>",
       "Line 2: \"anchorA\" of <tunnel> is not a number."},
      {"<helix id=\"1\" cx=\"0\" cy=\"0\" heading=\"0\" bottomR1=\"1\" bottomR2=\"1\" "
       "topR1=\"1\"/>",
       "Line 2: \"topR2\" of <helix> is missing or not a number."},
      {"<layout units=\" 1\">", "Line 2: \"units\" of <layout> is not a number."},
      {"<lastshape h_mm=\"-\"/>", "Line 2: \"h_mm\" of <lastshape> is not a number."},
      {"<baseboard>\n<vertex x=\"1\" y=\"+2\"/>",
       "Line 3: \"y\" of <vertex> is missing or not a number."},
      {"<label id=\"1000000001\" x=\"1\" y=\"1\"/>",
       "Line 2: \"id\" of <label> is too large (at most 1000000000)."},
  };
  for (const auto& [line, error] : cases) {
    Layout l = FullLayout();
    const std::string before = LayoutFileText(l, "x");
    const LoadResult r = ReadLayoutText("<layout name=\"a\">\n" + line + "\n</layout>\n", l);
    EXPECT_EQ(r.error.substr(0, error.size()), error) << line;
    EXPECT_EQ(r.name, "");
    EXPECT_EQ(LayoutFileText(l, "x"), before) << line;
  }
}

}  // namespace
