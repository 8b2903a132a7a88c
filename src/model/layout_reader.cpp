// Layout file reader: each line is tested for element markers and its attributes are
// read by the element's table in model/file_schema.h. Parses into a fresh layout that
// replaces the stored content only when the whole file was read.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "model/background.h"
#include "model/file_line.h"
#include "model/file_schema.h"
#include "model/layout_file.h"
#include "model/layout_ops.h"
#include "model/translate.h"

namespace schema = file_schema;

namespace {

// The '<' of a text in order, each found by one memchr run that may reach into the lines
// after it, so a line's tags cost no scan of their own.
class TagFinder {
 public:
  explicit TagFinder(std::string_view text) : text_(text), next_(Find(0)) {}
  // The first '<' at or after `from`; the text's size when there is none.
  std::size_t From(std::size_t from) {
    if (next_ < from) next_ = Find(from);
    return next_;
  }

 private:
  std::size_t Find(std::size_t from) const {
    if (from >= text_.size()) return text_.size();
    const void* p = std::memchr(text_.data() + from, '<', text_.size() - from);
    return p ? static_cast<std::size_t>(static_cast<const char*>(p) - text_.data()) : text_.size();
  }

  std::string_view text_;
  std::size_t next_;  // the first '<' at or after the last place asked for
};

// A line and where on it a tag may start: every marker begins with '<', so a marker is
// only compared at those places.
struct Line {
  // The line at `begin` of the text that `finder` looks through.
  Line(std::string_view t, std::size_t begin, TagFinder& finder) : text(t) {
    const std::size_t end = begin + t.size();
    for (std::size_t at = finder.From(begin); at < end; at = finder.From(at + 1)) {
      if (count == kMaxTags) {
        many = true;
        return;
      }
      tags[count++] = at - begin;
    }
  }
  static constexpr int kMaxTags = 8;
  std::string_view text;
  std::size_t tags[kMaxTags];
  int count = 0;
  bool many = false;  // more tags than kept: markers are searched for the plain way
};

bool Has(const Line& line, std::string_view marker) {
  if (line.many) return line.text.find(marker) != std::string_view::npos;
  for (int i = 0; i < line.count; ++i) {
    const std::size_t at = line.tags[i];
    if (at + marker.size() <= line.text.size() &&
        file_schema::SameName(line.text.substr(at, marker.size()), marker))
      return true;
  }
  return false;
}

class Reader {
 public:
  Reader(Layout& layout, std::string& error) : l_(layout), error_(error) {}

  // Returns false once the file is found faulty (the error text is then set).
  bool ReadLine(std::string_view line, int n) {
    TagFinder tags(line);
    return ReadLine(Line(line, 0, tags), n);
  }
  bool ReadLine(const Line& line, int n);
  bool Finish(int lines);
  const std::string& name() const { return name_; }
  std::size_t pieces() const { return l_.pieces.size(); }
  bool in_pieces() const { return in_pieces_; }
  // Reads on as from the start of a line inside the pieces section.
  void ContinuePieces() {
    in_pieces_ = true;
    piece_in_section_ = false;
  }
  // Appends pieces read by another reader of the same section after this one's.
  void AppendPieces(std::vector<PlacedPiece>& pieces) {
    l_.pieces.insert(l_.pieces.end(), std::make_move_iterator(pieces.begin()),
                     std::make_move_iterator(pieces.end()));
    piece_in_section_ = piece_in_section_ || !pieces.empty();
  }
  // Makes room for the pieces of a file of `total` bytes, guessed from the pieces in its
  // first `done` bytes, so that the list grows once instead of moving every piece at
  // each doubling.
  void ExpectPieces(std::uint64_t done, std::uint64_t total) {
    if (done == 0 || total <= done || l_.pieces.empty()) return;
    const double guess = static_cast<double>(l_.pieces.size()) * 1.05 * static_cast<double>(total) /
                         static_cast<double>(done);
    l_.pieces.reserve(static_cast<std::size_t>(guess) + 16);
  }

