#include "gui/export/pdf_export.h"

#include <cairo-pdf.h>
#include <cairo.h>
#include <wx/dcgraph.h>
#include <wx/graphics.h>
#include <wx/log.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "gui/draw/background_picture.h"
#include "gui/draw/wx_painter.h"
#include "model/atomic_file.h"
#include "model/layout_file.h"
#include "model/layout_ops.h"
#include "model/number_text.h"
#include "model/translate.h"
#include "print/page_printer.h"

namespace {

// One line, as every export's message: scripts read the first line of what failed.
constexpr const char* kUsage =
    "usage: vantrel --export-pdf LAYOUT.vtl OUT.pdf [--fit | --scale N | --percent P] "
    "[--all-levels] [--grayscale] [--grid] [--no-baseboard] [--paper a4|a3|letter] "
    "[--portrait]";

cairo_status_t AppendToString(void* closure, const unsigned char* data, unsigned int length) {
  static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
  return CAIRO_STATUS_SUCCESS;
}

}  // namespace

std::string WriteLayoutPdf(const Layout& layout, const std::string& name,
                           const PrintOptions& options, const Paper& paper, bool portrait,
                           const std::filesystem::path& pdf, const PageProgress& progress) {
  const PagePlan plan = PlanPrint(layout, options, paper, portrait, kPdfDpi);
  if (plan.pages > kMostPages) {
    return "the printout would need " + FixedText(plan.pages, 0) + Tr(" pages; at most ") +
           std::to_string(kMostPages) + " are written";
  }
  wxGraphicsRenderer* renderer = wxGraphicsRenderer::GetCairoRenderer();
  if (!renderer) return "no Cairo drawing is available";
  PagePrinter printer(layout, name, options);
  printer.Plan(plan);

  std::string data;
  const double pt = 72.0 / kPdfDpi;
  cairo_surface_t* surface =
      cairo_pdf_surface_create_for_stream(AppendToString, &data, plan.width * pt, plan.height * pt);
  if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(surface);
    return "cannot start a PDF";
  }
  cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_TITLE,
                                 name.empty() ? Tr("Vantrel Layout") : name.c_str());
  BackgroundPicture picture;
  bool stopped = false;
  for (int page = 1; page <= printer.pages() && !stopped; ++page) {
    cairo_t* cr = cairo_create(surface);
    cairo_scale(cr, pt, pt);  // drawing in page pixels at the printer resolution
    {
      wxGCDC dc(renderer->CreateContextFromNativeContext(cr));
      PaperPainter paper_painter(dc, kPdfDpi);
      OutlineThinner painter(paper_painter);
      printer.SetUnderlay(picture.UnderlayOn(dc));
      stopped = !printer.DrawPage(painter, page, progress);
    }
    printer.SetUnderlay({});
    if (!stopped) cairo_show_page(cr);
    cairo_destroy(cr);
  }
  cairo_surface_finish(surface);
  const cairo_status_t status = cairo_surface_status(surface);
  cairo_surface_destroy(surface);
  // A stopped export writes nothing: the file at the path stays as it was.
  if (stopped) return kPdfExportCancelled;
  if (status != CAIRO_STATUS_SUCCESS) return cairo_status_to_string(status);
  return WriteFileAtomically(pdf, data);
}

bool IsPdfExportCommand(int argc, char** argv) {
  return argc >= 2 && std::strcmp(argv[1], "--export-pdf") == 0;
}

int RunPdfExport(int argc, char** argv) {
  const std::vector<std::string> args(argv + 2, argv + argc);
  PdfRequest request;
  const std::string bad = ParsePdfArguments(args, request);
  if (!bad.empty()) {
    std::fprintf(stderr, "%s; %s\n", bad.c_str(), kUsage);
    return 1;
  }
  Layout layout;
  const LoadResult loaded = LoadLayout(layout, request.layout_file);
  if (!loaded.error.empty()) {
    std::fprintf(stderr, "Cannot read %s: %s\n", request.layout_file.c_str(), loaded.error.c_str());
    return 1;
  }
  EnsureDefaultLevel(layout);
  wxLogNull quiet;
  // Named as in the file, or after the file when it names none.
  const std::string name = loaded.name.empty()
                               ? std::filesystem::path(request.layout_file).stem().string()
                               : loaded.name;
  const std::string error = WriteLayoutPdf(layout, name, request.options, request.paper,
                                           request.portrait, request.pdf_file);
  if (!error.empty()) {
    std::fprintf(stderr, "Cannot write %s: %s\n", request.pdf_file.c_str(), error.c_str());
    return 1;
  }
  return 0;
}
