// File commands without a window: listing layout files, saving under typed names,
// opening, deleting, importing and exporting, each question answered by a script.
#include <gtest/gtest.h>

#include "app/prefs.h"
#include "fake_prompter.h"
#include "interact/file_commands.h"
#include "interact/library_commands.h"
#include "layout_builder.h"
#include "model/document.h"
#include "model/layout_file.h"
#include "model/layout_ops.h"
#include "model/text.h"
#include "temp_dir.h"

namespace fs = std::filesystem;

namespace {

const fs::path kData = VANTREL_TEST_DATA;

Layout TwoPieceLayout(const std::string& article = "24188") {
  Layout l = WithLevel();
  ChainBuilder chain(l);
  chain.Start(article);
  chain.Append(article);
  return l;
}

class FileCommandsTest : public testing::Test {
 protected:
  FileCommandsTest() {
    fs::create_directories(folder);
    layout = TwoPieceLayout();
    doc.MarkChanged(Change::None);
  }
  void WriteLayout(const fs::path& file, const std::string& layout_name,
                   const Layout& l = TwoPieceLayout()) {
    ASSERT_EQ(SaveLayout(l, file, layout_name), "");
  }
  // The caption and text of the last message or question.
  std::string Last() const { return prompter.last().caption + ": " + prompter.last().text; }

  TempDir dir;
  fs::path folder = dir / "layouts";  // the layout folder; `dir` shows anything written beside it
  Document doc;
  Layout& layout = doc.layout();
  FakePrompter prompter;
  FileCommands files{doc, prompter, folder};
};

TEST_F(FileCommandsTest, ListsVtlThenXmlFilesAndPrefersVtlForAName) {
  for (const char* f : {"B.vtl", "A.xml", "A.vtl", "C.xml", "notes.txt", "D.VTL"})
    dir.Write("layouts/" + std::string(f), "x");
  fs::create_directories(folder / "sub");
  dir.Write("layouts/sub/E.vtl", "x");
  fs::create_directories(folder / "Folder.vtl");
  const std::vector<LayoutFileEntry> found = CollectLayoutFiles(folder);
  std::vector<std::string> order;
  for (const LayoutFileEntry& f : found)
    order.push_back(f.file.filename().string() + "=" + f.display_name);
  EXPECT_EQ(order, (std::vector<std::string>{"A.vtl=A", "B.vtl=B", "A.xml=A", "C.xml=C"}));
  ASSERT_NE(FindLayoutFile(found, "A"), nullptr);
  EXPECT_EQ(FindLayoutFile(found, "A")->file, folder / "A.vtl");
  EXPECT_EQ(FindLayoutFile(found, "a"), nullptr);  // names match exactly
  EXPECT_EQ(ImportFileNames("  " + folder.string() + "  "),
            (std::vector<std::string>{"A.vtl", "B.vtl", "A.xml", "C.xml"}));
  EXPECT_TRUE(ImportFileNames((dir / "missing").string()).empty());
  EXPECT_EQ(WithoutExtension("Yard.old.vtl"), "Yard.old");
  EXPECT_EQ(WithoutExtension(".hidden"), ".hidden");
}

TEST_F(FileCommandsTest, FirstSaveAsksForANameTrimsItAndLaterSavesDoNot) {
  prompter.texts = {"   "};
  ASSERT_TRUE(files.Save());
  EXPECT_EQ(Last(), "Save Layout: Layout name:|My Layout");
  EXPECT_EQ(doc.path(), (folder / "My Layout.vtl").string());
  EXPECT_EQ(doc.name(), "My Layout");
  EXPECT_FALSE(doc.modified());
  doc.MarkChanged(Change::None);
  ASSERT_TRUE(files.Save());  // the path is known now
  EXPECT_EQ(prompter.shown.size(), 1u);
  prompter.texts = {"  Yard 1 \t"};
  ASSERT_TRUE(files.SaveAs());
  EXPECT_EQ(prompter.last().text, "Layout name:|My Layout");  // offers the current name
  EXPECT_EQ(doc.name(), "Yard 1");
  prompter.texts = {std::nullopt};
  doc.MarkChanged(Change::None);
  EXPECT_FALSE(files.SaveAs());
  EXPECT_TRUE(doc.modified());
  // A save that cannot write says so and the layout stays modified.
  FileCommands nowhere{doc, prompter, dir / "missing"};
  doc.SetFile("", doc.name());
  prompter.texts = {"Yard"};
  EXPECT_FALSE(nowhere.Save());
  EXPECT_EQ(prompter.last().caption, "Save Failed");
  EXPECT_NE(prompter.last().text.find("Yard.vtl"), std::string::npos);
  EXPECT_TRUE(doc.modified());
}

TEST_F(FileCommandsTest, ReplaceQuestionGuardsAnExistingLayout) {
  dir.Write("layouts/Yard.vtl", "old bytes");
  prompter.texts = {"Yard"};
  prompter.answers = {PromptAnswer::No};
  EXPECT_FALSE(files.SaveAs());
  EXPECT_EQ(Last(), "Confirm Replace: A layout named \"Yard\" already exists.\n\nReplace it?");
  EXPECT_TRUE(prompter.last().default_no);
  EXPECT_EQ(dir.Read("layouts/Yard.vtl"), "old bytes");
  EXPECT_TRUE(doc.modified());
  prompter.texts = {"Yard"};
  prompter.answers = {PromptAnswer::Yes};
  EXPECT_TRUE(files.SaveAs());
  EXPECT_EQ(dir.Read("layouts/Yard.vtl"), LayoutFileText(layout, "Yard"));
}

TEST_F(FileCommandsTest, NamesThatAreNotPlainFileNamesAreRefusedAndAskedAgain) {
  for (const std::string& typed :
       {std::string("../x"), std::string("a/b"), std::string(".."), std::string("."),
        std::string("a\tb"), std::string("line\nbr"), std::string("a\\b"), std::string("nul\0x", 5),
        std::string("del\x7f")}) {
    prompter.shown.clear();
    prompter.texts = {typed, std::nullopt};
    EXPECT_FALSE(files.Save()) << typed;
    ASSERT_EQ(prompter.shown.size(), 3u) << typed;
    EXPECT_NE(prompter.shown[1].text.find("cannot be used as a file name"), std::string::npos);
    EXPECT_EQ(prompter.shown[2].text, "Layout name:|" + Trim(typed)) << "asked again";
  }
  EXPECT_TRUE(fs::is_empty(folder));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), {}), 1) << "only the folder";
  EXPECT_TRUE(doc.modified());
  // Blanks, accents and other scripts are ordinary names.
  prompter.texts = {"a/b", "Bahnhof Süd 東京"};
  ASSERT_TRUE(files.Save());
  EXPECT_TRUE(fs::exists(folder / "Bahnhof Süd 東京.vtl"));
  EXPECT_TRUE(IsSafeFileName("...")) << "only . and .. are special";
}

