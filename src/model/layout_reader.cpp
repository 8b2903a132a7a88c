// Layout file reader: each line is tested for element markers and its attributes are
// picked out by name. Parses into a fresh layout that replaces the stored content only
// when the whole file was read.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <string>

#include "model/file_line.h"
#include "model/layout_file.h"
#include "model/layout_ops.h"

namespace {

class Reader {
 public:
  Reader(Layout& layout, std::string& error) : l_(layout), error_(error) {}

  // Returns false once the file is found faulty (the error text is then set).
  bool ReadLine(std::string_view line, int n);
  bool Finish(int lines);
  const std::string& name() const { return name_; }

 private:
  static int Id(FileLine& f) {
    const int id = f.Int("id");
    if (id > kMaxObjectId)
      f.Fail("id", "is too large (at most " + std::to_string(kMaxObjectId) + ").");
    return id;
  }
  void PieceLine(std::string_view line, int n);
  void LevelLines(std::string_view line, int n);
  void SceneryAndBoard(std::string_view line, int n);
  void DrawnObjects(std::string_view line, int n);
  void TunnelsAndHelices(std::string_view line, int n);

  Layout& l_;
  std::string& error_;
  std::string name_;
  bool in_pieces_ = false;
  bool piece_in_section_ = false;
  bool in_levels_ = false;
  bool in_scenery_ = false;
  bool in_baseboard_ = false;
  bool seen_layout_ = false;
  bool seen_end_ = false;
};

bool Has(std::string_view line, std::string_view marker) {
  return line.find(marker) != std::string_view::npos;
}

void Reader::PieceLine(std::string_view line, int n) {
  if (Has(line, "</pieces>") || Has(line, "</block>") || Has(line, "</layout>")) {
    if (Has(line, "</layout>")) seen_end_ = true;
    in_pieces_ = false;
    return;
  }
  if (Has(line, "<piece ")) {
    FileLine f(line, n, "piece", error_);
    PlacedPiece p;
    p.id = Id(f);
    p.cat = f.Text("cat");
    p.x = f.Real("x");
    p.y = f.Real("y");
    p.heading = f.Real("heading");
    p.sel = f.IsOne("sel");
    p.z = f.Real("z", 0.0);
    p.grade = f.Real("grade", 0.0);
    p.rev = f.IsOne("rev");
    p.free = f.IsOne("free");
    if (f.Present("color")) {
      const int c = f.Int("color", 0);
      p.color = {static_cast<std::uint8_t>((c >> 16) & 255),
                 static_cast<std::uint8_t>((c >> 8) & 255), static_cast<std::uint8_t>(c & 255)};
      p.has_color = true;
    }
    p.level = f.Int("level", 1);
    p.helix = f.Int("helix", -1);
    l_.pieces.push_back(std::move(p));
    piece_in_section_ = true;
  }
  if (Has(line, "<joint ") && piece_in_section_ && error_.empty()) {
    FileLine f(line, n, "joint", error_);
    const int conn = f.IntIn("conn", 0, kMaxJointSlot);
    const int target = f.Int("target");
    const int tconn = f.Int("tconn");
    if (error_.empty()) l_.pieces.back().SetJoint(conn, target, tconn);
  }
}

void Reader::LevelLines(std::string_view line, int n) {
  if (Has(line, "<levels ")) {
    in_levels_ = true;
    FileLine f(line, n, "levels", error_);
    l_.active_level = f.Int("active", 1);
  }
  if (Has(line, "</levels>")) {
    in_levels_ = false;
    return;
  }
  if (!in_levels_) return;
  if (Has(line, "<level ")) {
    FileLine f(line, n, "level", error_);
    Level v;
    v.id = f.Int("id");
    v.name = f.Text("name");
    v.visible = f.NotZero("visible");
    v.height = f.Real("height", 0.0);
    v.trackcolor = f.IsOne("trackcolor");
    v.r = f.Channel("r", 180);
    v.g = f.Channel("g", 180);
    v.b = f.Channel("b", 180);
    l_.levels.push_back(std::move(v));
  }
  if (Has(line, "<pt ") && !l_.levels.empty()) {
    FileLine f(line, n, "pt", error_);
    const Point p{f.Real("x"), f.Real("y")};
    l_.levels.back().outline.push_back(p);
  }
}

void Reader::SceneryAndBoard(std::string_view line, int n) {
  if (Has(line, "<scenery>")) in_scenery_ = true;
  if (Has(line, "</scenery>")) in_scenery_ = false;
  if (Has(line, "<baseboard>")) {
    in_baseboard_ = true;
    l_.baseboard.clear();
  }
  if (Has(line, "</baseboard>")) {
    in_baseboard_ = false;
  } else if (in_baseboard_ && Has(line, "<vertex ")) {
    FileLine f(line, n, "vertex", error_);
    const Point p{f.Real("x"), f.Real("y")};
    l_.baseboard.push_back(p);
  }
  if (Has(line, "<lastshape")) {
    FileLine f(line, n, "lastshape", error_);
    LastShape& s = l_.lastshape;
    s.id = f.Int("id", s.id);
    s.w_mm = f.Real("w_mm", s.w_mm);
    s.h_mm = f.Real("h_mm", s.h_mm);
    s.w2_mm = f.Real("w2_mm", s.w2_mm);
    s.h2_mm = f.Real("h2_mm", s.h2_mm);
  }
  if (in_scenery_ && Has(line, "<sceneryitem ")) {
    FileLine f(line, n, "sceneryitem", error_);
    SceneryItem s;
    s.id = Id(f);
    s.item = f.Text("item");
    s.x = f.Real("x");
    s.y = f.Real("y");
    s.heading = f.Real("heading");
    s.sel = f.IsOne("sel");
    s.scalex = f.Real("scalex", 1.0);
    s.scaley = f.Real("scaley", 1.0);
    s.level = f.Int("level", 1);
    l_.scenery.push_back(std::move(s));
  }
}

void Reader::DrawnObjects(std::string_view line, int n) {
  if (Has(line, "<label ")) {
    FileLine f(line, n, "label", error_);
    LayoutLabel t;
    t.id = Id(f);
    t.x = f.Real("x");
    t.y = f.Real("y");
    t.text = f.Text("text");
    l_.labels.push_back(std::move(t));
  }
  if (Has(line, "<measure ")) {
    FileLine f(line, n, "measure", error_);
    Measurement m;
    m.id = Id(f);
    m.start = {f.Real("x1"), f.Real("y1")};
    m.end = {f.Real("x2"), f.Real("y2")};
    m.label_offset = {f.Real("label_dx", 0.0), f.Real("label_dy", 0.0)};
    l_.measures.push_back(m);
  }
  if (Has(line, "<shape ") && !Has(line, "</shape")) {
    FileLine f(line, n, "shape", error_);
    if (f.Present("id")) {
      LayoutShape s;
      s.id = Id(f);
      s.r = f.Channel("r", 120);
      s.g = f.Channel("g", 170);
      s.b = f.Channel("b", 110);
      s.a = f.Channel("a", 140);
      s.outline = !f.Present("outline") || f.IsOne("outline");
      s.level = f.Int("level", 1);
      s.height = f.Real("height", 0.0);
      s.label = f.Text("label");
      l_.shapes.push_back(std::move(s));
    }
  }
  if (Has(line, "<v ")) {
    FileLine f(line, n, "v", error_);
    if (f.Present("x") && f.Present("y") && !l_.shapes.empty()) {
      const Point p{f.Real("x"), f.Real("y")};
      l_.shapes.back().vertices.push_back(p);
    }
  }
}

void Reader::TunnelsAndHelices(std::string_view line, int n) {
  if (Has(line, "<tunnel ")) {
    FileLine f(line, n, "tunnel", error_);
    Tunnel t;
    t.id = Id(f);
    t.portalA = f.Int("portalA");
    t.portalB = f.Int("portalB");
    t.anchorA = f.Int("anchorA", -1);
    t.anchorB = f.Int("anchorB", -1);
    l_.tunnels.push_back(std::move(t));
  }
  if (Has(line, "<covers ") && !l_.tunnels.empty()) {
    FileLine f(line, n, "covers", error_);
    l_.tunnels.back().covers.push_back(f.Int("piece"));
  }
  if (Has(line, "<helix ")) {
    FileLine f(line, n, "helix", error_);
    Helix h;
    h.id = Id(f);
    h.cx = f.Real("cx");
    h.cy = f.Real("cy");
    h.heading = f.Real("heading");
    h.variant = f.Text("variant");
    if (h.variant.empty()) h.variant = kDefaultHelixId;
    h.bottomR1 = f.Int("bottomR1");
    h.bottomR2 = f.Int("bottomR2");
    h.topR1 = f.Int("topR1");
    h.topR2 = f.Int("topR2");
    l_.helices.push_back(std::move(h));
  }
}

bool Reader::ReadLine(std::string_view line, int n) {
  if (in_pieces_) {
    PieceLine(line, n);
    return error_.empty();
  }
  if (Has(line, "</layout>")) seen_end_ = true;
  if (Has(line, "<layout ")) {
    FileLine f(line, n, "layout", error_);
    seen_layout_ = true;
    name_ = f.Text("name");
    l_.units = f.Int("units", 0);
    // Only the three known units: anything else would index past the unit tables.
    if (l_.units < 0 || l_.units > 2) l_.units = 0;
  }
  if (Has(line, "<run ")) {
    FileLine f(line, n, "run", error_);
    GradeRun r;
    r.deg = f.Real("deg");
    r.anchor = f.Int("anchor");
    r.conn = f.Int("conn");
    l_.grade_runs.push_back(r);
  }
  if (Has(line, "<pieces>")) {
    in_pieces_ = true;
    piece_in_section_ = false;
  }
  LevelLines(line, n);
  SceneryAndBoard(line, n);
  DrawnObjects(line, n);
  TunnelsAndHelices(line, n);
  return error_.empty();
}

bool Reader::Finish(int lines) {
  if (!seen_layout_) {
    error_ = "Line 1: no <layout> element; this is not a layout file.";
  } else if (!seen_end_) {
    error_ = "Line " + std::to_string(lines > 0 ? lines : 1) +
             ": the file ends before </layout>; it is incomplete.";
  }
  if (!error_.empty()) return false;
  RecomputeNextId(l_);
  RecomputeGradeMode(l_);
  ExpandHelixSelection(l_);
  return true;
}

void TakeStoredContent(Layout& to, Layout& from) {
  to.pieces = std::move(from.pieces);
  to.scenery = std::move(from.scenery);
  to.labels = std::move(from.labels);
  to.measures = std::move(from.measures);
  to.shapes = std::move(from.shapes);
  to.tunnels = std::move(from.tunnels);
  to.helices = std::move(from.helices);
  to.next_id = from.next_id;
  to.levels = std::move(from.levels);
  to.active_level = from.active_level;
  to.baseboard = std::move(from.baseboard);
  to.lastshape = from.lastshape;
  to.units = from.units;
  to.grade_runs = std::move(from.grade_runs);
  to.grade_mode = from.grade_mode;
}

// The end of the line starting at `from` (a line ends at LF, CR LF or a lone CR) and,
// in `next`, where the following line starts; npos when no line end is in `text`. A CR
// at the very end of a block may be the first half of a CR LF: it counts only at `eof`.
std::size_t FindLineEnd(std::string_view text, std::size_t from, bool eof, std::size_t& next) {
  const std::size_t end = text.find_first_of("\r\n", from);
  if (end == std::string_view::npos) return end;
  if (text[end] == '\n') {
    next = end + 1;
    return end;
  }
  if (end + 1 == text.size() && !eof) return std::string_view::npos;
  next = end + 1 < text.size() && text[end + 1] == '\n' ? end + 2 : end + 1;
  return end;
}

// Feeds the complete lines of `text` to the reader; returns where the unread rest
// starts, or npos once the reader refused a line.
std::size_t ReadLines(Reader& reader, std::string_view text, bool eof, int& n) {
  std::size_t start = 0;
  std::size_t next = 0;
  for (std::size_t end = FindLineEnd(text, 0, eof, next); end != std::string_view::npos;
       end = FindLineEnd(text, start, eof, next)) {
    if (!reader.ReadLine(text.substr(start, end - start), ++n)) return std::string_view::npos;
    start = next;
  }
  return start;
}

}  // namespace

