// The layout file under stress: damaged and hostile input, saves killed half-way,
// failing writes, unopenable paths and a comma-decimal locale.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <clocale>
#include <cstdlib>
#include <cstring>
#include <locale>
#include <map>
#include <random>

#include "fake_prompter.h"
#include "interact/file_commands.h"
#include "layout_builder.h"
#include "model/layout_file.h"
#include "model/layout_ops.h"
#include "temp_dir.h"

namespace {

namespace fs = std::filesystem;
const fs::path kData = VANTREL_TEST_DATA;

// A layout with some of everything, to see that a refused load leaves it alone.
Layout Sentinel() {
  Layout l = MakeBigLayout(30);
  l.labels = {{900, "keep me", 1, 2, false}};
  l.baseboard = {{0, 0}, {5, 0}, {5, 5}};
  l.grade_runs = {{1.5, l.pieces[0].id, 1}};
  l.units = 1;
  l.active_level = 1;
  RecomputeNextId(l);
  RecomputeGradeMode(l);
  return l;
}

// Everything a load could touch, as one comparable text.
std::string State(const Layout& l) {
  return LayoutFileText(l, "") + std::to_string(l.next_id) + "/" +
         std::to_string(l.grade_mode.active) + "/" + std::to_string(l.grade_mode.anchor);
}

// The load fails, names a line, and the layout stays as it was; returns the error.
std::string ExpectRefused(std::string_view text, const std::string& what) {
  Layout l = Sentinel();
  const std::string before = State(l);
  const LoadResult r = ReadLayoutText(text, l);
  EXPECT_EQ(r.error.rfind("Line ", 0), 0u) << what << ": " << r.error;
  EXPECT_EQ(State(l), before) << what;
  return r.error;
}

// The load is refused as above, or what it accepted writes a text that reads back to itself.
void ExpectRefusedOrStable(std::string_view text, const std::string& what) {
  Layout l;
  const LoadResult r = ReadLayoutText(text, l);
  if (!r.error.empty()) {
    ExpectRefused(text, what);
    return;
  }
  const std::string again = LayoutFileText(l, r.name);
  Layout l2;
  ASSERT_EQ(ReadLayoutText(again, l2).error, "") << what;
  EXPECT_EQ(LayoutFileText(l2, r.name), again) << what;
}

TEST(LayoutReaderRobustness, DamagedFilesAreRefusedWithTheLine) {
  const std::map<std::string, std::string> expected = {
      {"empty.vtl", "Line 1: no <layout> element; this is not a layout file."},
      {"truncated_after_pieces.vtl", "Line 7: the file ends before </layout>; it is incomplete."},
      {"truncated_in_piece.vtl", "Line 4: \"heading\" of <piece> is missing or not a number."},
      {"piece_x_not_a_number.vtl", "Line 4: \"x\" of <piece> is missing or not a number."},
      {"piece_without_id.vtl", "Line 4: \"id\" of <piece> is missing or not a number."},
      {"piece_z_inf.vtl", "Line 4: \"z\" of <piece> is not a number."},
      {"piece_level_trailing_garbage.vtl", "Line 4: \"level\" of <piece> is not a number."},
      {"joint_negative_conn.vtl", "Line 5: \"conn\" of <joint> is out of range (0 to 255)."},
      {"object_id_overflows_counter.vtl",
       "Line 4: \"id\" of <piece> is too large (at most 1000000000)."},
  };
  // Every file in the folder, including those added later, is refused; the file's
  // own loader reports what the text reader does.
  std::size_t known = 0;
  for (const auto& entry : fs::directory_iterator(kData / "malformed")) {
    const std::string file = entry.path().filename().string();
    const std::string error = ExpectRefused(TempDir::ReadFile(entry.path()), file);
    Layout l = Sentinel();
    const std::string before = State(l);
    EXPECT_EQ(LoadLayout(l, entry.path()).error, error) << file;
    EXPECT_EQ(State(l), before) << file;
    if (expected.contains(file)) {
      EXPECT_EQ(error, expected.at(file));
      ++known;
    }
  }
  EXPECT_EQ(known, expected.size());
}

// Inputs the fuzzer once tripped on, every cut of a good file (only a cut inside the
// final line end can still be the whole layout) and random overwrites.
TEST(LayoutReaderRobustness, DamagedInputIsRefusedOrReadsStably) {
  for (const auto& entry : fs::directory_iterator(kData / "fuzz_regressions"))
    ExpectRefusedOrStable(TempDir::ReadFile(entry.path()), entry.path().string());
  const std::string good = TempDir::ReadFile(kData / "golden_small.vtl");
  for (std::size_t n = 0; n + 2 < good.size(); ++n)
    ExpectRefused(std::string_view(good).substr(0, n), "cut at " + std::to_string(n));
  std::mt19937 rng(11);
  for (int round = 0; round < 300; ++round) {
    std::string text = good;  // a few bytes overwritten with anything, NULs and quotes too
    for (int e = 1 + static_cast<int>(rng() % 8); e > 0; --e)
      text[rng() % text.size()] = static_cast<char>(rng() % 256);
    ExpectRefusedOrStable(text, "round " + std::to_string(round));
  }
}

// A long run of pieces is read on two threads: damaged anywhere, with the line ends a
// file may have, it reads as it does line by line, to the same layout or the same message.
TEST(LayoutReaderRobustness, TwoThreadsReadAsOne) {
  std::string good = LayoutFileText(MakeBigLayout(1500), "two");
  std::mt19937 rng(5);
  const char kDamage[] = "<>\"=/ \n\r\rx0";
  for (int round = 0; round < 60; ++round) {
    std::string text = good;
    if (round % 3 == 1) text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
    for (int e = round % 4; e > 0; --e) {
      // A byte changed or gone (two lines joined), or the section closed early.
      const std::size_t at = rng() % text.size();
      if (e == 1 && round % 5 == 2)
        text.insert(text.find('\n', at) + 1, "</pieces>\n");
      else if (e == 2)
        text.erase(text.find('\n', at), 1);
      else
        text[at] = kDamage[rng() % (sizeof kDamage - 1)];
    }
    Layout two, one;
    const std::string error = ReadLayoutText(text, two).error;
    ASSERT_EQ(error, ReadLayoutText(text, one, false).error) << round;
    if (error.empty()) {
      ASSERT_EQ(State(two), State(one)) << round;
    }
  }
}

TEST(LayoutReaderRobustness, OneEnormousLine) {
  std::string huge(6 << 20, 'a');
  ExpectRefused(huge, "letters");
  for (std::size_t i = 0; i < huge.size(); i += 7) huge[i] = '<';
  ExpectRefused(huge, "markers");
  // Attribute-like runs without blanks must not make the lookup scan back each time.
  std::string runs = "<layout name=\"x\">\n<pieces>\n<piece id=\"1\"";
  for (int i = 0; i < (1 << 20); ++i) runs += "a=\"";
  ExpectRefused(runs, "runs");
  // A name of megabytes on an otherwise proper file is a name like any other.
  Layout l;
  const std::string name(4 << 20, 'n');
  const LoadResult r = ReadLayoutText("<layout name=\"" + name + "\">\n</layout>\n", l);
  EXPECT_EQ(r.error, "");
  EXPECT_EQ(r.name.size(), name.size());
  ExpectRefused("<layout name=\"" + name + "\"><pieces>\n<piece id=\"1\" x=\"" + name + "\"/>",
                "x");
}

// The file is read in blocks and told block by block: lines across block ends, a line
// longer than a block and a last line without a line end read as they do from one text;
// a cancel leaves the layout, and an open through the File menu leaves the document, as
// they were, without a message.
TEST(LayoutFileLoad, ReadsAFileInBlocksLikeOneTextAndTellsItsProgress) {
  TempDir dir;
  Layout big = MakeBigLayout(3000);
  big.labels = {{90000, std::string(700000, 'L'), 1, 2, false}};
  std::string text = LayoutFileText(big, "blocks");
  text.resize(text.size() - 2);
  dir.Write("a.vtl", text);
  std::vector<LoadProgress> told;
  Layout from_file, from_text;
  const LoadResult r = LoadLayout(from_file, dir / "a.vtl", [&](const LoadProgress& p) {
    told.push_back(p);
    return true;
  });
  ASSERT_EQ(r.error, "");
  EXPECT_EQ(r.name, "blocks");
  ASSERT_EQ(ReadLayoutText(text, from_text).error, "");
  EXPECT_EQ(State(from_file), State(from_text));
  // Big blocks of pieces are read on two threads: the pieces come back as written.
  EXPECT_EQ(LayoutFileText(from_file, "blocks"), LayoutFileText(big, "blocks"));
  ASSERT_GE(told.size(), 2u);
  for (std::size_t i = 1; i < told.size(); ++i)
    EXPECT_GT(told[i].bytes_done, told[i - 1].bytes_done);
  EXPECT_EQ(told.back().bytes_done, text.size());
  EXPECT_EQ(told.back().bytes_total, told.back().bytes_done);
  EXPECT_GT(told.front().pieces, 0u);
  EXPECT_EQ(told.back().pieces, big.pieces.size());

  Document doc;
  doc.layout() = Sentinel();
  const std::string before = State(doc.layout());
  FakePrompter prompter;
  FileCommands files(doc, prompter, dir.path());
  int calls = 0;
  files.set_load_progress([&] { return [&](const LoadProgress&) { return ++calls < 2; }; });
  EXPECT_FALSE(files.OpenFile(dir / "a.vtl"));
  EXPECT_EQ(calls, 2);
  EXPECT_EQ(State(doc.layout()), before);
  EXPECT_TRUE(prompter.shown.empty());
  EXPECT_EQ(doc.path(), "");

  // A fault early or late in a block, or far into the file, names its line either way.
  // After the pieces too: the lines read on two threads are counted.
  const std::pair<const char*, const char*> faults[] = {{"<piece id=\"2900\"", "heading=\""},
                                                        {"<piece id=\"1500\"", "heading=\""},
                                                        {"<piece id=\"2100\"", "heading=\""},
                                                        {"<level id=\"1\"", "height=\""}};
  for (const auto& [line_start, attribute] : faults) {
    std::string damaged = text;
    const std::size_t at = damaged.find(line_start);
    ASSERT_NE(at, std::string::npos);
    damaged.insert(damaged.find(attribute, at) + std::strlen(attribute), "x");
    dir.Write("b.vtl", damaged);
    const std::string error = LoadLayout(from_file, dir / "b.vtl").error;
    EXPECT_EQ(error, ReadLayoutText(damaged, from_text).error);
    const auto line =
        std::count(damaged.begin(), damaged.begin() + static_cast<long>(at), '\n') + 1;
    EXPECT_EQ(error.rfind("Line " + std::to_string(line) + ":", 0), 0u) << error;
  }
}

TEST(LayoutFileErrors, UnopenablePathsNameThePath) {
  TempDir dir;
  Layout l = Sentinel();
  const std::string before = State(l);
  EXPECT_EQ(LoadLayout(l, dir / "missing.vtl").error,
            "Cannot open file: " + (dir / "missing.vtl").string());
  EXPECT_EQ(LoadLayout(l, dir.path()).error, "Cannot open file: " + dir.path().string());
  EXPECT_EQ(State(l), before);
  const fs::path nowhere = dir / "no such folder" / "a.vtl";
  EXPECT_EQ(SaveLayout(l, nowhere, "a"), "Cannot open file: " + nowhere.string());
  // Saving over a folder fails and leaves nothing behind.
  fs::create_directory(dir / "taken.vtl");
  EXPECT_NE(SaveLayout(l, dir / "taken.vtl", "a"), "");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), {}), 1);
}