TEST_F(FileCommandsTest, UnsavedChangesCheckAndNew) {
  doc.MarkSaved();
  EXPECT_TRUE(files.ConfirmDiscard());
  EXPECT_TRUE(prompter.shown.empty());
  doc.MarkChanged(Change::None);
  prompter.answers = {PromptAnswer::Cancel};
  EXPECT_FALSE(files.New());
  EXPECT_EQ(Last(), "Unsaved Changes: You have unsaved changes. Save before continuing?");
  EXPECT_EQ(layout.pieces.size(), 2u);
  prompter.answers = {PromptAnswer::Yes};  // Save, but the name prompt is cancelled
  EXPECT_FALSE(files.ConfirmDiscard());
  prompter.answers = {PromptAnswer::Yes};
  prompter.texts = {"Kept"};
  EXPECT_TRUE(files.ConfirmDiscard());
  EXPECT_TRUE(fs::exists(folder / "Kept.vtl"));
  doc.MarkChanged(Change::None);
  layout.units = 2;
  layout.measures.push_back({7, {0, 0}, {100, 0}, {0, 0}, false});
  prompter.answers = {PromptAnswer::No};
  ASSERT_TRUE(files.New());
  EXPECT_TRUE(layout.pieces.empty());
  EXPECT_TRUE(layout.measures.empty()) << "nothing of the last layout shows on the new one";
  EXPECT_EQ(layout.units, 0);
  EXPECT_EQ(doc.path() + "|" + doc.name(), "|");
  EXPECT_FALSE(doc.modified());
}

