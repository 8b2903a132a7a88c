// vantrel-tool run as a program: report lines, conversion, help and exit statuses.
#include <gtest/gtest.h>

#include "app/version.h"
#include "layout_builder.h"
#include "model/layout_file.h"
#include "temp_dir.h"
#include "tool_run.h"

namespace {

namespace fs = std::filesystem;
const fs::path kData = VANTREL_TEST_DATA;

TEST(VantrelTool, CheckReportsOpenEndsOfTheCatalogGeometry) {
  const ToolRun r = RunTool({"check", (kData / "tool_open_ends.vtl").string()});
  // The curve passes 36 mm from the start of the straight: the trains would touch.
  EXPECT_EQ(r.status, 1) << r.err;
  EXPECT_EQ(r.out,
            "pieces 3\nscenery items 0\nlabels 0\nshapes 0\ntunnels 0\nhelices 0\nlevels 1\n"
            "grade runs 0\n"
            "track length Marklin C-Track 565.096 mm\n"
            "open 1 0 x=100.000 y=50.000 angle=270.000\n"
            "open 2 1 x=100.000 y=426.600 angle=90.000\n"
            "open 3 0 x=0.000 y=0.000 angle=180.000\n"
            "open 3 1 x=180.000 y=48.231 angle=30.000\n"
            "conflict: collision pieces 1 and 3 at x=105.4 y=34.1 (level 1)\n"
            "0 problem(s), 1 conflict(s)\n");
  EXPECT_EQ(r.err, "");
}

// Each problem's text is the consistency check's; the report lists them with their count,
// and a file whose joints are damaged is still read.
TEST(VantrelTool, CheckReportsProblemsWithStatusOne) {
  const ToolRun r = RunTool({"check", (kData / "tool_problems.vtl").string()});
  EXPECT_EQ(r.status, 1);
  for (const char* line : {"problem: joint 2 5 -> 3 0: article 24188 has no connector 5\n",
                           "8 problem(s), 0 conflict(s)\n"})
    EXPECT_NE(r.out.find(line), std::string::npos) << line << r.out;
}

// 1 and 2 joined with a 12.6 mm step; 3 crosses 1 at its height; 4 climbs at 6.5 degrees
// and crosses 2 only 31 mm over it.
TEST(VantrelTool, CheckPrintsTheConflictsOfThePlanAfterTheProblems) {
  const std::string file = (kData / "plan_conflicts.vtl").string();
  ToolRun r = RunTool({"check", file});
  EXPECT_EQ(r.status, 1) << r.err;
  const std::string report = r.out.substr(r.out.find("open 4 1"));
  EXPECT_EQ(report.substr(report.find('\n') + 1),
            "conflict: height step 12.6 mm at joint 1 1 -> 2 0 (x=188.3, y=0.0)\n"
            "conflict: collision pieces 1 and 3 at x=94.0 y=0.0 (level 1)\n"
            "conflict: clearance 31.0 mm < 65.0 mm, piece 4 over piece 2 at x=282.0 y=0.0\n"
            "conflict: grade 6.5 deg on piece 4 exceeds 6 deg\n"
            "0 problem(s), 4 conflict(s)\n");
  // The headroom asked for holds for every track system.
  r = RunTool({"check", file, "--clearance", "40"});
  EXPECT_NE(r.out.find("conflict: clearance 31.0 mm < 40.0 mm, piece 4 over piece 2"),
            std::string::npos)
      << r.out;
  r = RunTool({"check", std::string(VANTREL_EXAMPLES) + "/k-track-figure-eight.vtl"});
  EXPECT_EQ(r.status, 0) << r.out;
  EXPECT_TRUE(r.out.ends_with("\nconsistent\n"));
}

TEST(VantrelTool, ConvertWritesTheSameLayoutUnderItsOwnName) {
  TempDir dir;
  // An older file: LF line ends, ".xml", attributes the writer would put differently.
  dir.Write("old.xml",
            "<?xml version=\"1.0\"?>\n<layout name=\"Old &amp; Gold\" version=\"1\">\n"
            "<pieces>\n<piece id=\"4\" cat=\"24188\" x=\"1.5\" y=\"2\" heading=\"90\" sel=\"1\">\n"
            "</piece>\n</pieces>\n</layout>\n");
  const ToolRun r = RunTool({"convert", (dir / "old.xml").string(), (dir / "new.vtl").string()});
  ASSERT_EQ(r.status, 0) << r.err;
  const std::string text = dir.Read("new.vtl");
  Layout back;
  ASSERT_EQ(ReadLayoutText(text, back).error, "");
  EXPECT_EQ(text, LayoutFileText(back, "Old & Gold"));
  EXPECT_EQ(back.pieces.at(0).x, 1.5);
}

// Help goes to the output with status 0; a usage error, an unreadable input or an
// output the tool will not write goes to the error stream alone, with status 2.
TEST(VantrelTool, HelpUsageErrorsAndUnreadableInput) {
  TempDir dir;
  const std::string small = (kData / "golden_small.vtl").string(), usage = "vantrel-tool: ";
  const struct {
    std::vector<std::string> args;
    int status;
    std::string starts;
  } cases[] = {
      {{"--help"}, 0, "usage: vantrel-tool"},
      {{"-h"}, 0, "usage: vantrel-tool"},
      {{"check", "--help"}, 0, "usage: vantrel-tool"},
      {{"convert", "-h"}, 0, "usage: vantrel-tool"},
      {{}, 2, usage},
      {{"frobnicate"}, 2, usage},
      {{"check"}, 2, usage},
      {{"check", "a", "b"}, 2, usage},
      {{"convert", "a"}, 2, usage},
      {{"check", "f.vtl", "--clearance"}, 2, usage},
      {{"check", "f.vtl", "--clearance", "0"}, 2, usage},
      {{"check", "f.vtl", "--clearance", "x"}, 2, usage},
      {{"check", "--clearance", "30"}, 2, usage},
      {{"parts", small, "--tsv"}, 2, usage},
      {{"check", (kData / "malformed" / "piece_x_not_a_number.vtl").string()},
       2,
       "Line 4: \"x\" of <piece> is missing or not a number.\n"},
      {{"check", "/no/such/file.vtl"}, 2, "Cannot open file: /no/such/file.vtl\n"},
      {{"parts", "/no/such/file.vtl"}, 2, "Cannot open file: "},
      {{"cart", "/no/such/file.vtl"}, 2, "Cannot open file: "},
      {{"convert", small, (dir / "out.xml").string()}, 2, usage},
  };
  for (const auto& c : cases) {
    const ToolRun r = RunTool(c.args);
    SCOPED_TRACE(c.args.empty() ? "" : c.args.back());
    EXPECT_EQ(r.status, c.status);
    EXPECT_TRUE((c.status == 0 ? r.out : r.err).starts_with(c.starts)) << r.out << r.err;
    EXPECT_TRUE(c.status == 0 || r.out.empty()) << r.out;
  }
  EXPECT_NE(RunTool({"check", "-h"}).out.find("open <piece id>"), std::string::npos);
  EXPECT_TRUE(fs::is_empty(dir.path()));
}

// The version is the build's project version, the one the window titles show.
TEST(VantrelTool, VersionIsTheOneTheWindowShows) {
  const ToolRun r = RunTool({"--version"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, std::string("vantrel-tool ") + ProgramVersion() + "\n");
  EXPECT_EQ(AppTitle(), "Vantrel v" + std::string(ProgramVersion()) + " by Kestrelmoor");
}

TEST(VantrelTool, AReportThatCannotBeWrittenIsAFailure) {
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"check", (kData / "golden_small.vtl").string()}, {"--help"}}) {
    const ToolRun r = RunTool(args, "/dev/full");
    EXPECT_EQ(r.status, 2) << args[0];
    EXPECT_NE(r.err.find("could not be written"), std::string::npos) << r.err;
  }
}

