// The unit of measure lengths are shown and typed in. A layout keeps it as a code in
// Layout.units: 0 millimetres, 1 centimetres, 2 inches; any other code means millimetres.
#pragma once

#include <optional>
#include <string>
#include <string_view>

// Millimetres per inch: the inch unit, and printer resolutions in dots per inch.
extern const double kMmPerInch;

class Units {
 public:
  enum Code : int { kMillimetres = 0, kCentimetres = 1, kInches = 2 };

  // The unit a stored code stands for.
  static Units Of(int code);

  Code code() const { return code_; }
  // Millimetres per unit: 1, 10 or kMmPerInch.
  double factor() const;
  // "mm", "cm" or "in", as field labels, the level list and the status bar name it.
  const char* abbreviation() const;
  // "mm", "cm" or the inch sign ", as canvas lengths, ruler labels and the polygon
  // tool's length prompt mark it.
  const char* mark() const;
  // The decimals a length shows with: 0 for mm, 1 for cm, 2 for inches.
  int decimals() const;

  // `mm` in this unit with `decimals` digits after the point, in every locale alike.
  std::string Number(double mm, int decimals) const;
  // "1200 mm", "120.0 cm", "47.24 in".
  std::string Text(double mm) const;
  // "1200 mm", "120.0 cm", "47.24"": how the canvas writes a length.
  std::string MarkedText(double mm) const;
  // A length typed in this unit, in millimetres: blanks around it, a point or a comma
  // as the decimal mark and a leading plus are fine; nullopt for empty, non-numeric or
  // non-finite text.
  std::optional<double> ParseLength(std::string_view text) const;

 private:
  explicit Units(Code code) : code_(code) {}
  Code code_;
};
