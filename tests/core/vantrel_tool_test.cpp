// vantrel-tool run as a program: report lines, conversion, help and exit statuses.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include "model/layout_file.h"
#include "temp_dir.h"

namespace {

namespace fs = std::filesystem;
const fs::path kData = VANTREL_TEST_DATA;

struct ToolRun {
  int status = -1;
  std::string out;
  std::string err;
};

ToolRun Tool(const std::vector<std::string>& args) {
  TempDir dir;
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(open((dir / "out").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 1);
    dup2(open((dir / "err").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 2);
    std::vector<char*> argv{const_cast<char*>(VANTREL_TOOL)};
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execv(VANTREL_TOOL, argv.data());
    _exit(127);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, dir.Read("out"), dir.Read("err")};
}

TEST(VantrelTool, CheckReportsOpenEndsOfTheCatalogGeometry) {
  const ToolRun r = Tool({"check", (kData / "tool_open_ends.vtl").string()});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "pieces 3\nscenery items 0\nlabels 0\nshapes 0\ntunnels 0\nhelices 0\nlevels 1\n"
            "grade runs 0\n"
            "track length Marklin C-Track 565.096 mm\n"
            "open 1 0 x=100.000 y=50.000 angle=270.000\n"
            "open 2 1 x=100.000 y=426.600 angle=90.000\n"
            "open 3 0 x=0.000 y=0.000 angle=180.000\n"
            "open 3 1 x=180.000 y=48.231 angle=30.000\n"
            "consistent\n");
  EXPECT_EQ(r.err, "");
}

TEST(VantrelTool, CheckReportsProblemsWithStatusOne) {
  const ToolRun r = Tool({"check", (kData / "tool_problems.vtl").string()});
  EXPECT_EQ(r.status, 1);
  for (const char* line :
       {"problem: unknown article 99999\n",
        "problem: joint 1 1 -> 2 0: one-sided, piece 2 does not record it\n",
        "problem: joint 2 1 -> 9 0: piece 9 does not exist\n",
        "problem: joint 2 5 -> 3 0: article 24188 has no connector 5\n",
        "problem: joint 3 0 -> 2 5: article 24188 has no connector 5\n",
        "problem: duplicate id 3: piece label\n", "problem: grade run 1 names missing piece 40\n",
        "problem: tunnel 7 covers missing piece 77\n", "8 problem(s)\n"})
    EXPECT_NE(r.out.find(line), std::string::npos) << line << r.out;
  // The piece of an unknown article has no ends to report.
  EXPECT_EQ(r.out.find("open 4 "), std::string::npos);
}

TEST(VantrelTool, ConvertWritesTheSameLayoutUnderItsOwnName) {
  TempDir dir;
  // An older file: LF line ends, ".xml", attributes the writer would put differently.
  dir.Write("old.xml",
            "<?xml version=\"1.0\"?>\n<layout name=\"Old &amp; Gold\" version=\"1\">\n"
            "<pieces>\n<piece id=\"4\" cat=\"24188\" x=\"1.5\" y=\"2\" heading=\"90\" sel=\"1\">\n"
            "</piece>\n</pieces>\n</layout>\n");
  ToolRun r = Tool({"convert", (dir / "old.xml").string(), (dir / "new.vtl").string()});
  ASSERT_EQ(r.status, 0) << r.err;
  const std::string text = dir.Read("new.vtl");
  EXPECT_NE(text.find("<layout name=\"Old &amp; Gold\" version=\"1\" units=\"0\">\r\n"),
            std::string::npos);
  EXPECT_NE(
      text.find("    <piece id=\"4\" cat=\"24188\" x=\"1.5000\" y=\"2.0000\" "
                "heading=\"90.0000\" z=\"0.0000\" grade=\"0.0000\" level=\"1\" sel=\"1\">\r\n"),
      std::string::npos);
  // Converting a file the writer made gives it back byte for byte.
  r = Tool({"convert", (kData / "golden_small.vtl").string(), (dir / "g.vtl").string()});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(dir.Read("g.vtl"), TempDir::ReadFile(kData / "golden_small.vtl"));
}

TEST(VantrelTool, UnreadableInputAndBadOutputGiveStatusTwoAndTheReason) {
  TempDir dir;
  ToolRun r = Tool({"check", (kData / "malformed" / "piece_x_not_a_number.vtl").string()});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "Line 4: \"x\" of <piece> is missing or not a number.\n");
  r = Tool({"check", "/no/such/file.vtl"});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, "Cannot open file: /no/such/file.vtl\n");
  r = Tool({"convert", (kData / "golden_small.vtl").string(), (dir / "out.xml").string()});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find(".vtl"), std::string::npos);
  r = Tool({"convert", (kData / "malformed" / "piece_heading_nan.vtl").string(),
            (dir / "out.vtl").string()});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, "Line 4: \"heading\" of <piece> is missing or not a number.\n");
  EXPECT_TRUE(fs::is_empty(dir.path()));
}

TEST(VantrelTool, HelpAndUsage) {
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"--help"}, {"-h"}, {"check", "--help"}, {"convert", "-h"}}) {
    const ToolRun r = Tool(args);
    EXPECT_EQ(r.status, 0) << args[0];
    EXPECT_EQ(r.out.rfind("usage: vantrel-tool", 0), 0u) << r.out;
  }
  EXPECT_NE(Tool({"check", "-h"}).out.find("open <piece id>"), std::string::npos);
  for (const std::vector<std::string>& args : {std::vector<std::string>{},
                                               {"frobnicate"},
                                               {"check"},
                                               {"check", "a", "b"},
                                               {"convert", "a"}}) {
    const ToolRun r = Tool(args);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err.rfind("vantrel-tool: ", 0), 0u) << r.err;
  }
}

}  // namespace