TEST_F(FileCommandsTest, OpenChoosesFromTheFolderAndTakesTheFilesName) {
  doc.MarkSaved();
  EXPECT_FALSE(files.Open([](OpenList&) -> std::optional<std::string> { return "A"; }));
  EXPECT_EQ(Last(), "Open Layout: No layouts found in\n" + folder.string());
  Layout no_levels = TwoPieceLayout("8500");
  no_levels.levels.clear();
  no_levels.grade_runs = {{2.0, 1, 1}, {-1.5, 2, 0}};
  WriteLayout(folder / "A.vtl", "From vtl", no_levels);
  WriteLayout(folder / "A.xml", "From xml");
  WriteLayout(folder / "B.vtl", "From B");
  std::vector<std::string> listed;
  ASSERT_TRUE(files.Open([&](OpenList& list) -> std::optional<std::string> {
    listed = list.names;
    return "A";
  }));
  EXPECT_EQ(listed, (std::vector<std::string>{"A", "A", "B"}));
  EXPECT_EQ(doc.path(), (folder / "A.vtl").string());
  EXPECT_EQ(doc.name(), "From vtl");
  ASSERT_EQ(layout.levels.size(), 1u) << "a file without levels gets Level 1";
  EXPECT_TRUE(UsesZTrack(layout));
  EXPECT_EQ(StatusAfterOpen(layout), "[ELEV] 2.0 deg -1.5 deg  (right-click piece to stop)");
  EXPECT_EQ(StatusAfterOpen(TwoPieceLayout()), "Ready");
  EXPECT_FALSE(files.Open([](OpenList&) { return std::optional<std::string>(); }));
  EXPECT_EQ(doc.path(), (folder / "A.vtl").string());
}

TEST_F(FileCommandsTest, FailedOpenLeavesEverythingAsItWas) {
  {
    Transaction t(doc, "Place");
    InsertPiece(layout, layout.pieces[0]);
    t.Commit();
  }
  doc.Undo();  // something on both stacks
  doc.SetFile("/somewhere/Mine.vtl", "Mine");
  const Layout before = layout;
  for (const fs::path& bad : {kData / "malformed" / "piece_x_not_a_number.vtl",
                              kData / "malformed" / "not_a_layout.txt", dir / "missing.vtl"}) {
    prompter.shown.clear();
    EXPECT_FALSE(files.OpenFile(bad));
    ASSERT_EQ(prompter.shown.size(), 1u);
    Layout scratch;
    EXPECT_EQ(Last(), "Open Failed: " + LoadLayout(scratch, bad).error);
    EXPECT_EQ(LayoutFileText(layout, "Mine"), LayoutFileText(before, "Mine"));
    EXPECT_EQ(doc.redo_steps(), 1u);
    EXPECT_EQ(doc.path() + "|" + doc.name(), "/somewhere/Mine.vtl|Mine");
    EXPECT_TRUE(doc.modified());
  }
}

TEST_F(FileCommandsTest, DeletingFromTheOpenListAsksAndForgetsTheOpenPath) {
  WriteLayout(folder / "A.vtl", "A");
  WriteLayout(folder / "A.xml", "A old");
  WriteLayout(folder / "B.vtl", "B");
  doc.SetFile((folder / "A.vtl").string(), doc.name());
  OpenList list{CollectLayoutFiles(folder), {}};
  list.names = SortedDisplayNames(list.files);
  prompter.answers = {PromptAnswer::No};
  EXPECT_FALSE(files.DeleteEntry(list, 1));
  EXPECT_EQ(Last(), "Delete Layout: Delete layout \"A\"?\n\nThis cannot be undone.");
  EXPECT_TRUE(prompter.last().default_no);
  EXPECT_TRUE(fs::exists(folder / "A.vtl"));
  prompter.answers = {PromptAnswer::Yes};
  ASSERT_TRUE(files.DeleteEntry(list, 1));
  EXPECT_FALSE(fs::exists(folder / "A.vtl"));
  EXPECT_EQ(doc.path(), "") << "the next Save asks for a name";
  EXPECT_EQ(list.names, (std::vector<std::string>{"A", "B"}));
  EXPECT_EQ(FindLayoutFile(list.files, "A")->file, folder / "A.xml");
  fs::create_directories(folder / "Stuck.vtl" / "inside");  // cannot be removed
  OpenList stuck{{{folder / "Stuck.vtl", "Stuck"}}, {"Stuck"}};
  prompter.answers = {PromptAnswer::Yes};
  EXPECT_FALSE(files.DeleteEntry(stuck, 0));
  EXPECT_EQ(Last(), "Delete Failed: Could not delete:\n" + (folder / "Stuck.vtl").string());
}

