// Attribute lookup: the first blank + name + `="`, the value ends at the next quote.
#include "model/file_line.h"

#include <algorithm>

#include "model/number_text.h"
#include "model/translate.h"

std::string_view RawAttribute(std::string_view line, std::string_view name) {
  std::string_view found;
  ScanAttributes(line, [&](std::string_view n, std::string_view v) {
    if (n != name) return false;
    found = v;
    return true;
  });
  return found;
}

std::string DecodeEntities(std::string_view raw) {
  std::string out;
  out.reserve(raw.size());
  for (std::size_t i = 0; i < raw.size();) {
    if (raw[i] == '&') {
      const std::string_view rest = raw.substr(i);
      if (rest.starts_with("&amp;")) {
        out += '&';
        i += 5;
        continue;
      }
      if (rest.starts_with("&lt;")) {
        out += '<';
        i += 4;
        continue;
      }
      if (rest.starts_with("&gt;")) {
        out += '>';
        i += 4;
        continue;
      }
      if (rest.starts_with("&quot;")) {
        out += '"';
        i += 6;
        continue;
      }
    }
    out += raw[i++];
  }
  return out;
}

std::string FileLine::Text(std::string_view raw) {
  if (raw.find('&') == std::string_view::npos) return std::string(raw);
  return DecodeEntities(raw);
}

void FileLine::Fail(std::string_view name, std::string_view what) {
  if (!error_.empty()) return;
  error_ =
      Subst(Tr("Line %1: \"%2\" of <%3> %4"), {std::to_string(number_), name, element_, Tr(what)});
}

int FileLine::Int(std::string_view name, std::string_view raw) {
  int v = 0;
  if (!ParseInt(raw, v)) Fail(name, TrMark("is missing or not a number."));
  return v;
}

double FileLine::Real(std::string_view name, std::string_view raw) {
  double v = 0;
  if (!ParseDouble(raw, v)) Fail(name, TrMark("is missing or not a number."));
  return v;
}

int FileLine::Int(std::string_view name, std::string_view raw, int fallback) {
  if (raw.empty()) return fallback;
  int v = fallback;
  if (!ParseInt(raw, v)) Fail(name, TrMark("is not a number."));
  return v;
}

double FileLine::Real(std::string_view name, std::string_view raw, double fallback) {
  if (raw.empty()) return fallback;
  double v = fallback;
  if (!ParseDouble(raw, v)) Fail(name, TrMark("is not a number."));
  return v;
}

std::uint8_t FileLine::Channel(std::string_view name, std::string_view raw, std::uint8_t fallback) {
  return static_cast<std::uint8_t>(std::clamp(Int(name, raw, fallback), 0, 255));
}

int FileLine::IntIn(std::string_view name, std::string_view raw, int lo, int hi) {
  const int v = Int(name, raw);
  if (error_.empty() && (v < lo || v > hi)) {
    Fail(name, Subst(Tr("is out of range (%1 to %2)."), {std::to_string(lo), std::to_string(hi)}));
    return lo;
  }
  return v;
}
