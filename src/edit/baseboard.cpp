// Baseboard outlines from the shape dialog's values.
#include "edit/baseboard.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "catalog/text_mark.h"
#include "model/number_text.h"
#include "model/text.h"
#include "model/units.h"

namespace {

const BoardShapeInfo kShapes[kBoardShapeCount] = {
    {TrMark("Rectangle"),
     TrMark("Simple rectangular baseboard:"),
     2,
     {TrMark("Width (left to right):"), TrMark("Depth (top to bottom):"), "", ""},
     {2400, 1200, 0, 0}},
    {TrMark("L-Shape"),
     TrMark(
         "L-Shape: full rectangle minus bottom-right corner.\nW1/H1 = full size,  W2/H2 = cutout "
         "(bottom-right)."),
     4,
     {TrMark("Full width  W1:"), TrMark("Full depth  H1:"), TrMark("Cutout width  W2:"),
      TrMark("Cutout depth  H2:")},
     {2400, 2400, 1200, 1200}},
    {TrMark("U-Shape"),
     TrMark(
         "U-Shape: rectangle with notch cut from bottom centre.\nW/H = outer size,  W2/H2 = notch "
         "(centred on bottom)."),
     4,
     {TrMark("Outer width  W:"), TrMark("Outer depth  H:"), TrMark("Notch width  W2:"),
      TrMark("Notch depth  H2:")},
     {3600, 2400, 1200, 1200}},
    {TrMark("T-Shape"),
     TrMark("T-Shape: wide top bar plus narrower stem below.\nW/H1 = top bar,  W2/H2 = stem "
            "(centred)."),
     4,
     {TrMark("Top width  W:"), TrMark("Top depth  H1:"), TrMark("Stem width  W2:"),
      TrMark("Stem depth  H2:")},
     {3600, 1200, 1200, 1200}},
    {TrMark("Custom polygon (vertices)"),
     TrMark("Enter polygon vertices as  x,y  pairs, one per line.\nValues are in the unit selected "
            "above.\nExample (mm):  0,0  /  2400,0  /  2400,1200  /  0,1200"),
     0,
     {"", "", "", ""},
     {0, 0, 0, 0}},
    {TrMark("Free-form (draw on canvas)"),
     TrMark(
         "Click OK and then click vertices on the canvas to outline the baseboard.\nClose the "
         "shape "
         "by clicking near the first vertex or pressing Enter.\nBackspace removes the last vertex; "
         "Escape cancels."),
     0,
     {"", "", "", ""},
     {0, 0, 0, 0}},
    {TrMark("Clear (no baseboard)"),
     TrMark("Remove the baseboard outline from the canvas."),
     0,
     {"", "", "", ""},
     {0, 0, 0, 0}},
};

}  // namespace

const BoardShapeInfo& BoardShape(int shape) {
  return kShapes[std::clamp(shape, 0, kBoardShapeCount - 1)];
}

int InitialBoardShape(const Layout& layout) {
  const int id = layout.lastshape.id;
  return id >= 0 && id < kBoardShapeCount ? id : 0;
}

BoardValues InitialBoardValues(const Layout& layout, int shape) {
  const LastShape& s = layout.lastshape;
  const bool stored = s.id == shape;
  const std::array<double, 4> stored_mm{s.w_mm, s.h_mm, s.w2_mm, s.h2_mm};
  const Units units = Units::Of(layout.units);
  const double scale = std::pow(10.0, units.decimals());
  BoardValues out;
  for (std::size_t i = 0; i < 4; ++i) {
    double mm = stored ? stored_mm[i] : BoardShape(shape).defaults_mm[i];
    double v = mm / units.factor();
    if (!std::isfinite(v)) v = kBoardMinSize;
    v = std::clamp(std::round(v * scale) / scale, double{kBoardMinSize}, double{kBoardMaxSize});
    out.shown[i] = v;
    // A stored value the spins cannot show (out of range) is what they show.
    out.mm[i] = std::isfinite(mm) && std::fabs(mm / units.factor() - v) < 1.0 / scale
                    ? mm
                    : v * units.factor();
  }
  return out;
}

std::string InitialCustomText(const std::vector<Point>& baseboard, int units) {
  const double f = Units::Of(units).factor();
  std::string text;
  if (baseboard.empty()) {
    const std::string w = FixedText(2400 / f, 0), h = FixedText(1200 / f, 0);
    return "0,0\n" + w + ",0\n" + w + "," + h + "\n0," + h + "\n";
  }
  for (const Point& p : baseboard) {
    text += FixedText(p.x / f, 2) + "," + FixedText(p.y / f, 2) + "\n";
  }
  return text;
}

std::vector<Point> RectangleOutline(double w, double h) {
  return {{0, 0}, {w, 0}, {w, h}, {0, h}};
}

