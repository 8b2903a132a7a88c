// `vantrel --export-pdf FILE OUT.pdf [options]`: the paper sizes and the reading of the
// command line into print options, paper and orientation.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "print/print_layout.h"

struct Paper {
  const char* name;
  double width_mm;  // portrait
  double height_mm;
};

std::optional<Paper> FindPaper(const std::string& name);  // "a4", "a3", "letter"

// The PDF pages are laid out at this many pixels per inch (the printer resolution).
inline constexpr double kPdfDpi = 600.0;

struct PdfRequest {
  std::string layout_file;
  std::string pdf_file;
  PrintOptions options;
  Paper paper{"a4", 210.0, 297.0};
  bool portrait = false;  // landscape unless asked, as the print data starts
};

// Page size in pixels at `dpi` for the paper the way round it is printed.
void PaperPixels(const Paper& paper, bool portrait, double dpi, int& width, int& height);

// The arguments after "--export-pdf"; "" when they make a request, else the message.
std::string ParsePdfArguments(const std::vector<std::string>& args, PdfRequest& out);
