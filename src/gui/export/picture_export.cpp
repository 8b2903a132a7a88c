// Picture export: load, fit like "Zoom to Fit", draw with DrawLayout, write PNG or SVG.
#include "gui/export/picture_export.h"

#include <unistd.h>
#include <wx/bitmap.h>
#include <wx/dcmemory.h>
#include <wx/dcsvg.h>
#include <wx/image.h>
#include <wx/log.h>
#include <wx/mstream.h>

#include <charconv>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "gui/draw/wx_painter.h"
#include "gui/wx_text.h"
#include "model/atomic_file.h"
#include "model/layout_file.h"
#include "model/layout_ops.h"
#include "render/render.h"
#include "view/view_transform.h"

namespace {

constexpr const char* kUsage =
    "usage: vantrel --export-png|--export-svg LAYOUT.vtl OUT [--size WIDTHxHEIGHT] (1400x900 "
    "unless given)\n";

bool ParseSide(const char* first, const char* last, int& out) {
  int v = 0;
  const auto r = std::from_chars(first, last, v);
  if (r.ec != std::errc() || r.ptr != last) return false;
  if (v < kMinPictureSide || v > kMaxPictureSide) return false;
  out = v;
  return true;
}

void Draw(wxDC& dc, const Layout& layout, PictureSize size) {
  ViewTransform v;
  FitToLayout(v, layout, false, size.width, size.height);
  RenderContext rc;
  WxPainter painter(dc);
  DrawLayout(rc, painter, layout, v, size.width, size.height);
}

std::string WritePng(const Layout& layout, const std::filesystem::path& picture, PictureSize size) {
  wxBitmap bitmap(size.width, size.height, 24);
  if (!bitmap.IsOk()) return "cannot make a picture of that size";
  {
    wxMemoryDC dc(bitmap);
    Draw(dc, layout, size);
  }
  wxMemoryOutputStream png;
  if (!bitmap.ConvertToImage().SaveFile(png, wxBITMAP_TYPE_PNG)) return "PNG encoding failed";
  std::string data(static_cast<std::size_t>(png.GetLength()), '\0');
  png.CopyTo(data.data(), data.size());
  return WriteFileAtomically(picture, data);
}

std::string WriteSvg(const Layout& layout, const std::filesystem::path& picture, PictureSize size) {
  // The SVG context writes as it goes; it writes to a private file that then replaces
  // the target in one step.
  std::random_device rd;
  const std::filesystem::path scratch =
      std::filesystem::temp_directory_path() /
      ("vantrel-" + std::to_string(getpid()) + "-" + std::to_string(rd()) + ".svg");
  {
    wxSVGFileDC dc(ToWx(scratch.string()), size.width, size.height, 96.0, "Vantrel layout");
    if (!dc.IsOk()) return "cannot write a temporary file in " + scratch.parent_path().string();
    Draw(dc, layout, size);
  }
  std::string data;
  const bool read = ReadWholeFile(scratch, data).empty();
  std::error_code ec;
  std::filesystem::remove(scratch, ec);
  if (!read || data.empty()) return "the SVG drawing could not be written";
  return WriteFileAtomically(picture, data);
}

}  // namespace

bool ParsePictureSize(const std::string& text, PictureSize& out) {
  const std::size_t x = text.find('x');
  if (x == std::string::npos) return false;
  PictureSize s;
  const char* begin = text.data();
  if (!ParseSide(begin, begin + x, s.width) ||
      !ParseSide(begin + x + 1, begin + text.size(), s.height))
    return false;
  out = s;
  return true;
}

std::string ExportPicture(const std::filesystem::path& layout_file,
                          const std::filesystem::path& picture, PictureFormat format,
                          PictureSize size) {
  Layout layout;
  const LoadResult loaded = LoadLayout(layout, layout_file);
  if (!loaded.error.empty()) return "Cannot read " + layout_file.string() + ": " + loaded.error;
  EnsureDefaultLevel(layout);
  wxLogNull quiet;  // errors come back as text, never as message boxes
  const std::string error = format == PictureFormat::Png ? WritePng(layout, picture, size)
                                                         : WriteSvg(layout, picture, size);
  if (!error.empty()) return "Cannot write " + picture.string() + ": " + error;
  return {};
}

bool IsPictureExportCommand(int argc, char** argv) {
  return argc >= 2 &&
         (std::strcmp(argv[1], "--export-png") == 0 || std::strcmp(argv[1], "--export-svg") == 0);
}

bool ParseExportArguments(int argc, char** argv, std::vector<std::string>& files,
                          PictureSize& size) {
  for (int i = 2; i < argc; ++i) {
    if (std::strcmp(argv[i], "--size") == 0) {
      if (i + 1 >= argc || !ParsePictureSize(argv[i + 1], size)) {
        std::fprintf(stderr,
                     "Bad picture size \"%s\": give WIDTHxHEIGHT, each side %d to %d pixels.\n",
                     i + 1 < argc ? argv[i + 1] : "", kMinPictureSide, kMaxPictureSide);
        return false;
      }
      ++i;
    } else {
      files.emplace_back(argv[i]);
    }
  }
  return true;
}

int RunPictureExport(int argc, char** argv) {
  const PictureFormat format =
      std::strcmp(argv[1], "--export-png") == 0 ? PictureFormat::Png : PictureFormat::Svg;
  std::vector<std::string> files;
  PictureSize size;
  if (!ParseExportArguments(argc, argv, files, size)) return 1;
  if (files.size() != 2) {
    std::fputs(kUsage, stderr);
    return 1;
  }
  if (format == PictureFormat::Png) wxImage::AddHandler(new wxPNGHandler);
  const std::string error = ExportPicture(files[0], files[1], format, size);
  if (!error.empty()) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }
  return 0;
}
