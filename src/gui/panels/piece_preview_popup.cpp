// Preview painting: the article scaled to fit 80 x 55 pixels under its id.
#include "gui/panels/piece_preview_popup.h"

#include <wx/dcbuffer.h>

#include "gui/draw/wx_painter.h"
#include "gui/wx_text.h"
#include "interact/palette_model.h"
#include "render/render.h"

PiecePreviewPopup::PiecePreviewPopup(wxWindow* parent) : wxPopupWindow(parent, wxBORDER_NONE) {
  SetSize(80, 55);
  SetBackgroundStyle(wxBG_STYLE_PAINT);
  Bind(wxEVT_PAINT, &PiecePreviewPopup::OnPaint, this);
}

void PiecePreviewPopup::SetPiece(const PieceDef* def) {
  def_ = def;
  Refresh(false);
}

void PiecePreviewPopup::OnPaint(wxPaintEvent&) {
  wxAutoBufferedPaintDC dc(this);
  WxPainter p(dc);
  p.Clear({255, 255, 240});
  if (!def_) return;
  p.SetTransparentBrush();
  p.SetPen({180, 180, 180}, 1);
  p.DrawRectangle(0, 0, 80, 55);
  p.SetFont(7, true);
  p.SetTextForeground({60, 60, 60});
  p.SetTransparentTextBackground();
  const IPoint extent = p.TextExtent(def_->id);
  p.DrawText(def_->id, (80 - extent.x) / 2, 2);
  PlacedPiece piece;
  piece.cat = def_->id;
  RenderContext rc;
  DrawPiece(rc, p, piece, *def_, PreviewTransform(*def_), false, false, false);
}
