// The baseboard shape dialog's rules: the shapes and their fields, the initial values,
// the outline formulas and Apply, without any window.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "app/prompter.h"
#include "model/layout.h"

enum BaseboardShape : int {
  kBoardRectangle = 0,
  kBoardL = 1,
  kBoardU = 2,
  kBoardT = 3,
  kBoardCustom = 4,
  kBoardFreeForm = 5,
  kBoardClear = 6,
  kBoardShapeCount = 7,
};

inline constexpr int kBoardMinSize = 1;
inline constexpr int kBoardMaxSize = 99000;

struct BoardShapeInfo {
  const char* name;         // the entry of the "Shape:" choice
  const char* description;  // the first line of the fields panel
  int fields;               // dimension rows: 0, 2 or 4
  std::array<const char*, 4> labels;
  std::array<double, 4> defaults_mm;
};

const BoardShapeInfo& BoardShape(int shape);

// The choice the dialog opens on: the stored last shape when it is a valid entry.
int InitialBoardShape(const Layout& layout);
// The dimensions a shape opens with: the stored values when the shape is the last one
// applied, else the defaults, in millimetres and as shown in the display unit with its
// decimals (0 mm, 1 cm, 2 in), clamped to 1 ... 99,000.
struct BoardValues {
  std::array<double, 4> shown{};
  std::array<double, 4> mm{};
};
BoardValues InitialBoardValues(const Layout& layout, int shape);
// The custom text: the baseboard's vertices ("%.2f,%.2f" lines in the display unit), or
// a 2400 x 1200 mm rectangle when there is none.
std::string InitialCustomText(const std::vector<Point>& baseboard, int units);

// Outline formulas, millimetres in and out.
std::vector<Point> RectangleOutline(double w, double h);
std::vector<Point> LShapeOutline(double w1, double h1, double w2, double h2);
std::vector<Point> UShapeOutline(double w, double h, double w2, double h2);
std::vector<Point> TShapeOutline(double w, double h1, double w2, double h2);
// "x,y" lines in the display unit; false for a line that does not read as two finite
// numbers of at most kBoardMaxSize each, or for fewer than 3 vertices.
bool ParseCustomOutline(const std::string& text, int units, std::vector<Point>& out);

struct BaseboardInput {
  int shape = 0;
  std::array<double, 4> values{};  // spin values in the display unit
  // What the spins opened with: a value the user left as it was keeps its millimetres
  // exactly, so reopening the dialog and pressing Apply changes nothing.
  BoardValues initial;
  std::string custom_text;
  // The text the custom box was filled with, and the vertices it stands for: Apply of an
  // unchanged text keeps them exactly.
  std::string initial_custom_text;
  std::vector<Point> initial_baseboard;
};

struct BaseboardResult {
  bool accepted = false;  // false: a message was shown and the dialog stays open
  bool free_form = false;
  std::vector<Point> outline;
};

// Apply: computes the outline and stores the last shape in the layout; the baseboard
// itself is left to the caller.
BaseboardResult ApplyBaseboardDialog(Layout& layout, const BaseboardInput& in, Prompter& prompter);
// What the main window does after OK: free-form enters baseboard drawing (the caller
// switches the canvas); otherwise the baseboard is replaced. True when it changed.
bool StoreBaseboard(Layout& layout, const BaseboardResult& result);