TEST_F(FileCommandsTest, ImportChecksTheFileCopiesItAndOffersToOpenIt) {
  fs::create_directories(dir / "src");
  const fs::path good = dir / "src" / "Club.xml";
  WriteLayout(good, "Club layout");
  fs::copy_file(kData / "malformed" / "not_a_layout.txt", dir / "src" / "list.vtl");
  auto choose = [&](std::string file, std::string as) {
    return [this, file, as](const ImportChoice&) {
      return std::optional<ImportChoice>({(dir / "src").string(), file, as});
    };
  };
  EXPECT_FALSE(files.Import(choose("list.vtl", "List")));
  EXPECT_EQ(Last(),
            "Import Failed: This file does not appear to be a Vantrel layout:\n\nLine 1: no "
            "<layout> element; this is not a layout file.");
  EXPECT_TRUE(fs::is_empty(folder));
  prompter.answers = {PromptAnswer::No};  // do not open it now
  EXPECT_FALSE(files.Import(choose("Club.xml", "  Club ")));
  EXPECT_EQ(dir.Read("layouts/Club.vtl"), TempDir::ReadFile(good));
  EXPECT_EQ(Last(), "Import: Imported successfully.\n\nOpen \"Club\" now?");
  prompter.answers = {PromptAnswer::No};  // an existing layout is kept
  dir.Write("layouts/Club.vtl", "mine");
  EXPECT_FALSE(files.Import(choose("Club.xml", "Club")));
  EXPECT_EQ(dir.Read("layouts/Club.vtl"), "mine");
  // Yes to replace, Yes to open, No to saving the current changes.
  prompter.answers = {PromptAnswer::Yes, PromptAnswer::Yes, PromptAnswer::No};
  EXPECT_TRUE(files.Import(choose("Club.xml", "Club")));
  EXPECT_EQ(doc.path(), (folder / "Club.vtl").string());
  EXPECT_EQ(doc.name(), "Club layout");
}

// A sparse file claiming 64 GiB: every reader refuses it at once, before it allocates
// anything, says so, and leaves what is open as it was.
TEST_F(FileCommandsTest, EveryReaderRefusesAHugeFileAtOnce) {
  const fs::path huge = dir / "huge.vtl";
  dir.Write("huge.vtl", "<layout>");
  fs::resize_file(huge, std::uintmax_t{64} << 30);
  const std::string too_large =
      "The file " + huge.string() + " is larger than 1 GiB and was not read.";
  WriteLayout(dir / "Open.vtl", "Open");
  ASSERT_TRUE(files.OpenFile(dir / "Open.vtl"));
  const std::size_t pieces = doc.layout().pieces.size();

  EXPECT_FALSE(files.OpenFile(huge));
  EXPECT_EQ(prompter.last().text, "The file is larger than 1 GiB; this is not a layout file.");
  EXPECT_EQ(doc.path(), (dir / "Open.vtl").string());

  EXPECT_FALSE(files.Import([&](const ImportChoice&) {
    return std::optional<ImportChoice>({dir.path().string(), "huge.vtl", "Huge"});
  }));
  EXPECT_EQ(Last(),
            "Import Failed: This file does not appear to be a Vantrel layout:\n\n" + too_large);
  EXPECT_FALSE(fs::exists(folder / "Huge.vtl"));

  EXPECT_FALSE(PlaceBlockCommand(doc, huge, prompter));
  EXPECT_EQ(Last(), "Load Block Failed: " + too_large);
  EXPECT_EQ(doc.layout().pieces.size(), pieces);

  Prefs prefs;
  prefs.asked = true;
  const std::string said = LoadPrefs(prefs, huge);
  EXPECT_EQ(said, "The file " + huge.string() +
                      " is larger than 1 MiB and was not read.\n\nThe preferences start from "
                      "their defaults.");
  EXPECT_TRUE(prefs.asked);
  EXPECT_EQ(LoadPrefs(prefs, dir / "missing.cfg"), "");  // a first start says nothing

  // A device that never ends is cut off at the limit instead of filling the memory.
  std::string data;
  EXPECT_EQ(ReadWholeFile("/dev/zero", data, 1000),
            "The file /dev/zero is larger than 1000 bytes and was not read.");
  EXPECT_TRUE(data.empty());
}