// The rows and their formats are the parts list's, the address and messages Buy Track's;
// the tool prints them.
TEST(VantrelTool, PartsAndCartPrintWhatThePanelAndBuyTrackShow) {
  const std::string file = (kData / "parts_acceptance.vtl").string();
  ToolRun r = RunTool({"parts", file});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(
      r.out.starts_with("Article  Name                                         Count\n"
                        "2200     2200 Straight Track Length 180 mm / 7-3/32\"      2\n"))
      << r.out;
  r = RunTool({"parts", "--csv", file});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(r.out.starts_with("article,name,count\r\n2200,")) << r.out;

  r = RunTool({"cart", file});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(r.out.starts_with("https://shop.example.com/cart/41200000024188:2,")) << r.out;
  // Nothing to buy: the message alone, with status 1.
  TempDir dir;
  Layout l;
  ChainBuilder(l).Start("99999");
  ASSERT_EQ(SaveLayout(l, dir / "unknown.vtl", "u"), "");
  r = RunTool({"cart", (dir / "unknown.vtl").string()});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "message: Buy Track: No purchasable track pieces found in your layout.\n");
  ChainBuilder(l).Start("24188");  // some to buy: the message, then the address
  ASSERT_EQ(SaveLayout(l, dir / "some.vtl", "s"), "");
  r = RunTool({"cart", (dir / "some.vtl").string()});
  EXPECT_EQ(r.status, 0);
  EXPECT_TRUE(r.out.starts_with("message: Some pieces not available: ")) << r.out;
  EXPECT_TRUE(r.out.ends_with("\\n  99999\\n\nhttps://shop.example.com/cart/41200000024188:1\n"));
}

}  // namespace
