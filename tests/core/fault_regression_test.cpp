// Faults found by hostile input: files at the id limit, symbolic links, read-only files,
// impossible joints, coordinates near the limits of a double, bad UTF-8, endless input
// and CR line ends. Each test is named for what broke.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <tuple>

#include "edit/panel_edits.h"
#include "fake_prompter.h"
#include "interact/file_commands.h"
#include "layout_builder.h"
#include "model/document.h"
#include "model/layout_check.h"
#include "model/layout_file.h"
#include "model/layout_ops.h"
#include "recording_painter.h"
#include "render/render.h"
#include "temp_dir.h"
#include "view/view_transform.h"

namespace fs = std::filesystem;

namespace {

std::string PieceFile(const std::string& pieces, const std::string& eol = "\r\n") {
  return "<layout name=\"T\" version=\"1\" units=\"0\">" + eol + "<pieces>" + eol + pieces +
         "</pieces>" + eol + "</layout>" + eol;
}

std::string Piece(const std::string& id, double x = 0) {
  return "<piece id=\"" + id + "\" cat=\"24188\" x=\"" + std::to_string(x) +
         "\" y=\"0\" heading=\"0\">\r\n</piece>\r\n";
}

TEST(FaultRegression, AnIdPastTheLimitWasHandedOutAndSavedIntoAFileThatCannotBeRead) {
  Document doc;
  Layout& l = doc.layout();
  ASSERT_EQ(ReadLayoutText(PieceFile(Piece("1000000000")), l).error, "");
  Change told = Change::None;
  const Subscription listening = doc.Subscribe([&](Change c) { told |= c; });
  EXPECT_FALSE(AddLabel(doc, "one too many", std::nullopt) && doc.CanUndo());
  EXPECT_FALSE(doc.CanUndo());
  EXPECT_EQ(doc.TakeRefusal(),
            "This layout has used every object id (up to 1000000000), so nothing more can be "
            "added to it; the last edit was undone.");
  EXPECT_TRUE(Has(told, Change::Content));  // the window repaints and tells the refusal
  EXPECT_EQ(doc.TakeRefusal(), "");         // told once

  TempDir dir;
  EXPECT_EQ(SaveLayout(l, dir / "a.vtl", "T"), "");
  Layout back;
  EXPECT_EQ(LoadLayout(back, dir / "a.vtl").error, "");
  l.pieces[0].id = 1'000'000'001;
  EXPECT_EQ(SaveLayout(l, dir / "a.vtl", "T"),
            "Cannot save: an object id is larger than 1000000000.");
}

TEST(FaultRegression, SavingOntoASymbolicLinkReplacedTheLinkInsteadOfItsTarget) {
  TempDir dir;
  fs::create_directories(dir / "real");
  dir.Write("real/yard.vtl", "old");
  fs::create_symlink("real/yard.vtl", dir / "link.vtl");
  Layout l;
  ASSERT_EQ(SaveLayout(l, dir / "link.vtl", "Yard"), "");
  EXPECT_TRUE(fs::is_symlink(dir / "link.vtl"));
  EXPECT_EQ(dir.Read("real/yard.vtl"), LayoutFileText(l, "Yard"));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 2);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir / "real"), fs::directory_iterator()), 1);
}

