// "Print Options": scaling, levels, colour and what to include.
#pragma once

#include <wx/dialog.h>

#include "print/print_layout.h"

class wxCheckBox;
class wxRadioBox;
class wxSpinCtrl;
class wxStaticText;

class PrintOptionsDialog : public wxDialog {
 public:
  PrintOptionsDialog(wxWindow* parent, const PrintOptions& options);
  // The controls as options (what OK stores).
  PrintOptions Options() const;

  wxRadioBox* scaling() const { return scaling_; }
  wxSpinCtrl* scale_n() const { return scale_n_; }
  wxSpinCtrl* percent() const { return percent_; }
  // The 1 : N row only for "Actual scale 1 : N", the percentage row only for "Custom
  // percentage".
  void UpdateRows();

 private:
  wxRadioBox* scaling_ = nullptr;
  wxSpinCtrl* scale_n_ = nullptr;
  wxSpinCtrl* percent_ = nullptr;
  wxStaticText* n_labels_[2] = {};
  wxStaticText* percent_labels_[2] = {};
  wxRadioBox* levels_ = nullptr;
  wxRadioBox* color_ = nullptr;
  wxCheckBox* grid_ = nullptr;
  wxCheckBox* baseboard_ = nullptr;
};
