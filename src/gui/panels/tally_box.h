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

  // Recounts the layout; the list is refilled only when the tally changed.
  void UpdateTally();

  // Opens an address in the browser; false when no browser could be started.
  using BrowserLauncher = std::function<bool(const std::string& address)>;
  void SetBrowserLauncher(BrowserLauncher launch) { launch_ = std::move(launch); }

  wxListCtrl* list() { return list_; }
  wxButton* buy_button() { return buy_; }
  wxButton* help_button() { return help_; }

 private:
  void OnBuyTrack();

  const ::Layout& layout_;
  Prompter& prompter_;
  wxListCtrl* list_ = nullptr;
  wxButton* buy_ = nullptr;
  wxButton* help_ = nullptr;
  std::optional<Tally> shown_;
  BrowserLauncher launch_;
};
