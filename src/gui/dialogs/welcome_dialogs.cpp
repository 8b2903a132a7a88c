// Chooser, splash and help: the texts come from the core, the pictures from the program.
#include "gui/dialogs/welcome_dialogs.h"

#include <wx/button.h>
#include <wx/dcclient.h>
#include <wx/hyperlink.h>
#include <wx/panel.h>
#include <wx/scrolwin.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>

#include "app/help_text.h"
#include "app/version.h"
#include "gui/app/pictures.h"
#include "gui/app/translations.h"
#include "gui/wx_text.h"
#include "model/translate.h"

Prefs& CurrentPrefs() {
  static Prefs prefs;
  return prefs;
}

void ShowExperienceChooser(wxWindow* parent, const std::filesystem::path& prefs_file) {
  wxDialog dlg(parent, wxID_ANY, _("Choose Your Experience"), wxDefaultPosition, wxSize(420, 200));
  auto* sizer = new wxBoxSizer(wxVERTICAL);
  sizer->AddStretchSpacer();
  sizer->Add(new wxStaticText(&dlg, wxID_ANY, _("How would you like Vantrel to greet you?")), 0,
             wxALIGN_CENTRE | wxALL, 12);
  auto* buttons = new wxBoxSizer(wxHORIZONTAL);
  auto* playful =
      new wxButton(&dlg, wxID_YES, _("Keep it Playful"), wxDefaultPosition, wxSize(160, 38));
  auto* business =
      new wxButton(&dlg, wxID_NO, _("Down to Business"), wxDefaultPosition, wxSize(160, 38));
  buttons->Add(playful, 0, wxRIGHT, 12);
  buttons->Add(business);
  sizer->Add(buttons, 0, wxALIGN_CENTRE | wxALL, 12);
  sizer->AddStretchSpacer();
  dlg.SetSizer(sizer);
  dlg.SetEscapeId(wxID_NO);
  playful->Bind(wxEVT_BUTTON, [&dlg](wxCommandEvent&) { dlg.EndModal(wxID_YES); });
  business->Bind(wxEVT_BUTTON, [&dlg](wxCommandEvent&) { dlg.EndModal(wxID_NO); });
  dlg.CentreOnParent();
  const bool chose_playful = dlg.ShowModal() == wxID_YES;
  ChooseExperience(CurrentPrefs(), chose_playful, prefs_file);
}

// ---- splash -------------------------------------------------------------------------

SplashDialog::SplashDialog(wxWindow* parent, const wxImage& big, const wxImage& small)
    : wxDialog(parent, wxID_ANY, AppTitle(), wxDefaultPosition, wxSize(900, 700)) {
  if (big.IsOk()) big_ = big.Scale(900, 600, wxIMAGE_QUALITY_HIGH);
  if (small.IsOk()) small_ = small.Scale(120, 160, wxIMAGE_QUALITY_HIGH);
  auto* sizer = new wxBoxSizer(wxVERTICAL);
  auto* panel = new wxPanel(this, wxID_ANY, wxDefaultPosition, wxSize(900, 600));
  panel->Bind(wxEVT_PAINT, [this, panel](wxPaintEvent&) {
    wxPaintDC dc(panel);
    PaintPanel(dc);
  });
  sizer->Add(panel, 0);
  auto* byline = new wxBoxSizer(wxHORIZONTAL);
  byline->Add(new wxStaticText(this, wxID_ANY, _("Vantrel by")), 0, wxALIGN_CENTRE_VERTICAL);
  byline->Add(new wxHyperlinkCtrl(this, wxID_ANY, "Kestrelmoor", kMakerSite), 0,
              wxALIGN_CENTRE_VERTICAL | wxLEFT, 4);
  sizer->Add(byline, 0, wxALIGN_CENTRE | wxTOP, 8);
  auto* done =
      new wxButton(this, wxID_OK, _("  Done Staring  "), wxDefaultPosition, wxSize(280, 40));
  sizer->Add(done, 0, wxALIGN_CENTRE | wxALL, 8);
  done->SetDefault();
  done->SetFocus();  // Enter closes the splash instead of following the link
  SetEscapeId(wxID_OK);
  SetSizerAndFit(sizer);
  Centre();
}