TEST(LayoutFileErrors, AFailedWriteLeavesTheOldFileByteIdentical) {
  TempDir dir;
  const fs::path target = dir / "layout.vtl";
  ASSERT_EQ(SaveLayout(MakeBigLayout(20), target, "old"), "");
  const std::string old_bytes = dir.Read("layout.vtl");
  const Layout big = MakeBigLayout(2000);

  int fds[2];
  ASSERT_EQ(pipe(fds), 0);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    // Files may not grow past 4 KiB in this process: the write fails half-way.
    const rlimit limit{4096, 4096};
    setrlimit(RLIMIT_FSIZE, &limit);
    signal(SIGXFSZ, SIG_IGN);
    const std::string error = SaveLayout(big, target, "new");
    [[maybe_unused]] ssize_t n = write(fds[1], error.data(), error.size());
    _exit(0);
  }
  close(fds[1]);
  std::string error(512, '\0');
  error.resize(static_cast<std::size_t>(std::max<ssize_t>(0, read(fds[0], error.data(), 512))));
  close(fds[0]);
  waitpid(child, nullptr, 0);
  EXPECT_EQ(error.rfind("Cannot write file: " + target.string(), 0), 0u) << error;
  EXPECT_EQ(dir.Read("layout.vtl"), old_bytes);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), {}), 1) << "no temporary file";
}

