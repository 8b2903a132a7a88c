// The small hover preview of a catalog article beside the palette.
#pragma once

#include <wx/popupwin.h>

struct PieceDef;

class PiecePreviewPopup : public wxPopupWindow {
 public:
  explicit PiecePreviewPopup(wxWindow* parent);
  void SetPiece(const PieceDef* def);
  const PieceDef* piece() const { return def_; }

 private:
  void OnPaint(wxPaintEvent&);
  const PieceDef* def_ = nullptr;
};
