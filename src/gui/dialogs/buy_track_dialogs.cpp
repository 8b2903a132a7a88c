// Buy Track's help dialog and the fallback that shows the cart address to copy.
#include "gui/dialogs/buy_track_dialogs.h"

#include <wx/button.h>
#include <wx/clipbrd.h>
#include <wx/hyperlink.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "gui/app/pictures.h"
#include "gui/dialogs/welcome_dialogs.h"
#include "gui/wx_text.h"
#include "parts/store_variants.h"

BuyTrackHelpDialog::BuyTrackHelpDialog(wxWindow* parent)
    : wxDialog(parent, wxID_ANY, _("Buy Track - How it works")) {
  auto* sizer = new wxBoxSizer(wxVERTICAL);
  if (CurrentPrefs().playful) {
    const wxImage picture = LoadResourceImage(102);
    if (picture.IsOk())
      sizer->Add(new wxStaticBitmap(this, wxID_ANY,
                                    wxBitmap(picture.Scale(450, 510, wxIMAGE_QUALITY_HIGH))),
                 0, wxALIGN_CENTRE | wxALL, 12);
  }
  sizer->Add(new wxStaticText(this, wxID_ANY,
                              _("Buy all required track and accessories securely and\n"
                                "conveniently online from Kestrelmoor.\n"
                                "\n"
                                "Buy Track takes you to the Kestrelmoor website, where\n"
                                "all the track your layout needs is waiting in the\n"
                                "shopping cart for you to review and check out.")),
             0, wxALL, 12);
  const wxString store = ToWx(std::string(kStoreBaseUrl));
  sizer->Add(new wxHyperlinkCtrl(this, wxID_ANY, store, store), 0, wxLEFT | wxRIGHT, 12);
  sizer->Add(new wxButton(this, wxID_OK, _("Got it!")), 0, wxALIGN_CENTRE | wxALL, 12);
  SetSizerAndFit(sizer);
  Centre();
}

CartAddressDialog::CartAddressDialog(wxWindow* parent, const std::string& address)
    : wxDialog(parent, wxID_ANY, _("Buy Track"), wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER) {
  auto* sizer = new wxBoxSizer(wxVERTICAL);
  sizer->Add(new wxStaticText(this, wxID_ANY,
                              _("No web browser could be started. Open this address in your\n"
                                "browser to find your track in the store's shopping cart:")),
             0, wxALL, 12);
  address_ = new wxTextCtrl(this, wxID_ANY, ToWx(address), wxDefaultPosition, wxSize(520, -1),
                            wxTE_READONLY);
  sizer->Add(address_, 0, wxEXPAND | wxLEFT | wxRIGHT, 12);
  auto* buttons = new wxBoxSizer(wxHORIZONTAL);
  auto* copy = new wxButton(this, wxID_COPY, _("Copy"));
  buttons->Add(copy, 0, wxRIGHT, 8);
  buttons->Add(new wxButton(this, wxID_CANCEL, _("Close")));
  sizer->Add(buttons, 0, wxALIGN_RIGHT | wxALL, 12);
  SetSizerAndFit(sizer);
  Centre();
  copy->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { CopyAddress(); });
  address_->SetFocus();
  address_->SelectAll();
}

bool CartAddressDialog::CopyAddress() {
  wxClipboardLocker lock;
  if (!lock) return false;
  return wxTheClipboard->SetData(new wxTextDataObject(address_->GetValue()));
}
