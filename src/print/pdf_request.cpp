#include "print/pdf_request.h"

#include <utility>

#include "model/number_text.h"

namespace {

constexpr int kLargestScale = 1000;  // as in the print options

bool ParseInRange(const std::string& text, int& out) {
  int v = 0;
  if (!ParseInt(text, v) || v < 1 || v > kLargestScale) return false;
  out = v;
  return true;
}

}  // namespace

std::string ParsePdfArguments(const std::vector<std::string>& args, PdfRequest& out) {
  PdfRequest r;
  std::vector<std::string> files;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    const bool has_value = i + 1 < args.size();
    if (a == "--fit") {
      r.options.scaling = PrintScaling::FitToPage;
    } else if (a == "--scale" || a == "--percent") {
      int v = 0;
      if (!has_value || !ParseInRange(args[i + 1], v))
        return "Bad " + a + " value \"" + (has_value ? args[i + 1] : "") +
               "\": give a whole number from 1 to 1000.";
      r.options.scaling = a == "--scale" ? PrintScaling::ActualScale : PrintScaling::Percentage;
      (a == "--scale" ? r.options.scale_n : r.options.percent) = v;
      ++i;
    } else if (a == "--paper") {
      const auto paper = has_value ? FindPaper(args[i + 1]) : std::nullopt;
      if (!paper)
        return "Bad paper \"" + (has_value ? args[i + 1] : std::string()) +
               "\": give a4, a3 or letter.";
      r.paper = *paper;
      ++i;
    } else if (a == "--all-levels") {
      r.options.levels = PrintLevels::All;
    } else if (a == "--grayscale") {
      r.options.color = PrintColor::Greyscale;
    } else if (a == "--grid") {
      r.options.grid = true;
    } else if (a == "--no-baseboard") {
      r.options.baseboard = false;
    } else if (a == "--portrait") {
      r.portrait = true;
    } else if (a.size() > 1 && a[0] == '-' && a[1] == '-') {
      return "Unknown option " + a + ".";
    } else {
      files.push_back(a);
    }
  }
  if (files.size() != 2) return "Give a layout file and a PDF file.";
  r.layout_file = files[0];
  r.pdf_file = files[1];
  out = std::move(r);
  return {};
}
