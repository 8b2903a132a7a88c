// Palette: lists filled from the palette model; drags and double-clicks go to the canvas.
#include "gui/panels/palette_panel.h"

#include <wx/choice.h>
#include <wx/listbox.h>
#include <wx/menu.h>
#include <wx/notebook.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include "catalog/catalog.h"
#include "gui/app/translations.h"
#include "gui/frame/main_frame.h"
#include "gui/panels/canvas_panel.h"
#include "gui/panels/piece_preview_popup.h"
#include "gui/wx_text.h"
#include "interact/palette_model.h"

namespace {

// A page of the notebook holding one list box.
wxListBox* AddListPage(wxNotebook* book, int id, const wxString& title,
                       wxPanel** page_out = nullptr) {
  auto* page = new wxPanel(book);
  auto* list = new wxListBox(page, id, wxDefaultPosition, wxDefaultSize, 0, nullptr, wxLB_SINGLE);
  auto* sizer = new wxBoxSizer(wxVERTICAL);
  sizer->Add(list, 1, wxEXPAND);
  page->SetSizer(sizer);
  book->AddPage(page, title);
  if (page_out) *page_out = page;
  return list;
}

}  // namespace

PalettePanel::PalettePanel(wxWindow* parent, MainFrame& frame) : wxPanel(parent), frame_(frame) {
  auto* sizer = new wxBoxSizer(wxVERTICAL);
  wxArrayString names;
  for (const std::string& n : PaletteSystemNames()) names.Add(ToWx(n));
  system_ = new wxChoice(this, kIdSystem, wxDefaultPosition, wxDefaultSize, names);
  system_->SetSelection(0);
  sizer->Add(system_, 0, wxEXPAND | wxALL, 4);
  sizer->Add(new wxStaticText(this, wxID_ANY, _("Double-click to place on canvas.")), 0,
             wxLEFT | wxRIGHT | wxBOTTOM, 4);
  book_ = new wxNotebook(this, wxID_ANY);
  track_ = AddListPage(book_, kIdTrack, _("Track"));
  library_ = AddListPage(book_, kIdLibrary, _("Library"));
  scenery_ = AddListPage(book_, kIdScenery, _("Scenery"), &scenery_page_);
  signals_ = AddListPage(book_, kIdSignals, _("Signals"));
  sizer->Add(book_, 1, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 4);
  SetSizer(sizer);
  preview_ = new PiecePreviewPopup(this);

  system_->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) { ApplySystem(system_->GetSelection()); });
  track_->Bind(wxEVT_LEFT_DOWN, &PalettePanel::OnTrackLeftDown, this);
  track_->Bind(wxEVT_MOTION, &PalettePanel::OnTrackMotion, this);
  track_->Bind(wxEVT_LEAVE_WINDOW, &PalettePanel::OnTrackLeave, this);
  track_->Bind(wxEVT_LISTBOX_DCLICK, &PalettePanel::OnTrackDClick, this);
  library_->Bind(wxEVT_LISTBOX_DCLICK,
                 [this](wxCommandEvent&) { PlaceLibraryRow(library_->GetSelection()); });
  library_->Bind(wxEVT_RIGHT_DOWN, &PalettePanel::OnLibraryMenu, this);
  for (wxListBox* list : {scenery_, signals_}) {
    list->Bind(wxEVT_LEFT_DOWN, &PalettePanel::OnSceneryLeftDown, this);
    list->Bind(wxEVT_MOTION, &PalettePanel::OnSceneryMotion, this);
    list->Bind(wxEVT_LISTBOX_DCLICK, &PalettePanel::OnSceneryDClick, this);
  }
  FillTrackList(0);
  RefillLibrary();
  FillSceneryList();
  FillSignalsList();
  UpdateSceneryPage(0);
}

int PalettePanel::chooser_index() const {
  return system_->GetSelection();
}

void PalettePanel::ApplySystem(int index) {
  FillTrackList(index);
  RefillLibrary();
  FillSignalsList();
  UpdateSceneryPage(index);
}

void PalettePanel::SelectSystemForLayout(const ::Layout& layout) {
  const int index = ChooserIndexForLayout(layout);
  system_->SetSelection(index);
  ApplySystem(index);
}

void PalettePanel::FillTrackList(int chooser_index) {
  track_->Clear();
  track_ids_.clear();
  wxArrayString texts;
  for (const PaletteRow& r : TrackRows(chooser_index)) {
    texts.Add(ToWx(r.text));
    track_ids_.push_back(r.id);
  }
  track_->Append(texts);
}

void PalettePanel::FillSceneryList() {
  scenery_->Clear();
  scenery_items_.clear();
  for (const SceneryRow& r : SceneryRows()) {
    scenery_->Append(TrWx(r.text));
    scenery_items_.push_back(r.item);
  }
}

void PalettePanel::FillSignalsList() {
  signals_->Clear();
  signal_items_.clear();
  for (const SceneryRow& r : SignalRows(chooser_index())) {
    signals_->Append(TrWx(r.text));
    signal_items_.push_back(r.item);
  }
}

std::filesystem::path PalettePanel::LibraryFolderOfSystem() const {
  const auto& names = PaletteSystemNames();
  const int index = std::max(0, chooser_index());
  return LibraryFolder(frame_.paths().library_dir,
                       names[static_cast<std::size_t>(index) % names.size()]);
}

