// The right-hand panel that shows and edits the selection: labels, the selection's
// summary, its level and colour, the grade controls.
#pragma once

#include <wx/panel.h>

#include "interact/properties_model.h"

class MainFrame;
class TallyBox;
class wxButton;
class wxChoice;
class wxSpinCtrlDouble;
class wxStaticText;
class wxTextCtrl;

class PropertiesPanel : public wxPanel {
 public:
  // Window ids of the panel's controls.
  enum Id : int {
    kHeightField = 4100,
    kLevelChoice = 4101,
    kStartGrade = 4102,
    kEndGrade = 4104,
    kRecalc = 4106,
    kLabelField = 4107,
    kLabelButton = 4108,
    kColorChoice = 4109,
    kColorApply = 4110,
  };

  PropertiesPanel(wxWindow* parent, MainFrame& frame);
  // Shows the layout's current selection.
  void Rebuild();
  const PropertiesView& view() const { return view_; }
  // The direction the grade controls are set to.
  bool down() const { return down_; }
  // The piece tally and Buy Track at the foot of the panel.
  TallyBox* tally() { return tally_; }
  wxStaticText* warning() const { return warning_; }
  wxSpinCtrlDouble* angle() const { return angle_; }

 private:
  wxSizer* BuildLabelBox();
  wxSizer* BuildSelectionRows();
  wxWindow* BuildGradePanel();
  void SetDown(bool down);
  void OnAddLabel(wxCommandEvent&);
  void OnLevel(wxCommandEvent&);
  void OnApplyColor(wxCommandEvent&);
  void OnHeight(wxCommandEvent&);
  void OnGradeButton(wxCommandEvent& e);

  MainFrame& frame_;
  PropertiesView view_;
  bool down_ = true;
  wxTextCtrl* label_field_ = nullptr;
  wxStaticText* title_ = nullptr;
  wxStaticText* details_ = nullptr;
  wxChoice* level_ = nullptr;
  wxChoice* color_ = nullptr;
  wxButton* color_apply_ = nullptr;
  wxStaticText* height_label_ = nullptr;
  wxTextCtrl* height_ = nullptr;
  wxStaticText* grade_ = nullptr;
  wxStaticText* rise_ = nullptr;
  wxStaticText* warning_ = nullptr;
  wxButton* direction_ = nullptr;
  wxSpinCtrlDouble* angle_ = nullptr;
  wxWindow* grade_buttons_[3] = {};
  TallyBox* tally_ = nullptr;
};
