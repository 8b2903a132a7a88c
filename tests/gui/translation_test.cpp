// The window's language: the German catalog compiled into the build tree for a German
// desktop, the English texts for any other.
#include <gtest/gtest.h>
#include <wx/menu.h>
#include <wx/stattext.h>
#include <wx/textdlg.h>
#include <wx/toolbar.h>

#include <cstdlib>

#include "app/recovery_store.h"
#include "frame_fixture.h"
#include "gui/app/translations.h"
#include "gui/dialogs/wx_prompter.h"
#include "interact/commands.h"
#include "model/translate.h"
#include "when_shown.h"

namespace {

void Desktop(const char* language, const char* lang) {
  unsetenv("LC_ALL");
  unsetenv("LC_MESSAGES");
  language ? setenv("LANGUAGE", language, 1) : unsetenv("LANGUAGE");
  setenv("LANG", lang, 1);
}

// Loads the German catalog before the fixture builds the main window.
struct GermanDesktop {
  GermanDesktop() : language((Desktop("de", "de_DE.UTF-8"), SetUpTranslations())) {}
  ~GermanDesktop() { DropTranslations(); }
  wxString language;
};
class GermanWindow : protected GermanDesktop, public FrameFixture {};

TEST_F(GermanWindow, MenusToolsAndQuestionsAreGermanAndEnglishOnAnyOtherDesktop) {
  ASSERT_EQ(language, "de");
  const char* file = Tr("&File");
  EXPECT_EQ(Tr("&File"), file);  // kept: tables may hold on to it
  EXPECT_EQ(Tr(std::string_view("Delete Level && Contents")), "Ebene && Inhalt löschen");
  EXPECT_EQ(Tr(std::string_view("no such text")), "no such text");
  wxMenuBar* bar = frame->GetMenuBar();
  frame->UpdateWindowUI(wxUPDATE_UI_RECURSE);
  EXPECT_EQ(bar->GetMenuLabel(0), "&Datei");
  EXPECT_EQ(bar->FindItem(kCmdNew)->GetItemLabel(), "&Neue Anlage\tCtrl+N");
  EXPECT_EQ(bar->FindItem(kCmdUndo)->GetItemLabel(), wxString::FromUTF8("&Rückgängig\tCtrl+Z"));
  EXPECT_EQ(frame->GetToolBar()->GetToolShortHelp(kCmdLabels),
            "Gleisbeschriftung und Verbindungspunkte ein- oder ausblenden");
  wxString caption, prompt;
  WhenShown<wxTextEntryDialog>([&](wxTextEntryDialog& d) {
    caption = d.GetTitle();
    for (wxWindow* child : d.GetChildren())
      if (auto* text = dynamic_cast<wxStaticText*>(child)) prompt = text->GetLabel();
    d.EndModal(wxID_CANCEL);
  });
  WxPrompter(frame).AskText("Level Properties", "Select a level first.", "");
  EXPECT_EQ(caption, "Ebeneneigenschaften");
  EXPECT_EQ(prompt, wxString::FromUTF8("Bitte zuerst eine Ebene auswählen."));
  // A sentence with a name in it is translated whole, in the translation's word order.
  RecoveryCopy copy;
  copy.name = "Shelf";
  EXPECT_EQ(RecoveryQuestionText(copy),
            "Vantrel wurde beendet, ohne die \u00c4nderungen an \u201eShelf\u201c zu speichern. "
            "Wiederherstellen?");
  EXPECT_EQ(frame->GetStatusBar()->GetStatusText(0), "Bereit");
  // The German catalog is dropped for any other language.
  Desktop(nullptr, "C");
  EXPECT_EQ(SetUpTranslations(), "");
  auto* english = new MainFrame(paths);
  EXPECT_EQ(english->GetMenuBar()->GetMenuLabel(0), "&File");
  EXPECT_EQ(english->GetMenuBar()->FindItem(kCmdNew)->GetItemLabel(), "&New Layout\tCtrl+N");
  english->Destroy();
}

}  // namespace
