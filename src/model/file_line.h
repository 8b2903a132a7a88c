// One line of a line-oriented file: marker tests, attribute lookup and number reading
// with error texts that name the line. Shared by the layout and library block readers.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Text of the first ` name="` value on the line, up to the next quote, still encoded;
// empty when the attribute is missing or has no closing quote. Earlier values are
// skipped whole: the pattern inside another attribute's value does not count.
std::string_view RawAttribute(std::string_view line, std::string_view name);
// Turns &amp; &lt; &gt; &quot; back into their characters (one pass, left to right).
std::string DecodeEntities(std::string_view raw);

class FileLine {
 public:
  // `element` names the element in error texts ("piece" gives "<piece>"); the first
  // error of any read is kept in `error`, later ones are ignored.
  FileLine(std::string_view line, int number, std::string_view element, std::string& error);

  bool Has(std::string_view marker) const { return line_.find(marker) != std::string_view::npos; }
  // The attribute's value as written, still encoded; empty when it is missing.
  std::string_view Value(std::string_view name) const;
  // The attribute has a non-empty value.
  bool Present(std::string_view name) const { return !Value(name).empty(); }
  std::string Text(std::string_view name) const;

  // Required numbers: a missing or malformed value is an error.
  int Int(std::string_view name);
  double Real(std::string_view name);
  // Optional numbers: an empty value gives `fallback`, a malformed one is an error.
  int Int(std::string_view name, int fallback);
  double Real(std::string_view name, double fallback);
  // Optional colour channel, held to 0..255.
  std::uint8_t Channel(std::string_view name, std::uint8_t fallback);
  // Required integer that must lie in [lo, hi].
  int IntIn(std::string_view name, int lo, int hi);

  void Fail(std::string_view name, std::string_view what);

 private:
  // The line's attributes, looked up by name; a line with more falls back to a scan.
  struct Attribute {
    std::string_view name;
    std::string_view value;
  };
  static constexpr int kTableSize = 24;

  Attribute table_[kTableSize];
  int count_ = 0;
  bool overflow_ = false;
  std::string_view line_;
  int number_;
  std::string_view element_;
  std::string& error_;
};
