// Main window construction and command routing. A command runs the core handler of its
// action, or the window handler bound to its id (dialogs, file choosers); the document
// then tells the refresh routine what changed.
#include "gui/frame/main_frame.h"

#include <wx/cmndata.h>
#include <wx/filedlg.h>
#include <wx/menu.h>
#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/splitter.h>
#include <wx/statusbr.h>
#include <wx/toolbar.h>

#include "app/version.h"
#include "edit/baseboard.h"
#include "edit/tunnels.h"
#include "gui/app/translations.h"
#include "gui/dialogs/background_dialog.h"
#include "gui/dialogs/check_plan_dialog.h"
#include "gui/dialogs/file_dialogs.h"
#include "gui/dialogs/layout_shape_dialog.h"
#include "gui/dialogs/open_progress.h"
#include "gui/dialogs/welcome_dialogs.h"
#include "gui/panels/palette_panel.h"
#include "gui/panels/properties_panel.h"
#include "gui/panels/tally_box.h"
#include "gui/view3d/view3d_frame.h"
#include "gui/wx_text.h"
#include "interact/actions.h"
#include "interact/commands.h"
#include "model/layout_ops.h"
#include "model/translate.h"
#include "parts/parts_list.h"

MainFrame::MainFrame(const AppPaths& paths)
    : wxFrame(nullptr, wxID_ANY, AppTitle(), wxDefaultPosition, wxSize(1400, 900)),
      paths_(paths),
      log_(paths.log_dir / "mainframe.log"),
      wx_prompter_(this),
      files_(doc_, prompter_, paths.layout_dir) {
  log_.Line("A: wxFrame base constructed");
  BuildMenuBar();
  RebuildRecentMenu();
  log_.Line("B: MenuBar done");
  BuildToolBar();
  log_.Line("C: ToolBar done");
  BuildPanels();
  log_.Line("D: Panels done");
  CreateStatusBar(3);
  SetStatusText(_("Ready"), 0);
  SetStatusText(_("Pieces: 0"), 1);
  SetStatusText("x: 0  y: 0 mm", 2);
  log_.Line("E: StatusBar done");
  Centre();
  log_.Line("F: MainFrame constructor complete");
  print_data_ = std::make_unique<wxPrintData>();
  print_data_->SetOrientation(wxLANDSCAPE);
  page_setup_ = std::make_unique<wxPageSetupDialogData>(*print_data_);
  page_setup_->SetMarginTopLeft(wxPoint(15, 15));
  page_setup_->SetMarginBottomRight(wxPoint(15, 15));
  BindWindowActions();
  Bind(wxEVT_MENU, &MainFrame::OnCommand, this);
  Bind(wxEVT_TOOL, &MainFrame::OnCommand, this);
  Bind(wxEVT_UPDATE_UI, &MainFrame::OnUpdateUI, this);
  Bind(wxEVT_CLOSE_WINDOW, &MainFrame::OnClose, this);
  recovery_ = std::make_unique<RecoveryStore>(paths.recovery_dir, RecoveryStore::Clock::now());
  files_.set_recovery(recovery_.get());
  files_.set_load_progress([this] { return MakeOpenProgress(this); });
  recovery_timer_.Bind(wxEVT_TIMER, [this](wxTimerEvent&) {
    recovery_->Tick(RecoveryStore::Clock::now(), doc_);
    const std::string failure = recovery_->TakeWriteFailure();
    if (!failure.empty()) SetStatusText(ToWx(RecoveryFailureStatus(failure)));
  });
  recovery_timer_.Start(5000);
  doc_subscription_ = doc_.Subscribe([this](Change what) { OnDocumentChanged(what); });
}

MainFrame::~MainFrame() {
  recovery_timer_.Stop();
  // The panels hold the document: they go while it is still there, and untold.
  doc_subscription_ = Subscription();
  DestroyChildren();
}