LoadResult ReadLayoutText(std::string_view text, Layout& layout) {
  Layout fresh;
  LoadResult result;
  Reader reader(fresh, result.error);
  int n = 0;
  const std::size_t rest = ReadLines(reader, text, true, n);
  if (rest == std::string_view::npos) return result;
  if (rest < text.size() && !reader.ReadLine(text.substr(rest), ++n)) return result;
  if (!reader.Finish(n)) return result;
  TakeStoredContent(layout, fresh);
  result.name = reader.name();
  return result;
}

// Reads the file in blocks, so a big file is never held whole beside its layout. A
// device or pipe that never ends is cut off by the limits on file and line length.
LoadResult LoadLayout(Layout& layout, const std::filesystem::path& path) {
  const std::string cannot_open = "Cannot open file: " + path.string();
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return {cannot_open, {}};
  // A file claiming more than the limit (a sparse file, say) is refused before reading.
  struct stat st {};
  if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) &&
      static_cast<std::uint64_t>(st.st_size) > kMaxFileBytes) {
    ::close(fd);
    return {"The file is larger than " + SizeText(kMaxFileBytes) + "; this is not a layout file.",
            {}};
  }
  Layout fresh;
  LoadResult result;
  Reader reader(fresh, result.error);
  std::string buf(std::size_t{1} << 18, '\0');
  std::size_t have = 0;
  std::uint64_t total = 0;
  int n = 0;
  const auto refuse = [&](const std::string& text) {
    ::close(fd);
    return LoadResult{"Line " + std::to_string(n + 1) + ": " + text, {}};
  };
  for (;;) {
    if (have == buf.size()) {
      if (have > kMaxLineBytes)
        return refuse("the line is longer than 256 MiB; this is not a layout file.");
      buf.resize(std::min(buf.size() * 2, kMaxLineBytes + 1));  // a line longer than the block
    }
    const ssize_t got = ::read(fd, buf.data() + have, buf.size() - have);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      ::close(fd);
      return {cannot_open, {}};
    }
    if (got == 0) break;
    have += static_cast<std::size_t>(got);
    total += static_cast<std::uint64_t>(got);
    if (total > kMaxFileBytes)
      return refuse("the file is larger than 1 GiB; this is not a layout file.");
    const std::size_t start = ReadLines(reader, std::string_view(buf.data(), have), false, n);
    if (start == std::string_view::npos) {
      ::close(fd);
      return result;
    }
    buf.erase(0, start);
    have -= start;
    buf.resize(std::max(buf.size(), std::size_t{1} << 18));
  }
  ::close(fd);
  const std::string_view rest(buf.data(), have);
  const std::size_t start = ReadLines(reader, rest, true, n);
  if (start == std::string_view::npos) return result;
  if (start < rest.size() && !reader.ReadLine(rest.substr(start), ++n)) return result;
  if (!reader.Finish(n)) return result;
  TakeStoredContent(layout, fresh);
  result.name = reader.name();
  return result;
}
