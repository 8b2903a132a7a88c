// The layers around the track: baseboard and decks, the grid, polygons with their edge
// lengths, grade markers, text labels and measurements.
#include <algorithm>
#include <cmath>

#include "catalog/catalog.h"
#include "model/translate.h"
#include "model/units.h"
#include "render/render.h"
#include "render/render_internal.h"

using namespace render_detail;

namespace {

constexpr Color kBoardEdge{120, 90, 50};

void ToDevicePoints(std::vector<IPoint>& out, const ViewTransform& v,
                    const std::vector<Point>& pts) {
  out.clear();
  for (const Point& pt : pts) out.push_back(Dev(v, pt));
}

Point Mean(const std::vector<Point>& pts) {
  Point m;
  for (const Point& pt : pts) {
    m.x += pt.x;
    m.y += pt.y;
  }
  m.x /= static_cast<double>(pts.size());
  m.y /= static_cast<double>(pts.size());
  return m;
}

// Unit normal of the edge a -> b pointing away from `inside`; L is the edge length.
Point OutwardNormal(Point a, Point b, double L, Point inside) {
  Point u{-(b.y - a.y) / L, (b.x - a.x) / L};
  const Point m{(a.x + b.x) / 2.0, (a.y + b.y) / 2.0};
  if ((inside.x - m.x) * u.x + (inside.y - m.y) * u.y > 0) u = {-u.x, -u.y};
  return u;
}

int FontAtZoom(double zoom, double factor, int minimum) {
  return std::max(minimum, static_cast<int>(std::trunc(zoom * factor)));
}

// Text on a rounded box: the box `pad_x`/`pad_y` pixels larger than the text.
void BoxedText(Painter& p, const std::string& text, IPoint at, int pad_x, int pad_y) {
  const IPoint ext = p.TextExtent(text);
  p.DrawRoundedRectangle(at.x - ext.x / 2 - pad_x, at.y - ext.y / 2 - pad_y, ext.x + 2 * pad_x,
                         ext.y + 2 * pad_y, 3.0);
  p.DrawText(text, at.x - ext.x / 2, at.y - ext.y / 2);
}

// The last grid line at or before device 0. Far-away offsets lose the precision of
// the plain formula; the remainder keeps the loop short and finite there.
double FirstGridLine(double offset, double s) {
  const double x = std::floor(-offset / s) * s + offset;
  if (x > -2.0 * s && x <= s) return x;
  const double r = std::fmod(offset, s);
  return r > 0 ? r - s : r;
}

}  // namespace

void DrawBaseboardFill(Painter& p, const Layout& layout, const ViewTransform& v) {
  if (layout.baseboard.size() < 3) return;
  std::vector<IPoint> pts;
  ToDevicePoints(pts, v, layout.baseboard);
  p.SetPen(kBoardEdge, 2);
  p.SetBrush({245, 235, 210});
  p.DrawPolygon(pts.data(), static_cast<int>(pts.size()));
}

void DrawLevelDecks(Painter& p, const Layout& layout, const ViewTransform& v) {
  std::vector<const Level*> decks;
  for (const Level& l : layout.levels)
    if (l.visible && l.outline.size() >= 3) decks.push_back(&l);
  std::stable_sort(decks.begin(), decks.end(),
                   [](const Level* a, const Level* b) { return a->height < b->height; });
  std::vector<IPoint> pts;
  for (const Level* l : decks) {
    ToDevicePoints(pts, v, l->outline);
    p.SetPen(kBoardEdge, 2);
    if (l->trackcolor)
      p.SetBrush({static_cast<std::uint8_t>((l->r + 490) / 3),
                  static_cast<std::uint8_t>((l->g + 470) / 3),
                  static_cast<std::uint8_t>((l->b + 420) / 3)});
    else
      p.SetBrush({235, 220, 190});
    p.DrawPolygon(pts.data(), static_cast<int>(pts.size()));
  }
}

