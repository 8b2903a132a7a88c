// The PDF file written directly: a reader finds every object, every shape is painted in
// the colours it was drawn with, text lands where it was shaped, and what cannot show is
// left out.
#include <gtest/gtest.h>
#include <zlib.h>

#include <cmath>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "print/pdf_file.h"

namespace {

// One glyph per byte, with a kern after every "A" and a hair's breadth after every "C",
// so the file must adjust positions.
class FakeFonts : public PdfFonts {
 public:
  Shaped Shape(const std::string& text, int point_size, bool bold) override {
    Shaped s;
    s.size = point_size * 4.0 / 3.0 + (bold ? 1 : 0);
    s.baseline = s.size * 0.8;
    double x = 0;
    for (char c : text) {
      s.glyphs.push_back({0, static_cast<unsigned char>(c), x, 0, std::string(1, c)});
      x += s.size * 0.6 + (c == 'A' ? -2.5 : c == 'C' ? 0.01 : 0);
    }
    s.extent = {static_cast<int>(std::lround(x)), static_cast<int>(std::lround(s.size * 1.2))};
    return s;
  }
  Outline GlyphOutline(int, std::uint32_t) override {
    return {600, "0 0 m 500 0 l 500 700 l h", {0, 0, 500, 700}};
  }
};

std::string Inflate(const std::string& data) {
  for (std::size_t room = data.size() * 8 + 1024;; room *= 4) {
    std::string out(room, '\0');
    uLongf size = out.size();
    const int status = uncompress(reinterpret_cast<Bytef*>(out.data()), &size,
                                  reinterpret_cast<const Bytef*>(data.data()), data.size());
    if (status == Z_BUF_ERROR) continue;
    if (status != Z_OK) return "";
    out.resize(size);
    return out;
  }
}

// The objects of a file found through its cross-reference table: number -> text.
std::map<int, std::string> ReadObjects(const std::string& pdf) {
  std::map<int, std::string> objects;
  const std::size_t startxref = pdf.rfind("startxref\n");
  const std::size_t xref = std::stoul(pdf.substr(startxref + 10));
  EXPECT_EQ(pdf.compare(xref, 5, "xref\n"), 0);
  std::istringstream in(pdf.substr(xref + 5));
  int first = 0, count = 0;
  in >> first >> count;
  for (int n = 0; n < count; ++n) {
    std::size_t offset = 0;
    std::string gen, kind;
    in >> offset >> gen >> kind;
    if (kind != "n") continue;
    const std::string head = std::to_string(n) + " 0 obj\n";
    EXPECT_EQ(pdf.compare(offset, head.size(), head), 0) << "object " << n;
    const std::size_t end = pdf.find("endobj", offset);
    objects[n] = pdf.substr(offset + head.size(), end - offset - head.size());
  }
  return objects;
}

std::string StreamOf(const std::string& object) {
  const std::size_t at = object.find("stream\n") + 7;
  const std::size_t end = object.rfind("\nendstream");
  return Inflate(object.substr(at, end - at));
}

// What a reader does with a page's content, reduced to what the tests look at.
struct Painted {
  std::string op;
  std::string fill, stroke;  // "r g b" as written
  std::string fill_alpha, stroke_alpha;
};
struct PlacedGlyph {
  int code = 0;
  double x = 0, y = 0;  // in page pixels
};
struct PageRead {
  std::vector<Painted> painted;
  std::vector<PlacedGlyph> glyphs;
  bool colour_inside_path = false;
};

PageRead Interpret(const std::string& content) {
  struct State {
    std::string fill = "0 0 0", stroke = "0 0 0", fill_alpha = "/Fa255", stroke_alpha = "/Sa255";
  };
  PageRead read;
  std::vector<State> stack(1);
  std::vector<std::string> args;
  bool in_path = false;
  double tm[6] = {1, 0, 0, 1, 0, 0}, at = 0;
  std::istringstream in(content);
  std::string tok;
  auto join = [&](std::size_t n) {
    std::string s;
    for (std::size_t i = args.size() - n; i < args.size(); ++i)
      s += (s.empty() ? "" : " ") + args[i];
    return s;
  };
  bool in_array = false;  // inside a TJ array
  while (in >> tok) {
    if (!tok.empty() && tok[0] == '[') in_array = true, tok.erase(0, 1);
    bool closing = false;
    if (!tok.empty() && tok.back() == ']') closing = true, tok.pop_back();
    if (in_array && !tok.empty()) {
      if (tok[0] == '<') {
        const int code = std::stoi(tok.substr(1, 2), nullptr, 16);
        read.glyphs.push_back({code, tm[4] + at * tm[0], tm[5] + at * tm[1]});
        at += 0.6;  // the fake glyph's width, in ems
      } else {
        at -= std::stod(tok) / 1000;  // an adjustment: thousandths of an em back
      }
    }
    if (closing) in_array = false;
    if (in_array || closing) continue;
    if (tok.empty()) continue;
    if (std::isdigit(static_cast<unsigned char>(tok[0])) || tok[0] == '-' || tok[0] == '.' ||
        tok[0] == '/') {
      args.push_back(tok);
      continue;
    }
    if (tok == "m" || tok == "l" || tok == "c" || tok == "re" || tok == "h") in_path = true;
    if (tok == "rg" || tok == "RG" || tok == "gs") read.colour_inside_path |= in_path;
    if (tok == "q") stack.push_back(stack.back());
    if (tok == "Q") stack.pop_back();
    if (tok == "rg") stack.back().fill = join(3);
    if (tok == "RG") stack.back().stroke = join(3);
    if (tok == "gs")
      (args.back()[1] == 'S' ? stack.back().stroke_alpha : stack.back().fill_alpha) = args.back();
    if (tok == "Tm") {
      for (int i = 0; i < 6; ++i)
        tm[i] = std::stod(args[args.size() - 6 + static_cast<std::size_t>(i)]);
      at = 0;
    }
    if (tok == "n") in_path = false;  // the end of a clip's path
    if (tok == "f" || tok == "f*" || tok == "B" || tok == "B*" || tok == "S") {
      const State& s = stack.back();
      read.painted.push_back({tok, s.fill, s.stroke, s.fill_alpha, s.stroke_alpha});
      in_path = false;
    }
    args.clear();
  }
  return read;
}

struct Written {
  std::string pdf;
  std::map<int, std::string> objects;
  std::vector<PageRead> pages;
};

template <typename Draw>
Written Write(int pages, Draw draw) {
  FakeFonts fonts;
  PdfFile file(720, 360, 720, fonts, "Süd & \"Nord\"");  // 10 page pixels per point
  for (int p = 0; p < pages; ++p) {
    draw(file.BeginPage(), p);
    file.EndPage();
  }
  Written w;
  w.pdf = file.Finish();
  w.objects = ReadObjects(w.pdf);
  for (const auto& [n, text] : w.objects)
    if (text.find("/Type /Page ") != std::string::npos) {
      const std::size_t at = text.find("/Contents ") + 10;
      w.pages.push_back(Interpret(StreamOf(w.objects[std::stoi(text.substr(at))])));
    }
  return w;
}

const Color kRed{255, 0, 0, 255}, kBlue{0, 0, 255, 255}, kGreen{0, 255, 0, 128};
const IPoint kSquare[] = {{100, 100}, {200, 100}, {200, 200}, {100, 200}};

}  // namespace