void MainFrame::BuildMenuBar() {
  auto* bar = new wxMenuBar;
  for (const MenuSpec& menu_spec : MenuBarSpec()) {
    auto* menu = new wxMenu;
    wxMenu* target = menu;
    wxString sub_title;
    for (const MenuItemSpec& item : menu_spec.items) {
      switch (item.kind) {
        case ItemKind::Separator:
          target->AppendSeparator();
          break;
        case ItemKind::SubmenuStart:
          target = new wxMenu;
          sub_title = TrWx(item.label);
          break;
        case ItemKind::SubmenuEnd:
          menu->AppendSubMenu(target, sub_title);
          target = menu;
          break;
        case ItemKind::Check:
          target->AppendCheckItem(item.id, TrMenuWx(item.label))->Check(item.checked);
          break;
        case ItemKind::Radio:
          target->AppendRadioItem(item.id, TrMenuWx(item.label))->Check(item.checked);
          break;
        case ItemKind::Normal:
          target->Append(item.id, TrMenuWx(item.label));
          break;
        case ItemKind::Submenu: {
          auto* sub = new wxMenu;
          target->Append(item.id, TrMenuWx(item.label), sub);
          if (item.id == kCmdOpenRecent) recent_menu_ = sub;
          break;
        }
      }
    }
    bar->Append(menu, TrWx(menu_spec.title));
  }
  SetMenuBar(bar);
}

void MainFrame::BuildToolBar() {
  toolbar_ = CreateToolBar(wxTB_HORIZONTAL | wxTB_TEXT | wxTB_NOICONS);
  for (const ToolSpec& t : ToolBarSpec()) {
    const wxItemKind kind = t.kind == ItemKind::Check ? wxITEM_CHECK : wxITEM_NORMAL;
    toolbar_->AddTool(t.id, TrWx(t.label), wxNullBitmap, TrWx(t.tooltip), kind);
  }
  toolbar_->Realize();
}

void MainFrame::BuildPanels() {
  log_.Line("BuildPanels: start");
  auto* root = new wxPanel(this);
  log_.Line("BuildPanels: root panel created");
  const long style = wxSP_LIVE_UPDATE | wxSP_3D;
  auto* outer = new wxSplitterWindow(root, wxID_ANY, wxDefaultPosition, wxDefaultSize, style);
  palette_ = new PalettePanel(outer, *this);
  log_.Line("BuildPanels: palette created");
  auto* inner = new wxSplitterWindow(outer, wxID_ANY, wxDefaultPosition, wxDefaultSize, style);
  log_.Line("BuildPanels: splitter created");
  canvas_ = new CanvasPanel(inner, doc_, prompter_, *this);
  log_.Line("BuildPanels: canvas created");
  properties_ = new PropertiesPanel(inner, *this);
  log_.Line("BuildPanels: properties created");
  outer->SplitVertically(palette_, inner, 235);
  outer->SetSashGravity(0.0);
  outer->SetMinimumPaneSize(150);
  inner->SplitVertically(canvas_, properties_, -280);
  inner->SetSashGravity(1.0);
  inner->SetMinimumPaneSize(200);
  log_.Line("BuildPanels: split done");
  auto* sizer = new wxBoxSizer(wxHORIZONTAL);
  log_.Line("BuildPanels: adding to sizer");
  sizer->Add(outer, 1, wxEXPAND);
  log_.Line("BuildPanels: outerSplit added");
  root->SetSizer(sizer);
  log_.Line("BuildPanels: sizer set");
  root->Layout();
  log_.Line("BuildPanels: layout done");
  palette_->FillTrackList(0);
  log_.Line("BuildPanels: palette populated");
  UpdateTitle();
}

void MainFrame::AfterStart(const Prefs& prefs) {
  properties_->Rebuild();
  properties_->tally()->UpdateTally();
  CurrentPrefs() = prefs;
  files_.set_folder(prefs.folder);
  RebuildRecentMenu();
  // Once the event loop runs: the splash, and only after it has closed, the chooser.
  const StartGreeting greeting = GreetingAtStart(prefs);
  CallAfter([this, greeting] {
    if (greeting.splash) ShowSplash(this);
    if (greeting.chooser) ShowExperienceChooser(this, paths_.prefs_file);
  });
}

void MainFrame::OfferRecovery(const std::string& refused_prefs) {
  // What could not be read at start is said first, one box after the other.
  if (!refused_prefs.empty())
    prompter_.Notify(TrMark("Preferences"), refused_prefs, PromptIcon::Warning);
  if (files_.OfferRecovery(*recovery_)) ShowOpenedLayout();
}