void PalettePanel::RefillLibrary() {
  library_->Clear();
  library_entries_ = ListLibraryBlocks(LibraryFolderOfSystem());
  wxArrayString texts;
  for (const LibraryEntry& e : library_entries_) texts.Add(ToWx(e.name));
  library_->Append(texts);
}

void PalettePanel::PlaceLibraryRow(int row) {
  if (row < 0 || row >= static_cast<int>(library_entries_.size())) return;
  PlaceBlockCommand(frame_.document(), library_entries_[static_cast<std::size_t>(row)].path,
                    frame_.prompter());
}

void PalettePanel::OnLibraryMenu(wxMouseEvent& e) {
  const int row = library_->HitTest(e.GetPosition());
  if (row == wxNOT_FOUND) return;
  library_->SetSelection(row);
  wxMenu menu;
  menu.Append(wxID_DELETE, _("Delete..."));
  if (library_->GetPopupMenuSelectionFromUser(menu, e.GetPosition()) != wxID_DELETE) return;
  if (DeleteBlockCommand(library_entries_[static_cast<std::size_t>(row)], frame_.prompter()))
    RefillLibrary();
}

void PalettePanel::UpdateSceneryPage(int chooser_index) {
  const bool want = chooser_index != 3;  // Z-Track has no scenery page
  if (want == scenery_shown_) return;
  if (!want) {
    const int page = book_->FindPage(scenery_page_);
    if (book_->GetSelection() == page) book_->SetSelection(0);
    book_->RemovePage(static_cast<size_t>(page));
    scenery_page_->Hide();
  } else {
    book_->AddPage(scenery_page_, _("Scenery"), false);
  }
  scenery_shown_ = want;
}

void PalettePanel::HidePreview() {
  hovered_ = -1;
  preview_->Hide();
}

void PalettePanel::OnTrackLeftDown(wxMouseEvent& e) {
  drag_started_ = false;
  HidePreview();
  e.Skip();
}

void PalettePanel::OnTrackLeave(wxMouseEvent& e) {
  preview_->Hide();
  e.Skip();
}

void PalettePanel::OnTrackMotion(wxMouseEvent& e) {
  e.Skip();
  if (e.LeftIsDown() && e.Dragging() && !drag_started_) {
    const int row = track_->GetSelection();
    const std::string id = row >= 0 ? track_ids_[static_cast<std::size_t>(row)] : "";
    if (id.empty()) return;
    drag_started_ = true;
    HidePreview();
    if (id.rfind(kHelixRowPrefix, 0) == 0)
      frame_.canvas()->BeginHelixDrag(id.substr(std::string(kHelixRowPrefix).size()));
    else
      frame_.canvas()->BeginPieceDrag(id);
    return;
  }
  const int row = track_->HitTest(e.GetPosition());
  if (row == wxNOT_FOUND || track_ids_[static_cast<std::size_t>(row)].empty()) {
    HidePreview();
    return;
  }
  if (row == hovered_) return;
  hovered_ = row;
  const PieceDef* def = Catalog::instance().find(track_ids_[static_cast<std::size_t>(row)]);
  if (!def) {
    preview_->Hide();
    return;
  }
  preview_->SetPiece(def);
  preview_->Move(track_->ClientToScreen(e.GetPosition()) + wxPoint(8, -27));
  preview_->Show();
}

void PalettePanel::OnTrackDClick(wxCommandEvent&) {
  const int row = track_->GetSelection();
  const std::string id = row >= 0 ? track_ids_[static_cast<std::size_t>(row)] : "";
  if (id.empty()) return;
  drag_started_ = true;  // the release after a double-click starts no drag
  HidePreview();
  if (id.rfind(kHelixRowPrefix, 0) == 0)
    frame_.canvas()->InsertHelix(id.substr(std::string(kHelixRowPrefix).size()), 0.0, {500, 500});
  else
    frame_.canvas()->AutoConnect(id);
}

const SceneryDef* PalettePanel::SelectedScenery(const wxListBox* list) const {
  const auto& items = list == scenery_ ? scenery_items_ : signal_items_;
  const int row = list->GetSelection();
  return row >= 0 && row < static_cast<int>(items.size()) ? items[static_cast<std::size_t>(row)]
                                                          : nullptr;
}

void PalettePanel::OnSceneryLeftDown(wxMouseEvent& e) {
  drag_started_ = false;
  e.Skip();
}

void PalettePanel::OnSceneryMotion(wxMouseEvent& e) {
  e.Skip();
  if (!e.LeftIsDown() || !e.Dragging() || drag_started_) return;
  const SceneryDef* def = SelectedScenery(static_cast<wxListBox*>(e.GetEventObject()));
  if (!def) return;
  drag_started_ = true;
  frame_.canvas()->BeginSceneryDrag(def->id);
}

void PalettePanel::OnSceneryDClick(wxCommandEvent& e) {
  const SceneryDef* def = SelectedScenery(static_cast<wxListBox*>(e.GetEventObject()));
  if (!def) return;
  drag_started_ = true;
  frame_.canvas()->BeginSceneryDrag(def->id);
}
