#include "gui/export/layout_printout.h"

#include <wx/cmndata.h>
#include <wx/paper.h>

#include <algorithm>

#include "gui/draw/wx_painter.h"

LayoutPrintout::LayoutPrintout(const ::Layout& layout, const PrintOptions& options,
                               const wxString& title)
    : wxPrintout(title), layout_(layout), options_(options) {}

void LayoutPrintout::PlanFor(int width, int height) {
  int ppi_x = 0, ppi_y = 0;
  GetPPIPrinter(&ppi_x, &ppi_y);
  plan_ = PlanPages(bounds_, options_, width, height, ppi_x);
}

void LayoutPrintout::OnPreparePrinting() {
  printed_ = PrintedLayout(layout_, options_);
  bounds_ = ComputePrintBounds(layout_, options_);
  int w = 0, h = 0;
  GetPageSizePixels(&w, &h);
  PlanFor(w, h);
}

void LayoutPrintout::GetPageInfo(int* min_page, int* max_page, int* from, int* to) {
  *min_page = 1;
  *max_page = std::min(PageCount(plan_), kMostPages);
  *from = 1;
  *to = *max_page;
}

bool LayoutPrintout::HasPage(int page) {
  return page >= 1 && page <= std::min(PageCount(plan_), kMostPages);
}

bool LayoutPrintout::OnPrintPage(int page) {
  wxDC* dc = GetDC();
  if (!dc) return false;
  int w = 0, h = 0;
  GetPageSizePixels(&w, &h);
  if (w != plan_.width || h != plan_.height) PlanFor(w, h);
  FitThisSizeToPaper(wxSize(w, h));
  WxPainter painter(*dc);
  if (options_.color == PrintColor::Greyscale) {
    GreyPainter grey(painter);
    DrawPrintPage(rc_, grey, printed_, plan_, bounds_, page);
  } else {
    DrawPrintPage(rc_, painter, printed_, plan_, bounds_, page);
  }
  return true;
}

PagePlan EstimatePages(const ::Layout& layout, const PrintOptions& options,
                       const wxPrintData& print_data) {
  wxSize tenths(2100, 2970);  // A4 when the paper is not known
  if (const wxPrintPaperType* paper =
          wxThePrintPaperDatabase->FindPaperType(print_data.GetPaperId()))
    tenths = paper->GetSize();
  constexpr double kDpi = 600.0;
  int w = static_cast<int>(tenths.x / 254.0 * kDpi);
  int h = static_cast<int>(tenths.y / 254.0 * kDpi);
  if (print_data.GetOrientation() == wxLANDSCAPE) std::swap(w, h);
  return PlanPages(ComputePrintBounds(layout, options), options, w, h, kDpi);
}
