// Text shaping and glyph outlines for the PDF file.
#include "gui/export/pdf_fonts.h"

#include <cairo-pdf.h>
#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace {

void AppendCoord(std::string& out, double v) {
  out += std::to_string(std::lround(v));
  out += ' ';
}

}  // namespace

PangoPdfFonts::PangoPdfFonts(double dpi) {
  surface_ = cairo_pdf_surface_create(nullptr, 100, 100);
  cr_ = cairo_create(surface_);
  const double pt = 72.0 / dpi;
  cairo_scale(cr_, pt, pt);  // page pixels, as the printout's text is laid out
  layout_ = pango_cairo_create_layout(cr_);
  outline_surface_ = cairo_recording_surface_create(CAIRO_CONTENT_ALPHA, nullptr);
  outline_cr_ = cairo_create(outline_surface_);
}

PangoPdfFonts::~PangoPdfFonts() {
  for (auto& [key, desc] : fonts_) pango_font_description_free(desc);
  for (cairo_scaled_font_t* f : em_fonts_)
    if (f) cairo_scaled_font_destroy(f);
  for (cairo_font_face_t* f : faces_) cairo_font_face_destroy(f);
  g_object_unref(layout_);
  cairo_destroy(cr_);
  cairo_surface_destroy(surface_);
  cairo_destroy(outline_cr_);
  cairo_surface_destroy(outline_surface_);
}

int PangoPdfFonts::FaceNumber(cairo_font_face_t* face) {
  const auto it = std::find(faces_.begin(), faces_.end(), face);
  if (it != faces_.end()) return static_cast<int>(it - faces_.begin());
  faces_.push_back(cairo_font_face_reference(face));
  em_fonts_.push_back(nullptr);
  return static_cast<int>(faces_.size()) - 1;
}

PdfFonts::Shaped PangoPdfFonts::Shape(const std::string& text, int point_size, bool bold) {
  const int key = point_size * 2 + (bold ? 1 : 0);
  PangoFontDescription*& desc = fonts_[key];
  if (!desc) {
    // The toolkit's own font for the default family at that size, as the printout has.
    const std::string name =
        std::string("Sans ") + (bold ? "Bold " : "") + std::to_string(point_size);
    desc = pango_font_description_from_string(name.c_str());
  }
  pango_layout_set_font_description(layout_, desc);
  pango_layout_set_text(layout_, text.data(), static_cast<int>(text.size()));

  Shaped shaped;
  // Whole pixels around the text, as the toolkit measures it.
  PangoRectangle logical;
  pango_layout_get_pixel_extents(layout_, nullptr, &logical);
  shaped.extent = {logical.width, logical.height};
  const int first_baseline = pango_layout_get_baseline(layout_);
  shaped.baseline = double(first_baseline) / PANGO_SCALE;

  PangoLayoutIter* iter = pango_layout_get_iter(layout_);
  do {
    PangoLayoutRun* run = pango_layout_iter_get_run_readonly(iter);
    if (!run) continue;  // the end of a line
    PangoRectangle run_logical;
    pango_layout_iter_get_run_extents(iter, nullptr, &run_logical);
    const double line = double(pango_layout_iter_get_baseline(iter) - first_baseline) / PANGO_SCALE;
    cairo_scaled_font_t* font =
        pango_cairo_font_get_scaled_font(PANGO_CAIRO_FONT(run->item->analysis.font));
    if (!font) continue;
    if (shaped.size == 0) {
      cairo_matrix_t m;
      cairo_scaled_font_get_font_matrix(font, &m);
      shaped.size = m.yy;
    }
    const int face = FaceNumber(cairo_scaled_font_get_font_face(font));
    const PangoGlyphString* glyphs = run->glyphs;
    const PangoItem* item = run->item;
    // Where each cluster starts in the item's text, in order, to find where one ends.
    std::vector<int> starts(glyphs->log_clusters, glyphs->log_clusters + glyphs->num_glyphs);
    std::sort(starts.begin(), starts.end());
    starts.erase(std::unique(starts.begin(), starts.end()), starts.end());
    int x = run_logical.x;
    for (int i = 0; i < glyphs->num_glyphs; ++i) {
      const PangoGlyphInfo& info = glyphs->glyphs[i];
      const int at = x + info.geometry.x_offset;
      x += info.geometry.width;
      if (info.glyph == PANGO_GLYPH_EMPTY || (info.glyph & PANGO_GLYPH_UNKNOWN_FLAG)) continue;
      Glyph g;
      g.face = face;
      g.glyph = info.glyph;
      g.x = double(at) / PANGO_SCALE;
      g.line = line;
      // The characters of the glyph's cluster go with its first glyph.
      const int start = glyphs->log_clusters[i];
      if (i == 0 || glyphs->log_clusters[i - 1] != start) {
        const auto after = std::upper_bound(starts.begin(), starts.end(), start);
        const int end = after == starts.end() ? item->length : *after;
        g.text = text.substr(static_cast<std::size_t>(item->offset + start),
                             static_cast<std::size_t>(end - start));
      }
      shaped.glyphs.push_back(std::move(g));
    }
  } while (pango_layout_iter_next_run(iter));
  pango_layout_iter_free(iter);
  return shaped;
}

