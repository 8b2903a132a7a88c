// Writing a PDF file page after page.
#include "print/pdf_file.h"

#include <zlib.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <numbers>

namespace {

// The file's numbers are written by hand: the same in every locale, and fast, as a
// printout of a big layout holds tens of millions of them.
void AppendInt(std::string& out, long long v) {
  char buf[24];
  const auto end = std::to_chars(buf, buf + sizeof buf, v).ptr;
  out.append(buf, end);
}

// At most `decimals` (up to 6) decimals, without trailing zeros.
void AppendNum(std::string& out, double v, int decimals = 3) {
  static constexpr long long kScale[] = {1, 10, 100, 1000, 10000, 100000, 1000000};
  const long long scale = kScale[std::clamp(decimals, 0, 6)];
  if (!std::isfinite(v)) v = 0;
  const long long units = std::llround(v * static_cast<double>(scale));
  if (units % scale == 0) {
    AppendInt(out, units / scale);
    return;
  }
  if (units < 0) out += '-';
  const long long a = units < 0 ? -units : units;
  AppendInt(out, a / scale);
  char frac[8];
  int n = 0;
  for (long long s = scale / 10; s > 0; s /= 10) frac[n++] = static_cast<char>('0' + a / s % 10);
  while (frac[n - 1] == '0') --n;
  out += '.';
  out.append(frac, static_cast<std::size_t>(n));
}

// The 0..1 value of a colour channel, three decimals: each of the 256 stays distinct.
void AppendChannel(std::string& out, std::uint8_t c) {
  AppendNum(out, c / 255.0);
}

// UTF-8 as UTF-16 big-endian hex digits; a broken sequence stands for U+FFFD.
std::string Utf16Hex(const std::string& text) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  auto unit = [&](unsigned u) {
    for (int s = 12; s >= 0; s -= 4) out += kHex[(u >> s) & 15];
  };
  for (std::size_t i = 0; i < text.size();) {
    const auto b = static_cast<unsigned char>(text[i]);
    unsigned cp = 0xFFFD;
    int len = 1;
    if (b < 0x80) {
      cp = b;
    } else if (b >= 0xC2 && b < 0xE0) {
      len = 2;
    } else if (b >= 0xE0 && b < 0xF0) {
      len = 3;
    } else if (b >= 0xF0 && b < 0xF5) {
      len = 4;
    }
    if (len > 1) {
      if (i + static_cast<std::size_t>(len) > text.size()) {
        len = 1;
      } else {
        cp = b & (0x7F >> len);
        for (int k = 1; k < len; ++k) {
          const auto c = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
          if ((c & 0xC0) != 0x80) {
            cp = 0xFFFD;
            len = k;
            break;
          }
          cp = cp << 6 | (c & 0x3F);
        }
        if (cp > 0x10FFFF || (cp >= 0xD800 && cp < 0xE000)) cp = 0xFFFD;
      }
    }
    i += static_cast<std::size_t>(len);
    if (cp >= 0x10000) {
      cp -= 0x10000;
      unit(0xD800 + (cp >> 10));
      unit(0xDC00 + (cp & 0x3FF));
    } else {
      unit(cp);
    }
  }
  return out;
}

// Bezier control distance for a quarter circle of radius 1.
constexpr double kQuarter = 0.5522847498;

}  // namespace

// ---- the page ----------------------------------------------------------------

void PdfPage::Int(long long v) {
  AppendInt(out_, v);
  out_ += ' ';
}

void PdfPage::Num(double v) {
  AppendNum(out_, v);
  out_ += ' ';
}

void PdfPage::Coord(double v) {
  // A tenth of a page pixel: 4 micrometres on paper at 600 dpi.
  AppendNum(out_, std::round(v * 10) / 10);
  out_ += ' ';
}

void PdfPage::Op(const char* op) {
  out_ += op;
  out_ += '\n';
}

