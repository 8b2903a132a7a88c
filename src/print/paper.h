// Sheets of paper: the sizes printing knows by name, a sheet in printer pixels, and
// which sheet a printer's page is.
#pragma once

#include <optional>
#include <string>

struct Paper {
  const char* name;
  double width_mm;  // portrait
  double height_mm;
};

// The paper printing assumes when none is known.
inline constexpr Paper kA4Paper{"a4", 210.0, 297.0};

std::optional<Paper> FindPaper(const std::string& name);  // "a4", "a3", "letter"

struct PagePixels {
  int width = 0;
  int height = 0;
};
// The paper the way round it is printed, in pixels at `dpi`: each side rounded to the
// nearest pixel.
PagePixels PaperPixels(const Paper& paper, bool portrait, double dpi);

struct PaperOnPage {
  Paper paper;
  bool portrait = true;
};
// The sheet a printer's page of width_mm x height_mm is. Printers report their page a
// little short (in whole points, say), so a page within 2 mm of `named` either way
// round is that paper; any other page is a paper of its own size. Portrait when the
// page is no wider than it is high.
PaperOnPage PaperOfPage(const Paper& named, double width_mm, double height_mm);
