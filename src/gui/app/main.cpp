// Program entry: refuses politely without a display, then runs the application.
#include <wx/app.h>
#include <wx/init.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/version.h"
#include "gui/app/vantrel_app.h"
#include "gui/export/pdf_export.h"
#include "gui/export/picture_export.h"
#include "gui/export/scene_export.h"
#include "gui/view3d/gl_scene.h"

wxIMPLEMENT_APP_NO_MAIN(VantrelApp);

int main(int argc, char** argv) {
  KeepFrameMemory();
  if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
    std::printf("vantrel %s\n", ProgramVersion());
    return 0;
  }
  const char* x11 = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  if ((!x11 || !*x11) && (!wayland || !*wayland)) {
    std::fputs(
        "Vantrel needs a graphical display, and none is set (DISPLAY and WAYLAND_DISPLAY are "
        "empty).\nStart it from a desktop session, or on a machine without one under a virtual "
        "display:\n  xvfb-run -a -s \"-screen 0 1600x1000x24\" ./build/vantrel\n",
        stderr);
    return 1;
  }
  if (IsPictureExportCommand(argc, argv) || IsSceneExportCommand(argc, argv) ||
      IsPdfExportCommand(argc, argv)) {
    // A picture of a layout file, written without opening a window.
    wxInitializer wx(argc, argv);
    if (!wx.IsOk()) {
      std::fputs("Vantrel could not start wxWidgets to draw the picture.\n", stderr);
      return 1;
    }
    if (IsPdfExportCommand(argc, argv)) return RunPdfExport(argc, argv);
    return IsSceneExportCommand(argc, argv) ? RunSceneExport(argc, argv)
                                            : RunPictureExport(argc, argv);
  }
  return wxEntry(argc, argv);
}