void DrawGrid(Painter& p, const Layout& /*layout*/, const ViewTransform& v, int width, int height) {
  const double s = kGridSpacingMm * v.zoom;
  if (!(s >= 6.0 && s <= 400.0)) return;
  p.SetPen({220, 220, 215}, 1);
  for (double x = FirstGridLine(v.offset_x, s); x < width; x += s) {
    const int ix = static_cast<int>(x);
    p.DrawLine({ix, 0}, {ix, height});
  }
  for (double y = FirstGridLine(v.offset_y, s); y < height; y += s) {
    const int iy = static_cast<int>(y);
    p.DrawLine({0, iy}, {width, iy});
  }
  const IPoint o = ToDevice(v, 0, 0);
  p.SetPen({180, 180, 220}, 2);
  p.DrawLine({o.x - 10, o.y}, {o.x + 10, o.y});
  p.DrawLine({o.x, o.y - 10}, {o.x, o.y + 10});
}

void DrawBaseboardOutline(Painter& p, const Layout& layout, const ViewTransform& v) {
  const std::vector<Point>& board = layout.baseboard;
  if (board.size() < 3) return;
  std::vector<IPoint> pts;
  ToDevicePoints(pts, v, board);
  p.SetTransparentBrush();
  p.SetPen(kBoardEdge, 2);
  p.DrawPolygon(pts.data(), static_cast<int>(pts.size()));
  p.SetFont(kBoardLengthPoints, true);
  p.SetTextForeground({80, 50, 20});
  p.SetTransparentTextBackground();
  const Point centroid = Mean(board);
  for (std::size_t i = 0; i < board.size(); ++i) {
    const Point a = board[i], b = board[(i + 1) % board.size()];
    const double L = Distance(a.x, a.y, b.x, b.y);
    if (!(L >= 10.0)) continue;
    const Point u = OutwardNormal(a, b, L, centroid);
    const IPoint at = Dev(v, {(a.x + b.x) / 2.0 + kBoardLengthGapMm * u.x,
                              (a.y + b.y) / 2.0 + kBoardLengthGapMm * u.y});
    p.SetBrush({255, 248, 220, 200});
    p.SetPen({180, 140, 80}, 1);
    BoxedText(p, Units::Of(layout.units).MarkedText(L), at, 4, 2);
  }
}

void DrawShapes(RenderContext& rc, Painter& p, const Layout& layout, const ViewTransform& v) {
  auto level_height = [&](int id) {
    for (const Level& l : layout.levels)
      if (l.id == id) return l.height;
    return 0.0;
  };
  std::vector<const LayoutShape*> order;
  for (const LayoutShape& s : layout.shapes)
    if (s.vertices.size() >= 3 && !LevelHidden(layout, s.level)) order.push_back(&s);
  std::stable_sort(order.begin(), order.end(), [&](const LayoutShape* a, const LayoutShape* b) {
    return level_height(a->level) < level_height(b->level);
  });
  for (const LayoutShape* s : order) {
    ToDevicePoints(rc.points, v, s->vertices);
    p.SetBrush({s->r, s->g, s->b, s->a});
    if (!s->outline)
      p.SetTransparentPen();
    else if (s->sel)
      p.SetPen({40, 80, 200}, 3);
    else
      p.SetPen({static_cast<std::uint8_t>(s->r / 2), static_cast<std::uint8_t>(s->g / 2),
                static_cast<std::uint8_t>(s->b / 2)},
               2);
    p.DrawPolygon(rc.points.data(), static_cast<int>(rc.points.size()));
    const Point mean = Mean(s->vertices);
    if (!s->label.empty()) {
      p.SetFont(11, true);
      p.SetTextForeground({20, 20, 20});
      p.SetTransparentTextBackground();
      DrawCentredText(p, DrawableText(s->label), Dev(v, mean));
    }
    p.SetFont(std::clamp(static_cast<int>(std::trunc(v.zoom * 10.0)), 8, kShapeLengthMostPoints),
              false);
    p.SetTextForeground({30, 30, 30});
    p.SetSolidTextBackground({255, 255, 255, 180});
    const std::size_t n = s->vertices.size();
    for (std::size_t i = 0; i < n; ++i) {
      const Point a = s->vertices[i], b = s->vertices[(i + 1) % n];
      const double L = Distance(a.x, a.y, b.x, b.y);
      if (!(L >= 1.0)) continue;
      const Point u = OutwardNormal(a, b, L, mean);
      const double mx = v.zoom * (a.x + b.x) / 2.0 + v.offset_x + kShapeLengthGapPixels * u.x;
      const double my = v.zoom * (a.y + b.y) / 2.0 + v.offset_y + kShapeLengthGapPixels * u.y;
      DrawCentredText(p, Units::Of(layout.units).MarkedText(L), DevPixels(mx, my));
    }
  }
}

