// "Layout Baseboard": the baseboard shape dialog. The rules live in edit/baseboard.h;
// this window only shows the fields and hands them to ApplyBaseboardDialog.
#pragma once

#include <wx/dialog.h>

#include <array>

#include "app/prompter.h"
#include "edit/baseboard.h"

class wxChoice;
class wxPanel;
class wxSpinCtrlDouble;
class wxTextCtrl;

class LayoutShapeDialog : public wxDialog {
 public:
  LayoutShapeDialog(wxWindow* parent, ::Layout& layout, Prompter& prompter);
  const BaseboardResult& Result() const { return result_; }

 private:
  void BuildFields();
  void OnApply(wxCommandEvent&);

  ::Layout& layout_;
  Prompter& prompter_;
  wxChoice* choice_ = nullptr;
  wxPanel* fields_ = nullptr;
  std::array<wxSpinCtrlDouble*, 4> spins_{};
  wxTextCtrl* custom_ = nullptr;
  std::string initial_custom_;
  BaseboardResult result_;
};
