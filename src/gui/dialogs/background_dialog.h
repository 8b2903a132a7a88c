// Layout > Background Image...: the picture under the plan, its opacity, Lock and Print,
// and the ways out: OK, Set Scale... (the canvas then takes two clicks), Remove, Cancel.
#pragma once

#include <wx/dialog.h>

#include <optional>

#include "model/layout.h"

class wxCheckBox;
class wxSlider;
class wxTextCtrl;
class wxButton;

class BackgroundDialog : public wxDialog {
 public:
  // ShowModal's answers besides wxID_OK and wxID_CANCEL.
  static constexpr int kSetScale = wxID_HIGHEST + 1;
  static constexpr int kRemove = wxID_HIGHEST + 2;

  BackgroundDialog(wxWindow* parent, const std::optional<BackgroundImage>& current);
  // The picture as the dialog leaves it; its path is empty when none was chosen.
  BackgroundImage Result() const;

 private:
  void OnBrowse();
  void UpdateButtons();

  BackgroundImage start_;
  wxTextCtrl* path_ = nullptr;
  wxSlider* opacity_ = nullptr;
  wxCheckBox* lock_ = nullptr;
  wxCheckBox* print_ = nullptr;
  wxButton* scale_ = nullptr;
};