TEST(PdfFile, AReaderFindsEveryObjectPageAndResource) {
  const Written w = Write(3, [](PdfPage& page, int p) {
    page.SetBrush(kGreen);
    page.DrawPolygon(kSquare, 4);
    page.SetFont(9, p == 1);
    page.DrawText("A1", 10, 10);
  });
  EXPECT_NE(w.objects.at(2).find("/Type /Pages /Kids ["), std::string::npos);
  EXPECT_NE(w.objects.at(2).find("/Count 3"), std::string::npos);
  ASSERT_EQ(w.pages.size(), 3u);
  // The alpha state and the glyph font the pages use are in their resources.
  const std::string& resources = w.objects.at(3);
  EXPECT_NE(resources.find("/Fa128 "), std::string::npos);
  EXPECT_NE(resources.find("/T0 "), std::string::npos);
  // The title in UTF-16: "Süd".
  EXPECT_NE(w.objects.at(4).find("<FEFF005300FC0064"), std::string::npos);
  // Each glyph's characters, for copying text out of the page.
  bool mapped = false;
  for (const auto& [n, text] : w.objects)
    if (text.find("/Type3") != std::string::npos) {
      const std::size_t at = text.find("/ToUnicode ") + 11;
      const std::string cmap = StreamOf(w.objects.at(std::stoi(text.substr(at))));
      mapped = cmap.find("<00> <0041>") != std::string::npos &&
               cmap.find("<01> <0031>") != std::string::npos;
    }
  EXPECT_TRUE(mapped);
}

