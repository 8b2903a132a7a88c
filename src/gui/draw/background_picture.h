// The background picture drawn under the plan: the file is read once, scaled to the
// view's zoom with its opacity and kept until the zoom, picture or placement changes.
#pragma once

#include <wx/bitmap.h>
#include <wx/dc.h>
#include <wx/image.h>

#include <string>

#include "model/layout.h"
#include "render/render.h"
#include "view/view_transform.h"

class BackgroundPicture {
 public:
  // Draws `image` on `dc` of `width` by `height` pixels as `view` shows the layout.
  void Draw(wxDC& dc, const BackgroundImage& image, const ViewTransform& view, int width,
            int height);

  // The render hook that draws the layout's picture on `dc` with this object.
  RenderContext::Underlay UnderlayOn(wxDC& dc) {
    return [this, &dc](Painter&, const Layout& layout, const ViewTransform& view, int width,
                       int height) { Draw(dc, *layout.background, view, width, height); };
  }

  // True when the picture file at `path` can be read as a picture.
  static bool Readable(const std::string& path);

 private:
  bool Load(const std::string& path);

  std::string path_;  // the file image_ was read from ("" none)
  wxImage image_;
  // The picture scaled for the last zoom, while it is small enough to keep whole.
  wxBitmap scaled_;
  double scaled_px_ = 0;  // device pixels per picture pixel of scaled_
  double scaled_opacity_ = -1;
};
