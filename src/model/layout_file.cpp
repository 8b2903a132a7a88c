// Layout file writer, and loading and saving whole files.
#include "model/layout_file.h"

#include "model/atomic_file.h"
#include "model/layout_ops.h"
#include "model/number_text.h"

namespace {

// Builds element lines: indent, "<name", attributes, then ">" or "/>" and the line end.
struct LineWriter {
  std::string& out;
  std::string_view eol;

  void Open(int depth, std::string_view element) {
    out.append(static_cast<std::size_t>(2 * depth), ' ');
    out += '<';
    out += element;
  }
  void Name(std::string_view name) {
    out += ' ';
    out += name;
    out += "=\"";
  }
  void Int(std::string_view name, long long v) {
    Name(name);
    AppendInt(out, v);
    out += '"';
  }
  void Real(std::string_view name, double v) {
    Name(name);
    AppendFixed(out, v, 4);
    out += '"';
  }
  void Bool(std::string_view name, bool v) {
    Name(name);
    out += v ? '1' : '0';
    out += '"';
  }
  void Text(std::string_view name, std::string_view v) {
    Name(name);
    AppendEscaped(out, v);
    out += '"';
  }
  void End(std::string_view end) {
    out += end;
    out += eol;
  }
  void Line(int depth, std::string_view text) {
    out.append(static_cast<std::size_t>(2 * depth), ' ');
    out += text;
    out += eol;
  }
  void Point(int depth, std::string_view element, const ::Point& p) {
    Open(depth, element);
    Real("x", p.x);
    Real("y", p.y);
    End("/>");
  }
};

void WriteLevels(LineWriter& w, const Layout& layout) {
  if (layout.levels.empty()) return;
  w.Open(1, "levels");
  w.Int("active", layout.active_level);
  w.End(">");
  for (const Level& l : layout.levels) {
    w.Open(2, "level");
    w.Int("id", l.id);
    w.Text("name", l.name);
    w.Bool("visible", l.visible);
    w.Real("height", l.height);
    w.Bool("trackcolor", l.trackcolor);
    w.Int("r", l.r);
    w.Int("g", l.g);
    w.Int("b", l.b);
    // An outline needs at least three points; fewer are not kept.
    if (l.outline.size() < 3) {
      w.End("/>");
      continue;
    }
    w.End(">");
    for (const ::Point& p : l.outline) w.Point(3, "pt", p);
    w.Line(2, "</level>");
  }
  w.Line(1, "</levels>");
}

void WriteShapes(LineWriter& w, const Layout& layout) {
  if (layout.shapes.empty()) return;
  w.Line(1, "<shapes>");
  for (const LayoutShape& s : layout.shapes) {
    w.Open(2, "shape");
    w.Int("id", s.id);
    w.Int("r", s.r);
    w.Int("g", s.g);
    w.Int("b", s.b);
    w.Int("a", s.a);
    w.Bool("outline", s.outline);
    w.Int("level", s.level);
    w.Real("height", s.height);
    w.Text("label", s.label);
    w.End(">");
    for (const ::Point& p : s.vertices) w.Point(3, "v", p);
    w.Line(2, "</shape>");
  }
  w.Line(1, "</shapes>");
}

void WriteTunnelsAndHelices(LineWriter& w, const Layout& layout) {
  if (!layout.tunnels.empty()) {
    w.Line(1, "<tunnels>");
    for (const Tunnel& t : layout.tunnels) {
      w.Open(2, "tunnel");
      w.Int("id", t.id);
      w.Int("portalA", t.portalA);
      w.Int("portalB", t.portalB);
      w.Int("anchorA", t.anchorA);
      w.Int("anchorB", t.anchorB);
      w.End(">");
      for (int piece : t.covers) {
        w.Open(3, "covers");
        w.Int("piece", piece);
        w.End("/>");
      }
      w.Line(2, "</tunnel>");
    }
    w.Line(1, "</tunnels>");
  }
  if (!layout.helices.empty()) {
    w.Line(1, "<helices>");
    for (const Helix& h : layout.helices) {
      w.Open(2, "helix");
      w.Int("id", h.id);
      w.Real("cx", h.cx);
      w.Real("cy", h.cy);
      w.Real("heading", h.heading);
      w.Text("variant", h.variant);
      w.Int("bottomR1", h.bottomR1);
      w.Int("bottomR2", h.bottomR2);
      w.Int("topR1", h.topR1);
      w.Int("topR2", h.topR2);
      w.End("/>");
    }
    w.Line(1, "</helices>");
  }
}

void WriteBoardAndLabels(LineWriter& w, const Layout& layout) {
  if (!layout.baseboard.empty()) {
    w.Line(1, "<baseboard>");
    for (const ::Point& p : layout.baseboard) w.Point(2, "vertex", p);
    w.Line(1, "</baseboard>");
  }
  const LastShape& ls = layout.lastshape;
  w.Open(1, "lastshape");
  w.Int("id", ls.id);
  w.Real("w_mm", ls.w_mm);
  w.Real("h_mm", ls.h_mm);
  w.Real("w2_mm", ls.w2_mm);
  w.Real("h2_mm", ls.h2_mm);
  w.End("/>");
  if (!layout.labels.empty()) {
    w.Line(1, "<labels>");
    for (const LayoutLabel& l : layout.labels) {
      w.Open(2, "label");
      w.Int("id", l.id);
      w.Real("x", l.x);
      w.Real("y", l.y);
      w.Text("text", l.text);
      w.End("/>");
    }
    w.Line(1, "</labels>");
  }
  if (!layout.measures.empty()) {
    w.Line(1, "<measures>");
    for (const Measurement& m : layout.measures) {
      w.Open(2, "measure");
      w.Int("id", m.id);
      w.Real("x1", m.start.x);
      w.Real("y1", m.start.y);
      w.Real("x2", m.end.x);
      w.Real("y2", m.end.y);
      w.Real("label_dx", m.label_offset.x);
      w.Real("label_dy", m.label_offset.y);
      w.End("/>");
    }
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
  w.Open(depth, "piece");
  w.Int("id", p.id);
  w.Text("cat", p.cat);
  w.Real("x", p.x);
  w.Real("y", p.y);
  w.Real("heading", p.heading);
  w.Real("z", p.z);
  w.Real("grade", p.grade);
  if (p.rev) w.Bool("rev", true);
  if (p.free) w.Bool("free", true);
  w.Int("level", p.level);
  if (p.helix != -1) w.Int("helix", p.helix);
  w.Bool("sel", p.sel);
  if (p.has_color) w.Int("color", p.color.r * 65536 + p.color.g * 256 + p.color.b);
  w.End(">");
  for (std::size_t c = 0; c < p.joints.size(); ++c) {
    const Joint& j = p.joints[c];
    if (j.target == -1) continue;
    w.Open(depth + 1, "joint");
    w.Int("conn", static_cast<long long>(c));
    w.Int("target", j.target);
    w.Int("tconn", j.tconn);
    w.End("/>");
  }
  w.Line(depth, "</piece>");
}

void AppendSceneryItemLine(std::string& out, const SceneryItem& s, int depth,
                           std::string_view eol) {
  LineWriter w{out, eol};
  w.Open(depth, "sceneryitem");
  w.Int("id", s.id);
  w.Text("item", s.item);
  w.Real("x", s.x);
  w.Real("y", s.y);
  w.Real("heading", s.heading);
  w.Real("scalex", s.scalex);
  w.Real("scaley", s.scaley);
  w.Int("level", s.level);
  w.Bool("sel", s.sel);
  w.End("/>");
}

std::string LayoutFileText(const Layout& layout, const std::string& name) {
  std::string out;
  out.reserve(1024 + 240 * layout.pieces.size() + 160 * layout.scenery.size());
  LineWriter w{out, kCrLf};
  w.Line(0, R"(<?xml version="1.0" encoding="UTF-8"?>)");
  w.Open(0, "layout");
  w.Text("name", name);
  w.Int("version", 1);
  w.Int("units", layout.units);
  w.End(">");
  if (!layout.grade_runs.empty()) {
    w.Line(1, "<grade_runs>");
    for (const GradeRun& r : layout.grade_runs) {
      w.Open(2, "run");
      w.Real("deg", r.deg);
      w.Int("anchor", r.anchor);
      w.Int("conn", r.conn);
      w.End("/>");
    }
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
  w.Line(0, "</layout>");
  return out;
}

std::string SaveLayout(const Layout& layout, const std::filesystem::path& path,
                       const std::string& name) {
  // The reader refuses larger ids: a file it could not open again is never written.
  if (HighestId(layout) > kMaxObjectId)
    return "Cannot save: an object id is larger than " + std::to_string(kMaxObjectId) + ".";
  return WriteFileAtomically(path, LayoutFileText(layout, name));
}
