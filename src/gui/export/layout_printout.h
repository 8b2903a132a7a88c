// The layout on paper through the toolkit's printing: pages as the print arithmetic
// plans them, each drawn from a printed copy of the layout (levels shown as the options
// say), so the user's layout is never changed, however printing or a preview ends.
#pragma once

#include <wx/print.h>

#include <memory>

#include "print/page_printer.h"
#include "print/print_layout.h"

class LayoutPrintout : public wxPrintout {
 public:
  // `paper` and `portrait` as the print data names them; the pages are planned on that
  // paper, the way round the printer's page is, so the preview counts the pages the PDF
  // export writes. A printer page of another size is planned on as it is. `name`, the
  // layout's, heads every page and names the print job.
  LayoutPrintout(const ::Layout& layout, const PrintOptions& options, const Paper& paper,
                 bool portrait, const std::string& name = {});

  void OnPreparePrinting() override;
  void GetPageInfo(int* min_page, int* max_page, int* from, int* to) override;
  bool HasPage(int page) override;
  bool OnPrintPage(int page) override;

  const PagePlan& plan() const { return plan_; }
  // Told before each page is printed; when it says stop, the print job ends there.
  void SetProgress(PageProgress progress) { progress_ = std::move(progress); }

 private:
  void PlanForPage(wxSize page_pixels);

  const ::Layout& layout_;
  std::string name_;
  PrintOptions options_;
  Paper paper_;
  bool portrait_;
  std::unique_ptr<PagePrinter> printer_;  // made when printing starts
  wxSize planned_for_;
  PagePlan plan_;
  PageProgress progress_;
};

// The paper of the print data (A4 when it names none the toolkit knows) and whether it
// is printed portrait.
Paper PaperOf(const wxPrintData& print_data);
bool IsPortrait(const wxPrintData& print_data);
