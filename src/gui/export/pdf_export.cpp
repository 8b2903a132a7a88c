#include "gui/export/pdf_export.h"

#include <wx/image.h>
#include <wx/log.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "gui/draw/background_picture.h"
#include "gui/export/pdf_fonts.h"
#include "model/atomic_file.h"
#include "model/layout_file.h"
#include "model/layout_ops.h"
#include "model/number_text.h"
#include "model/translate.h"
#include "print/page_printer.h"
#include "print/pdf_file.h"
#include "view/view_transform.h"

namespace {

// One line, as every export's message: scripts read the first line of what failed.
constexpr const char* kUsage =
    "usage: vantrel --export-pdf LAYOUT.vtl OUT.pdf [--fit | --scale N | --percent P] "
    "[--all-levels] [--grayscale] [--grid] [--no-baseboard] [--paper a4|a3|letter] "
    "[--portrait]";

// The layout's background picture in the PDF: read once, kept once in the file, and
// placed on every page that shows it.
class PdfPicture {
 public:
  explicit PdfPicture(PdfFile& file) : file_(file) {}

  RenderContext::Underlay UnderlayOn(PdfPage*& page) {
    return [this, &page](Painter&, const Layout& layout, const ViewTransform& view, int, int) {
      const BackgroundImage& image = *layout.background;
      const PicturePlace place = PlacePicture(image, view);
      if (!page || !(place.px > 0) || !Load(image.path)) return;
      page->DrawImage(image_, place.left, place.top, width_ * place.px, height_ * place.px,
                      image.opacity);
    };
  }

 private:
  bool Load(const std::string& path) {
    if (path == path_) return image_ >= 0;
    path_ = path;
    image_ = -1;
    if (!BackgroundPicture::Readable(path)) return false;
    wxLogNull quiet;  // a broken picture was told of when the layout opened
    wxImage picture(wxString::FromUTF8(path));
    if (!picture.IsOk()) return false;
    width_ = picture.GetWidth();
    height_ = picture.GetHeight();
    image_ = file_.AddImage(picture.GetData(), picture.HasAlpha() ? picture.GetAlpha() : nullptr,
                            width_, height_);
    return true;
  }

  PdfFile& file_;
  std::string path_;
  int image_ = -1;
  int width_ = 0, height_ = 0;
};

}  // namespace

std::string WriteLayoutPdf(const Layout& layout, const std::string& name,
                           const PrintOptions& options, const Paper& paper, bool portrait,
                           const std::filesystem::path& pdf, const PageProgress& progress) {
  const PagePlan plan = PlanPrint(layout, options, paper, portrait, kPdfDpi);
  if (plan.pages > kMostPages) {
    return "the printout would need " + FixedText(plan.pages, 0) + Tr(" pages; at most ") +
           std::to_string(kMostPages) + " are written";
  }
  PagePrinter printer(layout, name, options);
  printer.Plan(plan);

  const double pt = 72.0 / kPdfDpi;
  PangoPdfFonts fonts(kPdfDpi);
  PdfFile file(plan.width * pt, plan.height * pt, kPdfDpi, fonts,
               name.empty() ? Tr("Vantrel Layout") : name);
  PdfPicture picture(file);
  PdfPage* page = nullptr;
  printer.SetUnderlay(picture.UnderlayOn(page));
  for (int n = 1; n <= printer.pages(); ++n) {
    page = &file.BeginPage();
    OutlineThinner painter(*page);
    // A stopped export writes nothing: the file at the path stays as it was.
    if (!printer.DrawPage(painter, n, progress)) return kPdfExportCancelled;
    file.EndPage();
  }
  return WriteFileAtomically(pdf, file.Finish());
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