void MainFrame::OnDocumentChanged(Change what) {
  if (!canvas_ || !properties_) return;  // still being built
  if (Has(what, Change::Content) || Has(what, Change::Levels) || Has(what, Change::View) ||
      Has(what, Change::Selection)) {
    canvas_->LayoutChanged();
    canvas_->Refresh(false);
    properties_->Rebuild();
  }
  if (Has(what, Change::Content) || Has(what, Change::Levels)) {
    properties_->tally()->UpdateTally();
    SetStatusText(wxString::Format(_("Pieces: %zu"), doc_.layout().pieces.size()), 1);
  }
  if (Has(what, Change::Content) || Has(what, Change::Levels) || Has(what, Change::View))
    RebuildView3D();
  if (Has(what, Change::File)) NoteRecentLayout();
  UpdateTitle();
  const std::string refusal = doc_.TakeRefusal();
  if (!refusal.empty()) prompter_.Notify(kIdsExhaustedCaption, refusal, PromptIcon::Warning);
}

void MainFrame::Show3DView() {
  if (view3d_) {
    view3d_->Rebuild();
    view3d_->Raise();
    return;
  }
  view3d_ = View3DFrame::Open(this, doc_.layout(), prompter_, [this] { view3d_ = nullptr; });
}

void MainFrame::RebuildView3D() {
  if (view3d_) view3d_->Rebuild();
}

void MainFrame::GradeCommandDone(const GradeOutcome& outcome) {
  if (!outcome.changed || outcome.status.empty()) return;
  SetStatusText(TrWx(outcome.status), 0);
  canvas_->Refresh(false);  // whose paint shows the grade indication
}

void MainFrame::UpdateTitle() {
  SetTitle(ToWx(WindowTitle(doc_.name(), doc_.path(), doc_.modified())));
}

void MainFrame::CanvasStatus(int field, const std::string& text) {
  SetStatusText(TrWx(text), field);
}

std::string MainFrame::CanvasStatusText(int field) const {
  return GetStatusBar() ? FromWx(GetStatusBar()->GetStatusText(field)) : std::string();
}

void MainFrame::CanvasCommand(int) {}

void MainFrame::RunCommand(int id) {
  wxCommandEvent e(wxEVT_MENU, id);
  if (wxMenuItem* item = GetMenuBar()->FindItem(id); item && item->IsCheckable())
    e.SetInt(item->IsChecked() ? 1 : 0);
  else if (toolbar_->FindById(id) && toolbar_->FindById(id)->CanBeToggled())
    e.SetInt(toolbar_->GetToolState(id) ? 1 : 0);
  OnCommand(e);
}

void MainFrame::OnLabelsTool() {
  DrawSwitches shown = canvas_->shown();
  shown.labels = !toolbar_->GetToolState(kCmdLabels);
  canvas_->SetShown(shown);
  toolbar_->FindById(kCmdLabels)->SetLabel(shown.labels ? _("Hide Labels") : _("Show Labels"));
  toolbar_->Realize();
}

void MainFrame::OnDrawingTool(int id) {
  const int other = id == kCmdMeasure ? kCmdPolygon : kCmdMeasure;
  if (toolbar_->GetToolState(id)) {
    canvas_->Apply(canvas_->controller().SetTool(id == kCmdMeasure ? kToolMeasure : kToolPolygon));
    DeselectAll(doc_.layout());
    toolbar_->ToggleTool(other, false);
    doc_.Notify(Change::Selection);
  } else {
    canvas_->Apply(canvas_->controller().SetTool(kToolNone));
  }
}

// A new or opened layout starts without a drawing tool.
void MainFrame::EndDrawing() {
  canvas_->Apply(canvas_->controller().SetTool(kToolNone));
  CanvasToolEnded();
}

void MainFrame::CanvasToolEnded() {
  toolbar_->ToggleTool(kCmdMeasure, false);
  toolbar_->ToggleTool(kCmdPolygon, false);
}

