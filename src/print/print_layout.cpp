#include "print/print_layout.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

#include "catalog/catalog.h"
#include "model/layout_extent.h"
#include "model/layout_ops.h"
#include "model/number_text.h"
#include "model/translate.h"
#include "model/units.h"
#include "render/render_internal.h"

namespace {

// A page count a hair above a whole number from rounding (an exact fit) is that number.
constexpr double kFitEpsilon = 1e-9;
// Page counts beyond this are never printed; it keeps the arithmetic in int range.
constexpr double kPageSaturation = 1e6;

// Pages for a share of the usable paper (1.0: exactly one page); at least one.
double PagesFor(double share) {
  const double n = std::ceil(share - kFitEpsilon);
  return n > 1.0 ? n : 1.0;  // a share that is not a number gives one page too
}

PrintBounds DrawnBounds(const Layout& printed, const PrintOptions& options) {
  ExtentFilter f;
  f.pieces = options.levels == PrintLevels::ActiveOnly ? OnLevels::Active : OnLevels::All;
  f.scenery = f.helices = OnLevels::Visible;
  f.helix_rings = f.drawings = f.as_drawn = true;
  f.baseboard = options.baseboard ? ExtentFilter::Board::Outline : ExtentFilter::Board::None;
  const Extent e = LayoutExtent(printed, f);
  if (!e.any) return PrintBounds{};
  return {e.min_x, e.min_y, e.max_x, e.max_y};
}

// Text drawn at a size of its own on paper, estimated alike for every printer: letters
// 0.7 em wide, lines 1.4 em high (an em is the point size), pixels as at 150 dpi.
constexpr double kLetterEm = 0.7;
constexpr double kLineEm = 1.4;
const double kMmPerPixel = kMmPerInch / 150.0;

double EmMm(int points) {
  return points * kMmPerInch / 72.0;
}

struct TextBox {
  double width = 0;  // paper millimetres
  double height = 0;
};
TextBox EstimateText(const std::string& text, int points) {
  int letters = 0, longest = 0, lines = 1;
  for (const char c : text) {
    if (c == '\n') {
      ++lines;
      letters = 0;
    } else if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) {
      longest = std::max(longest, ++letters);
    }
  }
  return {longest * kLetterEm * EmMm(points), lines * kLineEm * EmMm(points)};
}

