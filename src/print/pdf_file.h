// A PDF file written directly: pages of vector drawing in whole page pixels, pictures,
// and text whose glyphs are embedded as outlines. Cairo's PDF surface spent most of a
// 1,500-page printout formatting numbers and replaying what it had recorded; here a
// page's drawing is written once, its coordinates as integers, and each label shaped once.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "render/painter.h"

// What the file needs of the fonts; the window implements it on its text layout, so the
// PDF measures and places text exactly as the printout does.
class PdfFonts {
 public:
  struct Glyph {
    int face = 0;             // the shaper's number for the font face
    std::uint32_t glyph = 0;  // the glyph in that face
    double x = 0;             // from the text's left edge, in page pixels
    double line = 0;          // its line's baseline below the first's, in page pixels
    std::string text;         // the characters it shows ("" for the rest of a cluster)
  };
  struct Shaped {
    std::vector<Glyph> glyphs;
    IPoint extent;        // width and height as the painter measures text
    double baseline = 0;  // from the top of the text, in page pixels
    double size = 0;      // the font's em in page pixels
  };
  struct Outline {
    double advance = 0;  // in thousandths of an em
    // Fill path in PDF operators, thousandths of an em, y up.
    std::string path;
    int box[4] = {0, 0, 0, 0};  // left, bottom, right, top
  };

  virtual ~PdfFonts() = default;
  // `point_size` as the painter's SetFont gives it, already in page points.
  virtual Shaped Shape(const std::string& text, int point_size, bool bold) = 0;
  virtual Outline GlyphOutline(int face, std::uint32_t glyph) = 0;
};

class PdfFile;

// One page's drawing: device pixels at the file's resolution, y down, as on screen.
class PdfPage : public Painter {
 public:
  void Clear(Color background) override;
  void SetClip(int x, int y, int width, int height) override;
  void ResetClip() override;
  void SetPen(Color color, int width, PenStyle style = PenStyle::Solid) override;
  void SetTransparentPen() override { pen_on_ = false; }
  void SetBrush(Color color) override {
    brush_ = color;
    brush_on_ = true;
  }
  void SetTransparentBrush() override { brush_on_ = false; }
  void SetFont(int point_size, bool bold) override;
  void SetTextForeground(Color color) override { text_fg_ = color; }
  void SetSolidTextBackground(Color color) override {
    text_bg_ = color;
    text_bg_on_ = true;
  }
  void SetTransparentTextBackground() override { text_bg_on_ = false; }
  void DrawPolygon(const IPoint* points, int count) override;
  void DrawLine(IPoint a, IPoint b) override;
  void DrawLines(const IPoint* points, int count) override;
  void DrawPolylines(const IPoint* points, const int* counts, int n) override;
  void DrawCircle(IPoint centre, int radius) override;
  void DrawRectangle(int x, int y, int width, int height) override;
  void DrawRoundedRectangle(int x, int y, int width, int height, double radius) override;
  void DrawEllipticArc(int x, int y, int width, int height, double start_deg,
                       double end_deg) override;
  IPoint TextExtent(const std::string& text) override;
  void DrawText(const std::string& text, int x, int y) override;
  void DrawRotatedText(const std::string& text, int x, int y, double angle_deg) override;

  // Picture `image` (PdfFile::AddImage) stretched over the rectangle, `opacity` 0..1.
  void DrawImage(int image, double x, double y, double width, double height, double opacity);

 private:
  friend class PdfFile;
  explicit PdfPage(PdfFile& file) : file_(file) {}
  void Begin();

