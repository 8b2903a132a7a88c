// A progress dialog for work done page by page (a PDF export, a print job): it opens
// only once the work has taken half a second, counts the pages and offers Cancel.
#pragma once

#include <wx/progdlg.h>
#include <wx/stopwatch.h>

#include <memory>
#include <string>

#include "print/page_printer.h"

class PageProgressDialog {
 public:
  // `title` captions the dialog; `doing` starts its line, as in "Printing page 3 of 625".
  PageProgressDialog(wxWindow* parent, std::string title, std::string doing);
  ~PageProgressDialog();

  // A PageProgress for the page loop: false once Cancel was pressed.
  PageProgress Callback();
  bool cancelled() const { return cancelled_; }

 private:
  bool Update(int page, int pages);

  wxWindow* parent_;
  std::string title_;
  std::string doing_;
  wxStopWatch watch_;
  std::unique_ptr<wxProgressDialog> dialog_;
  bool cancelled_ = false;
};