void PdfPage::Begin() {
  out_.clear();
  pen_ = {};
  pen_width_ = 1;
  pen_style_ = PenStyle::Solid;
  pen_on_ = true;
  brush_ = {255, 255, 255, 255};
  brush_on_ = true;
  font_ = 0;
  text_fg_ = {};
  text_bg_on_ = false;
  clipped_ = false;
  now_ = outside_ = State{};
  const double px = file_.dpi_ / 72.0;
  page_[2] = static_cast<int>(std::ceil(file_.width_pt_ * px));
  page_[3] = static_cast<int>(std::ceil(file_.height_pt_ * px));
  std::copy(page_, page_ + 4, view_);
  // Page pixels, y down, onto points with y up; round caps and joins as on screen.
  const double pt = 72.0 / file_.dpi_;
  Num(pt);
  out_ += "0 0 ";
  Num(-pt);
  out_ += "0 ";
  Num(file_.height_pt_);
  Op("cm 1 J 1 j");
}

void PdfPage::SetColor(Color c, Color& now, bool stroke) {
  if (c.r != now.r || c.g != now.g || c.b != now.b) {
    AppendChannel(out_, c.r);
    out_ += ' ';
    AppendChannel(out_, c.g);
    out_ += ' ';
    AppendChannel(out_, c.b);
    Op(stroke ? " RG" : " rg");
  }
  if (c.a != now.a) {
    out_ += file_.AlphaState(c.a, stroke);
    Op(" gs");
  }
  now = c;
}

void PdfPage::FillColor(Color c) {
  SetColor(c, now_.fill, false);
}

void PdfPage::StrokeColor(Color c) {
  SetColor(c, now_.stroke, true);
}

void PdfPage::StrokeStyle() {
  StrokeColor(pen_);
  const int w = std::max(pen_width_, 1);
  if (w != now_.width) {
    Int(w);
    Op("w");
    now_.width = w;
  }
  // The window's dash patterns: dots one pen wide two pixels further apart than that,
  // long dashes of 19 pixels with gaps of 9.
  if (pen_style_ != now_.style || (pen_style_ == PenStyle::Dot && w != now_.dash_width)) {
    switch (pen_style_) {
      case PenStyle::Solid:
        Op("[] 0 d");
        break;
      case PenStyle::Dot:
        out_ += '[';
        Int(w);
        AppendInt(out_, w + 2);
        Op("] 0 d");
        break;
      case PenStyle::LongDash:
        Op("[19 9] 0 d");
        break;
    }
    now_.style = pen_style_;
    now_.dash_width = w;
  }
}

void PdfPage::Clear(Color background) {
  FillColor(background);
  const double px = file_.dpi_ / 72.0;
  out_ += "-1 -1 ";
  Int(std::llround(file_.width_pt_ * px) + 2);
  Int(std::llround(file_.height_pt_ * px) + 2);
  Op("re f");
}

void PdfPage::SetClip(int x, int y, int width, int height) {
  if (clipped_) {
    Op("Q");
    now_ = outside_;
  } else {
    outside_ = now_;
  }
  out_ += "q ";
  Int(x);
  Int(y);
  Int(std::max(width, 0));
  Int(std::max(height, 0));
  Op("re W n");
  clipped_ = true;
  view_[0] = std::max(x, 0);
  view_[1] = std::max(y, 0);
  view_[2] = std::min(x + width, page_[2]);
  view_[3] = std::min(y + height, page_[3]);
}

void PdfPage::ResetClip() {
  if (!clipped_) return;
  Op("Q");
  clipped_ = false;
  now_ = outside_;
  std::copy(page_, page_ + 4, view_);
}

void PdfPage::SetPen(Color color, int width, PenStyle style) {
  pen_ = color;
  pen_width_ = width;
  pen_style_ = style;
  pen_on_ = true;
}

void PdfPage::SetFont(int point_size, bool bold) {
  // Toolkit font sizes are for a 96 dpi screen; on paper a point is 1/72 inch.
  const long size = std::lround(point_size * file_.dpi_ / 96.0);
  font_ = static_cast<int>(size) * 2 + (bold ? 1 : 0);
}

