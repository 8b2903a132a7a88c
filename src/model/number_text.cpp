// Number text through std::to_chars / std::from_chars, which never look at the locale.
#include "model/number_text.h"

#include <charconv>
#include <cmath>
#include <system_error>

void AppendInt(std::string& out, long long value) {
  char buf[24];
  const auto r = std::to_chars(buf, buf + sizeof buf, value);
  out.append(buf, r.ptr);
}

void AppendFixed(std::string& out, double value, int decimals) {
  if (!std::isfinite(value)) value = 0.0;
  // The largest double has 309 digits before the point.
  char buf[400];
  const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
  if (r.ec == std::errc()) out.append(buf, r.ptr);
}

std::string FixedText(double value, int decimals) {
  std::string s;
  AppendFixed(s, value, decimals);
  return s;
}

bool ParseInt(std::string_view text, int& out) {
  if (text.empty()) return false;
  if (ParseShortInt(text, out)) return true;
  // Up to nine digits cannot overflow: what the short form refused there is no number.
  if (text.size() - (text[0] == '-' ? 1 : 0) <= 9) return false;
  int v = 0;
  const auto r = std::from_chars(text.data(), text.data() + text.size(), v);
  if (r.ec != std::errc() || r.ptr != text.data() + text.size()) return false;
  out = v;
  return true;
}

bool ParseDouble(std::string_view text, double& out) {
  if (text.empty()) return false;
  if (ParsePlainDecimal(text, out)) return true;
  double v = 0;
  const auto r = std::from_chars(text.data(), text.data() + text.size(), v);
  if (r.ec != std::errc() || r.ptr != text.data() + text.size() || !std::isfinite(v)) return false;
  out = v;
  return true;
}
