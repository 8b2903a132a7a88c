// The window's language: the German catalog compiled into the build tree for a German
// desktop, the English texts for any other.
#include <gtest/gtest.h>

#include <wx/menu.h>
#include <wx/stattext.h>
#include <wx/textdlg.h>
#include <wx/toolbar.h>

#include <cstdlib>

#include "gui/app/translations.h"
#include "gui/dialogs/wx_prompter.h"
#include "gui/frame/main_frame.h"
#include "interact/commands.h"
#include "model/translate.h"
#include "temp_dir.h"
#include "when_shown.h"

namespace {

void Desktop(const char* language, const char* lang) {
  unsetenv("LC_ALL");
  unsetenv("LC_MESSAGES");
  if (language)
    setenv("LANGUAGE", language, 1);
  else
    unsetenv("LANGUAGE");
  setenv("LANG", lang, 1);
}

TEST(Translations, GermanDesktopGetsGermanTextsAnyOtherKeepsEnglish) {
  Desktop("de", "de_DE.UTF-8");
  ASSERT_EQ(SetUpTranslations(), "de");
  const char* file = Tr("&File");
  EXPECT_STREQ(file, "&Datei");
  EXPECT_EQ(Tr("&File"), file);  // kept: tables may hold on to it
  EXPECT_STREQ(Tr("&Open Layout...\tCtrl+O"), "Anlage ö&ffnen...\tCtrl+O");
  EXPECT_EQ(Tr(std::string_view("Delete Level && Contents")), "Ebene && Inhalt löschen");
  EXPECT_EQ(Tr(std::string_view("no such text")), "no such text");
  // The German catalog loaded above is dropped for any other language.
  for (const char* lang : {"en_GB.UTF-8", "xx_YY.UTF-8", "C"}) {
    Desktop(nullptr, lang);
    EXPECT_EQ(SetUpTranslations(), "") << lang;
    EXPECT_STREQ(Tr("&File"), "&File") << lang;
  }
  DropTranslations();
}

// What a main window built for the current desktop shows: a menu title, a menu item with
// its accelerator, the undo item, a tool's tooltip, and a question's caption and prompt.
std::vector<wxString> WindowTexts() {
  TempDir dir;
  AppPaths paths;
  paths.layout_dir = paths.log_dir = dir.path();
  paths.library_dir = dir / "library";
  paths.prefs_file = dir / "prefs.cfg";
  paths.recovery_dir = dir / "recovery";
  auto* frame = new MainFrame(paths);
  frame->Show();
  wxYield();
  wxMenuBar* bar = frame->GetMenuBar();
  frame->UpdateWindowUI(wxUPDATE_UI_RECURSE);
  std::vector<wxString> texts = {bar->GetMenuLabel(0), bar->FindItem(kCmdNew)->GetItemLabel(),
                                 bar->FindItem(kCmdUndo)->GetItemLabel(),
                                 frame->GetToolBar()->GetToolShortHelp(kCmdLabels)};
  WhenShown<wxTextEntryDialog>([&texts](wxTextEntryDialog& d) {
    texts.push_back(d.GetTitle());
    for (wxWindow* child : d.GetChildren())
      if (auto* text = dynamic_cast<wxStaticText*>(child)) texts.push_back(text->GetLabel());
    d.EndModal(wxID_CANCEL);
  });
  WxPrompter(frame).AskText("Level Properties", "Select a level first.", "");
  frame->Destroy();
  wxYield();
  return texts;
}

TEST(Translations, MainWindowSpeaksTheDesktopsLanguage) {
  Desktop("de", "de_DE.UTF-8");
  ASSERT_EQ(SetUpTranslations(), "de");
  const std::vector<wxString> german = WindowTexts();
  Desktop(nullptr, "C");
  SetUpTranslations();
  const std::vector<wxString> english = WindowTexts();
  DropTranslations();
  const std::vector<const char*> expected_german = {
      "&Datei",
      "&Neue Anlage\tCtrl+N",
      "&Rückgängig\tCtrl+Z",
      "Gleisbeschriftung und Verbindungspunkte ein- oder ausblenden",
      "Ebeneneigenschaften",
      "Bitte zuerst eine Ebene auswählen."};
  const std::vector<const char*> expected_english = {"&File",
                                                     "&New Layout\tCtrl+N",
                                                     "&Undo\tCtrl+Z",
                                                     "Toggle track labels and join dots",
                                                     "Level Properties",
                                                     "Select a level first."};
  ASSERT_EQ(german.size(), expected_german.size());
  ASSERT_EQ(english.size(), expected_english.size());
  for (std::size_t i = 0; i < german.size(); ++i) {
    EXPECT_EQ(german[i], wxString::FromUTF8(expected_german[i])) << i;
    EXPECT_EQ(english[i], wxString::FromUTF8(expected_english[i])) << i;
  }
}

}  // namespace