PdfFonts::Outline PangoPdfFonts::GlyphOutline(int face, std::uint32_t glyph) {
  Outline outline;
  if (face < 0 || face >= static_cast<int>(faces_.size())) return outline;
  cairo_scaled_font_t*& em = em_fonts_[static_cast<std::size_t>(face)];
  if (!em) {
    // An em of 1000 units without hinting: the outline as designed.
    cairo_matrix_t size, identity;
    cairo_matrix_init_scale(&size, 1000, 1000);
    cairo_matrix_init_identity(&identity);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    em =
        cairo_scaled_font_create(faces_[static_cast<std::size_t>(face)], &size, &identity, options);
    cairo_font_options_destroy(options);
  }
  cairo_glyph_t g{glyph, 0, 0};
  cairo_text_extents_t ext;
  cairo_scaled_font_glyph_extents(em, &g, 1, &ext);
  outline.advance = ext.x_advance;
  outline.box[0] = static_cast<int>(std::floor(ext.x_bearing));
  outline.box[1] = static_cast<int>(std::floor(-(ext.y_bearing + ext.height)));
  outline.box[2] = static_cast<int>(std::ceil(ext.x_bearing + ext.width));
  outline.box[3] = static_cast<int>(std::ceil(-ext.y_bearing));

  cairo_new_path(outline_cr_);
  cairo_set_scaled_font(outline_cr_, em);
  cairo_glyph_path(outline_cr_, &g, 1);
  cairo_path_t* path = cairo_copy_path(outline_cr_);
  // Cairo's glyph space has y down; the PDF glyph's has y up.
  for (int i = 0; path->status == CAIRO_STATUS_SUCCESS && i < path->num_data;
       i += path->data[i].header.length) {
    const cairo_path_data_t* d = &path->data[i];
    switch (d->header.type) {
      case CAIRO_PATH_MOVE_TO:
        AppendCoord(outline.path, d[1].point.x);
        AppendCoord(outline.path, -d[1].point.y);
        outline.path += "m ";
        break;
      case CAIRO_PATH_LINE_TO:
        AppendCoord(outline.path, d[1].point.x);
        AppendCoord(outline.path, -d[1].point.y);
        outline.path += "l ";
        break;
      case CAIRO_PATH_CURVE_TO:
        for (int k = 1; k <= 3; ++k) {
          AppendCoord(outline.path, d[k].point.x);
          AppendCoord(outline.path, -d[k].point.y);
        }
        outline.path += "c ";
        break;
      case CAIRO_PATH_CLOSE_PATH:
        outline.path += "h ";
        break;
    }
  }
  cairo_path_destroy(path);
  cairo_new_path(outline_cr_);
  return outline;
}