  // Brings the content stream's graphics state to these, writing only what changes.
  void FillColor(Color c);
  void StrokeColor(Color c);
  void SetColor(Color c, Color& now, bool stroke);
  void StrokeStyle();
  // Appends the path of `points` without consecutive repeats; returns the points kept.
  int AppendPath(const IPoint* points, int count, bool close);
  // Whether anything inside the box (grown by the pen when stroked) can show.
  bool Shows(double left, double top, double right, double bottom, bool stroke) const;
  bool ShowsPoints(const IPoint* points, int count, bool stroke) const;
  // Sets the brush's fill and the pen's stroke state; a path may not change them.
  void Prepare(bool fill, bool stroke);
  // Paints the path just appended ("n" when neither fills nor strokes).
  void Paint(bool fill, bool stroke);
  void AppendArc(double cx, double cy, double rx, double ry, double from_rad, double to_rad,
                 bool move);
  void DrawShaped(const PdfFonts::Shaped& shaped, double x, double y, double angle_deg);
  void Int(long long v);
  void Num(double v);
  void Coord(double v);  // a path coordinate of a curve
  void Op(const char* op);

  PdfFile& file_;
  std::string out_;
  Color pen_{};
  int pen_width_ = 1;
  PenStyle pen_style_ = PenStyle::Solid;
  bool pen_on_ = true;
  Color brush_{255, 255, 255, 255};
  bool brush_on_ = true;
  int font_ = 0;  // point size * 2 + bold, in page points
  Color text_fg_{};
  Color text_bg_{255, 255, 255, 255};
  bool text_bg_on_ = false;
  // The graphics state the stream holds now, and outside the clip group ("q ... Q")
  // while one is open: closing it brings that back.
  struct State {
    Color fill{0, 0, 0, 255};
    Color stroke{0, 0, 0, 255};
    int width = 1;
    PenStyle style = PenStyle::Solid;
    int dash_width = 1;
  };
  State now_, outside_;
  bool clipped_ = false;
  int page_[4] = {0, 0, 0, 0};  // left, top, right, bottom in page pixels
  int view_[4] = {0, 0, 0, 0};  // the page cut by the clip
};

class PdfFile {
 public:
  // Pages of `width_pt` by `height_pt` points drawn at `dpi` pixels per inch.
  PdfFile(double width_pt, double height_pt, double dpi, PdfFonts& fonts, std::string title);
  ~PdfFile();
  PdfFile(const PdfFile&) = delete;
  PdfFile& operator=(const PdfFile&) = delete;

  // The painter of a new page, blank; valid until EndPage.
  PdfPage& BeginPage();
  void EndPage();
  // A picture of `width` x `height` pixels, rgb row after row and alpha (or null), kept
  // once in the file however many pages show it. Returns its number for DrawImage.
  int AddImage(const std::uint8_t* rgb, const std::uint8_t* alpha, int width, int height);
  // The whole file. Nothing may be added after.
  std::string Finish();

  // Compression level of the page streams: fast, as a printout has thousands of them.
  static constexpr int kCompression = 1;

 private:
  friend class PdfPage;
  struct FontSlot {
    int object = 0;  // the Type 3 font's object number
    std::vector<PdfFonts::Outline> glyphs;
    std::vector<std::string> texts;
  };
  struct Code {
    int font = 0;  // index into fonts_
    int code = 0;
    double advance = 0;
  };
  const PdfFonts::Shaped& Shape(const std::string& text, int font);
  const Code& GlyphCode(int face, std::uint32_t glyph, const std::string& text);
  // The name of the graphics state setting the fill (`stroke` false) or stroke alpha.
  std::string AlphaState(int alpha, bool stroke);
  int NewObject();               // reserves a number
  void BeginObject(int object);  // records where it starts
  void WriteStream(int object, std::string_view data, const std::string& dict = "");

  PdfFonts& fonts_;
  double width_pt_, height_pt_, dpi_;
  std::string title_;
  std::string out_;
  std::vector<std::size_t> offsets_;  // by object number - 1; 0 until written
  std::vector<int> page_objects_;
  std::unique_ptr<PdfPage> page_;
  std::unordered_map<std::string, PdfFonts::Shaped> shaped_;  // key: font, then the text
  std::map<std::pair<int, std::uint32_t>, Code> codes_;
  std::vector<FontSlot> font_slots_;
  std::map<int, int> alpha_states_;  // alpha * 2 + stroke -> object
  std::vector<int> images_;          // object numbers
  static constexpr int kCatalog = 1, kPages = 2, kResources = 3, kInfo = 4;
};