void MainFrame::OnLayoutShape() {
  // The dialog keeps its last inputs in the layout: they and the board are one change.
  Transaction t(doc_, TrMark("Baseboard"), Change::View);
  LayoutShapeDialog dlg(this, doc_.layout(), prompter_);
  if (dlg.ShowModal() != wxID_OK) return;
  StoreBaseboard(t.layout(), dlg.Result());
  t.Commit();
  if (dlg.Result().free_form) {
    CanvasToolEnded();
    canvas_->Apply(canvas_->controller().SetTool(kToolBaseboard));
  }
}

void MainFrame::OnBackground() {
  BackgroundDialog dlg(this, doc_.layout().background);
  const int answer = dlg.ShowModal();
  if (answer == wxID_CANCEL) return;
  {
    // Like the baseboard, the picture is a setting of the file: no undo step.
    Transaction t(doc_, TrMark("Background Image"), Change::View);
    if (answer == BackgroundDialog::kRemove)
      t.layout().background.reset();
    else if (!dlg.Result().path.empty())
      t.layout().background = dlg.Result();
    t.Commit();
  }
  if (answer == BackgroundDialog::kSetScale && doc_.layout().background) {
    CanvasToolEnded();
    canvas_->Apply(canvas_->controller().BeginBackgroundScale());
  }
}

void MainFrame::BindWindowActions() {
  auto bind = [this](int id, std::function<void(wxCommandEvent&)> run) {
    window_actions_[id] = std::move(run);
  };
  bind(kCmdNew, [this](wxCommandEvent&) { OnNew(); });
  bind(kCmdClose, [this](wxCommandEvent&) { OnNew(); });
  bind(kCmdOpen, [this](wxCommandEvent&) { OnOpen(); });
  for (int i = 0; i < static_cast<int>(kMostRecent); ++i)
    bind(kCmdRecentFirst + i, [this, i](wxCommandEvent&) { OnOpenRecent(i); });
  bind(kCmdSave, [this](wxCommandEvent&) {
    files_.Save();
    UpdateTitle();
  });
  bind(kCmdSaveAs, [this](wxCommandEvent&) {
    files_.SaveAs();
    UpdateTitle();
  });
  bind(kCmdImport, [this](wxCommandEvent&) { OnImport(); });
  bind(kCmdExport, [this](wxCommandEvent&) { OnExport(); });
  bind(kCmdSavePartsList, [this](wxCommandEvent&) { OnSavePartsList(); });
  bind(kCmdSaveBlock, [this](wxCommandEvent&) {
    if (SaveBlockCommand(doc_.layout(), palette_->LibraryFolderOfSystem(), prompter_))
      palette_->RefillLibrary();
  });
  bind(kCmdLevels, [this](wxCommandEvent&) { OnLevels(); });
  bind(kCmdBackground, [this](wxCommandEvent&) { OnBackground(); });
  bind(kCmdPageSetup, [this](wxCommandEvent&) { OnPageSetup(); });
  bind(kCmdPrintPreview, [this](wxCommandEvent&) { OnPrintPreview(); });
  bind(kCmdPrint, [this](wxCommandEvent&) { OnPrint(); });
  bind(kCmdExportPdf, [this](wxCommandEvent&) { OnExportPdf(); });
  bind(kCmdExit, [this](wxCommandEvent&) { Close(); });
  bind(kCmdHelp, [this](wxCommandEvent&) { ShowHelp(this); });
  bind(kCmdOptions, [this](wxCommandEvent&) { ShowExperienceChooser(this, paths_.prefs_file); });
  bind(kCmdGrid, [this](wxCommandEvent& e) {
    canvas_->SetShown({e.IsChecked(), canvas_->shown().labels, true});
  });
  bind(kCmdSnap, [this](wxCommandEvent& e) { canvas_->controller().state().snap = e.IsChecked(); });
  bind(kCmdCheckPlan, [this](wxCommandEvent&) {
    CheckPlanDialog dialog(this, doc_, *canvas_);
    dialog.ShowModal();
  });
  bind(kCmdLabels, [this](wxCommandEvent&) { OnLabelsTool(); });
  bind(kCmdMeasure, [this](wxCommandEvent&) { OnDrawingTool(kCmdMeasure); });
  bind(kCmdPolygon, [this](wxCommandEvent&) { OnDrawingTool(kCmdPolygon); });
  bind(kCmdLayoutShape, [this](wxCommandEvent&) { OnLayoutShape(); });
  bind(kCmd3DView, [this](wxCommandEvent&) { Show3DView(); });
}