// A save killed at any moment leaves either the old or the new file, never a mix.
TEST(LayoutFileErrors, SavesKilledAtRandomMomentsLeaveAWholeFile) {
  TempDir dir;
  const fs::path target = dir / "layout.vtl";
  const Layout a = MakeBigLayout(2500, 1), b = MakeBigLayout(2500, 2);
  const std::string text_a = LayoutFileText(a, "A"), text_b = LayoutFileText(b, "B");
  ASSERT_EQ(SaveLayout(a, target, "A"), "");
  std::mt19937 rng(5);
  for (int round = 0; round < 40; ++round) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      for (int i = 0;; ++i) SaveLayout(i % 2 ? a : b, target, i % 2 ? "A" : "B");
    }
    usleep(static_cast<useconds_t>(500 + rng() % 25000));
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);

    const std::string bytes = TempDir::ReadFile(target);
    EXPECT_TRUE(bytes == text_a || bytes == text_b) << "round " << round;
    Layout l;
    const LoadResult r = LoadLayout(l, target);
    EXPECT_EQ(r.error, "");
    EXPECT_EQ(LayoutFileText(l, r.name), bytes);
  }
  // Left-over temporary files of killed saves can never be taken for layouts.
  for (const auto& e : fs::directory_iterator(dir.path())) {
    if (e.path() == target) continue;
    const std::string ext = e.path().extension().string();
    EXPECT_TRUE(ext != ".vtl" && ext != ".xml") << e.path();
  }
}

