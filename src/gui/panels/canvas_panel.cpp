// Canvas window. Painting shows the canvas picture of the layout and draws the moving
// overlays on top; the picture is dropped when the document tells of a change.
#include "gui/panels/canvas_panel.h"

#include <wx/dcbuffer.h>
#include <wx/menu.h>

#include <algorithm>
#include <cmath>

#include "catalog/catalog.h"
#include "gui/app/translations.h"
#include "gui/dialogs/shape_dialogs.h"
#include "gui/draw/wx_painter.h"
#include "gui/wx_text.h"
#include "interact/actions.h"
#include "interact/commands.h"
#include "model/layout_ops.h"
#include "render/render_overlays.h"

namespace {

CanvasKey KeyOf(const wxKeyEvent& e) {
  switch (e.GetKeyCode()) {
    case WXK_ESCAPE:
      return CanvasKey::Escape;
    case WXK_DELETE:
    case WXK_NUMPAD_DELETE:
      return CanvasKey::Delete;
    case WXK_BACK:
      return CanvasKey::Back;
    case WXK_SPACE:
      return CanvasKey::Space;
    case 'R':
    case 'r':
      return CanvasKey::R;
    case WXK_TAB:
      return CanvasKey::Tab;
    case WXK_RETURN:
    case WXK_NUMPAD_ENTER:
      return CanvasKey::Enter;
    default:
      return CanvasKey::Other;
  }
}

// The character of an exact length: a digit, '.' or ','; 0 for any other key.
char LengthChar(const wxKeyEvent& e) {
  const int code = e.GetKeyCode();
  if (code >= '0' && code <= '9') return static_cast<char>(code);
  if (code >= WXK_NUMPAD0 && code <= WXK_NUMPAD9)
    return static_cast<char>('0' + code - WXK_NUMPAD0);
  if (code == '.' || code == WXK_NUMPAD_DECIMAL) return '.';
  if (code == ',' || code == WXK_NUMPAD_SEPARATOR) return ',';
  return 0;
}

Mods ModsOf(const wxKeyboardState& e) {
  return {e.ControlDown(), e.ShiftDown(), e.AltDown()};
}

}  // namespace

CanvasPanel::CanvasPanel(wxWindow* parent, Document& doc, Prompter& prompter, CanvasHost& host)
    : wxPanel(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize,
              wxFULL_REPAINT_ON_RESIZE | wxWANTS_CHARS | wxBORDER_NONE),
      doc_(doc),
      layout_(doc.layout()),
      host_(host),
      controller_(doc, prompter),
      flash_(this) {
  SetBackgroundStyle(wxBG_STYLE_PAINT);
  Bind(wxEVT_PAINT, &CanvasPanel::OnPaint, this);
  Bind(wxEVT_SIZE, &CanvasPanel::OnSize, this);
  Bind(wxEVT_LEFT_DOWN, &CanvasPanel::OnLeftDown, this);
  Bind(wxEVT_LEFT_UP, &CanvasPanel::OnLeftUp, this);
  Bind(wxEVT_LEFT_DCLICK, &CanvasPanel::OnLeftDClick, this);
  Bind(wxEVT_MOTION, &CanvasPanel::OnMotion, this);
  Bind(wxEVT_RIGHT_DOWN, &CanvasPanel::OnRightDown, this);
  Bind(wxEVT_MIDDLE_DOWN, &CanvasPanel::OnMiddleDown, this);
  Bind(wxEVT_MIDDLE_UP, &CanvasPanel::OnMiddleUp, this);
  Bind(wxEVT_MOUSEWHEEL, &CanvasPanel::OnWheel, this);
  Bind(wxEVT_KEY_DOWN, &CanvasPanel::OnKeyDown, this);
  Bind(wxEVT_KEY_UP, &CanvasPanel::OnKeyUp, this);
  Bind(wxEVT_MOUSE_CAPTURE_LOST, &CanvasPanel::OnCaptureLost, this);
  Bind(wxEVT_TIMER, &CanvasPanel::OnFlashTimer, this);
  Bind(wxEVT_MENU, &CanvasPanel::OnMenu, this);
  // Delete and Backspace reach the one delete operation as a command of the canvas.
  wxAcceleratorEntry keys[] = {{wxACCEL_NORMAL, WXK_DELETE, kCmdCanvasDelete}};
  SetAcceleratorTable(wxAcceleratorTable(1, keys));
}

CanvasPanel::~CanvasPanel() {
  if (HasCapture()) ReleaseMouse();
}

void CanvasPanel::SetShown(const DrawSwitches& shown) {
  shown_ = picture_.render().show = shown;
  picture_.Invalidate();
  Refresh(false);
}

void CanvasPanel::LayoutChanged() {
  controller_.LayoutChanged();
  picture_.Invalidate();
}