// The printed area with room for the text that `plan` draws at a size of its own around
// the drawing: labels, lengths of measurements and edges, article labels.
PrintBounds WithRoomForText(const PrintBounds& drawn, const Layout& printed,
                            const PrintOptions& options, const PagePlan& plan) {
  PrintBounds b = drawn;
  const double per_paper_mm = plan.px_per_mm / plan.scale;  // layout millimetres
  // A box reaching `left` ... `down` paper millimetres from the layout point (x, y).
  const auto add = [&](double x, double y, double left, double up, double right, double down) {
    b.min_x = std::min(b.min_x, x - left * per_paper_mm);
    b.min_y = std::min(b.min_y, y - up * per_paper_mm);
    b.max_x = std::max(b.max_x, x + right * per_paper_mm);
    b.max_y = std::max(b.max_y, y + down * per_paper_mm);
  };
  const auto centred = [&](double x, double y, TextBox t, double pad_x, double pad_y) {
    add(x, y, t.width / 2 + pad_x, t.height / 2 + pad_y, t.width / 2 + pad_x, t.height / 2 + pad_y);
  };
  const Units& units = Units::Of(printed.units);
  // The user's labels hang from their corner and grow with the zoom.
  for (const LayoutLabel& l : printed.labels) {
    const TextBox t = EstimateText(LabelDrawnText(l.text), TextLabelPoints(plan.scale));
    add(l.x, l.y, 0, 0, t.width, t.height);
  }
  for (const Measurement& m : printed.measures) {
    const TextBox t = EstimateText(
        units.MarkedText(Distance(m.start.x, m.start.y, m.end.x, m.end.y)), kMeasurementPoints);
    centred((m.start.x + m.end.x) / 2 + m.label_offset.x,
            (m.start.y + m.end.y) / 2 + m.label_offset.y, t, 5 * kMmPerPixel, 2 * kMmPerPixel);
  }
  // Edge lengths stand out from the middle of their edge, which way round it is.
  const auto edges = [&](const std::vector<Point>& outline, int points, double gap_mm) {
    for (std::size_t i = 0; i < outline.size(); ++i) {
      const Point a = outline[i], c = outline[(i + 1) % outline.size()];
      const TextBox t = EstimateText(units.MarkedText(Distance(a.x, a.y, c.x, c.y)), points);
      centred((a.x + c.x) / 2, (a.y + c.y) / 2, t, gap_mm + 4 * kMmPerPixel,
              gap_mm + 2 * kMmPerPixel);
    }
  };
  if (options.baseboard && printed.baseboard.size() >= 3)
    edges(printed.baseboard, kBoardLengthPoints, kBoardLengthGapMm / per_paper_mm);
  for (const LayoutShape& s : printed.shapes)
    if (s.vertices.size() >= 3 && LevelVisible(printed, s.level))
      edges(s.vertices, kShapeLengthMostPoints, kShapeLengthGapPixels * kMmPerPixel);
  if (!PrintedSwitches(options).labels) return b;
  // Article labels are centred on their piece, and never larger than it.
  const Catalog& catalog = Catalog::instance();
  const double paper_per_mm = 1 / per_paper_mm;
  for (const PlacedPiece& p : printed.pieces) {
    const PieceDef* def = catalog.find(p.cat);
    if (!def || !LevelVisible(printed, p.level) || def->connectors.empty()) continue;
    const LabelRoom room = PaperLabelRoom(*def);
    const TextBox full = EstimateText(def->id, kPaperLabelPoints);
    const TextBox t{std::min(full.width, room.length * paper_per_mm),
                    std::min(full.height, room.width * paper_per_mm)};
    double x0 = def->connectors[0].x, x1 = x0, y0 = def->connectors[0].y, y1 = y0;
    for (const Connector& k : def->connectors) {
      x0 = std::min(x0, k.x), x1 = std::max(x1, k.x), y0 = std::min(y0, k.y),
      y1 = std::max(y1, k.y);
    }
    const double h = DegToRad(p.heading), mx = (x0 + x1) / 2, my = (y0 + y1) / 2;
    centred(p.x + mx * std::cos(h) - my * std::sin(h), p.y + mx * std::sin(h) + my * std::cos(h), t,
            0, 0);
  }
  return b;
}

}  // namespace

PrintBounds ComputePrintBounds(const Layout& layout, const PrintOptions& options) {
  return DrawnBounds(PrintedLayout(layout, options), options);
}

PagePlan PlanPages(const PrintBounds& bounds, const PrintOptions& options, const Paper& paper,
                   bool portrait, double dpi) {
  if (!(dpi >= 1)) dpi = 300.0;
  PagePlan plan;
  plan.bounds = bounds;
  plan.px_per_mm = dpi / kMmPerInch;
  const PagePixels page = PaperPixels(paper, portrait, dpi);
  plan.width = page.width;
  plan.height = page.height;
  const int uw = std::max(static_cast<int>(std::floor(kPrintableShare * plan.width)), 1);
  const int uh = std::max(static_cast<int>(std::floor(kPrintableShare * plan.height)), 1);
  const double dx = std::max(bounds.max_x - bounds.min_x, 1.0);
  const double dy = std::max(bounds.max_y - bounds.min_y, 1.0);
  const double fit = std::min(uh / dy, uw / dx);
  if (options.scaling == PrintScaling::FitToPage) {
    plan.scale = fit;
    return plan;
  }
  // Counted on the paper: rounded pixels make a page a hair wider at one resolution
  // than at another, and a layout at a page boundary would spill onto one more page.
  const double usable_w = kPrintableShare * (portrait ? paper.width_mm : paper.height_mm);
  const double usable_h = kPrintableShare * (portrait ? paper.height_mm : paper.width_mm);
  double on_paper;  // paper millimetres per layout millimetre
  if (options.scaling == PrintScaling::ActualScale) {
    on_paper = 1.0 / std::max(options.scale_n, 1);
    plan.scale = dpi / kMmPerInch / std::max(options.scale_n, 1);
  } else {
    on_paper = std::min(usable_h / dy, usable_w / dx) * options.percent / 100.0;
    plan.scale = fit * options.percent / 100.0;
  }
  const double across = PagesFor(on_paper * dx / usable_w);
  const double down = PagesFor(on_paper * dy / usable_h);
  plan.across = static_cast<int>(std::min(across, kPageSaturation));
  plan.down = static_cast<int>(std::min(down, kPageSaturation));
  plan.pages = across * down;
  return plan;
}

