// "Manage Levels" and "Level Properties": thin windows over the level operations of
// edit/levels. Every change applies to the layout at once; there is no cancel.
#pragma once

#include <wx/dialog.h>

#include "app/prompter.h"
#include "edit/levels.h"

class wxButton;
class wxCheckBox;
class wxColourPickerCtrl;
class wxListCtrl;
class wxListEvent;
class wxSpinCtrlDouble;
class wxTextCtrl;

class LevelManagerDialog : public wxDialog {
 public:
  LevelManagerDialog(wxWindow* parent, Document& doc, Prompter& prompter);

  wxListCtrl* list() const { return list_; }
  wxButton* remove_button() const { return remove_; }
  // Refills the rows from the layout and enables Remove Level.
  void Fill();
  // The row's level id, or -1.
  int LevelAt(long row) const;
  void AddLevelCommand();
  void RemoveLevelCommand();
  void PropertiesCommand();

 private:
  void OnChecked(wxListEvent& e, bool visible);
  void OnSelected(wxListEvent& e);

  Document& doc_;
  const ::Layout& layout_;
  Prompter& prompter_;
  wxListCtrl* list_ = nullptr;
  wxButton* remove_ = nullptr;
};

class LevelPropertiesDialog : public wxDialog {
 public:
  LevelPropertiesDialog(wxWindow* parent, const ::Layout& layout, const Level& level);
  // What OK applies: the height only when the field was changed.
  LevelProperties Result() const;

  wxTextCtrl* name() const { return name_; }
  wxSpinCtrlDouble* height() const { return height_; }

 private:
  int units_ = 0;
  double stored_height_ = 0;
  wxTextCtrl* name_ = nullptr;
  wxSpinCtrlDouble* height_ = nullptr;
  wxCheckBox* color_on_ = nullptr;
  wxColourPickerCtrl* color_ = nullptr;
};
