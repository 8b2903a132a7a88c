#include "gui/export/layout_printout.h"

#include <wx/cmndata.h>
#include <wx/paper.h>

#include <algorithm>

#include "gui/draw/background_picture.h"
#include "gui/draw/wx_painter.h"
#include "gui/wx_text.h"
#include "model/units.h"

LayoutPrintout::LayoutPrintout(const ::Layout& layout, const PrintOptions& options,
                               const Paper& paper, bool portrait, const std::string& name)
    : wxPrintout(name.empty() ? _("Vantrel Layout") : ToWx(name)),
      layout_(layout),
      name_(name),
      options_(options),
      paper_(paper),
      portrait_(portrait) {}

void LayoutPrintout::PlanForPage(wxSize page_pixels) {
  int ppi_x = 0, ppi_y = 0;
  GetPPIPrinter(&ppi_x, &ppi_y);
  PaperOnPage sheet{paper_, portrait_};
  if (ppi_x > 0 && ppi_y > 0)
    sheet =
        PaperOfPage(paper_, page_pixels.x * kMmPerInch / ppi_x, page_pixels.y * kMmPerInch / ppi_y);
  plan_ = PlanPrint(layout_, options_, sheet.paper, sheet.portrait, ppi_x);
  planned_for_ = page_pixels;
  if (printer_) printer_->Plan(plan_);
}

void LayoutPrintout::OnPreparePrinting() {
  printer_ = std::make_unique<PagePrinter>(layout_, name_, options_);
  int w = 0, h = 0;
  GetPageSizePixels(&w, &h);
  PlanForPage(wxSize(w, h));
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
  if (!printer_) {
    printer_ = std::make_unique<PagePrinter>(layout_, name_, options_);
    printer_->Plan(plan_);
  }
  int w = 0, h = 0;
  GetPageSizePixels(&w, &h);
  if (wxSize(w, h) != planned_for_) PlanForPage(wxSize(w, h));
  // The plan's page is the paper at the printer's resolution; the printer's own page
  // may be a few pixels smaller, which only trims the margin.
  FitThisSizeToPaper(wxSize(w, h));
  PaperPainter painter(*dc, plan_.px_per_mm * kMmPerInch);
  BackgroundPicture picture;
  printer_->SetUnderlay(picture.UnderlayOn(*dc));
  // False ends the print job.
  const bool more = printer_->DrawPage(painter, page, progress_);
  printer_->SetUnderlay({});
  return more;
}

Paper PaperOf(const wxPrintData& print_data) {
  if (const wxPrintPaperType* type =
          wxThePrintPaperDatabase->FindPaperType(print_data.GetPaperId())) {
    const wxSize tenths = type->GetSize();
    return {"paper", tenths.x / 10.0, tenths.y / 10.0};
  }
  return kA4Paper;
}

bool IsPortrait(const wxPrintData& print_data) {
  return print_data.GetOrientation() != wxLANDSCAPE;
}
