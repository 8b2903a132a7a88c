// vantrel-tool run as a program: report lines, conversion, help and exit statuses.
#include <gtest/gtest.h>

#include "app/version.h"
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

TEST(VantrelTool, CheckReportsProblemsWithStatusOne) {
  const ToolRun r = RunTool({"check", (kData / "tool_problems.vtl").string()});
  EXPECT_EQ(r.status, 1);
  for (const char* line :
       {"problem: unknown article 99999\n",
        "problem: joint 1 1 -> 2 0: one-sided, piece 2 does not record it\n",
        "problem: joint 2 1 -> 9 0: piece 9 does not exist\n",
        "problem: joint 2 5 -> 3 0: article 24188 has no connector 5\n",
        "problem: joint 3 0 -> 2 5: article 24188 has no connector 5\n",
        "problem: duplicate id 3: piece label\n", "problem: grade run 1 names missing piece 40\n",
        "problem: tunnel 7 covers missing piece 77\n", "8 problem(s), 0 conflict(s)\n"})
    EXPECT_NE(r.out.find(line), std::string::npos) << line << r.out;
  // The piece of an unknown article has no ends to report.
  EXPECT_EQ(r.out.find("open 4 "), std::string::npos);
}

TEST(VantrelTool, CheckPrintsTheConflictsOfThePlanAfterTheProblems) {
  TempDir dir;
  // 1 and 2 joined with a 12.6 mm step; 3 crosses 1 at its height; 4 climbs at 6.5
  // degrees and crosses 2 only 31 mm over it.
  const std::string piece =
      "    <piece id=\"%\" cat=\"24188\" x=\"X\" y=\"Y\" heading=\"H\" z=\"Z\" "
      "grade=\"G\" level=\"1\" sel=\"0\">\n";
  auto Piece = [&](const char* id, const char* x, const char* y, const char* h, const char* z,
                   const char* g, const std::string& joints) {
    std::string t = piece;
    for (const auto& [k, v] :
         {std::pair{"%", id}, {"X", x}, {"Y", y}, {"H", h}, {"Z", z}, {"G", g}})
      t.replace(t.find(k), 1, v);
    return t + joints + "    </piece>\n";
  };
  dir.Write("steps.vtl",
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<layout name=\"s\" version=\"1\">\n"
            "  <pieces>\n" +
                Piece("1", "0", "0", "0", "0", "0",
                      "      <joint conn=\"1\" target=\"2\" tconn=\"0\"/>\n") +
                Piece("2", "188.3", "0", "0", "12.6", "0",
                      "      <joint conn=\"0\" target=\"1\" tconn=\"1\"/>\n") +
                Piece("3", "94", "-94", "90", "0", "0", "") +
                Piece("4", "282", "-94", "90", "32.959", "6.5", "") + "  </pieces>\n</layout>\n");
  ToolRun r = RunTool({"check", (dir / "steps.vtl").string()});
  EXPECT_EQ(r.status, 1) << r.err;
  const std::string report = r.out.substr(r.out.find("open 4 1"));
  EXPECT_EQ(report.substr(report.find('\n') + 1),
            "conflict: height step 12.6 mm at joint 1 1 -> 2 0 (x=188.3, y=0.0)\n"
            "conflict: collision pieces 1 and 3 at x=94.0 y=0.0 (level 1)\n"
            "conflict: clearance 31.0 mm < 65.0 mm, piece 4 over piece 2 at x=282.0 y=0.0\n"
            "conflict: grade 6.5 deg on piece 4 exceeds 6 deg\n"
            "0 problem(s), 4 conflict(s)\n");
  // The headroom asked for holds for every track system.
  r = RunTool({"check", (dir / "steps.vtl").string(), "--clearance", "40"});
  EXPECT_NE(r.out.find("conflict: clearance 31.0 mm < 40.0 mm, piece 4 over piece 2"),
            std::string::npos)
      << r.out;
  r = RunTool({"check", (dir / "steps.vtl").string(), "--clearance", "30.5"});
  EXPECT_EQ(r.out.find("conflict: clearance"), std::string::npos) << r.out;
  for (const std::vector<std::string>& bad :
       {std::vector<std::string>{"check", "f.vtl", "--clearance"},
        {"check", "f.vtl", "--clearance", "0"},
        {"check", "f.vtl", "--clearance", "x"},
        {"check", "--clearance", "30"}}) {
    r = RunTool(bad);
    EXPECT_EQ(r.status, 2) << bad.back();
    EXPECT_EQ(r.err.rfind("vantrel-tool: ", 0), 0u) << r.err;
  }
}