int PdfPage::AppendPath(const IPoint* points, int count, bool close) {
  int kept = 0;
  for (int i = 0; i < count; ++i) {
    if (i > 0 && points[i] == points[i - 1]) continue;
    Int(points[i].x);
    Int(points[i].y);
    out_ += kept == 0 ? "m " : "l ";
    ++kept;
  }
  if (close && kept > 2) out_ += "h ";
  return kept;
}

bool PdfPage::Shows(double left, double top, double right, double bottom, bool stroke) const {
  // What lies wholly outside the clip, or the page, is left out of the file.
  const double grow = stroke ? std::max(pen_width_, 1) : 0;
  return right + grow >= view_[0] && left - grow <= view_[2] && bottom + grow >= view_[1] &&
         top - grow <= view_[3];
}

bool PdfPage::ShowsPoints(const IPoint* points, int count, bool stroke) const {
  if (count <= 0) return false;
  int l = points[0].x, r = l, t = points[0].y, b = t;
  for (int i = 1; i < count; ++i) {
    l = std::min(l, points[i].x);
    r = std::max(r, points[i].x);
    t = std::min(t, points[i].y);
    b = std::max(b, points[i].y);
  }
  return Shows(l, t, r, b, stroke);
}

void PdfPage::Prepare(bool fill, bool stroke) {
  if (fill) FillColor(brush_);
  if (stroke) StrokeStyle();
}

void PdfPage::Paint(bool fill, bool stroke) {
  if (fill && stroke)
    Op("B*");
  else if (fill)
    Op("f*");
  else if (stroke)
    Op("S");
  else
    Op("n");
}

void PdfPage::DrawPolygon(const IPoint* points, int count) {
  if (count <= 0 || (!pen_on_ && !brush_on_) || !ShowsPoints(points, count, pen_on_)) return;
  bool single = true;
  for (int i = 1; i < count && single; ++i) single = points[i] == points[0];
  if (single) {
    // A polygon on one pixel is that pixel in the pen's colour.
    if (!pen_on_) return;
    FillColor(pen_);
    Int(points[0].x);
    Int(points[0].y);
    Op("1 1 re f");
    return;
  }
  Prepare(brush_on_, pen_on_);
  AppendPath(points, count, true);
  Paint(brush_on_, pen_on_);
}

void PdfPage::DrawLine(IPoint a, IPoint b) {
  if (!pen_on_ ||
      !Shows(std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y), true))
    return;
  Prepare(false, true);
  Int(a.x);
  Int(a.y);
  out_ += "m ";
  Int(b.x);
  Int(b.y);
  out_ += "l ";
  Paint(false, true);
}

void PdfPage::DrawLines(const IPoint* points, int count) {
  if (!pen_on_ || count < 2 || !ShowsPoints(points, count, true)) return;
  Prepare(false, true);
  const std::size_t mark = out_.size();
  if (AppendPath(points, count, false) < 2) {
    out_.resize(mark);
    return;
  }
  Paint(false, true);
}

void PdfPage::DrawPolylines(const IPoint* points, const int* counts, int n) {
  if (!pen_on_) return;
  Prepare(false, true);
  bool any = false;
  for (int i = 0; i < n; points += counts[i], ++i) {
    const std::size_t mark = out_.size();
    if (!ShowsPoints(points, counts[i], true) || AppendPath(points, counts[i], false) < 2)
      out_.resize(mark);
    else
      any = true;
  }
  if (any) Paint(false, true);
}

void PdfPage::AppendArc(double cx, double cy, double rx, double ry, double from, double to,
                        bool move) {
  // Counter-clockwise on the page (y down) from `from` to `to` radians, in pieces of at
  // most a quarter turn, each one Bezier curve.
  const int pieces =
      std::max(1, static_cast<int>(std::ceil(std::abs(to - from) / (std::numbers::pi / 2) - 1e-9)));
  const double step = (to - from) / pieces;
  const double k = 4.0 / 3.0 * std::tan(step / 4);
  double a = from;
  if (move) {
    Coord(cx + rx * std::cos(a));
    Coord(cy - ry * std::sin(a));
    out_ += "m ";
  }
  for (int i = 0; i < pieces; ++i, a += step) {
    const double b = a + step;
    Coord(cx + rx * (std::cos(a) - k * std::sin(a)));
    Coord(cy - ry * (std::sin(a) + k * std::cos(a)));
    Coord(cx + rx * (std::cos(b) + k * std::sin(b)));
    Coord(cy - ry * (std::sin(b) - k * std::cos(b)));
    Coord(cx + rx * std::cos(b));
    Coord(cy - ry * std::sin(b));
    out_ += "c ";
  }
}