TEST(FaultRegression, SavingReplacedAReadOnlyLayoutFile) {
  TempDir dir;
  const fs::path file = dir / "Yard.vtl";
  dir.Write("Yard.vtl", "old");
  ::chmod(file.c_str(), 0640);
  Document doc;
  Layout& l = doc.layout();
  ASSERT_EQ(SaveLayout(l, file, "Yard"), "");
  struct stat st {};
  ASSERT_EQ(::stat(file.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);  // the permission bits are kept

  ::chmod(file.c_str(), 0444);
  dir.Write("Yard.vtl", "old");
  doc.SetFile(file.string(), "Yard");
  doc.MarkChanged(Change::None);
  FakePrompter prompter;
  FileCommands files(doc, prompter, dir.path());
  EXPECT_FALSE(files.Save());
  EXPECT_EQ(prompter.last().text,
            "Cannot replace file: " + file.string() + " (the file is read-only)");
  EXPECT_TRUE(doc.modified());
  EXPECT_EQ(dir.Read("Yard.vtl"), "old");
}

TEST(FaultRegression, CheckCalledImpossibleJointsConsistent) {
  Layout l;
  ChainBuilder chain(l);
  const int a = chain.Start("24188");
  const int b = chain.Append("24188");
  l.pieces[0].SetJoint(0, a, 0);  // a's free connector 0 names itself
  l.pieces[1].SetJoint(1, b, 0);  // b's free connector 1 names b's other connector
  const std::vector<std::string> problems = CheckLayout(l).problems;
  const auto has = [&](const std::string& text) {
    return std::find(problems.begin(), problems.end(), text) != problems.end();
  };
  const std::string A = std::to_string(a), B = std::to_string(b);
  EXPECT_TRUE(has("joint " + A + " 0 -> " + A + " 0: connector joined to itself"));
  EXPECT_TRUE(has("joint " + B + " 1 -> " + B + " 0: piece joined to itself"));

  Layout gap;
  ChainBuilder pair(gap);
  pair.Start("24188");
  pair.Append("24188");
  gap.pieces[1].x += 4.5;  // still joined, 4.5 mm away
  const std::vector<std::string> far = CheckLayout(gap).problems;
  ASSERT_EQ(far.size(), 1u);
  EXPECT_NE(far[0].find(": connectors 4.500 mm apart"), std::string::npos) << far[0];
  gap.pieces[1].x -= 0.6;  // 3.9 mm: within what joining accepts
  EXPECT_TRUE(CheckLayout(gap).problems.empty());
}

TEST(FaultRegression, CoordinatesNearTheLimitOfADoubleMadeTheFitInfinite) {
  Layout l;
  ASSERT_EQ(ReadLayoutText(PieceFile(Piece("1", 1e308) + Piece("2", -1e308)), l).error, "");
  ViewTransform v{2.0, 5.0, 5.0};
  FitToLayout(v, l, false, 1400, 900);
  const ViewTransform start;
  EXPECT_EQ((std::tuple{v.zoom, v.offset_x, v.offset_y}),
            (std::tuple{start.zoom, start.offset_x, start.offset_y}));
}

TEST(FaultRegression, ALabelWithInvalidUtf8WasNotDrawn) {
  Layout l = WithLevel();
  // A stray continuation byte, a cut-off sequence at the end, an overlong '/'.
  l.labels.push_back({1,
                      "A\x80"
                      "B\xC0\xAF"
                      "C\xE2\x82",
                      10, 10});
  l.labels.push_back({2, "Gr\xC3\xBC\xC3\x9F \xE2\x82\xAC", 10, 40});  // valid: unchanged
  RecordingPainter rec;
  RenderContext rc;
  DrawLayout(rc, rec, l, {1.0, 0, 0}, 800, 600);
  const std::string bad = "\xEF\xBF\xBD";
  const std::vector<std::string> texts = rec.Texts();
  EXPECT_NE(std::find(texts.begin(), texts.end(), "A" + bad + "B" + bad + bad + "C" + bad + bad),
            texts.end());
  EXPECT_NE(std::find(texts.begin(), texts.end(), l.labels[1].text), texts.end());
  EXPECT_NE(LayoutFileText(l, "T").find("text=\"A\x80"
                                        "B\xC0\xAF"
                                        "C\xE2\x82\""),
            std::string::npos);  // the file keeps the bytes
}

TEST(FaultRegression, ReadingDevZeroGrewWithoutLimit) {
  Layout l;
  const LoadResult r = LoadLayout(l, "/dev/zero");
  EXPECT_EQ(r.error, "Line 1: the line is longer than 256 MiB; this is not a layout file.");
}

TEST(FaultRegression, AFileWithCrLineEndsLoadedAsAnEmptyLayout) {
  TempDir dir;
  const std::string body = Piece("1") + Piece("2", 200);
  for (const std::string eol : {"\r", "\n", "\r\n"}) {
    std::string pieces = body;
    for (std::size_t at = pieces.find("\r\n"); at != std::string::npos;
         at = pieces.find("\r\n", at + eol.size()))
      pieces.replace(at, 2, eol);
    const std::string text = PieceFile(pieces, eol);
    Layout from_text, from_file;
    EXPECT_EQ(ReadLayoutText(text, from_text).error, "");
    EXPECT_EQ(from_text.pieces.size(), 2u);
    dir.Write("a.vtl", text);
    EXPECT_EQ(LoadLayout(from_file, dir / "a.vtl").error, "");
    EXPECT_EQ(LayoutFileText(from_file, "T"), LayoutFileText(from_text, "T"));
    // Errors name the right line whatever the line ends.
    std::string broken = text;
    broken.replace(broken.find("x=\"200"), 6, "x=\"abc");
    Layout refused;
    EXPECT_EQ(ReadLayoutText(broken, refused).error.substr(0, 7), "Line 5:");
  }
}

}  // namespace
