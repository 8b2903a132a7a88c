// Benchmark entry point; the measured operations live in the other files here. The
// drawing benchmarks run only when a display lets wxWidgets start.
#include <benchmark/benchmark.h>
#include <wx/app.h>
#include <wx/init.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "bench_gui.h"
#include "gui/view3d/gl_scene.h"

namespace {

bool HaveDisplay() {
  const char* x11 = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  return (x11 && *x11) || (wayland && *wayland);
}

}  // namespace

int main(int argc, char** argv) {
  KeepFrameMemory();  // as the program does
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  std::unique_ptr<wxInitializer> wx;
  if (HaveDisplay()) {
    wxApp::SetInstance(new wxApp());  // a GUI application, so device contexts work
    wx = std::make_unique<wxInitializer>(argc, argv);
    if (wx->IsOk()) {
      RegisterPaintBenchmarks();
      RegisterCanvasPaintBenchmarks();
      RegisterScene3DBenchmarks();
      RegisterPrintBenchmarks();
    } else {
      std::fputs("wxWidgets did not start: the drawing benchmarks are skipped.\n", stderr);
    }
  } else {
    std::fputs("No display: the drawing benchmarks are skipped (run under xvfb-run).\n", stderr);
  }
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