PagePlan PlanPrint(const Layout& layout, const PrintOptions& options, const Paper& paper,
                   bool portrait, double dpi) {
  const Layout printed = PrintedLayout(layout, options);
  const PrintBounds drawn = DrawnBounds(printed, options);
  PagePlan plan = PlanPages(drawn, options, paper, portrait, dpi);
  // The room for text depends on the scale, which fitting takes from the room: a few
  // rounds settle it, each room being a few per cent of the last.
  for (int round = 0; round < 4; ++round) {
    const PrintBounds room = WithRoomForText(drawn, printed, options, plan);
    if (room == plan.bounds) break;
    plan = PlanPages(room, options, paper, portrait, dpi);
  }
  return plan;
}

int PageCount(const PagePlan& plan) {
  return static_cast<int>(std::min(plan.pages, kPageSaturation));
}

PageArea PrintableArea(const PagePlan& plan) {
  const int mx = static_cast<int>(std::floor(kMarginShare * plan.width));
  const int my = static_cast<int>(std::floor(kMarginShare * plan.height));
  return {mx, my, plan.width - 2 * mx, plan.height - 2 * my};
}

PageOffset PageOffsetFor(const PagePlan& plan, int page) {
  const PrintBounds& bounds = plan.bounds;
  const PageArea area = PrintableArea(plan);
  const double mx = area.x, my = area.y, w = area.width, h = area.height;
  const int across = std::max(plan.across, 1);
  const int column = (page - 1) % across;
  const int row = (page - 1) / across;
  if (plan.across * plan.down > 1)
    return {mx - (w / plan.scale * column + bounds.min_x) * plan.scale,
            my - (h / plan.scale * row + bounds.min_y) * plan.scale};
  const double dx = std::max(bounds.max_x - bounds.min_x, 1.0);
  const double dy = std::max(bounds.max_y - bounds.min_y, 1.0);
  return {(w - dx * plan.scale) / 2 + mx - plan.scale * bounds.min_x,
          (h - dy * plan.scale) / 2 + my - plan.scale * bounds.min_y};
}

bool ConfirmPageCount(const PagePlan& plan, Prompter& prompter) {
  if (plan.pages > kMostPages) {
    prompter.Notify(TrMark("Print"),
                    Tr("This printout would need ") + FixedText(plan.pages, 0) +
                        Tr(" pages; at most ") + std::to_string(kMostPages) +
                        Tr(" pages can be printed.\nChoose a smaller scale."),
                    PromptIcon::Information);
    return false;
  }
  if (plan.pages <= kAskAbovePages) return true;
  return prompter.AskYesNo(TrMark("Print"),
                           Tr("This printout needs ") + FixedText(plan.pages, 0) + Tr(" pages (") +
                               std::to_string(plan.across) + Tr(" across, ") +
                               std::to_string(plan.down) + Tr(" down).\n\nPrint them all?"),
                           PromptIcon::Question, true);
}

Layout PrintedLayout(const Layout& layout, const PrintOptions& options) {
  Layout c;  // everything the drawing reads; no undo history
  c.pieces = layout.pieces;
  c.scenery = layout.scenery;
  c.labels = layout.labels;
  c.measures = layout.measures;
  c.shapes = layout.shapes;
  c.tunnels = layout.tunnels;
  c.helices = layout.helices;
  c.next_id = layout.next_id;
  c.levels = layout.levels;
  c.active_level = layout.active_level;
  c.baseboard = layout.baseboard;
  c.units = layout.units;
  c.grade_runs = layout.grade_runs;
  c.grade_mode = layout.grade_mode;
  if (layout.background && layout.background->print) c.background = layout.background;
  for (Level& l : c.levels)
    l.visible = options.levels == PrintLevels::All || l.id == layout.active_level;
  return c;
}

DrawSwitches PrintedSwitches(const PrintOptions& options) {
  return {options.grid && options.shown.grid, options.shown.labels, options.baseboard};
}

std::string PageName(const PagePlan& plan, int page) {
  const int across = std::max(plan.across, 1);
  std::string row;
  for (int r = (page - 1) / across + 1; r > 0; r = (r - 1) / 26)
    row.insert(row.begin(), static_cast<char>('A' + (r - 1) % 26));
  return row + std::to_string((page - 1) % across + 1);
}

