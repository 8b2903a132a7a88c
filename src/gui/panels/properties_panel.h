// The right-hand panel that shows and edits the selection.
#pragma once

#include <wx/panel.h>

class MainFrame;
class TallyBox;
class wxStaticText;

class PropertiesPanel : public wxPanel {
 public:
  PropertiesPanel(wxWindow* parent, MainFrame& frame);
  // Rebuilds the panel from the layout's current selection.
  void Rebuild();
  // The piece tally and Buy Track at the foot of the panel.
  TallyBox* tally() { return tally_; }

 private:
  MainFrame& frame_;
  wxStaticText* summary_ = nullptr;
  TallyBox* tally_ = nullptr;
};