 private:
  // Reads the line as element `e` into `obj`.
  template <class T>
  void Read(const Line& line, int n, const schema::Element<T>& e, T& obj) {
    FileLine f(line.text, n, e.name, error_);
    schema::ReadAttrs(f, e, obj);
  }
  void PieceLine(const Line& line, int n);
  void LevelLines(const Line& line, int n);
  void SceneryAndBoard(const Line& line, int n);
  void DrawnObjects(const Line& line, int n);
  void TunnelsAndHelices(const Line& line, int n);

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

void Reader::PieceLine(const Line& line, int n) {
  // Nearly every line here is a piece, a joint or a closing tag: one look at each tag.
  bool layout_end = false;
  bool section_end = false;
  bool piece = false;
  bool joint = false;
  if (line.many) {
    layout_end = Has(line, "</layout>");
    section_end = layout_end || Has(line, "</pieces>") || Has(line, "</block>");
    piece = Has(line, "<piece ");
    joint = Has(line, "<joint ");
  } else {
    for (int i = 0; i < line.count; ++i) {
      const std::string_view tag = line.text.substr(line.tags[i]);
      if (tag.starts_with("</")) {
        layout_end = layout_end || tag.starts_with("</layout>");
        section_end = section_end || layout_end || tag.starts_with("</pieces>") ||
                      tag.starts_with("</block>");
      } else {
        piece = piece || tag.starts_with("<piece ");
        joint = joint || tag.starts_with("<joint ");
      }
    }
  }
  if (section_end) {
    if (layout_end) seen_end_ = true;
    in_pieces_ = false;
    return;
  }
  if (piece) {
    Read(line, n, schema::kPiece, l_.pieces.emplace_back());
    piece_in_section_ = true;
  }
  if (joint && piece_in_section_ && error_.empty()) {
    schema::JointLine j;
    Read(line, n, schema::kJoint, j);
    if (!error_.empty()) return;
    // Room for three joints takes no more memory than one: the heap's smallest block.
    std::vector<Joint>& joints = l_.pieces.back().joints;
    if (joints.capacity() == 0 && j.conn < 3) joints.reserve(3);
    l_.pieces.back().SetJoint(j.conn, j.target, j.tconn);
  }
}

void Reader::LevelLines(const Line& line, int n) {
  if (Has(line, "<levels ")) {
    in_levels_ = true;
    schema::LevelsHead head;
    Read(line, n, schema::kLevels, head);
    l_.active_level = head.active;
  }
  if (Has(line, "</levels>")) {
    in_levels_ = false;
    return;
  }
  if (!in_levels_) return;
  if (Has(line, "<level ")) Read(line, n, schema::kLevel, l_.levels.emplace_back());
  if (Has(line, "<pt ") && !l_.levels.empty())
    Read(line, n, schema::kOutlinePoint, l_.levels.back().outline.emplace_back());
}

void Reader::SceneryAndBoard(const Line& line, int n) {
  if (Has(line, "<scenery>")) in_scenery_ = true;
  if (Has(line, "</scenery>")) in_scenery_ = false;
  if (Has(line, "<baseboard>")) {
    in_baseboard_ = true;
    l_.baseboard.clear();
  }
  if (Has(line, "</baseboard>")) {
    in_baseboard_ = false;
  } else if (in_baseboard_ && Has(line, "<vertex ")) {
    Read(line, n, schema::kBoardVertex, l_.baseboard.emplace_back());
  }
  // A second <lastshape> keeps what the first set and it leaves out.
  if (Has(line, "<lastshape")) Read(line, n, schema::kLastShape, l_.lastshape);
  if (in_scenery_ && Has(line, "<sceneryitem "))
    Read(line, n, schema::kSceneryItem, l_.scenery.emplace_back());
}

void Reader::DrawnObjects(const Line& line, int n) {
  if (Has(line, "<label ")) Read(line, n, schema::kLabel, l_.labels.emplace_back());
  if (Has(line, "<measure ")) Read(line, n, schema::kMeasure, l_.measures.emplace_back());
  if (Has(line, "<shape ") && !Has(line, "</shape")) {
    FileLine f(line.text, n, schema::kShape.name, error_);
    if (f.Present("id")) schema::ReadAttrs(f, schema::kShape, l_.shapes.emplace_back());
  }
  // A vertex without both coordinates is skipped.
  if (Has(line, "<v ")) {
    FileLine f(line.text, n, schema::kShapeVertex.name, error_);
    if (f.Present("x") && f.Present("y") && !l_.shapes.empty())
      schema::ReadAttrs(f, schema::kShapeVertex, l_.shapes.back().vertices.emplace_back());
  }
}

void Reader::TunnelsAndHelices(const Line& line, int n) {
  if (Has(line, "<tunnel ")) Read(line, n, schema::kTunnel, l_.tunnels.emplace_back());
  if (Has(line, "<covers ") && !l_.tunnels.empty()) {
    schema::CoveredPiece c;
    Read(line, n, schema::kCovers, c);
    l_.tunnels.back().covers.push_back(c.piece);
  }
  if (Has(line, "<helix ")) Read(line, n, schema::kHelix, l_.helices.emplace_back());
  if (Has(line, "<background ")) Read(line, n, schema::kBackground, l_.background.emplace());
}

bool Reader::ReadLine(const Line& line, int n) {
  if (in_pieces_) {
    PieceLine(line, n);
    return error_.empty();
  }
  if (Has(line, "</layout>")) seen_end_ = true;
  if (Has(line, "<layout ")) {
    seen_layout_ = true;
    schema::LayoutHead head;
    Read(line, n, schema::kLayout, head);
    name_ = std::move(head.name);
    // Only the three known units: anything else would index past the unit tables.
    l_.units = head.units >= 0 && head.units <= 2 ? head.units : 0;
  }
  if (Has(line, "<run ")) Read(line, n, schema::kRun, l_.grade_runs.emplace_back());
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
    error_ = Tr("Line 1: no <layout> element; this is not a layout file.");
  } else if (!seen_end_) {
    error_ = Subst(Tr("Line %1: the file ends before </layout>; it is incomplete."),
                   {std::to_string(lines > 0 ? lines : 1)});
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
  to.background = std::move(from.background);
}

// The end of the line starting at `from` (a line ends at LF, CR LF or a lone CR) and,
// in `next`, where the following line starts; npos when no line end is in `text`. A CR
// at the very end of a block may be the first half of a CR LF: it counts only at `eof`.
// `cr_in_text` says whether the text holds a CR at all; most files have none.
std::size_t FindLineEnd(std::string_view text, std::size_t from, bool eof, bool cr_in_text,
                        std::size_t& next) {
  // Two memchr runs: find_first_of would test every byte against the set one by one.
  const char* begin = text.data() + from;
  const std::size_t left = text.size() - from;
  const void* lf = std::memchr(begin, '\n', left);
  const std::size_t before_lf =
      lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - begin) : left;
  const void* cr = cr_in_text ? std::memchr(begin, '\r', before_lf) : nullptr;
  if (!cr && !lf) return std::string_view::npos;
  const std::size_t end =
      from + (cr ? static_cast<std::size_t>(static_cast<const char*>(cr) - begin) : before_lf);
  if (text[end] == '\n') {
    next = end + 1;
    return end;
  }
  if (end + 1 == text.size() && !eof) return std::string_view::npos;
  next = end + 1 < text.size() && text[end + 1] == '\n' ? end + 2 : end + 1;
  return end;
}

// Where a run of lines ends early: never, after the line that opens the pieces
// section, or before a line that leaves it.
enum class Stop { Never, InPieces, OutsidePieces };

// Feeds the complete lines of text[from ..) to the reader, up to `until` (a line
// start); returns where the unread rest starts, or npos once the reader refused a line.
std::size_t ReadLinesFrom(Reader& reader, std::string_view text, std::size_t from,
                          std::size_t until, bool eof, bool cr, int& n, Stop stop = Stop::Never) {
  std::size_t start = from;
  std::size_t next = 0;
  TagFinder tags(text);
  for (std::size_t end = FindLineEnd(text, start, eof, cr, next);
       end != std::string_view::npos && start < until;
       end = FindLineEnd(text, start, eof, cr, next)) {
    if (!reader.ReadLine(Line(text.substr(start, end - start), start, tags), ++n))
      return std::string_view::npos;
    if (stop == Stop::OutsidePieces && !reader.in_pieces()) {
      --n;  // read again by the reader of the whole
      return start;
    }
    start = next;
    if (stop == Stop::InPieces && reader.in_pieces()) break;
  }
  return start;
}

// Below this many bytes a block's pieces are read by one thread: a second costs more
// to start than it saves.
constexpr std::size_t kTwoThreadBytes = std::size_t{1} << 16;

// Where the second part of text[from ..) may start: the first line from a little before
// its middle on that begins with a piece. The first part is the smaller, as its thread
// also reads the file and gathers the pieces. npos when there is no such line.
std::size_t SecondPart(std::string_view text, std::size_t from, std::size_t last) {
  for (std::size_t at = text.find("<piece ", from + (text.size() - from) * 9 / 20); at < last;
       at = text.find("<piece ", at + 1)) {
    std::size_t line = at;
    while (line > from && text[line - 1] == ' ') --line;
    if (line > from && text[line - 1] == '\n') return line;
  }
  return std::string_view::npos;
}

// Reads text[from ..), inside the pieces section, on two threads: the second part, from
// a piece's line on, into pieces of its own, appended after the first part's. Whatever
// is unusual (the section ending in the first part, a fault in the second) has the
// second part read again the plain way, so that the pieces and every message are the
// same as reading line by line. Both parts end at a line feed, which ends a line
// whatever line ends the file uses. Returns where the plain reading goes on.
std::size_t ReadPiecesInTwo(Reader& reader, std::string_view text, std::size_t from, bool cr,
                            int& n) {
  if (!reader.in_pieces() || text.size() - from < kTwoThreadBytes) return from;
  const std::size_t last = text.rfind('\n');
  if (last == std::string_view::npos || last < from) return from;
  const std::size_t mid = SecondPart(text, from, last);
  if (mid == std::string_view::npos) return from;

  Layout part;
  // A piece's lines take well over 100 bytes: room for all of them at once.
  part.pieces.reserve((last + 1 - mid) / 100);
  std::string part_error;
  Reader second(part, part_error);
  second.ContinuePieces();
  int second_lines = 0;
  std::size_t second_end = std::string_view::npos;
  std::thread worker;
  try {
    worker = std::thread([&] {
      // Whatever goes wrong here (memory running out, say) happens again, where the
      // caller hears of it, when the part is read the plain way.
      try {
        second_end = ReadLinesFrom(second, text, mid, last + 1, false, cr, second_lines,
                                   Stop::OutsidePieces);
      } catch (...) {
        second_end = std::string_view::npos;
      }
    });
  } catch (const std::system_error&) {
    return from;  // no second thread to be had: one reads it all
  }
  const std::size_t first_end = ReadLinesFrom(reader, text, from, mid, false, cr, n);
  worker.join();
  if (first_end == std::string_view::npos) return first_end;
  if (first_end != mid || !reader.in_pieces() || second_end == std::string_view::npos)
    return first_end;
  reader.AppendPieces(part.pieces);
  n += second_lines;
  return second_end;
}

// Feeds the complete lines of `text` to the reader; returns where the unread rest
// starts, or npos once the reader refused a line.
std::size_t ReadLines(Reader& reader, std::string_view text, bool eof, int& n,
                      bool two_threads = true) {
  const bool cr = !text.empty() && std::memchr(text.data(), '\r', text.size()) != nullptr;
  std::size_t from = 0;
  if (!reader.in_pieces()) {
    from = ReadLinesFrom(reader, text, 0, text.size(), eof, cr, n, Stop::InPieces);
    if (from == std::string_view::npos || !reader.in_pieces()) return from;
  }
  if (two_threads) from = ReadPiecesInTwo(reader, text, from, cr, n);
  if (from == std::string_view::npos) return from;
  return ReadLinesFrom(reader, text, from, text.size(), eof, cr, n);
}

// What is read at a time from a file.
constexpr std::size_t kBlockBytes = std::size_t{1} << 18;

}  // namespace