TEST(PdfFile, EveryShapeIsPaintedInTheColoursItWasDrawnWith) {
  // Colours set outside a clip, changed inside it, and used again after it: the clip's
  // end brings back what the stream held before it, not what the painter was last told.
  const Written w = Write(1, [](PdfPage& page, int) {
    page.SetBrush(kRed);
    page.SetPen(kBlue, 2);
    page.DrawPolygon(kSquare, 4);  // red, blue
    page.SetClip(0, 0, 500, 500);
    page.DrawPolygon(kSquare, 4);  // red, blue
    page.SetBrush(kGreen);
    page.SetPen(kRed, 1);
    page.DrawRectangle(10, 10, 50, 50);  // green at half, red
    page.SetClip(0, 0, 600, 600);
    page.DrawCircle({300, 300}, 20);  // green at half, red
    page.ResetClip();
    page.SetTransparentPen();
    page.DrawRectangle(10, 10, 50, 50);  // green at half
    page.SetBrush(kRed);
    page.SetTransparentBrush();
    page.SetPen(kBlue, 1, PenStyle::Dot);
    page.DrawLine({0, 0}, {100, 100});  // blue
  });
  const PageRead& page = w.pages.at(0);
  EXPECT_FALSE(page.colour_inside_path);
  ASSERT_EQ(page.painted.size(), 6u);
  auto expect = [&](std::size_t i, const char* op, const char* fill, const char* stroke,
                    const char* fill_alpha) {
    SCOPED_TRACE(i);
    const Painted& p = page.painted[i];
    EXPECT_EQ(p.op, op);
    if (*fill) {
      EXPECT_EQ(p.fill, fill);
    }
    if (*stroke) {
      EXPECT_EQ(p.stroke, stroke);
    }
    if (*fill_alpha) {
      EXPECT_EQ(p.fill_alpha, fill_alpha);
    }
  };
  expect(0, "B*", "1 0 0", "0 0 1", "/Fa255");
  expect(1, "B*", "1 0 0", "0 0 1", "/Fa255");
  expect(2, "B*", "0 1 0", "1 0 0", "/Fa128");
  expect(3, "B*", "0 1 0", "1 0 0", "/Fa128");
  expect(4, "f*", "0 1 0", "", "/Fa128");
  expect(5, "S", "", "0 0 1", "");
}

TEST(PdfFile, TextLandsWhereItWasShapedAndTurnsAboutItsCorner) {
  // The fake shaper kerns after "A"; the file's adjustments must put each glyph back.
  const Written w = Write(1, [](PdfPage& page, int) {
    page.SetFont(9, false);  // 68 page points at 720 dpi
    page.DrawText("AAB", 100, 200);
    page.DrawRotatedText("AB", 300, 300, 90);
  });
  FakeFonts fonts;
  const PdfFonts::Shaped s = fonts.Shape("AAB", 68, false);
  const auto& glyphs = w.pages.at(0).glyphs;
  ASSERT_EQ(glyphs.size(), 5u);
  for (int i = 0; i < 3; ++i) {
    EXPECT_NEAR(glyphs[static_cast<std::size_t>(i)].x,
                100 + s.glyphs[static_cast<std::size_t>(i)].x, 0.01)
        << i;
    EXPECT_NEAR(glyphs[static_cast<std::size_t>(i)].y, 200 + s.baseline, 0.01) << i;
  }
  // Turned a quarter counter-clockwise: the baseline runs up the page, to the right of
  // the corner by the baseline's depth.
  EXPECT_NEAR(glyphs[3].x, 300 + s.baseline, 0.01);
  EXPECT_NEAR(glyphs[3].y, 300, 0.01);
  EXPECT_NEAR(glyphs[4].x, 300 + s.baseline, 0.01);
  EXPECT_NEAR(glyphs[4].y, 300 - s.glyphs[1].x, 0.01);

  // Along a long label, adjustments too small to write on their own still add up.
  const std::string long_text(3000, 'C');
  const Written many = Write(1, [&](PdfPage& page, int) {
    page.SetFont(9, false);
    page.DrawText(long_text, 0, 100);
  });
  const PdfFonts::Shaped l = fonts.Shape(long_text, 68, false);
  ASSERT_EQ(many.pages.at(0).glyphs.size(), 3000u);
  EXPECT_NEAR(many.pages.at(0).glyphs.back().x, l.glyphs.back().x, 0.01);
}

TEST(PdfFile, WhatCannotShowIsLeftOut) {
  const IPoint off_page[] = {{-300, -300}, {-200, -300}, {-200, -200}};
  const IPoint across[] = {{-50, 10}, {50, 10}, {50, 60}};
  const Written w = Write(1, [&](PdfPage& page, int) {
    page.SetBrush(kRed);
    page.DrawPolygon(off_page, 3);
    page.DrawPolygon(across, 3);  // kept: it reaches onto the page
    page.SetClip(1000, 1000, 100, 100);
    page.DrawRectangle(0, 0, 500, 500);  // outside the clip
    page.DrawCircle({1150, 1050}, 60);   // reaches into it
    page.SetFont(9, false);
    page.DrawText("AB", 100, 100);  // outside the clip
  });
  const PageRead& page = w.pages.at(0);
  ASSERT_EQ(page.painted.size(), 2u);
  EXPECT_TRUE(page.glyphs.empty());
}
