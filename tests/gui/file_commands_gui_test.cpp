// The File menu on a real main window: save, new, open through the dialog, the
// unsaved-changes question, closing, and the enabling rules of the file dialogs.
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/button.h>
#include <wx/listbox.h>
#include <wx/menu.h>
#include <wx/statusbr.h>
#include <wx/textctrl.h>
#include <wx/toolbar.h>

#include "fake_prompter.h"
#include "frame_fixture.h"
#include "gui/dialogs/file_dialogs.h"
#include "gui/frame/main_frame.h"
#include "gui/panels/palette_panel.h"
#include "gui/wx_text.h"
#include "interact/commands.h"
#include "layout_builder.h"
#include "model/layout_file.h"
#include "temp_dir.h"
#include "when_shown.h"

namespace {

void Select(wxListBox* list, int index) {
  list->SetSelection(index);
  wxCommandEvent e(wxEVT_LISTBOX, list->GetId());
  e.SetEventObject(list);
  e.SetInt(index);
  list->GetEventHandler()->ProcessEvent(e);
}

class FileFrameTest : public FrameFixture {
 protected:
  void AddTrack(const std::string& article) {
    ChainBuilder chain(frame->layout());
    chain.Start(article, {100, 100, 0});
    chain.Append(article);
    frame->document().MarkChanged(Change::Content);
  }
  std::string Status(int field) { return FromWx(frame->GetStatusBar()->GetStatusText(field)); }
  std::string Title() { return FromWx(frame->GetTitle()); }
};

TEST_F(FileFrameTest, SaveNewAndOpenAgainGiveTheSameLayout) {
  AddTrack("2200");  // K-Track
  frame->layout().units = 2;
  frame->layout().grade_runs = {{1.5, frame->layout().pieces[0].id, 1}};
  prompter.texts = {"Club Yard"};
  frame->RunCommand(kCmdSave);
  EXPECT_EQ(Title(), "Vantrel v1.4 by Kestrelmoor - Club Yard");
  const std::string saved = LayoutFileText(frame->layout(), "Club Yard");
  frame->GetToolBar()->ToggleTool(kCmdLabels, true);
  frame->RunCommand(kCmdLabels);  // labels hidden
  frame->GetMenuBar()->Check(kCmdGrid, false);
  frame->RunCommand(kCmdGrid);  // grid hidden

  frame->RunCommand(kCmdNew);
  EXPECT_EQ(Title(), "Vantrel v1.4 by Kestrelmoor");
  EXPECT_EQ(Status(0) + "|" + Status(1), "Ready|Pieces: 0");
  EXPECT_EQ(frame->canvas()->controller().view(), (ViewTransform{0.4, 60, 60}));
  // Nothing of the last layout carries over: unit, name, and how it was shown.
  EXPECT_TRUE(frame->GetMenuBar()->IsChecked(kCmdUnitsMm));
  EXPECT_TRUE(frame->canvas()->shown() == DrawSwitches{});
  EXPECT_TRUE(frame->GetMenuBar()->IsChecked(kCmdGrid));
  EXPECT_FALSE(frame->GetToolBar()->GetToolState(kCmdLabels));

  WhenShown<OpenLayoutDialog>([&](OpenLayoutDialog& d) {
    Select(d.list(), 0);
    d.EndModal(wxID_OK);
  });
  frame->RunCommand(kCmdOpen);
  EXPECT_EQ(LayoutFileText(frame->layout(), frame->name()), saved);
  EXPECT_EQ(Title(), "Vantrel v1.4 by Kestrelmoor - Club Yard");
  EXPECT_EQ(frame->palette()->chooser_index(), 1) << "K-Track";
  EXPECT_TRUE(frame->GetMenuBar()->IsChecked(kCmdUnitsIn));
  EXPECT_EQ(Status(0) + "|" + Status(1), "[ELEV] 1.5 deg  (right-click piece to stop)|Pieces: 2");
  EXPECT_FALSE(frame->modified());
}

TEST_F(FileFrameTest, OpeningAFileFromAnywhere) {
  Layout z;
  ChainBuilder(z).Start("8500", {500, 500, 0});
  ASSERT_EQ(SaveLayout(z, dir / "elsewhere.vtl", ""), "");
  ASSERT_TRUE(frame->OpenLayoutFile(dir / "elsewhere.vtl"));
  EXPECT_EQ(frame->canvas()->controller().view(), (ViewTransform{1.0, 60, 60})) << "Z-Track";
  EXPECT_EQ(Title(), "Vantrel v1.4 by Kestrelmoor - elsewhere");
}

TEST_F(FileFrameTest, ClosingWithUnsavedChangesAndCancelKeepsTheWindow) {
  AddTrack("24188");
  prompter.answers = {PromptAnswer::Cancel, PromptAnswer::Cancel};
  EXPECT_FALSE(frame->Close());
  frame->RunCommand(kCmdExit);
  wxYield();
  EXPECT_EQ(prompter.shown.size(), 2u);
  EXPECT_FALSE(wxTheApp->IsScheduledForDestruction(frame));
  EXPECT_TRUE(frame->IsShown());
}

TEST_F(FileFrameTest, OpenDialogEnablesDeleteAndOpenOnlyWithASelection) {
  ASSERT_EQ(SaveLayout(Layout(), dir / "B.vtl", "B"), "");
  ASSERT_EQ(SaveLayout(Layout(), dir / "A.vtl", "A"), "");
  OpenList list{CollectLayoutFiles(dir.path()), {}};
  list.names = SortedDisplayNames(list.files);
  auto* dlg = new OpenLayoutDialog(frame, frame->files(), list);
  dlg->Show();
  wxYield();
  const auto enabled = [dlg] {
    return std::pair(dlg->delete_button()->IsEnabled(), dlg->open_button()->IsEnabled());
  };
  EXPECT_EQ(dlg->list()->GetSelection(), wxNOT_FOUND) << "nothing chosen before the user chooses";
  EXPECT_EQ(enabled(), std::pair(false, false));
  Select(dlg->list(), 1);
  EXPECT_EQ(enabled(), std::pair(true, true));
  EXPECT_EQ(dlg->Chosen(), "B");

  prompter.answers = {PromptAnswer::Yes};
  Press(dlg->delete_button());
  EXPECT_FALSE(std::filesystem::exists(dir / "B.vtl"));
  ASSERT_EQ(dlg->list()->GetCount(), 1u);
  EXPECT_EQ(enabled(), std::pair(false, false));
  dlg->Destroy();
}

TEST_F(FileFrameTest, ImportAndExportDialogsFollowTheirFields) {
  ASSERT_EQ(SaveLayout(Layout(), dir / "Club.xml", "Club"), "");
  auto* in = new ImportLayoutDialog(frame, {dir.path().string(), "", ""});
  in->Show();
  wxYield();
  EXPECT_FALSE(in->import_button()->IsEnabled());
  ASSERT_EQ(in->list()->GetCount(), 1u);
  Select(in->list(), 0);
  EXPECT_EQ(in->name_field()->GetValue(), "Club");
  EXPECT_TRUE(in->import_button()->IsEnabled());
  in->name_field()->SetValue("");
  EXPECT_FALSE(in->import_button()->IsEnabled());
  in->folder_field()->SetValue(ToWx((dir / "missing").string()));
  EXPECT_EQ(in->list()->GetCount(), 0u);
  in->Destroy();

  auto* none = new ExportLayoutDialog(frame, {"Yard", "Club"}, {});
  none->Show();
  wxYield();
  EXPECT_EQ(none->list()->GetSelection(), wxNOT_FOUND);
  none->name_field()->SetValue("Copy");
  EXPECT_FALSE(none->export_button()->IsEnabled()) << "a name alone exports nothing";
  none->Destroy();
  auto* out = new ExportLayoutDialog(frame, {"Yard", "Club"}, {"Club", "", "Club"});
  EXPECT_EQ(out->list()->GetSelection(), 1);
  EXPECT_TRUE(out->export_button()->IsEnabled());
  out->name_field()->SetValue("   ");
  EXPECT_FALSE(out->export_button()->IsEnabled());
  Select(out->list(), 0);
  EXPECT_EQ(out->name_field()->GetValue(), "Yard");
  EXPECT_TRUE(out->export_button()->IsEnabled());
  EXPECT_FALSE(out->folder_field()->GetValue().empty()) << "starts in a folder of the user";
  out->Destroy();
}

}  // namespace
