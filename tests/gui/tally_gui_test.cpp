// The tally list and Buy Track on a real main window: the list follows every change,
// the cart address goes to the browser or, when none starts, to a dialog to copy from.
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/button.h>
#include <wx/clipbrd.h>
#include <wx/listctrl.h>
#include <wx/textctrl.h>

#include "frame_fixture.h"
#include "gui/dialogs/buy_track_dialogs.h"
#include "gui/panels/properties_panel.h"
#include "gui/panels/tally_box.h"
#include "gui/wx_text.h"
#include "interact/commands.h"
#include "layout_builder.h"
#include "when_shown.h"

namespace {

const std::filesystem::path kData = VANTREL_TEST_DATA;

class TallyTest : public FrameFixture {
 protected:
  TallyBox* tally() { return frame->properties()->tally(); }
  std::vector<std::string> Rows() {
    std::vector<std::string> rows;
    wxListCtrl* list = tally()->list();
    for (long i = 0; i < list->GetItemCount(); ++i)
      rows.push_back(FromWx(list->GetItemText(i, 0)) + "|" + FromWx(list->GetItemText(i, 1)));
    return rows;
  }
};

TEST_F(TallyTest, ListFollowsEditsOpeningAndNew) {
  ChainBuilder chain(frame->layout());
  chain.Start("24611", {100, 100, 0});
  chain.Append("24188");
  frame->document().MarkChanged(Change::Content);
  ASSERT_EQ(Rows().size(), 5u);
  EXPECT_EQ(Rows()[2], "We Recommend|");
  EXPECT_TRUE(tally()->list()->GetItemFont(2).GetWeight() == wxFONTWEIGHT_BOLD);

  ASSERT_TRUE(frame->OpenLayoutFile(kData / "parts_acceptance.vtl"));
  EXPECT_EQ(Rows().size(), 12u);

  prompter.answers = {PromptAnswer::No};  // do not save the changes
  frame->RunCommand(kCmdNew);
  EXPECT_TRUE(Rows().empty());
}

TEST_F(TallyTest, BuyTrackOpensTheBrowserOrShowsTheAddressToCopy) {
  ASSERT_TRUE(frame->OpenLayoutFile(kData / "parts_acceptance.vtl"));
  std::vector<std::string> opened;
  tally()->SetBrowserLauncher([&](const std::string& address) {
    opened.push_back(address);
    return true;
  });
  Press(tally()->buy_button());
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_TRUE(opened[0].starts_with("https://shop.example.com/cart/41200000024188:2,"));
  EXPECT_TRUE(prompter.shown.empty());

  tally()->SetBrowserLauncher([](const std::string&) { return false; });
  std::string shown, copied;
  bool editable = true;
  WhenShown<CartAddressDialog>([&](CartAddressDialog& d) {
    shown = FromWx(d.address()->GetValue());
    editable = d.address()->IsEditable();
    if (d.CopyAddress() && wxTheClipboard->Open()) {
      wxTextDataObject text;
      if (wxTheClipboard->GetData(text)) copied = FromWx(text.GetText());
      wxTheClipboard->Close();
    }
    d.EndModal(wxID_CANCEL);
  });
  Press(tally()->buy_button());
  EXPECT_EQ(shown, opened[0]);
  EXPECT_FALSE(editable);
  EXPECT_EQ(copied, opened[0]);

  frame->RunCommand(kCmdNew);  // nothing to buy: the message, and no dialog
  Press(tally()->buy_button());
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(prompter.last().text, "No purchasable track pieces found in your layout.");
}

}  // namespace
