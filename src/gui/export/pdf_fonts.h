// The PDF file's text laid out by Pango on the same kind of Cairo context the printout's
// text uses, so that it measures and breaks as printed; glyph outlines come from Cairo.
#pragma once

#include <cairo.h>
#include <pango/pango.h>

#include <cstdint>
#include <map>
#include <vector>

#include "print/pdf_file.h"

class PangoPdfFonts : public PdfFonts {
 public:
  // Text measured in page pixels at `dpi` pixels per inch.
  explicit PangoPdfFonts(double dpi);
  ~PangoPdfFonts() override;
  PangoPdfFonts(const PangoPdfFonts&) = delete;
  PangoPdfFonts& operator=(const PangoPdfFonts&) = delete;

  Shaped Shape(const std::string& text, int point_size, bool bold) override;
  Outline GlyphOutline(int face, std::uint32_t glyph) override;

 private:
  int FaceNumber(cairo_font_face_t* face);

  cairo_surface_t* surface_ = nullptr;  // a PDF surface writing nowhere, for its font options
  cairo_t* cr_ = nullptr;
  PangoLayout* layout_ = nullptr;
  std::map<int, PangoFontDescription*> fonts_;  // by point size * 2 + bold
  std::vector<cairo_font_face_t*> faces_;
  std::vector<cairo_scaled_font_t*> em_fonts_;  // each face at 1000 units, made when needed
  cairo_surface_t* outline_surface_ = nullptr;
  cairo_t* outline_cr_ = nullptr;
};