std::vector<Point> LShapeOutline(double w1, double h1, double w2, double h2) {
  const double w = std::min(w2, w1 - 1), h = std::min(h2, h1 - 1);
  return {{0, 0}, {w1, 0}, {w1, h1 - h}, {w1 - w, h1 - h}, {w1 - w, h1}, {0, h1}};
}

std::vector<Point> UShapeOutline(double w_, double h_, double w2, double h2) {
  const double w = std::max(0.0, std::min(w2, w_ - 2)), h = std::min(h2, h_ - 1);
  const double a = (w_ - w) / 2, b = (w_ + w) / 2;
  return {{0, 0}, {w_, 0}, {w_, h_}, {b, h_}, {b, h_ - h}, {a, h_ - h}, {a, h_}, {0, h_}};
}

std::vector<Point> TShapeOutline(double w_, double h1, double w2, double h2) {
  const double w = std::min(w2, w_);
  const double a = (w_ - w) / 2, b = (w_ + w) / 2, s = h1 + std::max(h2, 1.0);
  return {{0, 0}, {w_, 0}, {w_, h1}, {b, h1}, {b, s}, {a, s}, {a, h1}, {0, h1}};
}

bool ParseCustomOutline(const std::string& text, int units, std::vector<Point>& out) {
  const double f = Units::Of(units).factor();
  out.clear();
  std::size_t pos = 0;
  while (pos <= text.size()) {
    std::size_t nl = text.find('\n', pos);
    if (nl == std::string::npos) nl = text.size();
    const std::string line = Trim(text.substr(pos, nl - pos));
    pos = nl + 1;
    const std::size_t comma = line.find(',');
    if (line.empty() || comma == std::string::npos) continue;
    double x = 0, y = 0;
    if (!ParseDouble(Trim(line.substr(0, comma)), x) ||
        !ParseDouble(Trim(line.substr(comma + 1)), y))
      return false;
    // A vertex as far out as the largest board a shape allows; beyond it (1e308 inches,
    // say) the millimetres would not even be finite.
    if (std::abs(x) > kBoardMaxSize || std::abs(y) > kBoardMaxSize) return false;
    out.push_back({x * f, y * f});
  }
  return out.size() >= 3;
}

BaseboardResult ApplyBaseboardDialog(Layout& layout, const BaseboardInput& in, Prompter& prompter) {
  BaseboardResult r;
  const int shape = std::clamp(in.shape, 0, kBoardShapeCount - 1);
  if (shape == kBoardFreeForm) {
    r.accepted = r.free_form = true;
    layout.lastshape.id = shape;
    return r;
  }
  const Units units = Units::Of(layout.units);
  const double half_digit = 0.5 * std::pow(10.0, -units.decimals());
  std::array<double, 4> mm{};
  for (std::size_t i = 0; i < 4; ++i) {
    const double v = std::isfinite(in.values[i]) ? in.values[i] : kBoardMinSize;
    mm[i] = std::fabs(v - in.initial.shown[i]) < half_digit
                ? in.initial.mm[i]
                : std::clamp(v, double{kBoardMinSize}, double{kBoardMaxSize}) * units.factor();
  }
  switch (shape) {
    case kBoardRectangle:
      r.outline = RectangleOutline(mm[0], mm[1]);
      break;
    case kBoardL:
      r.outline = LShapeOutline(mm[0], mm[1], mm[2], mm[3]);
      break;
    case kBoardU:
      r.outline = UShapeOutline(mm[0], mm[1], mm[2], mm[3]);
      break;
    case kBoardT:
      r.outline = TShapeOutline(mm[0], mm[1], mm[2], mm[3]);
      break;
    case kBoardCustom:
      if (in.custom_text == in.initial_custom_text && in.initial_baseboard.size() >= 3) {
        r.outline = in.initial_baseboard;  // unchanged: no drift through the rounded text
      } else if (!ParseCustomOutline(in.custom_text, layout.units, r.outline)) {
        r.outline.clear();
      }
      break;
    default:
      break;  // Clear
  }
  if (shape != kBoardClear && r.outline.size() < 3) {
    prompter.Notify(TrMark("Layout Shape"), TrMark("Please enter valid dimensions."),
                    PromptIcon::Warning);
    return r;
  }
  LastShape& s = layout.lastshape;
  s.id = shape;
  const int fields = BoardShape(shape).fields;
  double* stored[4] = {&s.w_mm, &s.h_mm, &s.w2_mm, &s.h2_mm};
  for (int i = 0; i < fields; ++i) *stored[i] = mm[static_cast<std::size_t>(i)];
  r.accepted = true;
  return r;
}

bool StoreBaseboard(Layout& layout, const BaseboardResult& result) {
  if (!result.accepted || result.free_form) return false;
  layout.baseboard = result.outline;
  return true;
}
