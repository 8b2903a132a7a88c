// The two small dialogs around Buy Track: how it works, and the cart address for when
// no browser could be started.
#pragma once

#include <wx/dialog.h>

#include <string>

class wxTextCtrl;

// "Buy Track - How it works": what the button does, a link to the store, "Got it!".
class BuyTrackHelpDialog : public wxDialog {
 public:
  explicit BuyTrackHelpDialog(wxWindow* parent);
};

// The cart address in a read-only, selectable field with "Copy" and "Close".
class CartAddressDialog : public wxDialog {
 public:
  CartAddressDialog(wxWindow* parent, const std::string& address);
  wxTextCtrl* address() { return address_; }
  // Puts the address on the clipboard; false when the clipboard could not be opened.
  bool CopyAddress();

 private:
  wxTextCtrl* address_ = nullptr;
};
