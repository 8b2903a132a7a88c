// Runs the GUI tests inside one initialised wxWidgets application (needs a display).
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/image.h>

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  wxApp::SetInstance(new wxApp());
  if (!wxEntryStart(argc, argv)) {
    fprintf(stderr, "cannot start wxWidgets (is DISPLAY set? run under xvfb-run)\n");
    return 1;
  }
  wxTheApp->CallOnInit();
  wxInitAllImageHandlers();
  const int rc = RUN_ALL_TESTS();
  wxEntryCleanup();
  return rc;
}