void DrawGradeMarkers(RenderContext& rc, Painter& p, const Layout& layout, const ViewTransform& v) {
  const Catalog& catalog = Catalog::instance();
  for (const GradeRun& run : layout.grade_runs) {
    if (run.anchor < 0) continue;
    const auto it = rc.piece_index.find(run.anchor);
    if (it == rc.piece_index.end()) continue;
    const PlacedPiece& piece = layout.pieces[it->second];
    // A marker moves with its piece.
    if (rc.pass != DrawPass::All && (rc.pass == DrawPass::Moving) != piece.sel) continue;
    const PieceDef* def = catalog.find(piece.cat);
    if (!def) continue;
    const double h = DegToRad(piece.heading);
    Point d{std::cos(h), std::sin(h)};
    if (!piece.Joined(0) && piece.Joined(1)) d = {-d.x, -d.y};
    const Point n{-std::sin(h), std::cos(h)};
    const Point a{piece.x + d.x * def->length / 2.0, piece.y + d.y * def->length / 2.0};
    auto along = [&](double t, double side) {
      return Dev(v, {a.x + t * d.x + side * n.x, a.y + t * d.y + side * n.y});
    };
    // The arrow reaches 20 mm and its text about 90 pixels beyond the tip.
    const IPoint tip = along(20, 0);
    if (!MayTouchArea(rc, tip.x, tip.y, 21.0 * v.zoom + 90.0)) continue;
    const Color c = run.deg < 0 ? Color{30, 100, 200} : Color{220, 100, 20};
    p.SetPen(c, 3);
    p.SetBrush(c);
    p.DrawLine(along(0, 0), tip);
    const IPoint tri[3] = {tip, along(12, 6), along(12, -6)};
    p.DrawPolygon(tri, 3);
    if (v.zoom < 0.25) continue;
    // On paper the grade reads at the size of an article label.
    p.SetFont(rc.paper_px_per_mm > 0 ? kPaperLabelPoints : FontAtZoom(v.zoom, 8.0, 7), true);
    p.SetTextForeground(c);
    p.SetTransparentTextBackground();
    const std::string value = FormatFixed(run.deg, 1);
    p.DrawText((value[0] == '-' ? "" : "+") + value + Tr(" deg"), tip.x + 4, tip.y - 10);
  }
}

std::string render_detail::DrawableText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  for (std::size_t i = 0; i < text.size();) {
    const unsigned char c = byte(i);
    // Sequence length and the allowed range of its second byte (no overlongs, no
    // surrogates, nothing above U+10FFFF).
    std::size_t len = 0;
    unsigned char lo = 0x80, hi = 0xBF;
    if (c < 0x80)
      len = 1;
    else if (c >= 0xC2 && c <= 0xDF)
      len = 2;
    else if (c == 0xE0)
      len = 3, lo = 0xA0;
    else if (c == 0xED)
      len = 3, hi = 0x9F;
    else if (c >= 0xE1 && c <= 0xEF)
      len = 3;
    else if (c == 0xF0)
      len = 4, lo = 0x90;
    else if (c >= 0xF1 && c <= 0xF3)
      len = 4;
    else if (c == 0xF4)
      len = 4, hi = 0x8F;
    bool ok = len > 0 && i + len <= text.size();
    for (std::size_t k = 1; ok && k < len; ++k) {
      const unsigned char b = byte(i + k);
      ok = k == 1 ? b >= lo && b <= hi : b >= 0x80 && b <= 0xBF;
    }
    if (ok) {
      out.append(text.substr(i, len));
      i += len;
    } else {
      out += "\xEF\xBF\xBD";  // U+FFFD for the one bad byte; the rest is looked at again
      ++i;
    }
  }
  return out;
}

int TextLabelPoints(double zoom) {
  return FontAtZoom(zoom, 11.0, 8);
}

std::size_t LabelDrawnLength(std::string_view text) {
  int letters = 0, lines = 1;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c == '\n') {
      if (++lines > kLabelMostLines) return i;
    } else if ((c & 0xC0) != 0x80 && ++letters > kLabelMostLetters) {
      return i;
    }
  }
  return text.size();
}

std::string LabelDrawnText(std::string_view text) {
  const std::size_t read = LabelDrawnLength(text);
  std::string out = DrawableText(text.substr(0, read));
  if (read < text.size()) out += "\u2026";
  return out;
}

