// Number text through std::to_chars / std::from_chars, which never look at the locale.
#include "model/number_text.h"

#include <charconv>
#include <cmath>
#include <cstdint>
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

namespace {

// "-123.4567" and the like with at most 15 digits, the way files are written: the digits
// as an integer are exact in a double, and so is a power of ten up to 1e22, so one
// division rounds exactly as from_chars does. Anything else is left to from_chars.
bool ParsePlainDecimal(std::string_view text, double& out) {
  const char* p = text.data();
  const char* const end = p + text.size();
  const bool minus = *p == '-';
  p += minus;
  // Digits past 19 wrap the integer, but such text has too many digits and is refused.
  std::uint64_t digits = 0;
  const char* const whole = p;
  for (; p < end && static_cast<unsigned>(*p - '0') < 10; ++p)
    digits = digits * 10 + static_cast<unsigned>(*p - '0');
  const std::size_t whole_digits = static_cast<std::size_t>(p - whole);
  std::size_t decimals = 0;
  if (whole_digits == 0) return false;
  if (p < end) {
    if (*p++ != '.') return false;
    const char* const fraction = p;
    for (; p < end && static_cast<unsigned>(*p - '0') < 10; ++p)
      digits = digits * 10 + static_cast<unsigned>(*p - '0');
    decimals = static_cast<std::size_t>(p - fraction);
    if (decimals == 0 || p != end) return false;
  }
  if (whole_digits + decimals > 15) return false;
  static constexpr double kPowers[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                       1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
  const double v = static_cast<double>(digits) / kPowers[decimals];
  out = minus ? -v : v;
  return true;
}

}  // namespace

bool ParseInt(std::string_view text, int& out) {
  if (text.empty()) return false;
  // Up to nine digits cannot overflow: the common case without from_chars.
  const std::size_t sign = text[0] == '-' ? 1 : 0;
  if (text.size() > sign && text.size() - sign <= 9) {
    int v = 0;
    std::size_t i = sign;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) v = v * 10 + (text[i] - '0');
    if (i == text.size()) {
      out = sign ? -v : v;
      return true;
    }
    return false;
  }
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