void PdfPage::DrawCircle(IPoint centre, int radius) {
  const double r = radius, x = centre.x, y = centre.y, k = kQuarter * r;
  if ((!pen_on_ && !brush_on_) || !Shows(x - r, y - r, x + r, y + r, pen_on_)) return;
  Prepare(brush_on_, pen_on_);
  Coord(x + r);
  Coord(y);
  out_ += "m ";
  const double pts[4][6] = {{x + r, y - k, x + k, y - r, x, y - r},
                            {x - k, y - r, x - r, y - k, x - r, y},
                            {x - r, y + k, x - k, y + r, x, y + r},
                            {x + k, y + r, x + r, y + k, x + r, y}};
  for (const auto& c : pts) {
    for (double v : c) Coord(v);
    out_ += "c ";
  }
  out_ += "h ";
  Paint(brush_on_, pen_on_);
}

void PdfPage::DrawRectangle(int x, int y, int width, int height) {
  if ((!pen_on_ && !brush_on_) || !Shows(x, y, x + width, y + height, pen_on_)) return;
  Prepare(brush_on_, pen_on_);
  Int(x);
  Int(y);
  Int(width);
  Int(height);
  out_ += "re ";
  Paint(brush_on_, pen_on_);
}

void PdfPage::DrawRoundedRectangle(int x, int y, int width, int height, double radius) {
  if ((!pen_on_ && !brush_on_) || !Shows(x, y, x + width, y + height, pen_on_)) return;
  Prepare(brush_on_, pen_on_);
  const double r = std::clamp(radius, 0.0, std::min(width, height) / 2.0);
  const double pi = std::numbers::pi;
  const double l = x, t = y, rr = x + width, b = y + height;
  Coord(rr);
  Coord(b - r);
  out_ += "m ";
  AppendArc(rr - r, b - r, r, r, 0, -pi / 2, false);
  Coord(l + r);
  Coord(b);
  out_ += "l ";
  AppendArc(l + r, b - r, r, r, -pi / 2, -pi, false);
  Coord(l);
  Coord(t + r);
  out_ += "l ";
  AppendArc(l + r, t + r, r, r, pi, pi / 2, false);
  Coord(rr - r);
  Coord(t);
  out_ += "l ";
  AppendArc(rr - r, t + r, r, r, pi / 2, 0, false);
  out_ += "h ";
  Paint(brush_on_, pen_on_);
}

void PdfPage::DrawEllipticArc(int x, int y, int width, int height, double start_deg,
                              double end_deg) {
  if (width <= 0 || height <= 0 || (!pen_on_ && !brush_on_) ||
      !Shows(x, y, x + width, y + height, pen_on_))
    return;
  double from = start_deg * std::numbers::pi / 180, to = end_deg * std::numbers::pi / 180;
  while (to < from) to += 2 * std::numbers::pi;
  const double cx = x + width / 2.0, cy = y + height / 2.0, rx = width / 2.0, ry = height / 2.0;
  if (brush_on_) {
    // The pie under the arc, filled; then the arc alone with the pen.
    Prepare(true, false);
    Coord(cx);
    Coord(cy);
    out_ += "m ";
    Coord(cx + rx * std::cos(from));
    Coord(cy - ry * std::sin(from));
    out_ += "l ";
    AppendArc(cx, cy, rx, ry, from, to, false);
    out_ += "h ";
    Paint(true, false);
  }
  if (!pen_on_) return;
  Prepare(false, true);
  AppendArc(cx, cy, rx, ry, from, to, true);
  Paint(false, true);
}

