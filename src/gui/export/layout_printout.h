// The layout on paper through the toolkit's printing: pages as the print arithmetic
// plans them, each drawn from a printed copy of the layout (levels shown as the options
// say), so the user's layout is never changed, however printing or a preview ends.
#pragma once

#include <wx/print.h>

#include "print/print_layout.h"
#include "render/render.h"

class LayoutPrintout : public wxPrintout {
 public:
  LayoutPrintout(const ::Layout& layout, const PrintOptions& options,
                 const wxString& title = "Vantrel Layout");

  void OnPreparePrinting() override;
  void GetPageInfo(int* min_page, int* max_page, int* from, int* to) override;
  bool HasPage(int page) override;
  bool OnPrintPage(int page) override;

  const PagePlan& plan() const { return plan_; }

 private:
  void PlanFor(int width, int height);

  const ::Layout& layout_;
  PrintOptions options_;
  ::Layout printed_;
  PrintBounds bounds_;
  PagePlan plan_;
  RenderContext rc_;
};

// The pages a printout on this paper would have (page counts do not depend on the
// printer resolution), for the question before printing many pages.
PagePlan EstimatePages(const ::Layout& layout, const PrintOptions& options,
                       const wxPrintData& print_data);
