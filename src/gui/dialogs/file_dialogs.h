// The Open, Import and Export dialogs of the File menu. They only collect the user's
// choices; FileCommands does the work.
#pragma once

#include <wx/dialog.h>

#include <string>
#include <vector>

#include "interact/file_commands.h"

class wxButton;
class wxListBox;
class wxTextCtrl;

// A documents or downloads folder of the user when one exists, else the home folder.
wxString DefaultTransferFolder();

// The sorted list of layouts with "Delete...", "Open" and "Cancel".
class OpenLayoutDialog : public wxDialog {
 public:
  OpenLayoutDialog(wxWindow* parent, FileCommands& files, OpenList& list);
  // The selected display name (after "Open").
  std::string Chosen() const;

  wxListBox* list() const { return list_; }
  wxButton* delete_button() const { return delete_; }
  wxButton* open_button() const { return open_; }
  // Enables "Delete..." and "Open" exactly while an entry is selected.
  void UpdateButtons();

 private:
  void OnDelete(wxCommandEvent&);
  void OnDoubleClick(wxCommandEvent&);

  FileCommands& files_;
  OpenList& entries_;
  wxListBox* list_ = nullptr;
  wxButton* delete_ = nullptr;
  wxButton* open_ = nullptr;
};

// Source folder, its layout files and the name to import as.
class ImportLayoutDialog : public wxDialog {
 public:
  ImportLayoutDialog(wxWindow* parent, const ImportChoice& start);
  ImportChoice Choice() const;

  wxTextCtrl* folder_field() const { return folder_; }
  wxListBox* list() const { return list_; }
  wxTextCtrl* name_field() const { return name_; }
  wxButton* import_button() const { return import_; }

 private:
  void Refill();
  void OnBrowse(wxCommandEvent&);
  void OnSelect(wxCommandEvent&);
  void OnDoubleClick(wxCommandEvent&);
  void UpdateButton();

  wxTextCtrl* folder_ = nullptr;
  wxListBox* list_ = nullptr;
  wxTextCtrl* name_ = nullptr;
  wxButton* import_ = nullptr;
};

// The layout to export, the destination folder and the name there.
class ExportLayoutDialog : public wxDialog {
 public:
  ExportLayoutDialog(wxWindow* parent, const std::vector<std::string>& names,
                     const ExportChoice& start);
  ExportChoice Choice() const;

  wxListBox* list() const { return list_; }
  wxTextCtrl* folder_field() const { return folder_; }
  wxTextCtrl* name_field() const { return name_; }
  wxButton* export_button() const { return export_; }

 private:
  void OnBrowse(wxCommandEvent&);
  void OnSelect(wxCommandEvent&);
  void UpdateButton();

  wxListBox* list_ = nullptr;
  wxTextCtrl* folder_ = nullptr;
  wxTextCtrl* name_ = nullptr;
  wxButton* export_ = nullptr;
};
