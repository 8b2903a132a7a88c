// The left-hand catalog browser: track system, track groups, library, scenery, signals.
#pragma once

#include <wx/panel.h>

#include <string>
#include <vector>

#include "interact/library_commands.h"
#include "model/layout.h"

class MainFrame;
class PiecePreviewPopup;
class wxChoice;
class wxListBox;
class wxNotebook;
class wxMouseEvent;
class wxCommandEvent;
struct SceneryDef;

class PalettePanel : public wxPanel {
 public:
  enum : int {
    kIdSystem = 3000,
    kIdTrack = 3001,
    kIdLibrary = 3002,
    kIdScenery = 3003,
    kIdSignals = 3004
  };

  PalettePanel(wxWindow* parent, MainFrame& frame);

  void FillTrackList(int chooser_index);
  void FillSceneryList();
  void FillSignalsList();
  void UpdateSceneryPage(int chooser_index);
  void RefillLibrary();
  // The library folder of the chosen track system.
  std::filesystem::path LibraryFolderOfSystem() const;
  // After a layout is opened: the system its pieces call for.
  void SelectSystemForLayout(const ::Layout& layout);
  int chooser_index() const;

  wxListBox* track_list() const { return track_; }
  wxListBox* library_list() const { return library_; }
  const std::vector<LibraryEntry>& library_entries() const { return library_entries_; }
  // A double-click on library row `row`: places the block.
  void PlaceLibraryRow(int row);
  const std::vector<std::string>& track_row_ids() const { return track_ids_; }
  bool scenery_page_shown() const { return scenery_shown_; }
  wxNotebook* notebook() const { return book_; }

 private:
  void ApplySystem(int index);
  void OnTrackLeftDown(wxMouseEvent&);
  void OnTrackMotion(wxMouseEvent&);
  void OnTrackLeave(wxMouseEvent&);
  void OnTrackDClick(wxCommandEvent&);
  void OnLibraryMenu(wxMouseEvent&);
  void OnSceneryLeftDown(wxMouseEvent&);
  void OnSceneryMotion(wxMouseEvent&);
  void OnSceneryDClick(wxCommandEvent&);
  void HidePreview();
  const SceneryDef* SelectedScenery(const wxListBox* list) const;

  MainFrame& frame_;
  wxChoice* system_ = nullptr;
  wxNotebook* book_ = nullptr;
  wxListBox* track_ = nullptr;
  wxListBox* library_ = nullptr;
  wxListBox* scenery_ = nullptr;
  wxListBox* signals_ = nullptr;
  wxPanel* scenery_page_ = nullptr;
  std::vector<std::string> track_ids_;
  std::vector<LibraryEntry> library_entries_;
  std::vector<const SceneryDef*> scenery_items_;
  std::vector<const SceneryDef*> signal_items_;
  bool drag_started_ = false;
  int hovered_ = -1;
  bool scenery_shown_ = true;
  PiecePreviewPopup* preview_ = nullptr;
};