LoadResult ReadLayoutText(std::string_view text, Layout& layout, bool two_threads) {
  Layout fresh;
  LoadResult result;
  Reader reader(fresh, result.error);
  int n = 0;
  // The first block, then room for the pieces of the rest.
  std::size_t rest = ReadLines(reader, text.substr(0, kBlockBytes), false, n, two_threads);
  if (rest == std::string_view::npos) return result;
  reader.ExpectPieces(rest, text.size());
  const std::size_t more = ReadLines(reader, text.substr(rest), true, n, two_threads);
  if (more == std::string_view::npos) return result;
  rest += more;
  if (rest < text.size() && !reader.ReadLine(text.substr(rest), ++n)) return result;
  if (!reader.Finish(n)) return result;
  TakeStoredContent(layout, fresh);
  result.name = reader.name();
  return result;
}

// Reads the file in blocks, so a big file is never held whole beside its layout. A
// device or pipe that never ends is cut off by the limits on file and line length.
LoadResult LoadLayout(Layout& layout, const std::filesystem::path& path,
                      const LoadProgressFn& progress) {
  const std::string cannot_open = "Cannot open file: " + path.string();
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return {cannot_open, {}};
  // A file claiming more than the limit (a sparse file, say) is refused before reading.
  struct stat st {};
  const bool sized = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
  const std::uint64_t size = sized ? static_cast<std::uint64_t>(st.st_size) : 0;
  if (size > kMaxFileBytes) {
    ::close(fd);
    return {Subst(Tr("The file is larger than %1; this is not a layout file."),
                  {SizeText(kMaxFileBytes)}),
            {}};
  }
  Layout fresh;
  LoadResult result;
  Reader reader(fresh, result.error);
  std::string buf(kBlockBytes, '\0');
  std::size_t have = 0;
  std::uint64_t total = 0;
  int n = 0;
  const auto refuse = [&](const std::string& text) {
    ::close(fd);
    return LoadResult{Subst(Tr("Line %1: %2"), {std::to_string(n + 1), text}), {}};
  };
  for (;;) {
    if (have == buf.size()) {
      if (have > kMaxLineBytes)
        return refuse(Tr("the line is longer than 256 MiB; this is not a layout file."));
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
    const bool first = total == 0;
    total += static_cast<std::uint64_t>(got);
    if (total > kMaxFileBytes)
      return refuse(Tr("the file is larger than 1 GiB; this is not a layout file."));
    const std::size_t start = ReadLines(reader, std::string_view(buf.data(), have), false, n);
    if (start == std::string_view::npos) {
      ::close(fd);
      return result;
    }
    if (first) reader.ExpectPieces(total - (have - start), size);
    if (progress && !progress({total, std::max(size, total), reader.pieces()})) {
      ::close(fd);
      return {"The open was cancelled.", {}, true};
    }
    buf.erase(0, start);
    have -= start;
    buf.resize(std::max(buf.size(), kBlockBytes));
  }
  ::close(fd);
  const std::string_view rest(buf.data(), have);
  const std::size_t start = ReadLines(reader, rest, true, n);
  if (start == std::string_view::npos) return result;
  if (start < rest.size() && !reader.ReadLine(rest.substr(start), ++n)) return result;
  if (!reader.Finish(n)) return result;
  if (fresh.background) fresh.background->path = OpenedImagePath(fresh.background->path, path);
  TakeStoredContent(layout, fresh);
  result.name = reader.name();
  return result;
}
