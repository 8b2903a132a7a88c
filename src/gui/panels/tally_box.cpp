// The tally list and the Buy Track buttons: the core counts and builds the address,
// this box shows the rows and hands the address to the browser.
#include "gui/panels/tally_box.h"

#include <wx/button.h>
#include <wx/listctrl.h>
#include <wx/log.h>
#include <wx/sizer.h>
#include <wx/statline.h>
#include <wx/stattext.h>
#include <wx/utils.h>
#include <wx/wupdlock.h>

#include <algorithm>

#include "gui/app/translations.h"
#include "gui/dialogs/buy_track_dialogs.h"
#include "gui/wx_text.h"
#include "interact/buy_track.h"

namespace {

bool LaunchBrowser(const std::string& address) {
  wxLogNull quiet;  // a failure is answered with the address dialog, not a log window
  return wxLaunchDefaultBrowser(ToWx(address));
}

}  // namespace

TallyBox::TallyBox(wxWindow* parent, const ::Layout& layout, Prompter& prompter)
    : wxPanel(parent), layout_(layout), prompter_(prompter), launch_(LaunchBrowser) {
  auto* sizer = new wxBoxSizer(wxVERTICAL);
  sizer->Add(new wxStaticLine(this), 0, wxEXPAND | wxTOP | wxBOTTOM, 4);
  sizer->Add(new wxStaticText(this, wxID_ANY, _("Piece Count")), 0, wxLEFT | wxRIGHT, 4);
  list_ = new wxListCtrl(this, wxID_ANY, wxDefaultPosition, wxSize(-1, 160),
                         wxLC_REPORT | wxLC_SINGLE_SEL);
  // "Count" is 40 wide unless the font needs more for its title; "Piece" takes the
  // rest of the panel's width so that long article names stay readable.
  const int count_width = std::max(40, list_->GetTextExtent(_("Count")).x + 16);
  list_->InsertColumn(0, _("Piece"), wxLIST_FORMAT_LEFT, 110);
  list_->InsertColumn(1, _("Count"), wxLIST_FORMAT_RIGHT, count_width);
  list_->Bind(wxEVT_SIZE, [this, count_width](wxSizeEvent& e) {
    list_->SetColumnWidth(0, std::max(110, list_->GetClientSize().x - count_width));
    e.Skip();
  });
  sizer->Add(list_, 1, wxEXPAND | wxALL, 4);
  sizer->Add(new wxStaticLine(this), 0, wxEXPAND | wxTOP | wxBOTTOM, 4);
  auto* buttons = new wxBoxSizer(wxHORIZONTAL);
  buy_ = new wxButton(this, wxID_ANY, _("  Buy Track  "));
  help_ = new wxButton(this, wxID_ANY, "?", wxDefaultPosition, wxDefaultSize, wxBU_EXACTFIT);
  help_->SetToolTip(_("About Buy Track"));
  buttons->Add(buy_, 1, wxRIGHT, 4);
  buttons->Add(help_);
  sizer->Add(buttons, 0, wxEXPAND | wxALL, 4);
  SetSizer(sizer);

  buy_->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnBuyTrack(); });
  help_->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
    BuyTrackHelpDialog(wxGetTopLevelParent(this)).ShowModal();
  });
}

void TallyBox::UpdateTally() {
  if (stale_) return;
  stale_ = true;
  CallAfter([this] { Recount(); });
}

void TallyBox::Recount() {
  if (!stale_) return;
  stale_ = false;
  Tally tally = ComputeTally(layout_);
  if (shown_ && *shown_ == tally) return;
  wxWindowUpdateLocker freeze(list_);
  list_->DeleteAllItems();
  long index = 0;
  for (const TallyRow& row : TallyRows(tally)) {
    // Headings are the program's own texts; the rows name articles, which stay as they are.
    list_->InsertItem(index,
                      row.kind == TallyRowKind::Heading ? TrWx(row.Label()) : ToWx(row.Label()));
    if (row.kind == TallyRowKind::Heading) {
      list_->SetItemFont(index, list_->GetFont().Bold());
      list_->SetItemTextColour(index, wxColour(60, 60, 160));
    } else {
      list_->SetItem(index, 1, ToWx(std::to_string(row.count)));
    }
    ++index;
  }
  shown_ = std::move(tally);
}

void TallyBox::OnBuyTrack() {
  const std::optional<std::string> address = BuyTrack(layout_, prompter_);
  if (address && !launch_(*address))
    CartAddressDialog(wxGetTopLevelParent(this), *address).ShowModal();
}
