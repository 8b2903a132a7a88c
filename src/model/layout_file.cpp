// Layout file writer, and loading and saving whole files. The attributes of every
// element come from the tables in model/file_schema.h; this file puts the elements in
// their order and nesting.
#include "model/layout_file.h"

#include "model/atomic_file.h"
#include "model/background.h"
#include "model/file_schema.h"
#include "model/layout_ops.h"
#include "model/translate.h"

namespace schema = file_schema;

namespace {

// Builds element lines: the indent, the element with its attributes, then the tag's end
// and the line end.
struct LineWriter {
  std::string& out;
  std::string_view eol;

  template <class T>
  void Element(int depth, const schema::Element<T>& e, const T& obj, std::string_view end) {
    schema::AppendOpen(out, depth, e, obj);
    out += end;
    out += eol;
  }
  void Line(int depth, std::string_view text) {
    out.append(static_cast<std::size_t>(2 * depth), ' ');
    out += text;
    out += eol;
  }
  void Points(int depth, const schema::Element<Point>& e, const std::vector<Point>& points) {
    for (const Point& p : points) Element(depth, e, p, "/>");
  }
};

void WriteLevels(LineWriter& w, const Layout& layout) {
  if (layout.levels.empty()) return;
  w.Element(1, schema::kLevels, schema::LevelsHead{layout.active_level}, ">");
  for (const Level& l : layout.levels) {
    // An outline needs at least three points; fewer are not kept.
    if (l.outline.size() < 3) {
      w.Element(2, schema::kLevel, l, "/>");
      continue;
    }
    w.Element(2, schema::kLevel, l, ">");
    w.Points(3, schema::kOutlinePoint, l.outline);
    w.Line(2, "</level>");
  }
  w.Line(1, "</levels>");
}

void WriteShapes(LineWriter& w, const Layout& layout) {
  if (layout.shapes.empty()) return;
  w.Line(1, "<shapes>");
  for (const LayoutShape& s : layout.shapes) {
    w.Element(2, schema::kShape, s, ">");
    w.Points(3, schema::kShapeVertex, s.vertices);
    w.Line(2, "</shape>");
  }
  w.Line(1, "</shapes>");
}

void WriteTunnelsAndHelices(LineWriter& w, const Layout& layout) {
  if (!layout.tunnels.empty()) {
    w.Line(1, "<tunnels>");
    for (const Tunnel& t : layout.tunnels) {
      w.Element(2, schema::kTunnel, t, ">");
      for (int piece : t.covers) w.Element(3, schema::kCovers, schema::CoveredPiece{piece}, "/>");
      w.Line(2, "</tunnel>");
    }
    w.Line(1, "</tunnels>");
  }
  if (!layout.helices.empty()) {
    w.Line(1, "<helices>");
    for (const Helix& h : layout.helices) w.Element(2, schema::kHelix, h, "/>");
    w.Line(1, "</helices>");
  }
}

void WriteBoardAndLabels(LineWriter& w, const Layout& layout) {
  if (!layout.baseboard.empty()) {
    w.Line(1, "<baseboard>");
    w.Points(2, schema::kBoardVertex, layout.baseboard);
    w.Line(1, "</baseboard>");
  }
  w.Element(1, schema::kLastShape, layout.lastshape, "/>");
  if (!layout.labels.empty()) {
    w.Line(1, "<labels>");
    for (const LayoutLabel& l : layout.labels) w.Element(2, schema::kLabel, l, "/>");
    w.Line(1, "</labels>");
  }
  if (!layout.measures.empty()) {
    w.Line(1, "<measures>");
    for (const Measurement& m : layout.measures) w.Element(2, schema::kMeasure, m, "/>");
    w.Line(1, "</measures>");
  }
}

}  // namespace

void AppendEscaped(std::string& out, std::string_view text) {
  std::size_t run = 0;  // start of the pending stretch of plain bytes
  for (std::size_t i = 0; i < text.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    const char* rep = nullptr;
    switch (c) {
      case '&':
        rep = "&amp;";
        break;
      case '<':
        rep = "&lt;";
        break;
      case '>':
        rep = "&gt;";
        break;
      case '"':
        rep = "&quot;";
        break;
      default:
        if (c < 0x20 || c == 0x7F) rep = " ";
    }
    if (!rep) continue;
    out.append(text.data() + run, i - run);
    out += rep;
    run = i + 1;
  }
  out.append(text.data() + run, text.size() - run);
}

void AppendPieceLines(std::string& out, const PlacedPiece& p, int depth, std::string_view eol) {
  LineWriter w{out, eol};
  w.Element(depth, schema::kPiece, p, ">");
  for (std::size_t c = 0; c < p.joints.size(); ++c) {
    const Joint& j = p.joints[c];
    if (j.target == -1) continue;
    w.Element(depth + 1, schema::kJoint, schema::JointLine{static_cast<int>(c), j.target, j.tconn},
              "/>");
  }
  w.Line(depth, "</piece>");
}

void AppendSceneryItemLine(std::string& out, const SceneryItem& s, int depth,
                           std::string_view eol) {
  LineWriter{out, eol}.Element(depth, schema::kSceneryItem, s, "/>");
}

std::string LayoutFileText(const Layout& layout, const std::string& name,
                           const std::filesystem::path& file) {
  std::string out;
  out.reserve(1024 + 240 * layout.pieces.size() + 160 * layout.scenery.size());
  LineWriter w{out, kCrLf};
  w.Line(0, R"(<?xml version="1.0" encoding="UTF-8"?>)");
  w.Element(0, schema::kLayout, schema::LayoutHead{name, 1, layout.units}, ">");
  if (!layout.grade_runs.empty()) {
    w.Line(1, "<grade_runs>");
    for (const GradeRun& r : layout.grade_runs) w.Element(2, schema::kRun, r, "/>");
    w.Line(1, "</grade_runs>");
  }
  w.Line(1, "<pieces>");
  for (const PlacedPiece& p : layout.pieces) AppendPieceLines(out, p, 2);
  w.Line(1, "</pieces>");
  if (!layout.scenery.empty()) {
    w.Line(1, "<scenery>");
    for (const SceneryItem& s : layout.scenery) AppendSceneryItemLine(out, s, 2);
    w.Line(1, "</scenery>");
  }
  WriteLevels(w, layout);
  WriteBoardAndLabels(w, layout);
  WriteShapes(w, layout);
  WriteTunnelsAndHelices(w, layout);
  if (layout.background) {
    BackgroundImage stored = *layout.background;
    stored.path = StoredImagePath(stored.path, file);
    w.Element(1, schema::kBackground, stored, "/>");
  }
  w.Line(0, "</layout>");
  return out;
}

std::string SaveLayout(const Layout& layout, const std::filesystem::path& path,
                       const std::string& name) {
  // The reader refuses larger ids: a file it could not open again is never written.
  if (HighestId(layout) > kMaxObjectId)
    return Subst(Tr("Cannot save: an object id is larger than %1."),
                 {std::to_string(kMaxObjectId)});
  return WriteFileAtomically(path, LayoutFileText(layout, name, path));
}
