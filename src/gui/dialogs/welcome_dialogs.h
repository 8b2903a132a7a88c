// The welcome and help windows: the experience chooser, the splash and the help dialog.
#pragma once

#include <wx/dialog.h>
#include <wx/image.h>

#include <filesystem>

#include "app/prefs.h"

class wxDC;

// The experience setting of this run, read at start and changed by the chooser.
Prefs& CurrentPrefs();

// "Choose Your Experience": sets CurrentPrefs() from the answer (closing the dialog
// counts as "Down to Business") and writes the preferences file.
void ShowExperienceChooser(wxWindow* parent, const std::filesystem::path& prefs_file);

// The splash: the big picture with the small one in its corner, or the painted title
// when the big picture is missing.
class SplashDialog : public wxDialog {
 public:
  SplashDialog(wxWindow* parent, const wxImage& big, const wxImage& small);
  // The 900 x 600 panel's picture.
  void PaintPanel(wxDC& dc) const;

 private:
  wxImage big_;
  wxImage small_;
};
// The splash with the program's own pictures.
void ShowSplash(wxWindow* parent);

// "Vantrel v1.4 Help".
void ShowHelp(wxWindow* parent);
