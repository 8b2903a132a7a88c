// The splash's fall-back picture and the pictures built into the program.
#include <gtest/gtest.h>
#include <wx/bitmap.h>
#include <wx/dcmemory.h>
#include <wx/image.h>

#include "app/version.h"
#include "gui/app/pictures.h"
#include "gui/dialogs/welcome_dialogs.h"
#include "gui/wx_text.h"
#include "when_shown.h"

TEST(Splash, WithoutItsPictureShowsTheTitleOnDarkBlue) {
  SplashDialog splash(nullptr, wxImage(), wxImage());
  wxBitmap bitmap(900, 600, 24);
  {
    wxMemoryDC dc(bitmap);
    splash.PaintPanel(dc);
  }
  const wxImage image = bitmap.ConvertToImage();
  EXPECT_EQ(wxColour(image.GetRed(450, 300), image.GetGreen(450, 300), image.GetBlue(450, 300)),
            wxColour(30, 40, 60));
  int white = 0;  // the title's letters
  for (int y = 20; y < 90; ++y)
    for (int x = 20; x < 200; ++x)
      if (image.GetRed(x, y) > 200 && image.GetGreen(x, y) > 200 && image.GetBlue(x, y) > 200)
        ++white;
  EXPECT_GT(white, 50);
}

TEST(Pictures, TheThreePicturesAreBuiltInAndDecode) {
  for (int number : {101, 102, 103}) EXPECT_TRUE(LoadResourceImage(number).IsOk()) << number;
  EXPECT_FALSE(LoadResourceImage(104).IsOk());
}

TEST(Help, TheWindowNamesTheProgramsVersion) {
  std::string title;
  WhenShown<wxDialog>([&title](wxDialog& d) {
    title = FromWx(d.GetTitle());
    d.EndModal(wxID_OK);
  });
  ShowHelp(nullptr);
  EXPECT_EQ(title, std::string("Vantrel v") + ProgramVersion() + " Help");
}