IPoint PdfPage::TextExtent(const std::string& text) {
  return file_.Shape(text, font_).extent;
}

void PdfPage::DrawText(const std::string& text, int x, int y) {
  DrawRotatedText(text, x, y, 0);
}

void PdfPage::DrawRotatedText(const std::string& text, int x, int y, double angle_deg) {
  if (text.empty()) return;
  const PdfFonts::Shaped& shaped = file_.Shape(text, font_);
  // The box the text may cover, turned or not: its diagonal around the corner.
  const double reach = std::hypot(shaped.extent.x, shaped.extent.y);
  if (!Shows(x - reach, y - reach, x + reach, y + reach, false)) return;
  if (text_bg_on_) {
    FillColor(text_bg_);
    if (angle_deg == 0) {
      Int(x);
      Int(y);
      Int(shaped.extent.x);
      Int(shaped.extent.y);
      Op("re f");
    } else {
      // The box turned with the text about its top-left corner.
      const double a = angle_deg * std::numbers::pi / 180, c = std::cos(a), s = std::sin(a);
      const double w = shaped.extent.x, h = shaped.extent.y;
      const IPoint box[4] = {
          {x, y},
          {static_cast<int>(std::lround(x + w * c)), static_cast<int>(std::lround(y - w * s))},
          {static_cast<int>(std::lround(x + w * c + h * s)),
           static_cast<int>(std::lround(y - w * s + h * c))},
          {static_cast<int>(std::lround(x + h * s)), static_cast<int>(std::lround(y + h * c))}};
      AppendPath(box, 4, true);
      Op("f");
    }
  }
  DrawShaped(shaped, x, y, angle_deg);
}

void PdfPage::DrawShaped(const PdfFonts::Shaped& shaped, double x, double y, double angle_deg) {
  if (shaped.glyphs.empty() || !(shaped.size > 0)) return;
  FillColor(text_fg_);
  const double a = angle_deg * std::numbers::pi / 180, c = std::cos(a), s = std::sin(a);
  const double size = shaped.size;
  // Text space: an em per unit, y up, turned counter-clockwise on the page, each line
  // starting on its baseline below the top-left corner.
  out_ += "BT ";
  int font = -1;
  double line = 0, at = 0;  // at: where the next glyph goes unadjusted, in page pixels
  static const char kHex[] = "0123456789ABCDEF";
  for (std::size_t i = 0; i < shaped.glyphs.size(); ++i) {
    const PdfFonts::Glyph& g = shaped.glyphs[i];
    if (i == 0 || g.line != line) {
      if (font >= 0) out_ += "] TJ ";
      font = -1;
      line = g.line;
      at = 0;
      // Six decimals: the size scales every advance along a label of any length.
      const double down = shaped.baseline + line;
      for (double v : {size * c, -size * s, -size * s, -size * c, x + down * s, y + down * c}) {
        AppendNum(out_, v, 6);
        out_ += ' ';
      }
      out_ += "Tm ";
    }
    const PdfFile::Code& code = file_.GlyphCode(g.face, g.glyph, g.text);
    if (code.font != font) {
      if (font >= 0) out_ += "] TJ ";
      out_ += "/T";
      AppendInt(out_, code.font);
      out_ += " 1 Tf [";
      font = code.font;
    }
    // Moved to where it was shaped by as much as the file can say; `at` follows where
    // a reader puts it, so that small errors never add up along a long text.
    const double adjust = std::round((at - g.x) / size * 1e6) / 1000;
    if (adjust != 0) {
      out_ += ' ';
      AppendNum(out_, adjust);
      out_ += ' ';
      at -= adjust / 1000 * size;
    }
    out_ += '<';
    out_ += kHex[code.code >> 4];
    out_ += kHex[code.code & 15];
    out_ += '>';
    at += code.advance / 1000 * size;
  }
  Op("] TJ ET");
}