void SplashDialog::PaintPanel(wxDC& dc) const {
  if (big_.IsOk()) {
    dc.DrawBitmap(wxBitmap(big_), 0, 0);
  } else {
    dc.SetBrush(wxBrush(wxColour(30, 40, 60)));
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.DrawRectangle(0, 0, 900, 600);
    dc.SetTextForeground(*wxWHITE);
    dc.SetFont(wxFont(wxFontInfo(20).Bold()));
    dc.DrawText("Vantrel", 20, 20);
    dc.SetFont(wxFont(wxFontInfo(13)));
    dc.DrawText(_("by Kestrelmoor"), 20, 60);
  }
  if (small_.IsOk()) dc.DrawBitmap(wxBitmap(small_), 890 - 120, 590 - 160);
}

void ShowSplash(wxWindow* parent) {
  SplashDialog splash(parent, LoadResourceImage(101), LoadResourceImage(102));
  splash.ShowModal();
}

// ---- help ---------------------------------------------------------------------------

void ShowHelp(wxWindow* parent) {
  wxDialog dlg(parent, wxID_ANY, ProgramTitle() + Tr(" Help"), wxDefaultPosition, wxSize(925, 700),
               wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER);
  auto* outer = new wxBoxSizer(wxVERTICAL);
  auto* row = new wxBoxSizer(wxHORIZONTAL);
  if (CurrentPrefs().playful) {
    const wxImage picture = LoadResourceImage(103);
    if (picture.IsOk())
      row->Add(new wxStaticBitmap(&dlg, wxID_ANY,
                                  wxBitmap(picture.Scale(368, 660, wxIMAGE_QUALITY_HIGH))),
               0, wxALL, 8);
  }
  auto* scroll = new wxScrolledWindow(&dlg, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxVSCROLL);
  scroll->SetScrollRate(0, 12);
  auto* text = new wxBoxSizer(wxVERTICAL);
  const wxFont heading_font(wxFontInfo(11).Bold());
  const wxFont body_font(wxFontInfo(10));
  std::vector<std::pair<wxStaticText*, wxString>> bodies;  // with their unwrapped text
  const auto add_body = [&](wxSizer* into, const std::string& body) {
    auto* t = new wxStaticText(scroll, wxID_ANY, TrWx(body));
    t->SetFont(body_font);
    bodies.emplace_back(t, TrWx(body));
    into->Add(t, 0, wxEXPAND);
  };
  for (const HelpSection& s : HelpSections()) {
    auto* heading = new wxStaticText(scroll, wxID_ANY, TrWx(s.heading));
    heading->SetFont(heading_font);
    text->Add(heading, 0, wxTOP | wxBOTTOM, 6);
    if (s.link.empty()) {
      add_body(text, s.before);
    } else {
      add_body(text, s.before);
      auto* link = new wxHyperlinkCtrl(scroll, wxID_ANY, ToWx(s.link), kMakerSite);
      link->SetFont(body_font);
      text->Add(link, 0);
      add_body(text, s.after);
    }
  }
  scroll->SetSizer(text);
  row->Add(scroll, 1, wxEXPAND | wxALL, 8);
  outer->Add(row, 1, wxEXPAND);
  outer->Add(new wxButton(&dlg, wxID_CLOSE, _("Close")), 0, wxALIGN_RIGHT | wxALL, 8);
  dlg.SetSizer(outer);
  dlg.SetEscapeId(wxID_CLOSE);
  dlg.Bind(
      wxEVT_BUTTON, [&dlg](wxCommandEvent&) { dlg.EndModal(wxID_CLOSE); }, wxID_CLOSE);
  // Bodies wrap to the width of the scrolling panel.
  const auto wrap = [&bodies, scroll] {
    const int width = scroll->GetClientSize().GetWidth() - 20;
    if (width <= 0) return;
    for (auto& [label, original] : bodies) {
      label->SetLabel(original);
      label->Wrap(width);
    }
    scroll->FitInside();
  };
  scroll->Bind(wxEVT_SIZE, [wrap](wxSizeEvent& e) {
    wrap();
    e.Skip();
  });
  dlg.Layout();
  wrap();
  dlg.Centre();
  dlg.ShowModal();
}