bool MainFrame::HandlesCommand(int id) const {
  const Action* action = FindAction(id);
  return (action && (action->edit || action->canvas)) || window_actions_.count(id);
}

void MainFrame::OnNew() {
  if (!files_.New()) {
    UpdateTitle();  // the unsaved-changes check may have saved
    return;
  }
  ShowFreshView();
  canvas_->Apply(canvas_->controller().SetView(0.4, 60, 60));
  SetStatusText(_("Ready"), 0);
}

void MainFrame::ShowFreshView() {
  EndDrawing();
  canvas_->SetShown(DrawSwitches{});
  canvas_->controller().state().snap = true;
  GetMenuBar()->Check(kCmdGrid, true);
  GetMenuBar()->Check(kCmdSnap, true);
  toolbar_->ToggleTool(kCmdLabels, false);
  toolbar_->FindById(kCmdLabels)->SetLabel(_("Hide Labels"));
  toolbar_->Realize();
  constexpr int kUnitItems[] = {kCmdUnitsMm, kCmdUnitsCm, kCmdUnitsIn};
  const int units = doc_.layout().units;
  if (units >= 0 && units <= 2) GetMenuBar()->Check(kUnitItems[units], true);
}

void MainFrame::OnOpen() {
  const bool opened = files_.Open([this](OpenList& list) -> std::optional<std::string> {
    OpenLayoutDialog dlg(this, files_, list);
    if (dlg.ShowModal() != wxID_OK) return std::nullopt;
    return dlg.Chosen();
  });
  if (opened)
    ShowOpenedLayout();
  else
    UpdateTitle();  // a save, or a deleted file that was open
}

void MainFrame::NoteRecentLayout() {
  // Just opened or saved: the file holds what is shown.
  if (doc_.path().empty() || doc_.modified()) return;
  Prefs& prefs = CurrentPrefs();
  const std::vector<std::string> before = prefs.recent;
  NoteRecent(prefs, doc_.path());
  if (prefs.recent == before) return;
  SavePrefs(prefs, paths_.prefs_file);
  RebuildRecentMenu();
}

void MainFrame::KeepFolder(const std::string& folder) {
  if (folder.empty() || folder == CurrentPrefs().folder) return;
  files_.set_folder(folder);
  CurrentPrefs().folder = folder;
  SavePrefs(CurrentPrefs(), paths_.prefs_file);
}

wxString MainFrame::StartFolder() const {
  return ToWx(files_.folder().empty() ? paths_.layout_dir.string() : files_.folder());
}

void MainFrame::RebuildRecentMenu() {
  if (!recent_menu_) return;
  while (recent_menu_->GetMenuItemCount() > 0)
    recent_menu_->Destroy(recent_menu_->FindItemByPosition(0));
  const std::vector<std::string>& recent = CurrentPrefs().recent;
  for (std::size_t i = 0; i < recent.size() && i < kMostRecent; ++i) {
    wxString label = ToWx(recent[i]);
    label.Replace("&", "&&");
    recent_menu_->Append(kCmdRecentFirst + static_cast<int>(i),
                         wxString::Format("&%d %s", static_cast<int>(i) + 1, label));
  }
  if (recent.empty()) recent_menu_->Append(wxID_ANY, _("No recent layouts"))->Enable(false);
}

void MainFrame::OnOpenRecent(int index) {
  Prefs& prefs = CurrentPrefs();
  if (index < 0 || index >= static_cast<int>(prefs.recent.size())) return;
  const std::string path = prefs.recent[static_cast<std::size_t>(index)];
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) {
    ForgetRecent(prefs, path);
    SavePrefs(prefs, paths_.prefs_file);
    RebuildRecentMenu();
    prompter_.Notify(
        TrMark("Open Recent"),
        Subst(Tr("The layout file\n%1\nno longer exists. It was taken off the list."), {path}),
        PromptIcon::Warning);
    return;
  }
  if (!files_.ConfirmDiscard()) return;
  OpenLayoutFile(path);
}

