#include "print/print_layout.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

#include "model/layout_extent.h"
#include "model/units.h"

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

}  // namespace

PrintBounds ComputePrintBounds(const Layout& layout, const PrintOptions& options) {
  ExtentFilter f;
  f.pieces = options.levels == PrintLevels::ActiveOnly ? OnLevels::Active : OnLevels::All;
  f.scenery = OnLevels::All;
  f.baseboard = options.baseboard ? ExtentFilter::Board::Always : ExtentFilter::Board::None;
  const Extent e = LayoutExtent(layout, f);
  if (!e.any) return PrintBounds{};
  return {e.min_x, e.min_y, e.max_x, e.max_y};
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
  return PlanPages(ComputePrintBounds(layout, options), options, paper, portrait, dpi);
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
  char text[256];
  if (plan.pages > kMostPages) {
    std::snprintf(text, sizeof text,
                  "This printout would need %.0f pages; at most %d pages can be printed.\n"
                  "Choose a smaller scale.",
                  plan.pages, kMostPages);
    prompter.Notify("Print", text, PromptIcon::Information);
    return false;
  }
  if (plan.pages <= kAskAbovePages) return true;
  std::snprintf(text, sizeof text,
                "This printout needs %.0f pages (%d across, %d down).\n\nPrint them all?",
                plan.pages, plan.across, plan.down);
  return prompter.AskYesNo("Print", text, PromptIcon::Question, true);
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
  for (Level& l : c.levels)
    l.visible = options.levels == PrintLevels::All || l.id == layout.active_level;
  return c;
}

DrawSwitches PrintedSwitches(const PrintOptions& options) {
  return {options.grid && options.shown.grid, options.shown.labels, options.baseboard};
}

void DrawPrintPage(RenderContext& rc, Painter& painter, const Layout& printed,
                   const PrintOptions& options, const PagePlan& plan, int page) {
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
}

Color GreyOf(Color c) {
  const auto y = static_cast<std::uint8_t>(
      std::lround(std::clamp(0.299 * c.r + 0.587 * c.g + 0.114 * c.b, 0.0, 255.0)));
  return {y, y, y, c.a};
}
