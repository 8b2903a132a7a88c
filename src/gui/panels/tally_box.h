// The piece tally at the foot of the properties panel: the "Piece Count" list with
// its recommended accessories, "Buy Track" and "About Buy Track".
#pragma once

#include <wx/panel.h>

#include <functional>
#include <optional>
#include <string>

#include "app/prompter.h"
#include "model/layout.h"
#include "parts/tally.h"

class wxButton;
class wxListCtrl;

class TallyBox : public wxPanel {
 public:
  TallyBox(wxWindow* parent, const ::Layout& layout, Prompter& prompter);

  // The layout changed: it is recounted once the window is idle again, after the
  // repaint the change asked for, however many changes came before; reading the list
  // recounts at once. The list is refilled only when the tally changed.
  void UpdateTally();

  // Opens an address in the browser; false when no browser could be started.
  using BrowserLauncher = std::function<bool(const std::string& address)>;
  void SetBrowserLauncher(BrowserLauncher launch) { launch_ = std::move(launch); }

  wxListCtrl* list() {
    Recount();
    return list_;
  }
  wxButton* buy_button() { return buy_; }
  wxButton* help_button() { return help_; }

 private:
  void OnBuyTrack();
  void Recount();

  const ::Layout& layout_;
  Prompter& prompter_;
  wxListCtrl* list_ = nullptr;
  wxButton* buy_ = nullptr;
  wxButton* help_ = nullptr;
  std::optional<Tally> shown_;
  bool stale_ = false;
  BrowserLauncher launch_;
};