void MainFrame::OnImport() {
  const bool opened =
      files_.Import([this](const ImportChoice& start) -> std::optional<ImportChoice> {
        ImportLayoutDialog dlg(this, start);
        if (dlg.ShowModal() != wxID_OK) return std::nullopt;
        return dlg.Choice();
      });
  if (opened)
    ShowOpenedLayout();
  else
    UpdateTitle();  // a save, or a deleted file that was open
}

void MainFrame::OnExport() {
  files_.Export([this](const std::vector<std::string>& names,
                       const ExportChoice& start) -> std::optional<ExportChoice> {
    ExportLayoutDialog dlg(this, names, start);
    if (dlg.ShowModal() != wxID_OK) return std::nullopt;
    return dlg.Choice();
  });
}

void MainFrame::OnSavePartsList() {
  const std::string start =
      (doc_.name().empty() ? std::string(Tr("Parts List")) : doc_.name()) + ".csv";
  wxFileDialog dlg(this, _("Save Parts List"), StartFolder(), ToWx(start),
                   _("CSV files (*.csv)|*.csv|Text files (*.txt)|*.txt"),
                   wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
  if (dlg.ShowModal() != wxID_OK) return;
  const std::filesystem::path file = FromWx(dlg.GetPath());
  KeepFolder(file.parent_path().string());
  const PartsListFormat chosen =
      dlg.GetFilterIndex() == 0 ? PartsListFormat::Csv : PartsListFormat::Text;
  const std::string error = SavePartsList(doc_.layout(), file, PartsListFormatFor(file, chosen));
  if (!error.empty()) prompter_.Notify(TrMark("Save Parts List Failed"), error, PromptIcon::Error);
}

bool MainFrame::OpenLayoutFile(const std::filesystem::path& file) {
  if (!files_.OpenFile(file)) return false;
  ShowOpenedLayout();
  return true;
}

void MainFrame::ShowOpenedLayout() {
  const ::Layout& layout = doc_.layout();
  ShowFreshView();
  CanvasController& view = canvas_->controller();
  canvas_->Apply(UsesZTrack(layout) ? view.SetView(1.0, 60, 60) : view.ZoomToFit());
  palette_->SelectSystemForLayout(layout);
  SetStatusText(TrWx(StatusAfterOpen(layout)), 0);
}

void MainFrame::OnCommand(wxCommandEvent& e) {
  const Action* action = FindAction(e.GetId());
  if (action && action->edit) {
    if (action->edit(doc_)) toolbar_->UpdateWindowUI();  // a tool may now name another action
  } else if (action && action->canvas) {
    canvas_->Apply(action->canvas(canvas_->controller(), e.IsChecked()));
  } else if (const auto it = window_actions_.find(e.GetId()); it != window_actions_.end()) {
    it->second(e);
  }
}

void MainFrame::OnUpdateUI(wxUpdateUIEvent& e) {
  const Action* action = FindAction(e.GetId());
  if (!action || !action->enabled) {
    e.Skip();
    return;
  }
  e.Enable(action->enabled(doc_, command_states_));
  const bool in_menu = e.GetEventObject() && e.GetEventObject()->IsKindOf(wxCLASSINFO(wxMenu));
  if ((e.GetId() == kCmdUndo || e.GetId() == kCmdRedo) && in_menu)
    e.SetText(ToWx(UndoRedoMenuText(e.GetId(), doc_)));
  if (e.GetId() == kCmdTunnel) UpdateTunnelLabel();
}

void MainFrame::UpdateTunnelLabel() {
  const wxString label = ToWx(command_states_.Get(doc_).tunnel.label);
  wxToolBarToolBase* tool = toolbar_->FindById(kCmdTunnel);
  if (tool->GetLabel() == label) return;
  tool->SetLabel(label);
  toolbar_->Realize();
}

void MainFrame::OnClose(wxCloseEvent& e) {
  if (e.CanVeto() && !files_.ConfirmDiscard()) {
    e.Veto();
    UpdateTitle();
    return;
  }
  recovery_timer_.Stop();
  // Closed on purpose: saved, or the changes dropped when asked. A forced close that
  // could not ask keeps the copy.
  if (e.CanVeto() || !doc_.modified()) recovery_->Remove();
  Destroy();
}
