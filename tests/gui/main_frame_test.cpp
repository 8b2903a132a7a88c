// The main window as built: menus, tool bar, panes, status bar, title and enabling.
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/listbox.h>
#include <wx/menu.h>
#include <wx/notebook.h>
#include <wx/statusbr.h>
#include <wx/toolbar.h>

#include "frame_fixture.h"
#include "gui/frame/main_frame.h"
#include "gui/panels/palette_panel.h"
#include "gui/wx_text.h"
#include "interact/actions.h"
#include "interact/commands.h"
#include "layout_builder.h"
#include "temp_dir.h"

namespace {

class FrameTest : public FrameFixture {
 protected:
  // The text the Edit menu shows for a command when it opens.
  wxString MenuText(int id) {
    wxUpdateUIEvent e(id);
    e.SetEventObject(frame->GetMenuBar()->GetMenu(1));
    frame->ProcessWindowEvent(e);
    return e.GetText();
  }
};

// A row of the action table that the window builds wrongly or cannot run.
TEST_F(FrameTest, EveryMenuItemToolAndContextEntryIsBuiltAndRuns) {
  wxMenuBar* bar = frame->GetMenuBar();
  ASSERT_EQ(bar->GetMenuCount(), MenuBarSpec().size());
  for (const MenuSpec& m : MenuBarSpec())
    for (const MenuItemSpec& item : m.items) {
      if (item.id == 0) continue;
      wxMenuItem* it = bar->FindItem(item.id);
      ASSERT_NE(it, nullptr) << item.label;
      EXPECT_EQ(FromWx(it->GetItemLabel()), item.label);
      EXPECT_EQ(it->IsCheckable(), item.kind == ItemKind::Check || item.kind == ItemKind::Radio)
          << item.label;
      EXPECT_TRUE(item.kind == ItemKind::Submenu || frame->HandlesCommand(item.id)) << item.label;
    }
  wxToolBar* tools = frame->GetToolBar();
  ASSERT_EQ(tools->GetToolsCount(), ToolBarSpec().size());
  for (const ToolSpec& t : ToolBarSpec()) {
    EXPECT_TRUE(frame->HandlesCommand(t.id)) << t.label;
    EXPECT_EQ(tools->FindById(t.id)->CanBeToggled(), t.kind == ItemKind::Check) << t.label;
  }
  for (const Action& a : Actions())
    EXPECT_TRUE(a.context == CanvasMenu::None || a.canvas) << a.text;
}

TEST_F(FrameTest, PanesStatusBarAndTitle) {
  wxStatusBar* status = frame->GetStatusBar();
  ASSERT_EQ(status->GetFieldsCount(), 3);
  EXPECT_EQ(status->GetStatusText(2), "x: 0  y: 0 mm");
  EXPECT_EQ(WindowTitle("", "/x/My Yard.vtl", true), "Vantrel v1.4 by Kestrelmoor - My Yard *");
  EXPECT_EQ(WindowTitle("Oval", "/x/Other.vtl", false), "Vantrel v1.4 by Kestrelmoor - Oval");
}

TEST_F(FrameTest, UndoRedoAndDeleteEnabling) {
  EXPECT_FALSE(Enabled(kCmdUndo));
  EXPECT_FALSE(Enabled(kCmdRedo));
  EXPECT_FALSE(Enabled(kCmdDelete));
  ::Layout& l = frame->layout();
  Transaction place(frame->document(), "Place");
  AddPiece(l, "24188");
  place.Commit();
  EXPECT_TRUE(Enabled(kCmdUndo));
  EXPECT_EQ(frame->GetTitle(), "Vantrel v1.4 by Kestrelmoor *");
  l.scenery.push_back({});
  l.scenery[0].sel = true;
  EXPECT_TRUE(Enabled(kCmdDelete));  // one scenery item is enough
  EXPECT_EQ(MenuText(kCmdUndo), "&Undo Place\tCtrl+Z");
  frame->RunCommand(kCmdUndo);
  EXPECT_TRUE(l.pieces.empty());
  EXPECT_TRUE(Enabled(kCmdRedo));
  EXPECT_FALSE(Enabled(kCmdUndo));
  EXPECT_EQ(MenuText(kCmdUndo), "&Undo\tCtrl+Z");
  EXPECT_EQ(MenuText(kCmdRedo), "&Redo Place\tCtrl+Y");
  EXPECT_EQ(frame->GetTitle(), "Vantrel v1.4 by Kestrelmoor") << "back as it was: not modified";
}

TEST_F(FrameTest, MeasureAndPolygonToolsExcludeEachOther) {
  wxToolBar* tools = frame->GetToolBar();
  tools->ToggleTool(kCmdPolygon, true);
  frame->RunCommand(kCmdPolygon);
  EXPECT_EQ(frame->canvas()->controller().tool(), kToolPolygon);
  tools->ToggleTool(kCmdMeasure, true);
  frame->RunCommand(kCmdMeasure);
  EXPECT_EQ(frame->canvas()->controller().tool(), kToolMeasure);
  EXPECT_FALSE(tools->GetToolState(kCmdPolygon));
  tools->ToggleTool(kCmdMeasure, false);
  frame->RunCommand(kCmdMeasure);
  EXPECT_EQ(frame->canvas()->controller().tool(), kToolNone);
}

TEST_F(FrameTest, LabelsToolNamesWhatItWillDo) {
  wxToolBar* tools = frame->GetToolBar();
  tools->ToggleTool(kCmdLabels, true);
  frame->RunCommand(kCmdLabels);
  EXPECT_FALSE(frame->canvas()->shown().labels);
  EXPECT_EQ(tools->FindById(kCmdLabels)->GetLabel(), "Show Labels");
  tools->ToggleTool(kCmdLabels, false);
  frame->RunCommand(kCmdLabels);
  EXPECT_TRUE(frame->canvas()->shown().labels);
  EXPECT_EQ(tools->FindById(kCmdLabels)->GetLabel(), "Hide Labels");
}

TEST_F(FrameTest, PaletteSystemsAndTheScenerySwitch) {
  PalettePanel* palette = frame->palette();
  EXPECT_EQ(palette->track_list()->GetString(0), "--- Straights");
  EXPECT_EQ(palette->notebook()->GetPageCount(), 4u);
  ::Layout z;
  AddPiece(z, "8500");
  palette->SelectSystemForLayout(z);
  EXPECT_EQ(palette->chooser_index(), 3);
  EXPECT_FALSE(palette->scenery_page_shown());
  EXPECT_EQ(palette->notebook()->GetPageCount(), 3u);
  palette->SelectSystemForLayout(::Layout{});
  EXPECT_EQ(palette->notebook()->GetPageCount(), 4u);
  EXPECT_EQ(palette->notebook()->GetPageText(3), "Scenery");
}

TEST_F(FrameTest, DoubleClickOnAPaletteRowAddsAJoinedPiece) {
  ::Layout& l = frame->layout();
  Piece(l, AddPiece(l, "24188")).sel = true;
  PalettePanel* palette = frame->palette();
  const auto& ids = palette->track_row_ids();
  const int row = static_cast<int>(std::find(ids.begin(), ids.end(), "24130") - ids.begin());
  palette->track_list()->SetSelection(row);
  wxCommandEvent dclick(wxEVT_LISTBOX_DCLICK, PalettePanel::kIdTrack);
  dclick.SetEventObject(palette->track_list());
  dclick.SetInt(row);
  palette->track_list()->ProcessWindowEvent(dclick);
  ASSERT_EQ(l.pieces.size(), 2u);
  EXPECT_EQ(l.pieces[1].cat, "24130");
  EXPECT_EQ(l.pieces[0].joints[1], (Joint{l.pieces[1].id, 0}));
}

}  // namespace