void PdfPage::DrawImage(int image, double x, double y, double width, double height,
                        double opacity) {
  if (image < 0 || image >= static_cast<int>(file_.images_.size()) || !(width > 0) ||
      !(height > 0) || !(opacity > 0))
    return;
  out_ += "q ";
  const int alpha = static_cast<int>(std::lround(std::clamp(opacity, 0.0, 1.0) * 255));
  if (alpha < 255) {
    out_ += file_.AlphaState(alpha, false);
    out_ += " gs ";
  }
  Num(width);
  out_ += "0 0 ";
  Num(-height);
  Num(x);
  Num(y + height);
  out_ += "cm /Im";
  AppendInt(out_, image);
  Op(" Do Q");
}

// ---- the file ----------------------------------------------------------------

PdfFile::PdfFile(double width_pt, double height_pt, double dpi, PdfFonts& fonts, std::string title)
    : fonts_(fonts),
      width_pt_(width_pt),
      height_pt_(height_pt),
      dpi_(dpi),
      title_(std::move(title)) {
  out_ = "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n";
  for (int i = 0; i < kInfo; ++i) NewObject();
}

PdfFile::~PdfFile() = default;

int PdfFile::NewObject() {
  offsets_.push_back(0);
  return static_cast<int>(offsets_.size());
}

void PdfFile::BeginObject(int object) {
  offsets_[static_cast<std::size_t>(object - 1)] = out_.size();
  AppendInt(out_, object);
  out_ += " 0 obj\n";
}

void PdfFile::WriteStream(int object, std::string_view data, const std::string& dict) {
  uLongf size = compressBound(static_cast<uLong>(data.size()));
  std::string packed(size, '\0');
  if (compress2(reinterpret_cast<Bytef*>(packed.data()), &size,
                reinterpret_cast<const Bytef*>(data.data()), static_cast<uLong>(data.size()),
                kCompression) != Z_OK) {
    packed = std::string(data);  // cannot happen with a bound-sized buffer; written plain
    size = 0;
  }
  BeginObject(object);
  out_ += "<< /Length ";
  if (size > 0) {
    packed.resize(size);
    AppendInt(out_, static_cast<long long>(size));
    out_ += " /Filter /FlateDecode";
  } else {
    AppendInt(out_, static_cast<long long>(packed.size()));
  }
  out_ += dict;
  out_ += " >>\nstream\n";
  out_ += packed;
  out_ += "\nendstream\nendobj\n";
}

PdfPage& PdfFile::BeginPage() {
  if (!page_) page_.reset(new PdfPage(*this));
  page_->Begin();
  return *page_;
}

void PdfFile::EndPage() {
  if (!page_) return;
  if (page_->clipped_) page_->Op("Q");
  const int page = NewObject(), content = NewObject();
  WriteStream(content, page_->out_);
  BeginObject(page);
  out_ += "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 ";
  AppendNum(out_, width_pt_);
  out_ += ' ';
  AppendNum(out_, height_pt_);
  out_ += "] /Resources 3 0 R /Contents ";
  AppendInt(out_, content);
  out_ += " 0 R >>\nendobj\n";
  page_objects_.push_back(page);
  page_->out_.clear();
}

const PdfFonts::Shaped& PdfFile::Shape(const std::string& text, int font) {
  std::string key = std::to_string(font);
  key += '\x01';
  key += text;
  auto it = shaped_.find(key);
  if (it != shaped_.end()) return it->second;
  if (shaped_.size() > 65536) shaped_.clear();
  return shaped_.emplace(std::move(key), fonts_.Shape(text, font / 2, font % 2 == 1)).first->second;
}

const PdfFile::Code& PdfFile::GlyphCode(int face, std::uint32_t glyph, const std::string& text) {
  auto it = codes_.find({face, glyph});
  if (it != codes_.end()) return it->second;
  // Each Type 3 font holds 256 glyphs; the next glyph opens another.
  if (font_slots_.empty() || font_slots_.back().glyphs.size() == 256) {
    font_slots_.emplace_back();
    font_slots_.back().object = NewObject();
  }
  FontSlot& slot = font_slots_.back();
  Code code;
  code.font = static_cast<int>(font_slots_.size()) - 1;
  code.code = static_cast<int>(slot.glyphs.size());
  slot.glyphs.push_back(fonts_.GlyphOutline(face, glyph));
  slot.texts.push_back(text);
  // The width as the font's table gives it, to the thousandth a reader sees.
  PdfFonts::Outline& outline = slot.glyphs.back();
  outline.advance = std::round(outline.advance * 1000) / 1000;
  code.advance = outline.advance;
  return codes_.emplace(std::make_pair(face, glyph), code).first->second;
}

