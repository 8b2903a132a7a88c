// The single top-level window: owns the document, builds the menus, tool bar, panels and
// status bar, and refreshes them from the document's change notifications.
#pragma once

#include <wx/frame.h>
#include <wx/timer.h>

#include <functional>
#include <memory>
#include <string>
#include <unordered_map>

#include "app/app_paths.h"
#include "app/prefs.h"
#include "app/startup_log.h"
#include "edit/grades.h"
#include "gui/dialogs/wx_prompter.h"
#include "gui/panels/canvas_panel.h"
#include "interact/commands.h"
#include "interact/file_commands.h"
#include "model/document.h"
#include "print/print_layout.h"

class PalettePanel;
class PropertiesPanel;
class View3DFrame;
class wxPrintData;
class wxPageSetupDialogData;
class wxToolBar;

// Passes every question on to the window's message boxes or to a stand-in (tests).
class RedirectPrompter : public Prompter {
 public:
  explicit RedirectPrompter(Prompter* target) : target_(target) {}
  void set_target(Prompter* target) { target_ = target; }
  void Notify(const std::string& caption, const std::string& text, PromptIcon icon) override {
    target_->Notify(caption, text, icon);
  }
  bool AskYesNo(const std::string& caption, const std::string& text, PromptIcon icon,
                bool default_no) override {
    return target_->AskYesNo(caption, text, icon, default_no);
  }
  PromptAnswer AskYesNoCancel(const std::string& caption, const std::string& text) override {
    return target_->AskYesNoCancel(caption, text);
  }
  std::optional<std::string> AskText(const std::string& caption, const std::string& prompt,
                                     const std::string& initial) override {
    return target_->AskText(caption, prompt, initial);
  }
  bool AskTwoButtons(const std::string& caption, const std::string& text, PromptIcon icon,
                     const std::string& first_label, const std::string& second_label,
                     bool default_second) override {
    return target_->AskTwoButtons(caption, text, icon, first_label, second_label, default_second);
  }
  std::optional<std::size_t> ChooseRow(const std::string& title, const std::string& header,
                                       const std::vector<std::string>& rows,
                                       const std::string& ok_label) override {
    return target_->ChooseRow(title, header, rows, ok_label);
  }

 private:
  Prompter* target_;
};

class MainFrame : public wxFrame, public CanvasHost {
 public:
  explicit MainFrame(const AppPaths& paths);
  ~MainFrame() override;

  ::Layout& layout() { return doc_.layout(); }  // "::" because wxWindow has a Layout()
  Document& document() { return doc_; }
  CanvasPanel* canvas() { return canvas_; }
  PalettePanel* palette() { return palette_; }
  PropertiesPanel* properties() { return properties_; }
  View3DFrame* view3d() { return view3d_; }
  const std::string& path() const { return doc_.path(); }
  const std::string& name() const { return doc_.name(); }
  bool modified() const { return doc_.modified(); }
  const AppPaths& paths() const { return paths_; }
  Prompter& prompter() { return prompter_; }
  // Questions of the frame, its canvas and its file commands go to `prompter` from now
  // on; null restores the message boxes.
  void SetPrompter(Prompter* prompter) {
    prompter_.set_target(prompter ? prompter : &wx_prompter_);
  }
  FileCommands& files() { return files_; }
  // Opens a layout file from anywhere (the command line, Open, Import) and shows it;
  // a file that cannot be read is reported and changes nothing.
  bool OpenLayoutFile(const std::filesystem::path& file);

  // Runs once the window is shown and the preferences are read.
  void AfterStart(const Prefs& prefs);
  // At start: says why the preferences could not be read, if so, then offers the
  // unsaved changes of a program that ended without saving.
  void OfferRecovery(const std::string& refused_prefs = {});
  RecoveryStore& recovery() { return *recovery_; }
  void UpdateTitle();
  // After a grade button: its status text when it ran.
  void GradeCommandDone(const GradeOutcome& outcome);
  // Runs a menu or tool command as if chosen by the user.
  void RunCommand(int id);
  // The command runs something: a core handler of its action or a window handler.
  bool HandlesCommand(int id) const;

  // CanvasHost
  void CanvasStatus(int field, const std::string& text) override;
  std::string CanvasStatusText(int field) const override;
  void CanvasCommand(int id) override;

 private:
  void BuildMenuBar();
  void BuildToolBar();
  void BuildPanels();
  // The one refresh routine: what shows the document follows what changed.
  void OnDocumentChanged(Change what);
  // The handlers of the actions that only the window carries out, by id.
  void BindWindowActions();
  void OnCommand(wxCommandEvent& e);
  void OnUpdateUI(wxUpdateUIEvent& e);
  // The Tunnel tool names what it will do; the label is set only when it differs.
  void UpdateTunnelLabel();
  void OnClose(wxCloseEvent& e);
  void OnLabelsTool();
  void OnDrawingTool(int id);
  void OnLayoutShape();
  void OnBackground();
  void EndDrawing();
  void CanvasToolEnded() override;
  // Levels, Page Setup, Print Preview, Print and Export PDF (main_frame_print.cpp).
  void OnLevels();
  void OnPageSetup();
  void OnPrint();
  void OnPrintPreview();
  void OnExportPdf();
  // The paper and orientation of the print data, what the canvas shows into the options,
  // then the page-count question; false when the user declines.
  bool PreparePrint(Paper& paper, bool& portrait);
  void OnNew();
  void OnOpen();
  // File > Open Recent: the list from the preferences, newest first; a layout just opened
  // or saved heads it.
  void OnOpenRecent(int index);
  void NoteRecentLayout();
  void RebuildRecentMenu();
  // The folder the file dialogs start in, and keeping the one just used.
  wxString StartFolder() const;
  void KeepFolder(const std::string& folder);
  void OnImport();
  void OnExport();
  void OnSavePartsList();
  // After a layout was opened: units, view, panels, palette and status bar follow it.
  void ShowOpenedLayout();
  // A new or opened layout starts without a drawing tool, with grid, labels and snapping
  // on, and the unit menu showing its unit.
  void ShowFreshView();
  // "3D View": opens the window, or rebuilds and raises the open one.
  void Show3DView();
  // An open 3D window follows the layout.
  void RebuildView3D();

  PalettePanel* palette_ = nullptr;
  CanvasPanel* canvas_ = nullptr;
  PropertiesPanel* properties_ = nullptr;
  Document doc_;
  CommandStateCache command_states_;  // what the tool bar and menus show, per change
  Subscription doc_subscription_;
  View3DFrame* view3d_ = nullptr;
  std::unique_ptr<wxPrintData> print_data_;
  std::unique_ptr<wxPageSetupDialogData> page_setup_;
  PrintOptions print_options_;

  AppPaths paths_;
  FrameLog log_;
  WxPrompter wx_prompter_;
  RedirectPrompter prompter_{&wx_prompter_};
  FileCommands files_;
  std::unique_ptr<RecoveryStore> recovery_;
  wxTimer recovery_timer_;
  wxToolBar* toolbar_ = nullptr;
  wxMenu* recent_menu_ = nullptr;  // File > Open Recent
  std::unordered_map<int, std::function<void(wxCommandEvent&)>> window_actions_;
};
