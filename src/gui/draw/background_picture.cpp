// Drawing the background picture under the plan.
#include "gui/draw/background_picture.h"

#include <wx/filename.h>
#include <wx/log.h>

#include <algorithm>
#include <cmath>

namespace {

// A scaled picture up to this many pixels is kept whole, so that a pan only moves it;
// a larger one is cut to what the surface shows at every drawing.
constexpr double kMostKeptPixels = 16e6;

void EnsureHandlers() {
  if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG)) wxImage::AddHandler(new wxPNGHandler);
  if (!wxImage::FindHandler(wxBITMAP_TYPE_JPEG)) wxImage::AddHandler(new wxJPEGHandler);
}

// `part` scaled to `w` by `h` pixels with every pixel's alpha times `opacity`.
wxBitmap Faded(const wxImage& part, int w, int h, double opacity) {
  wxImage scaled = part.Scale(std::max(w, 1), std::max(h, 1), wxIMAGE_QUALITY_BILINEAR);
  if (opacity < 1.0) {
    if (!scaled.HasAlpha()) {
      scaled.InitAlpha();
    }
    unsigned char* alpha = scaled.GetAlpha();
    const std::size_t n =
        static_cast<std::size_t>(scaled.GetWidth()) * static_cast<std::size_t>(scaled.GetHeight());
    const double k = std::clamp(opacity, 0.0, 1.0);
    for (std::size_t i = 0; i < n; ++i)
      alpha[i] = static_cast<unsigned char>(std::lround(alpha[i] * k));
  }
  return wxBitmap(scaled);
}

}  // namespace

bool BackgroundPicture::Readable(const std::string& path) {
  EnsureHandlers();
  wxLogNull quiet;
  return wxFileName::FileExists(wxString::FromUTF8(path)) &&
         wxImage::CanRead(wxString::FromUTF8(path));
}

bool BackgroundPicture::Load(const std::string& path) {
  if (path == path_) return image_.IsOk();
  path_ = path;
  scaled_ = wxBitmap();
  EnsureHandlers();
  wxLogNull quiet;  // a missing or broken file is told when the layout opens, not here
  image_ = wxImage();
  if (wxFileName::FileExists(wxString::FromUTF8(path))) image_.LoadFile(wxString::FromUTF8(path));
  return image_.IsOk();
}

void BackgroundPicture::Draw(wxDC& dc, const BackgroundImage& image, const ViewTransform& view,
                             int width, int height) {
  const PicturePlace place = PlacePicture(image, view);
  if (!(place.px > 0) || !Load(image.path)) return;
  const double px = place.px, left = place.left, top = place.top;
  const double w = image_.GetWidth() * px, h = image_.GetHeight() * px;
  if (!std::isfinite(w * h) || w < 1 || h < 1) return;
  if (w * h <= kMostKeptPixels) {
    if (!scaled_.IsOk() || scaled_px_ != px || scaled_opacity_ != image.opacity) {
      scaled_ = Faded(image_, static_cast<int>(std::lround(w)), static_cast<int>(std::lround(h)),
                      image.opacity);
      scaled_px_ = px;
      scaled_opacity_ = image.opacity;
    }
    dc.DrawBitmap(scaled_, static_cast<int>(std::lround(left)), static_cast<int>(std::lround(top)),
                  true);
    return;
  }
  // Only the picture pixels the surface shows, one more on each side.
  const int x0 = std::clamp(static_cast<int>(std::floor(-left / px)) - 1, 0, image_.GetWidth());
  const int y0 = std::clamp(static_cast<int>(std::floor(-top / px)) - 1, 0, image_.GetHeight());
  const int x1 =
      std::clamp(static_cast<int>(std::ceil((width - left) / px)) + 1, 0, image_.GetWidth());
  const int y1 =
      std::clamp(static_cast<int>(std::ceil((height - top) / px)) + 1, 0, image_.GetHeight());
  if (x1 <= x0 || y1 <= y0) return;
  const wxImage part = image_.GetSubImage(wxRect(x0, y0, x1 - x0, y1 - y0));
  const wxBitmap bitmap = Faded(part, static_cast<int>(std::lround((x1 - x0) * px)),
                                static_cast<int>(std::lround((y1 - y0) * px)), image.opacity);
  dc.DrawBitmap(bitmap, static_cast<int>(std::lround(left + x0 * px)),
                static_cast<int>(std::lround(top + y0 * px)), true);
}
