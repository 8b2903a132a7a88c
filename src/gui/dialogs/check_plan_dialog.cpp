// The Check Plan list: the rows come from the core; a chosen row selects and centres.
#include "gui/dialogs/check_plan_dialog.h"

#include <wx/button.h>
#include <wx/listctrl.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include <algorithm>

#include "gui/app/translations.h"
#include "gui/panels/canvas_panel.h"
#include "gui/wx_text.h"

CheckPlanDialog::CheckPlanDialog(wxWindow* parent, Document& doc, CanvasPanel& canvas)
    : wxDialog(parent, wxID_ANY, _("Check Plan"), wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER),
      doc_(doc),
      canvas_(canvas),
      findings_(PlanFindings(doc.layout())) {
  auto* sizer = new wxBoxSizer(wxVERTICAL);
  summary_ = new wxStaticText(this, wxID_ANY, TrWx(findings_.summary));
  sizer->Add(summary_, 0, wxALL, 8);
  list_ = new wxListCtrl(this, wxID_ANY, wxDefaultPosition, wxSize(900, 260),
                         wxLC_REPORT | wxLC_SINGLE_SEL);
  const std::pair<const char*, int> columns[] = {{wxTRANSLATE("Kind"), 140},
                                                 {wxTRANSLATE("Pieces"), 80},
                                                 {wxTRANSLATE("Level"), 90},
                                                 {wxTRANSLATE("Where"), 150},
                                                 {wxTRANSLATE("Details"), 420}};
  for (int c = 0; c < 5; ++c)
    list_->AppendColumn(wxGetTranslation(columns[c].first), wxLIST_FORMAT_LEFT, columns[c].second);
  for (const FindingRow& r : findings_.rows) {
    const long row = list_->InsertItem(list_->GetItemCount(), TrWx(r.kind));
    list_->SetItem(row, 1, ToWx(r.pieces));
    list_->SetItem(row, 2, ToWx(r.level));
    list_->SetItem(row, 3, ToWx(r.where));
    list_->SetItem(row, 4, ToWx(r.details));
  }
  sizer->Add(list_, 1, wxEXPAND | wxLEFT | wxRIGHT, 8);
  sizer->Add(new wxButton(this, wxID_CANCEL, _("Close")), 0, wxALIGN_RIGHT | wxALL, 8);
  SetEscapeId(wxID_CANCEL);
  SetSizerAndFit(sizer);
  list_->Bind(wxEVT_LIST_ITEM_SELECTED, &CheckPlanDialog::OnSelected, this);
  // Below the middle of the window, where a chosen row's place is brought.
  CentreOnParent(wxHORIZONTAL);
  if (parent) {
    const wxRect frame = parent->GetScreenRect();
    Move(GetPosition().x, std::max(frame.GetTop(), frame.GetBottom() - GetSize().y - 40));
  }
}

void CheckPlanDialog::OnSelected(wxListEvent& e) {
  ChooseRow(e.GetIndex());
}

void CheckPlanDialog::ChooseRow(long row) {
  if (row < 0 || row >= static_cast<long>(findings_.rows.size())) return;
  const FindingRow& r = findings_.rows[static_cast<std::size_t>(row)];
  SelectFindingPieces(doc_, r.ids);
  if (r.at) canvas_.Apply(canvas_.controller().CentreOn(*r.at));
}