std::string PdfFile::AlphaState(int alpha, bool stroke) {
  const int key = alpha * 2 + (stroke ? 1 : 0);
  if (alpha_states_.find(key) == alpha_states_.end()) alpha_states_[key] = NewObject();
  std::string name = stroke ? "/Sa" : "/Fa";
  AppendInt(name, alpha);
  return name;
}

int PdfFile::AddImage(const std::uint8_t* rgb, const std::uint8_t* alpha, int width, int height) {
  const std::size_t n =
      static_cast<std::size_t>(std::max(width, 0)) * static_cast<std::size_t>(std::max(height, 0));
  std::string dict = " /Type /XObject /Subtype /Image /Width " + std::to_string(width) +
                     " /Height " + std::to_string(height) + " /BitsPerComponent 8";
  if (alpha) {
    const int mask = NewObject();
    WriteStream(mask, {reinterpret_cast<const char*>(alpha), n}, dict + " /ColorSpace /DeviceGray");
    dict += " /SMask " + std::to_string(mask) + " 0 R";
  }
  const int object = NewObject();
  WriteStream(object, {reinterpret_cast<const char*>(rgb), n * 3},
              dict + " /ColorSpace /DeviceRGB");
  images_.push_back(object);
  return static_cast<int>(images_.size()) - 1;
}

