#include "print/paper.h"

#include <algorithm>
#include <cmath>

#include "model/units.h"

namespace {

constexpr Paper kPapers[] = {kA4Paper, {"a3", 297.0, 420.0}, {"letter", 215.9, 279.4}};
constexpr double kPageToleranceMm = 2.0;

}  // namespace

std::optional<Paper> FindPaper(const std::string& name) {
  for (const Paper& p : kPapers)
    if (name == p.name) return p;
  return std::nullopt;
}

PagePixels PaperPixels(const Paper& paper, bool portrait, double dpi) {
  const int short_side = static_cast<int>(std::lround(paper.width_mm / kMmPerInch * dpi));
  const int long_side = static_cast<int>(std::lround(paper.height_mm / kMmPerInch * dpi));
  return portrait ? PagePixels{short_side, long_side} : PagePixels{long_side, short_side};
}

PaperOnPage PaperOfPage(const Paper& named, double width_mm, double height_mm) {
  const bool portrait = width_mm <= height_mm;
  const double short_side = std::min(width_mm, height_mm);
  const double long_side = std::max(width_mm, height_mm);
  const double named_short = std::min(named.width_mm, named.height_mm);
  const double named_long = std::max(named.width_mm, named.height_mm);
  if (std::fabs(short_side - named_short) <= kPageToleranceMm &&
      std::fabs(long_side - named_long) <= kPageToleranceMm)
    return {named, portrait};
  return {{"page", short_side, long_side}, portrait};
}
