// Printed pages drawn as the PDF export draws them, on a Cairo PDF surface whose bytes
// are thrown away: a layout holding a 1 MB label, on the page the label stands on and
// on one it does not reach. And the whole PDF export of a big generated layout, at
// 1 : 10 over hundreds of pages and fitted on one.
#include <benchmark/benchmark.h>
#include <cairo-pdf.h>
#include <cairo.h>
#include <wx/graphics.h>  // before dcgraph.h, which needs its settings

#include <wx/dcgraph.h>

#include <filesystem>
#include <string>

#include "bench_gui.h"
#include "gui/draw/wx_painter.h"
#include "gui/export/pdf_export.h"
#include "layout_builder.h"
#include "model/layout_ops.h"
#include "print/pdf_request.h"
#include "print/print_layout.h"

namespace {

cairo_status_t Discard(void*, const unsigned char*, unsigned int) {
  return CAIRO_STATUS_SUCCESS;
}

// A 2.4 x 1.2 m board with a label of a megabyte in lines of 100 letters near its
// top left corner, printed at 1 : 1.
Layout HugeLabelLayout() {
  Layout layout;
  EnsureDefaultLevel(layout);
  layout.baseboard = {{0, 0}, {2400, 0}, {2400, 1200}, {0, 1200}};
  std::string text;
  while (text.size() < (1u << 20)) text += std::string(99, 'x') + "\n";
  layout.labels.push_back({1, text, 100, 100});
  return layout;
}

void BM_PrintPageHugeLabel(benchmark::State& state) {
  const Layout layout = HugeLabelLayout();
  PrintOptions options;
  options.scaling = PrintScaling::ActualScale;
  options.scale_n = 1;
  const PagePlan plan = PlanPrint(layout, options, kA4Paper, true, kPdfDpi);
  const Layout printed = PrintedLayout(layout, options);
  const int page = state.range(0) == 0 ? 1 : PageCount(plan);  // the first, or the last
  wxGraphicsRenderer* renderer = wxGraphicsRenderer::GetCairoRenderer();
  const double pt = 72.0 / kPdfDpi;
  cairo_surface_t* surface =
      cairo_pdf_surface_create_for_stream(Discard, nullptr, plan.width * pt, plan.height * pt);
  RenderContext rc;
  for (auto _ : state) {
    cairo_t* cr = cairo_create(surface);
    cairo_scale(cr, pt, pt);
    {
      wxGCDC dc(renderer->CreateContextFromNativeContext(cr));
      PaperPainter painter(dc, kPdfDpi);
      DrawPrintPage(rc, painter, printed, "bench", options, plan, page);
    }
    cairo_show_page(cr);
    cairo_destroy(cr);
  }
  cairo_surface_destroy(surface);
  state.counters["pages"] = PageCount(plan);
}

// Arguments: pieces, and 0 to fit on one page or N for 1 : N (A4 landscape).
void BM_ExportPdf(benchmark::State& state) {
  const Layout& layout = KeptBigLayout(static_cast<int>(state.range(0)));
  PrintOptions options;
  if (state.range(1) > 0) {
    options.scaling = PrintScaling::ActualScale;
    options.scale_n = static_cast<int>(state.range(1));
  }
  const std::filesystem::path out =
      std::filesystem::temp_directory_path() / "vantrel-bench-export.pdf";
  int pages = 0;
  for (auto _ : state) {
    const std::string error =
        WriteLayoutPdf(layout, "bench", options, kA4Paper, false, out, [&](int, int n) {
          pages = n;
          return true;
        });
    if (!error.empty()) state.SkipWithError(error.c_str());
  }
  state.counters["pages"] = pages;
  state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(out));
  std::filesystem::remove(out);
}

}  // namespace

void RegisterPrintBenchmarks() {
  benchmark::RegisterBenchmark("BM_ExportPdf", BM_ExportPdf)
      ->Args({86000, 10})
      ->Args({86000, 0})
      ->Unit(benchmark::kMillisecond)
      ->Iterations(1);
  benchmark::RegisterBenchmark("BM_PrintPageHugeLabel", BM_PrintPageHugeLabel)
      ->Arg(0)
      ->Arg(1)
      ->Unit(benchmark::kMillisecond);
}
