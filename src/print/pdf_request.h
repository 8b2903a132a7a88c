// `vantrel --export-pdf FILE OUT.pdf [options]`: the reading of the command line into
// print options, paper and orientation.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "print/paper.h"
#include "print/print_layout.h"

// The PDF pages are laid out at this many pixels per inch (the printer resolution).
inline constexpr double kPdfDpi = 600.0;

struct PdfRequest {
  std::string layout_file;
  std::string pdf_file;
  PrintOptions options;
  Paper paper = kA4Paper;
  bool portrait = false;  // landscape unless asked, as the print data starts
};

// The arguments after "--export-pdf"; "" when they make a request, else the message.
std::string ParsePdfArguments(const std::vector<std::string>& args, PdfRequest& out);