TEST(VantrelTool, AnExampleWithNothingFoundIsConsistent) {
  const ToolRun r = RunTool({"check", std::string(VANTREL_EXAMPLES) + "/k-track-figure-eight.vtl"});
  EXPECT_EQ(r.status, 0) << r.out;
  EXPECT_EQ(r.out.substr(r.out.size() - 11), "consistent\n");
  // Its bridge leaves 68.5 mm over the track below: short of 70 mm.
  EXPECT_EQ(RunTool({"check", std::string(VANTREL_EXAMPLES) + "/k-track-figure-eight.vtl",
                     "--clearance", "70"})
                .status,
            1);
}

TEST(VantrelTool, ConvertWritesTheSameLayoutUnderItsOwnName) {
  TempDir dir;
  // An older file: LF line ends, ".xml", attributes the writer would put differently.
  dir.Write("old.xml",
            "<?xml version=\"1.0\"?>\n<layout name=\"Old &amp; Gold\" version=\"1\">\n"
            "<pieces>\n<piece id=\"4\" cat=\"24188\" x=\"1.5\" y=\"2\" heading=\"90\" sel=\"1\">\n"
            "</piece>\n</pieces>\n</layout>\n");
  ToolRun r = RunTool({"convert", (dir / "old.xml").string(), (dir / "new.vtl").string()});
  ASSERT_EQ(r.status, 0) << r.err;
  const std::string text = dir.Read("new.vtl");
  EXPECT_NE(text.find("<layout name=\"Old &amp; Gold\" version=\"1\" units=\"0\">\r\n"),
            std::string::npos);
  EXPECT_NE(
      text.find("    <piece id=\"4\" cat=\"24188\" x=\"1.5000\" y=\"2.0000\" "
                "heading=\"90.0000\" z=\"0.0000\" grade=\"0.0000\" level=\"1\" sel=\"1\">\r\n"),
      std::string::npos);
  // Converting a file the writer made gives it back byte for byte.
  r = RunTool({"convert", (kData / "golden_small.vtl").string(), (dir / "g.vtl").string()});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(dir.Read("g.vtl"), TempDir::ReadFile(kData / "golden_small.vtl"));
}

TEST(VantrelTool, UnreadableInputAndBadOutputGiveStatusTwoAndTheReason) {
  TempDir dir;
  ToolRun r = RunTool({"check", (kData / "malformed" / "piece_x_not_a_number.vtl").string()});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "Line 4: \"x\" of <piece> is missing or not a number.\n");
  r = RunTool({"check", "/no/such/file.vtl"});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, "Cannot open file: /no/such/file.vtl\n");
  r = RunTool({"convert", (kData / "golden_small.vtl").string(), (dir / "out.xml").string()});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find(".vtl"), std::string::npos);
  r = RunTool({"convert", (kData / "malformed" / "piece_heading_nan.vtl").string(),
               (dir / "out.vtl").string()});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, "Line 4: \"heading\" of <piece> is missing or not a number.\n");
  EXPECT_TRUE(fs::is_empty(dir.path()));
}

TEST(VantrelTool, HelpAndUsage) {
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"--help"}, {"-h"}, {"check", "--help"}, {"convert", "-h"}}) {
    const ToolRun r = RunTool(args);
    EXPECT_EQ(r.status, 0) << args[0];
    EXPECT_EQ(r.out.rfind("usage: vantrel-tool", 0), 0u) << r.out;
  }
  EXPECT_NE(RunTool({"check", "-h"}).out.find("open <piece id>"), std::string::npos);
  for (const std::vector<std::string>& args : {std::vector<std::string>{},
                                               {"frobnicate"},
                                               {"check"},
                                               {"check", "a", "b"},
                                               {"convert", "a"}}) {
    const ToolRun r = RunTool(args);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err.rfind("vantrel-tool: ", 0), 0u) << r.err;
  }
}

