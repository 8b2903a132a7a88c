#include "model/units.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "model/number_text.h"
#include "model/text.h"

const double kMmPerInch = 25.4;

Units Units::Of(int code) {
  return Units(code == kCentimetres ? kCentimetres : code == kInches ? kInches : kMillimetres);
}

double Units::factor() const {
  return code_ == kCentimetres ? 10.0 : code_ == kInches ? kMmPerInch : 1.0;
}

const char* Units::abbreviation() const {
  return code_ == kCentimetres ? "cm" : code_ == kInches ? "in" : "mm";
}

const char* Units::mark() const {
  return code_ == kInches ? "\"" : abbreviation();
}

int Units::decimals() const {
  return code_ == kCentimetres ? 1 : code_ == kInches ? 2 : 0;
}

std::string Units::Number(double mm, int decimals) const {
  char buf[400];  // the largest double has 309 digits before the point
  const auto r =
      std::to_chars(buf, buf + sizeof buf, mm / factor(), std::chars_format::fixed, decimals);
  if (r.ec != std::errc()) return "?";
  return std::string(buf, r.ptr);
}

std::string Units::Text(double mm) const {
  return Number(mm, decimals()) + " " + abbreviation();
}

std::string Units::MarkedText(double mm) const {
  return Number(mm, decimals()) + (code_ == kInches ? "" : " ") + mark();
}

std::optional<double> Units::ParseLength(std::string_view text) const {
  std::string s = Trim(text);
  std::replace(s.begin(), s.end(), ',', '.');
  if (!s.empty() && s.front() == '+') s.erase(0, 1);
  double v = 0;
  if (!ParseDouble(s, v)) return std::nullopt;
  const double mm = v * factor();
  if (!std::isfinite(mm)) return std::nullopt;
  return mm;
}
