// Attribute lookup: the first blank + name + `="`, the value ends at the next quote.
#include "model/file_line.h"

#include <algorithm>

#include "model/number_text.h"

namespace {

// Calls visit(name, value) for each ` name="value"` in order until it returns true.
// Values are skipped whole, so text inside a value (a level named "Deck x=") is never
// taken for an attribute. An unclosed value ends the scan: it and the rest are empty.
template <typename Visit>
void ScanAttributes(std::string_view line, Visit visit) {
  std::size_t pos = 0;
  for (;;) {
    const std::size_t eq = line.find("=\"", pos);
    if (eq == std::string_view::npos) return;
    const std::size_t blank = line.substr(pos, eq - pos).rfind(' ');
    if (blank == std::string_view::npos || pos + blank + 1 == eq) {
      pos = eq + 1;  // not an attribute: no name after a blank
      continue;
    }
    const std::string_view name = line.substr(pos + blank + 1, eq - pos - blank - 1);
    const std::size_t start = eq + 2;
    const std::size_t end = line.find('"', start);
    if (end == std::string_view::npos) {
      visit(name, std::string_view{});
      return;
    }
    if (visit(name, line.substr(start, end - start))) return;
    pos = end + 1;
  }
}

}  // namespace

std::string_view RawAttribute(std::string_view line, std::string_view name) {
  std::string_view found;
  ScanAttributes(line, [&](std::string_view n, std::string_view v) {
    if (n != name) return false;
    found = v;
    return true;
  });
  return found;
}

FileLine::FileLine(std::string_view line, int number, std::string_view element, std::string& error)
    : line_(line), number_(number), element_(element), error_(error) {
  ScanAttributes(line, [this](std::string_view n, std::string_view v) {
    if (count_ == kTableSize) {
      overflow_ = true;
      return true;
    }
    table_[count_++] = {n, v};
    return false;
  });
}

std::string_view FileLine::Value(std::string_view name) const {
  for (int i = 0; i < count_; ++i)
    if (table_[i].name == name) return table_[i].value;
  return overflow_ ? RawAttribute(line_, name) : std::string_view{};
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

std::string FileLine::Text(std::string_view name) const {
  const std::string_view raw = Value(name);
  if (raw.find('&') == std::string_view::npos) return std::string(raw);
  return DecodeEntities(raw);
}

void FileLine::Fail(std::string_view name, std::string_view what) {
  if (!error_.empty()) return;
  error_ = "Line " + std::to_string(number_) + ": \"" + std::string(name) + "\" of <" +
           std::string(element_) + "> " + std::string(what);
}

int FileLine::Int(std::string_view name) {
  int v = 0;
  if (!ParseInt(Value(name), v)) Fail(name, "is missing or not a number.");
  return v;
}

double FileLine::Real(std::string_view name) {
  double v = 0;
  if (!ParseDouble(Value(name), v)) Fail(name, "is missing or not a number.");
  return v;
}

int FileLine::Int(std::string_view name, int fallback) {
  const std::string_view raw = Value(name);
  if (raw.empty()) return fallback;
  int v = fallback;
  if (!ParseInt(raw, v)) Fail(name, "is not a number.");
  return v;
}

double FileLine::Real(std::string_view name, double fallback) {
  const std::string_view raw = Value(name);
  if (raw.empty()) return fallback;
  double v = fallback;
  if (!ParseDouble(raw, v)) Fail(name, "is not a number.");
  return v;
}

std::uint8_t FileLine::Channel(std::string_view name, std::uint8_t fallback) {
  return static_cast<std::uint8_t>(std::clamp(Int(name, fallback), 0, 255));
}

int FileLine::IntIn(std::string_view name, int lo, int hi) {
  const int v = Int(name);
  if (error_.empty() && (v < lo || v > hi)) {
    Fail(name, "is out of range (" + std::to_string(lo) + " to " + std::to_string(hi) + ").");
    return lo;
  }
  return v;
}