// The version is the build's project version, the one the window titles show.
TEST(VantrelTool, VersionIsTheOneTheWindowShows) {
  const ToolRun r = RunTool({"--version"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, std::string("vantrel-tool ") + ProgramVersion() + "\n");
  EXPECT_EQ(AppTitle(), "Vantrel v" + std::string(ProgramVersion()) + " by Kestrelmoor");
  EXPECT_NE(std::string(ProgramVersion()).find('.'), std::string::npos);
}

TEST(VantrelTool, AReportThatCannotBeWrittenIsAFailure) {
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"check", (kData / "golden_small.vtl").string()}, {"--help"}}) {
    const ToolRun r = RunTool(args, "/dev/full");
    EXPECT_EQ(r.status, 2) << args[0];
    EXPECT_NE(r.err.find("could not be written"), std::string::npos) << r.err;
  }
}

TEST(VantrelTool, PartsPrintsThePanelsRowsAsTextOrCsv) {
  const std::string file = (kData / "parts_acceptance.vtl").string();
  ToolRun r = RunTool({"parts", file});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "Article  Name                                         Count\n"
            "2200     2200 Straight Track Length 180 mm / 7-3/32\"      2\n"
            "24188    24188 - 188.3mm                                  2\n"
            "24230    24230 (30°) R2 - 437.5mm (17-1/4)                1\n"
            "24624    24624 Double Slip Switch 24.3°                   1\n"
            "24630    24630 Three-Way Turnout 2x24.3°                  1\n"
            "24720    24720 Double Slip Switch slim 12.1°              1\n"
            "7263     7263 Arch Bridge 360mm                           1\n"
            "74871    74871 Turntable Spoke Extension 57.5mm           2\n"
            "\n"
            "We Recommend\n"
            "74491    Turnout Motor                                    3\n"
            "74462    Decoder                                          2\n"
            "74467    Decoder (24720)                                  1\n");
  r = RunTool({"parts", "--csv", file});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(r.out.starts_with(
      "article,name,count\r\n2200,\"2200 Straight Track Length 180 mm / 7-3/32\"\"\",2\r\n"))
      << r.out;
  EXPECT_TRUE(
      r.out.ends_with(",2\r\n,We Recommend,\r\n74491,Turnout Motor,3\r\n74462,Decoder,2\r\n"
                      "74467,Decoder (24720),1\r\n"))
      << r.out;
  EXPECT_EQ(RunTool({"parts", "/no/such/file.vtl"}).status, 2);
  EXPECT_EQ(RunTool({"parts", file, "--tsv"}).status, 2);
}

TEST(VantrelTool, CartPrintsTheAddressOrTheMessageBuyTrackShows) {
  TempDir dir;
  ToolRun r = RunTool({"cart", (kData / "parts_acceptance.vtl").string()});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "https://shop.example.com/cart/41200000024188:2,41200000024230:1,41200000024624:1,"
            "41200000024630:1,41200000024720:1,41200000007263:1,41200000074871:2,"
            "41200000074492:3,41200000074462:2,41200000074467:1\n");

  Layout l;
  PlacedPiece p;
  p.id = 1;
  p.cat = "99999";
  l.pieces.push_back(p);
  ASSERT_EQ(SaveLayout(l, dir / "unknown.vtl", "u"), "");
  r = RunTool({"cart", (dir / "unknown.vtl").string()});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "message: Buy Track: No purchasable track pieces found in your layout.\n");

  p.id = 2;
  p.cat = "24188";
  l.pieces.push_back(p);
  ASSERT_EQ(SaveLayout(l, dir / "some.vtl", "s"), "");
  r = RunTool({"cart", (dir / "some.vtl").string()});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out,
            "message: Some pieces not available: The following pieces are not available in the "
            "store and will be skipped:\\n  99999\\n\n"
            "https://shop.example.com/cart/41200000024188:1\n");
  EXPECT_EQ(RunTool({"cart", "/no/such/file.vtl"}).status, 2);
}

}  // namespace