TEST_F(FileCommandsTest, ImportAndExportRefuseUnsafeNamesAndAskAgain) {
  WriteLayout(dir / "Club.vtl", "Club");
  std::vector<std::string> shown;
  files.Import([&](const ImportChoice& start) -> std::optional<ImportChoice> {
    shown.push_back(start.name);
    if (shown.size() > 1) return std::nullopt;
    return ImportChoice{dir.path().string(), "Club.vtl", "../../escape"};
  });
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[1], "../../escape") << "shown again as typed";
  EXPECT_EQ(prompter.last().caption, "Import Failed");
  EXPECT_TRUE(fs::is_empty(folder));
  WriteLayout(folder / "Yard.vtl", "Yard");
  fs::create_directories(dir / "out");
  int asked = 0;
  files.Export(
      [&](const std::vector<std::string>&, const ExportChoice&) -> std::optional<ExportChoice> {
        if (asked++ > 0) return std::nullopt;
        return ExportChoice{"Yard", (dir / "out").string(), ".."};
      });
  EXPECT_EQ(asked, 2);
  EXPECT_EQ(prompter.last().caption, "Export Failed");
  EXPECT_TRUE(fs::is_empty(dir / "out"));
}

TEST_F(FileCommandsTest, ExportCopiesTheStoredFileAfterItsChecks) {
  doc.MarkSaved();
  files.Export([](const std::vector<std::string>&, const ExportChoice&) {
    return std::optional<ExportChoice>();
  });
  EXPECT_EQ(Last(), "Export Layout: No layouts to export. Save a layout first.");
  WriteLayout(folder / "Yard.vtl", "Yard");
  WriteLayout(folder / "Old.xml", "Old");
  WriteLayout(folder / "Yard.xml", "Yard older");
  doc.SetName("Yard");
  fs::create_directories(dir / "out");
  ExportChoice seen_start;
  std::vector<std::string> seen_names;
  auto choose = [&](std::string folder_text, std::string as) {
    return [&, folder_text, as](const std::vector<std::string>& names, const ExportChoice& start) {
      seen_names = names;
      seen_start = start;
      return std::optional<ExportChoice>({"Yard", folder_text, as});
    };
  };
  files.Export(choose((dir / "nowhere").string(), "Copy"));
  EXPECT_EQ(seen_names, (std::vector<std::string>{"Yard", "Old", "Yard"}));
  EXPECT_EQ(seen_start.entry + "|" + seen_start.name, "Yard|Yard");
  EXPECT_EQ(Last(),
            "Export Failed: Destination folder does not exist:\n" + (dir / "nowhere").string());
  const fs::path target = dir / "out" / "Copy.vtl";
  files.Export(choose(" " + (dir / "out").string() + " ", " Copy.xml "));
  EXPECT_EQ(Last(), "Export: Exported to:\n" + target.string());
  EXPECT_EQ(TempDir::ReadFile(target), dir.Read("layouts/Yard.vtl")) << "the .vtl of that name";
  dir.Write("out/Copy.vtl", "theirs");
  prompter.answers = {PromptAnswer::No};
  files.Export(choose((dir / "out").string(), "Copy"));
  EXPECT_EQ(prompter.last().text, "\"Copy.vtl\" already exists in that folder.\n\nReplace it?");
  EXPECT_EQ(TempDir::ReadFile(target), "theirs");
  fs::create_directories(dir / "out" / "Dir.vtl" / "x");  // a folder cannot be replaced
  prompter.answers = {PromptAnswer::Yes};
  files.Export(choose((dir / "out").string(), "Dir"));
  EXPECT_EQ(Last(),
            "Export Failed: Could not copy the file to:\n" + (dir / "out" / "Dir.vtl").string());
}

TEST(LayoutFileArgument, TakesTheFirstFileMadeAbsolute) {
  const fs::path cwd = "/home/user/plans";
  EXPECT_EQ(LayoutFileArgument({"--verbose"}, cwd), std::nullopt);
  EXPECT_EQ(LayoutFileArgument({"-x", "../Yard.vtl", "B.vtl"}, cwd),
            fs::path("/home/user/Yard.vtl"));
  EXPECT_EQ(LayoutFileArgument({"file:///srv/Bahnhof%20S%C3%BCd.vtl"}, cwd),
            fs::path("/srv/Bahnhof Süd.vtl"));
  EXPECT_EQ(LayoutFileArgument({"file://localhost/srv/A.vtl"}, cwd), fs::path("/srv/A.vtl"));
}

}  // namespace