std::string PageHeader(const Layout& layout, const std::string& name, const PrintOptions& options,
                       const PagePlan& plan, int page) {
  std::string levels = Tr("all levels");
  if (options.levels == PrintLevels::ActiveOnly) {
    levels = Tr("Level ") + std::to_string(layout.active_level);
    for (const Level& l : layout.levels)
      if (l.id == layout.active_level && !l.name.empty()) levels = l.name;
  }
  std::string header = name.empty() ? levels : name + " \u2014 " + levels;
  if (PageCount(plan) > 1)
    header += Subst(Tr(" \u2014 page %1 of %2 \u00d7 %3"),
                    {PageName(plan, page), std::to_string(plan.across), std::to_string(plan.down)});
  return render_detail::DrawableText(header);
}

namespace {

// On paper: the header's letters about 3 mm tall; alignment marks 5 mm long, 1 mm off
// the drawing area and 0.2 mm wide.
constexpr int kHeaderPoints = 11;
constexpr double kMarkMm = 5.0;
constexpr double kMarkGapMm = 1.0;
constexpr double kMarkPenMm = 0.2;

// Where the page joins its neighbours the edges of the drawing area go on into the
// margins as short ticks, for cutting the sheets and taping them edge to edge.
void DrawJoinMarks(Painter& p, const PagePlan& plan, int page) {
  const int across = std::max(plan.across, 1);
  const int column = (page - 1) % across, row = (page - 1) / across;
  const PageArea a = PrintableArea(plan);
  const auto px = [&](double mm) { return static_cast<int>(std::lround(mm * plan.px_per_mm)); };
  const int gap = px(kMarkGapMm);
  const int len_x = std::min(px(kMarkMm), a.x - 2 * gap);  // within the side margins
  const int len_y = std::min(px(kMarkMm), a.y - 2 * gap);
  const int right = a.x + a.width, bottom = a.y + a.height;
  p.SetPen({0, 0, 0}, std::max(1, px(kMarkPenMm)));
  // A vertical edge at x: ticks above and below the drawing area.
  const auto upright = [&](int x) {
    p.DrawLine({x, a.y - gap - len_y}, {x, a.y - gap});
    p.DrawLine({x, bottom + gap}, {x, bottom + gap + len_y});
  };
  // A horizontal edge at y: ticks left and right of it.
  const auto level = [&](int y) {
    p.DrawLine({a.x - gap - len_x, y}, {a.x - gap, y});
    p.DrawLine({right + gap, y}, {right + gap + len_x, y});
  };
  if (column > 0) upright(a.x);
  if (column + 1 < across) upright(right);
  if (row > 0) level(a.y);
  if (row + 1 < plan.down) level(bottom);
}

}  // namespace

void DrawPrintPage(RenderContext& rc, Painter& painter, const Layout& printed,
                   const std::string& name, const PrintOptions& options, const PagePlan& plan,
                   int page) {
  rc.show = PrintedSwitches(options);
  rc.paper_px_per_mm = plan.px_per_mm;
  const PageOffset o = PageOffsetFor(plan, page);
  ViewTransform v;
  v.zoom = plan.scale;
  v.offset_x = o.x;
  v.offset_y = o.y;
  const PageArea area = PrintableArea(plan);
  painter.SetClip(area.x, area.y, area.width, area.height);
  DrawLayout(rc, painter, printed, v, plan.width, plan.height);
  painter.ResetClip();
  // The header sits in the middle of the top margin, from the drawing area's left edge.
  painter.SetFont(kHeaderPoints, false);
  painter.SetTextForeground({60, 60, 60});
  painter.SetTransparentTextBackground();
  const std::string header = PageHeader(printed, name, options, plan, page);
  const IPoint ext = painter.TextExtent(header);
  painter.DrawText(header, area.x + static_cast<int>(std::lround(3 * kMarkGapMm * plan.px_per_mm)),
                   std::max(0, (area.y - ext.y) / 2));
  if (PageCount(plan) > 1) DrawJoinMarks(painter, plan, page);
}

Color GreyOf(Color c) {
  const auto y = static_cast<std::uint8_t>(
      std::lround(std::clamp(0.299 * c.r + 0.587 * c.g + 0.114 * c.b, 0.0, 255.0)));
  return {y, y, y, c.a};
}