void CanvasPanel::Apply(const CanvasEffects& e) {
  if (e.focus) SetFocus();
  if (e.capture && !HasCapture()) CaptureMouse();
  if (e.release && HasCapture()) ReleaseMouse();
  if (e.cursor == CanvasCursor::Hand) SetCursor(wxCursor(wxCURSOR_HAND));
  if (e.cursor == CanvasCursor::Cross) SetCursor(wxCursor(wxCURSOR_CROSS));
  if (e.cursor == CanvasCursor::Default) SetCursor(wxNullCursor);
  if (e.cursor == CanvasCursor::SizeNWSE) SetCursor(wxCursor(wxCURSOR_SIZENWSE));
  if (e.cursor == CanvasCursor::SizeNS) SetCursor(wxCursor(wxCURSOR_SIZENS));
  if (e.cursor == CanvasCursor::SizeNESW) SetCursor(wxCursor(wxCURSOR_SIZENESW));
  if (e.cursor == CanvasCursor::SizeWE) SetCursor(wxCursor(wxCURSOR_SIZEWE));
  if (e.start_flash) flash_.StartOnce(400);
  if (e.stop_flash) flash_.Stop();
  // While the selection is carried, the picture without it stays good.
  const CanvasGesture gesture = controller_.gesture();
  const bool carrying = gesture == CanvasGesture::Move || gesture == CanvasGesture::Rotate;
  if (e.properties || (e.content && !carrying)) picture_.Invalidate();
  for (int i = 0; i < 3; ++i)
    if (e.status[static_cast<std::size_t>(i)])
      host_.CanvasStatus(i, *e.status[static_cast<std::size_t>(i)]);
  // A finished edit has told the document's listeners already; a new selection is told
  // here.
  if (e.properties && !e.modified) doc_.Notify(Change::Selection);
  if (e.repaint) Refresh(false);
  if (e.tool_ended) host_.CanvasToolEnded();
  if (e.dialog != CanvasDialog::None) ShowDialog(e.dialog, e.dialog_id);
  if (e.menu != CanvasMenu::None) ShowMenu(e);
}

MouseInput CanvasPanel::Input(const wxMouseEvent& e) const {
  MouseInput m;
  m.x = e.GetX();
  m.y = e.GetY();
  m.mods = ModsOf(e);
  m.left_down = e.LeftIsDown();
  return m;
}

void CanvasPanel::OnLeftDown(wxMouseEvent& e) {
  Run([&] { return controller_.LeftDown(Input(e)); });
}
void CanvasPanel::OnLeftUp(wxMouseEvent& e) {
  Run([&] { return controller_.LeftUp(Input(e)); });
}
void CanvasPanel::OnLeftDClick(wxMouseEvent& e) {
  Run([&] { return controller_.LeftDClick(Input(e)); });
}
void CanvasPanel::OnMotion(wxMouseEvent& e) {
  Run([&] { return controller_.Motion(Input(e)); });
}
void CanvasPanel::OnRightDown(wxMouseEvent& e) {
  Run([&] { return controller_.RightDown(Input(e)); });
}
void CanvasPanel::OnMiddleDown(wxMouseEvent& e) {
  Run([&] { return controller_.MiddleDown(Input(e)); });
}
void CanvasPanel::OnMiddleUp(wxMouseEvent& e) {
  Run([&] { return controller_.MiddleUp(Input(e)); });
}
void CanvasPanel::OnWheel(wxMouseEvent& e) {
  Run([&] { return controller_.Wheel(Input(e), e.GetWheelRotation()); });
}
void CanvasPanel::OnFlashTimer(wxTimerEvent&) {
  Run([&] { return controller_.FlashTimerFired(); });
}

void CanvasPanel::OnKeyDown(wxKeyEvent& e) {
  CanvasKey key = KeyOf(e);
  const char text = LengthChar(e);
  if (key == CanvasKey::Other && text != 0 && controller_.TypedLength()) {
    Run([&] { return controller_.KeyDown(CanvasKey::Text, ModsOf(e), text); });
    return;
  }
  // Tab and Enter belong to an outline being drawn, else to the window.
  const bool drawing = controller_.tool() != kToolMeasure && !controller_.Drawing().empty();
  if ((key == CanvasKey::Tab || key == CanvasKey::Enter) && !drawing) key = CanvasKey::Other;
  if (key == CanvasKey::Other || (key == CanvasKey::R && e.HasAnyModifiers())) {
    e.Skip();
    return;
  }
  Run([&] { return controller_.KeyDown(key, ModsOf(e)); });
}

void CanvasPanel::OnKeyUp(wxKeyEvent& e) {
  if (KeyOf(e) == CanvasKey::Space) Run([&] { return controller_.KeyUp(CanvasKey::Space); });
  e.Skip();
}

void CanvasPanel::OnCaptureLost(wxMouseCaptureLostEvent&) {
  if (busy_ == 0) Run([&] { return controller_.CaptureLost(); });
}

void CanvasPanel::OnMenu(wxCommandEvent& e) {
  const Action* action = FindAction(e.GetId());
  if (action && action->canvas)
    Run([&] { return action->canvas(controller_, e.IsChecked()); });
  else
    host_.CanvasCommand(e.GetId());
}

void CanvasPanel::ShowMenu(const CanvasEffects& e) {
  wxMenu menu;
  for (const MenuItemSpec& item : ContextMenuSpec(e)) menu.Append(item.id, TrMenuWx(item.label));
  PopupMenu(&menu);
}

void CanvasPanel::OnSize(wxSizeEvent& e) {
  const wxSize s = GetClientSize();
  controller_.SetClientSize(s.x, s.y);
  Refresh(false);
  e.Skip();
}

void CanvasPanel::OnPaint(wxPaintEvent&) {
  wxAutoBufferedPaintDC dc(this);
  const wxSize size = GetClientSize();
  if (size.x <= 0 || size.y <= 0) return;
  picture_.Paint(dc, layout_, controller_.view(), size.x, size.y, controller_.gesture(),
                 [this](Painter& p) { controller_.DrawOverlays(p); });
  const std::string status = host_.CanvasStatusText(0);
  const std::string next = NextStatusText(layout_, status);
  if (next != status) host_.CanvasStatus(0, next);
}

void CanvasPanel::ShowDialog(CanvasDialog dialog, int id) {
  const bool changed = dialog == CanvasDialog::ShapeProperties
                           ? ShowShapePropertiesDialog(this, doc_, id)
                           : ShowResizeSceneryDialog(this, doc_, id);
  if (changed) Apply(CanvasEffects::Edited());
}
