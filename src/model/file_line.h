// One line of a line-oriented file: attribute scanning and number reading with error
// texts that name the line. Shared by the layout and library block readers.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The value that starts at `start`, up to the next quote; returns where a scan goes on
// after its closing quote. An unclosed value is empty and ends the line.
inline std::size_t ValueAt(std::string_view line, std::size_t start, std::string_view& value) {
  const char* const s = line.data();
  const std::size_t n = line.size();
  std::size_t end = start;
  while (end < n && s[end] != '"') ++end;
  if (end == n) {
    value = {};
    return n;
  }
  value = std::string_view(s + start, end - start);
  return end + 1;
}

// The first ` name="value"` at or after `pos`: sets `name` and `value` and returns where
// the scan goes on, or npos when there is none. Values are skipped whole, so text inside
// a value (a level named "Deck x=") is never taken for an attribute.
inline std::size_t NextAttribute(std::string_view line, std::size_t pos, std::string_view& name,
                                 std::string_view& value) {
  // Byte loops rather than find(): names and values are a few bytes long.
  const char* const s = line.data();
  const std::size_t n = line.size();
  for (;;) {
    std::size_t eq = pos;
    std::size_t blank = std::string_view::npos;  // the last blank before `eq`
    for (; eq + 1 < n && !(s[eq] == '=' && s[eq + 1] == '"'); ++eq)
      if (s[eq] == ' ') blank = eq;
    if (eq + 1 >= n) return std::string_view::npos;
    if (blank == std::string_view::npos || blank + 1 == eq) {
      pos = eq + 1;  // not an attribute: no name after a blank
      continue;
    }
    name = std::string_view(s + blank + 1, eq - blank - 1);
    return ValueAt(line, eq + 2, value);
  }
}

// Calls visit(name, value) for each ` name="value"` in order until it returns true.
// An unclosed value ends the scan: it and the rest are empty.
template <typename Visit>
void ScanAttributes(std::string_view line, Visit visit) {
  std::string_view name;
  std::string_view value;
  for (std::size_t pos = 0;
       (pos = NextAttribute(line, pos, name, value)) != std::string_view::npos;)
    if (visit(name, value)) return;
}

// Text of the first ` name="` value on the line, up to the next quote, still encoded;
// empty when the attribute is missing or has no closing quote.
std::string_view RawAttribute(std::string_view line, std::string_view name);
// Turns &amp; &lt; &gt; &quot; back into their characters (one pass, left to right).
std::string DecodeEntities(std::string_view raw);

// Reads the values of one line's attributes. Each read takes the attribute's name (for
// the error text) and its value as written, still encoded ("" when it is missing).
class FileLine {
 public:
  // `element` names the element in error texts ("piece" gives "<piece>"); the first
  // error of any read is kept in `error`, later ones are ignored.
  FileLine(std::string_view line, int number, std::string_view element, std::string& error)
      : line_(line), number_(number), element_(element), error_(error) {}

  std::string_view line() const { return line_; }
  // The attribute has a non-empty value.
  bool Present(std::string_view name) const { return !RawAttribute(line_, name).empty(); }
  static std::string Text(std::string_view raw);

  // Required numbers: a missing or malformed value is an error.
  int Int(std::string_view name, std::string_view raw);
  double Real(std::string_view name, std::string_view raw);
  // Optional numbers: an empty value gives `fallback`, a malformed one is an error.
  int Int(std::string_view name, std::string_view raw, int fallback);
  double Real(std::string_view name, std::string_view raw, double fallback);
  // Optional colour channel, held to 0..255.
  std::uint8_t Channel(std::string_view name, std::string_view raw, std::uint8_t fallback);
  // Required integer that must lie in [lo, hi].
  int IntIn(std::string_view name, std::string_view raw, int lo, int hi);

  void Fail(std::string_view name, std::string_view what);

 private:
  std::string_view line_;
  int number_;
  std::string_view element_;
  std::string& error_;
};
