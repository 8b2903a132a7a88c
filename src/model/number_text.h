// Numbers as they appear in files: written and read the same way in every locale.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Plain decimal integer with a leading minus when negative.
void AppendInt(std::string& out, long long value);
// Fixed notation with exactly `decimals` digits after the point ("1200.0000").
// A value that is not finite is written as zero so that the text always reads back.
void AppendFixed(std::string& out, double value, int decimals);
std::string FixedText(double value, int decimals);

// The whole text must be the number: no blanks, no sign other than a leading minus,
// nothing after it, within range of the type, and finite.
bool ParseInt(std::string_view text, int& out);
bool ParseDouble(std::string_view text, double& out);

// The forms files are written in, inline for the reader's inner loop; false leaves the
// text to ParseInt and ParseDouble, which also take every other valid form.
// "-123" and the like with at most nine digits, which cannot overflow.
inline bool ParseShortInt(std::string_view text, int& out) {
  const std::size_t sign = !text.empty() && text[0] == '-' ? 1 : 0;
  if (text.size() <= sign || text.size() - sign > 9) return false;
  int v = 0;
  for (std::size_t i = sign; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    v = v * 10 + (text[i] - '0');
  }
  out = sign ? -v : v;
  return true;
}

// "-123.4567" and the like with at most 15 digits, the way files are written: the digits
// as an integer are exact in a double, and so is a power of ten up to 1e22, so one
// division rounds exactly as from_chars does. Anything else is left to from_chars.
inline bool ParsePlainDecimal(std::string_view text, double& out) {
  if (text.empty()) return false;
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
