// Printing a layout on paper: the print options, the printed area, the page plan for
// fit, 1 : N and percentage, each page's offset, and the drawing of one page. The
// printout, the preview and the PDF export share it.
#pragma once

#include <string>

#include "app/prompter.h"
#include "model/layout.h"
#include "print/paper.h"
#include "render/painter.h"
#include "render/render.h"

// The values follow the order of the entries in Print Options.
enum class PrintScaling { FitToPage = 0, ActualScale = 1, Percentage = 2 };
enum class PrintLevels { ActiveOnly = 0, All = 1 };
enum class PrintColor { Color = 0, Greyscale = 1 };

struct PrintOptions {
  PrintScaling scaling = PrintScaling::FitToPage;
  int scale_n = 10;  // actual scale 1 : N
  int percent = 100;
  PrintLevels levels = PrintLevels::ActiveOnly;
  PrintColor color = PrintColor::Color;
  bool grid = false;
  bool baseboard = true;
  // What the window shows when it prints: labels print only when shown there, and the
  // grid only when it is shown there and asked for here.
  DrawSwitches shown;
  friend bool operator==(const PrintOptions&, const PrintOptions&) = default;
};

struct PrintBounds {
  double min_x = 0;
  double min_y = 0;
  double max_x = 1000;
  double max_y = 1000;
  friend bool operator==(const PrintBounds&, const PrintBounds&) = default;
};

// Everything the printout draws of the layout, as it is drawn: pieces at full width
// (only the active level's with "Active level only"), helix rings, scenery, shapes and
// level outlines of the printed levels, labels, measurements, and the baseboard when it
// is printed; (0, 0)-(1000, 1000) when nothing counts. Text drawn at a size of its own
// on paper is not in it: PlanPrint makes room for that.
PrintBounds ComputePrintBounds(const Layout& layout, const PrintOptions& options);

// The pages of a printout: the printed area, the page in printer pixels and the scale
// for drawing, and the pages across and down.
struct PagePlan {
  PrintBounds bounds;
  int width = 0;
  int height = 0;
  double scale = 1;               // printer pixels per millimetre
  double px_per_mm = 300 / 25.4;  // printer pixels per millimetre of paper
  int across = 1;
  int down = 1;
  double pages = 1;  // across x down before any saturation
};
inline constexpr double kPrintableShare = 0.92;
inline constexpr double kMarginShare = 0.04;
inline constexpr int kAskAbovePages = 100;
inline constexpr int kMostPages = 2000;

// The pages for `bounds` on `paper`, turned as `portrait` says, at `dpi` printer pixels
// per inch (300 when not known). The pages are counted on the paper's millimetres, not
// on its rounded pixels, so that every resolution counts the same pages.
PagePlan PlanPages(const PrintBounds& bounds, const PrintOptions& options, const Paper& paper,
                   bool portrait, double dpi);
// The plan of what the options print of the layout: Print Preview, Print and the PDF
// export all take their pages from here. The printed area is ComputePrintBounds with
// room around it for the text drawn at a size of its own on paper (labels, lengths),
// as estimated from its point size, so that every printer counts the same pages.
PagePlan PlanPrint(const Layout& layout, const PrintOptions& options, const Paper& paper,
                   bool portrait, double dpi);
// Page count as the printout reports it: at least 1.
int PageCount(const PagePlan& plan);

// Device pixels of layout (0, 0) on page `page` (1-based).
struct PageOffset {
  double x = 0;
  double y = 0;
};
PageOffset PageOffsetFor(const PagePlan& plan, int page);

// The drawing area of a page in printer pixels: the page inside its margins. The layout
// is clipped to it; only the header and the alignment marks stand in the margins.
struct PageArea {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};
PageArea PrintableArea(const PagePlan& plan);

// Where page `page` lies on a tiled printout: its row letter (A, B, ... Z, AA, ...) and
// column number, "B2" for the second page of the second row.
std::string PageName(const PagePlan& plan, int page);
// The line at the top of a page: the layout's name (left out when empty), the printed
// level or "all levels", and on a tiled printout the page, e.g.
// "Shelf — Level 1 — page B2 of 3 × 2" (pages across × down).
std::string PageHeader(const Layout& layout, const std::string& name, const PrintOptions& options,
                       const PagePlan& plan, int page);

// Refuses above 2,000 pages and asks above 100 (No the default). True to print.
bool ConfirmPageCount(const PagePlan& plan, Prompter& prompter);

// What is printed: a copy of the drawn parts of the layout with the printed levels
// shown. The user's layout is never changed by printing.
Layout PrintedLayout(const Layout& layout, const PrintOptions& options);
// The grid, labels and baseboard of a printout, as the options say.
DrawSwitches PrintedSwitches(const PrintOptions& options);

// Draws page `page` of `printed` (from PrintedLayout) on a painter of plan.width x
// plan.height pixels, with the options' grid, labels and baseboard, clipped to the
// drawing area; then the header naming `name` and, on a tiled printout, the marks where
// the sheets join.
void DrawPrintPage(RenderContext& rc, Painter& painter, const Layout& printed,
                   const std::string& name, const PrintOptions& options, const PagePlan& plan,
                   int page);

// The luminance the greyscale printout uses for a colour.
Color GreyOf(Color c);

// A painter that passes everything on in grey: greyscale printing stays vector
// drawing instead of a page-sized bitmap.
class GreyPainter : public ForwardingPainter {
 public:
  using ForwardingPainter::ForwardingPainter;
  void Clear(Color background) override { inner_.Clear(GreyOf(background)); }
  void SetPen(Color color, int width, PenStyle style) override {
    inner_.SetPen(GreyOf(color), width, style);
  }
  void SetBrush(Color color) override { inner_.SetBrush(GreyOf(color)); }
  void SetTextForeground(Color color) override { inner_.SetTextForeground(GreyOf(color)); }
  void SetSolidTextBackground(Color color) override {
    inner_.SetSolidTextBackground(GreyOf(color));
  }
};