// Switches to a comma-decimal locale, the system's or one built into `dir` (a
// single-byte one builds fastest); returns its name, or "" when there is none.
std::string UseCommaLocale(const TempDir& dir) {
  if (std::setlocale(LC_ALL, "de_DE.UTF-8")) return "de_DE.UTF-8";
  const std::string name = "de_DE.ISO-8859-1";
  const std::string cmd =
      "localedef -i de_DE -f ISO-8859-1 '" + (dir / name).string() + "' >/dev/null 2>&1";
  if (std::system(cmd.c_str()) != 0 && !fs::exists(dir / name)) return "";
  setenv("LOCPATH", dir.path().c_str(), 1);
  return std::setlocale(LC_ALL, name.c_str()) ? name : "";
}

// Runs in a child process: the locale stays out of the other tests, and the C
// library's own allocations for a locale path are not counted as leaks of ours.
TEST(LayoutFileLocale, NumbersDoNotFollowTheLocale) {
  TempDir dir;
  const std::string golden = TempDir::ReadFile(kData / "golden_small.vtl");
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    const std::string locale = UseCommaLocale(dir);
    if (locale.empty()) _exit(77);
    std::locale::global(std::locale(locale));
    if (std::string(std::localeconv()->decimal_point) != ",") _exit(3);
    Layout l;
    const LoadResult r = ReadLayoutText(golden, l);
    if (!r.error.empty() || l.pieces.size() != 2 || l.pieces[1].z != 4.7075) _exit(4);
    dir.Write("written.vtl", LayoutFileText(l, r.name));
    _exit(0);
  }
  int status = 0;
  waitpid(child, &status, 0);
  ASSERT_TRUE(WIFEXITED(status));
  if (WEXITSTATUS(status) == 77) GTEST_SKIP() << "no comma-decimal locale on this machine";
  ASSERT_EQ(WEXITSTATUS(status), 0) << "3: no comma locale, 4: read wrong";
  EXPECT_EQ(dir.Read("written.vtl"), golden);
}

}  // namespace