std::string PdfFile::Finish() {
  std::string resources = "<< /ProcSet [/PDF /Text /ImageC]";
  // The fonts: each glyph an outline filled in the text's colour.
  if (!font_slots_.empty()) resources += " /Font <<";
  for (std::size_t f = 0; f < font_slots_.size(); ++f) {
    const FontSlot& slot = font_slots_[f];
    std::vector<int> procs;
    int box[4] = {0, 0, 0, 0};
    for (const PdfFonts::Outline& g : slot.glyphs) {
      const int proc = NewObject();
      std::string body;
      AppendNum(body, g.advance);
      body += " 0 d0\n";
      body += g.path;
      body += g.path.empty() ? "" : " f\n";
      WriteStream(proc, body);
      procs.push_back(proc);
      box[0] = std::min(box[0], g.box[0]);
      box[1] = std::min(box[1], g.box[1]);
      box[2] = std::max(box[2], g.box[2]);
      box[3] = std::max(box[3], g.box[3]);
    }
    // Which characters each glyph shows, for copying and searching text.
    std::string cmap =
        "/CIDInit /ProcSet findresource begin\n12 dict begin\nbegincmap\n"
        "/CIDSystemInfo << /Registry (Adobe) /Ordering (UCS) /Supplement 0 >> def\n"
        "/CMapName /Adobe-Identity-UCS def\n/CMapType 2 def\n"
        "1 begincodespacerange\n<00> <FF>\nendcodespacerange\n";
    std::vector<std::size_t> mapped;
    for (std::size_t c = 0; c < slot.texts.size(); ++c)
      if (!slot.texts[c].empty()) mapped.push_back(c);
    static const char kHex[] = "0123456789ABCDEF";
    for (std::size_t i = 0; i < mapped.size(); i += 100) {
      const std::size_t n = std::min<std::size_t>(100, mapped.size() - i);
      AppendInt(cmap, static_cast<long long>(n));
      cmap += " beginbfchar\n";
      for (std::size_t k = i; k < i + n; ++k) {
        const std::size_t c = mapped[k];
        cmap += '<';
        cmap += kHex[c >> 4];
        cmap += kHex[c & 15];
        cmap += "> <" + Utf16Hex(slot.texts[c]) + ">\n";
      }
      cmap += "endbfchar\n";
    }
    cmap += "endcmap\nCMapName currentdict /CMap defineresource pop\nend\nend\n";
    const int to_unicode = NewObject();
    WriteStream(to_unicode, cmap);

    BeginObject(slot.object);
    out_ += "<< /Type /Font /Subtype /Type3 /FontMatrix [0.001 0 0 0.001 0 0] /FontBBox [";
    for (int v : box) {
      AppendInt(out_, v);
      out_ += ' ';
    }
    out_ += "] /Resources << >> /FirstChar 0 /LastChar ";
    AppendInt(out_, static_cast<long long>(slot.glyphs.size()) - 1);
    out_ += " /Widths [";
    for (const PdfFonts::Outline& g : slot.glyphs) {
      AppendNum(out_, g.advance);
      out_ += ' ';
    }
    out_ += "] /Encoding << /Type /Encoding /Differences [0";
    for (std::size_t c = 0; c < slot.glyphs.size(); ++c) {
      out_ += " /g";
      AppendInt(out_, static_cast<long long>(c));
    }
    out_ += "] >> /CharProcs <<";
    for (std::size_t c = 0; c < procs.size(); ++c) {
      out_ += " /g";
      AppendInt(out_, static_cast<long long>(c));
      out_ += ' ';
      AppendInt(out_, procs[c]);
      out_ += " 0 R";
    }
    out_ += " >> /ToUnicode ";
    AppendInt(out_, to_unicode);
    out_ += " 0 R >>\nendobj\n";

    resources += " /T" + std::to_string(f) + ' ' + std::to_string(slot.object) + " 0 R";
  }
  if (!font_slots_.empty()) resources += " >>";
  if (!alpha_states_.empty()) {
    resources += " /ExtGState <<";
    for (const auto& [key, object] : alpha_states_) {
      const int alpha = key / 2;
      const bool stroke = key % 2 == 1;
      BeginObject(object);
      out_ += stroke ? "<< /Type /ExtGState /CA " : "<< /Type /ExtGState /ca ";
      AppendNum(out_, alpha / 255.0);
      out_ += " >>\nendobj\n";
      resources += (stroke ? " /Sa" : " /Fa") + std::to_string(alpha) + ' ' +
                   std::to_string(object) + " 0 R";
    }
    resources += " >>";
  }
  if (!images_.empty()) {
    resources += " /XObject <<";
    for (std::size_t i = 0; i < images_.size(); ++i)
      resources += " /Im" + std::to_string(i) + ' ' + std::to_string(images_[i]) + " 0 R";
    resources += " >>";
  }
  resources += " >>";
  BeginObject(kResources);
  out_ += resources + "\nendobj\n";

  BeginObject(kPages);
  out_ += "<< /Type /Pages /Kids [";
  for (int page : page_objects_) {
    AppendInt(out_, page);
    out_ += " 0 R ";
  }
  out_ += "] /Count ";
  AppendInt(out_, static_cast<long long>(page_objects_.size()));
  out_ += " >>\nendobj\n";

  BeginObject(kCatalog);
  out_ += "<< /Type /Catalog /Pages 2 0 R >>\nendobj\n";
  BeginObject(kInfo);
  out_ += "<< /Title <FEFF" + Utf16Hex(title_) + "> /Producer (Vantrel) >>\nendobj\n";

  const std::size_t xref = out_.size();
  out_ += "xref\n0 ";
  AppendInt(out_, static_cast<long long>(offsets_.size()) + 1);
  out_ += "\n0000000000 65535 f \n";
  for (std::size_t offset : offsets_) {
    char entry[21];
    std::snprintf(entry, sizeof entry, "%010zu 00000 n \n", offset);
    out_.append(entry, 20);
  }
  out_ += "trailer\n<< /Size ";
  AppendInt(out_, static_cast<long long>(offsets_.size()) + 1);
  out_ += " /Root 1 0 R /Info 4 0 R >>\nstartxref\n";
  AppendInt(out_, static_cast<long long>(xref));
  out_ += "\n%%EOF\n";
  return std::move(out_);
}