namespace {

// The widest line and the height of all lines of `text` in the current font; an empty
// line is as high as a letter.
IPoint LinesExtent(Painter& p, const std::string& text) {
  IPoint total{0, 0};
  for (std::size_t start = 0;;) {
    const std::size_t end = std::min(text.find('\n', start), text.size());
    const std::string line = text.substr(start, end - start);
    const IPoint e = p.TextExtent(line.empty() ? "W" : line);
    if (!line.empty()) total.x = std::max(total.x, e.x);
    total.y += e.y;
    if (end == text.size()) return total;
    start = end + 1;
  }
}

}  // namespace

void DrawLabels(RenderContext& rc, Painter& p, const Layout& layout, const ViewTransform& v) {
  rc.labels.resize(layout.labels.size());
  if (layout.labels.empty()) return;
  const int points = TextLabelPoints(v.zoom);
  p.SetFont(points, true);
  for (std::size_t i = 0; i < layout.labels.size(); ++i) {
    const LayoutLabel& l = layout.labels[i];
    const std::string_view read = std::string_view(l.text).substr(0, LabelDrawnLength(l.text));
    const bool cut = read.size() < l.text.size();
    RenderContext::LaidOutLabel& laid = rc.labels[i];
    if (laid.points != points || laid.paper_px_per_mm != rc.paper_px_per_mm || laid.cut != cut ||
        laid.source != read) {
      laid.source.assign(read);
      laid.cut = cut;
      laid.points = points;
      laid.paper_px_per_mm = rc.paper_px_per_mm;
      laid.text = LabelDrawnText(l.text);
      laid.extent = LinesExtent(p, laid.text);
    }
    const IPoint at = ToDevice(v, l.x, l.y);
    const IPoint ext = laid.extent;
    // The text and the frame round it when selected, 2 pixels out.
    if (!BoxMayTouchArea(rc, at.x - 2, at.y - 2, at.x + ext.x + 2, at.y + ext.y + 2)) continue;
    p.SetTextForeground(l.sel ? Color{40, 80, 200} : Color{20, 20, 20});
    p.SetSolidTextBackground({255, 255, 220, 200});
    p.DrawText(laid.text, at.x, at.y);
    if (!l.sel) continue;
    p.SetPen({40, 80, 200}, 1, PenStyle::Dot);
    p.SetTransparentBrush();
    p.DrawRectangle(at.x - 2, at.y - 2, ext.x + 4, ext.y + 4);
  }
}

void DrawMeasurements(Painter& p, const Layout& layout, const ViewTransform& v) {
  for (const Measurement& m : layout.measures) {
    const Color c = m.sel ? Color{40, 80, 200} : Color{60, 60, 60};
    const IPoint s = ToDevice(v, m.start.x, m.start.y);
    const IPoint e = ToDevice(v, m.end.x, m.end.y);
    p.SetPen(c, m.sel ? 3 : 2);
    p.DrawLine(s, e);
    const double dx = static_cast<double>(e.x) - s.x, dy = static_cast<double>(e.y) - s.y;
    const double len = std::hypot(dx, dy);
    if (len > 6.0) {
      const double ux = dx / len, uy = dy / len, nx = -uy, ny = ux;
      auto head = [&](IPoint tip, double dir) {
        const IPoint base = DevPixels(tip.x + dir * 10.0 * ux, tip.y + dir * 10.0 * uy);
        const IPoint tri[3] = {tip, DevPixels(base.x + 5.0 * nx, base.y + 5.0 * ny),
                               DevPixels(base.x - 5.0 * nx, base.y - 5.0 * ny)};
        p.DrawPolygon(tri, 3);
      };
      p.SetBrush(c);
      head(s, 1.0);
      head(e, -1.0);
    }
    const double L = Distance(m.start.x, m.start.y, m.end.x, m.end.y);
    const IPoint at = ToDevice(v, (m.start.x + m.end.x) / 2.0 + m.label_offset.x,
                               (m.start.y + m.end.y) / 2.0 + m.label_offset.y);
    p.SetFont(kMeasurementPoints, true);
    p.SetBrush(m.sel ? Color{220, 232, 255, 235} : Color{255, 248, 220, 235});
    p.SetPen(c, 1);
    p.SetTextForeground({20, 20, 20});
    p.SetTransparentTextBackground();
    BoxedText(p, Units::Of(layout.units).MarkedText(L), at, 5, 2);
  }
}
