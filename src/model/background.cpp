// The picture under the plan.
#include "model/background.h"

#include <cmath>

namespace fs = std::filesystem;

std::string StoredImagePath(const std::string& image, const fs::path& layout_file) {
  const fs::path abs = fs::path(image).lexically_normal();
  if (layout_file.empty() || !abs.is_absolute()) return abs.generic_string();
  const fs::path folder = fs::absolute(layout_file).parent_path().lexically_normal();
  const fs::path rel = abs.lexically_relative(folder);
  if (rel.empty()) return abs.generic_string();
  return rel.generic_string();
}

std::string OpenedImagePath(const std::string& stored, const fs::path& layout_file) {
  const fs::path p(stored);
  if (p.is_absolute() || layout_file.empty()) return p.lexically_normal().string();
  return (fs::absolute(layout_file).parent_path() / p).lexically_normal().string();
}

std::string MissingImageText(const std::string& path) {
  return "The background image " + path + " was not found. The layout opens without it.";
}

std::optional<BackgroundImage> ScaledBetween(const BackgroundImage& image, Point a, Point b,
                                             double real_mm) {
  const double drawn = std::hypot(b.x - a.x, b.y - a.y);
  if (!(drawn >= 1.0) || !(real_mm > 0) || !std::isfinite(real_mm)) return std::nullopt;
  const double k = real_mm / drawn;
  BackgroundImage out = image;
  out.mm_per_px = image.mm_per_px * k;
  out.x = a.x + (image.x - a.x) * k;
  out.y = a.y + (image.y - a.y) * k;
  return out;
}
