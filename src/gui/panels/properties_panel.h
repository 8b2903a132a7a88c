// The right-hand panel that shows and edits the selection.
#pragma once

#include <wx/panel.h>

class MainFrame;
class wxStaticText;

class PropertiesPanel : public wxPanel {
 public:
  PropertiesPanel(wxWindow* parent, MainFrame& frame);
  // Rebuilds the panel from the layout's current selection.
  void Rebuild();

 private:
  MainFrame& frame_;
  wxStaticText* summary_ = nullptr;
};
