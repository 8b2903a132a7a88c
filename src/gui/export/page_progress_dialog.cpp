#include "gui/export/page_progress_dialog.h"

#include <algorithm>

#include "gui/wx_text.h"
#include "model/translate.h"

namespace {

// Work that ends sooner shows no dialog at all.
constexpr long kShowAfterMs = 500;

}  // namespace

PageProgressDialog::PageProgressDialog(wxWindow* parent, std::string title, std::string doing)
    : parent_(parent), title_(std::move(title)), doing_(std::move(doing)) {}

PageProgressDialog::~PageProgressDialog() = default;

PageProgress PageProgressDialog::Callback() {
  return [this](int page, int pages) { return Update(page, pages); };
}

bool PageProgressDialog::Update(int page, int pages) {
  if (cancelled_) return false;
  if (!dialog_ && watch_.Time() < kShowAfterMs) return true;
  const wxString line = ToWx(
      Subst(Tr("%1 page %2 of %3"), {Tr(doing_), std::to_string(page), std::to_string(pages)}));
  const int most = std::max(pages, 1);
  if (!dialog_) {
    dialog_ = std::make_unique<wxProgressDialog>(ToWx(Tr(title_)), line, most, parent_,
                                                 wxPD_APP_MODAL | wxPD_AUTO_HIDE | wxPD_CAN_ABORT);
  }
  // The bar shows the pages done before this one.
  if (!dialog_->Update(std::clamp(page - 1, 0, most - 1), line)) cancelled_ = true;
  return !cancelled_;
}
