// Drives a modal dialog from a test: `act` runs on dialog D once its modal loop is up.
#pragma once

#include <wx/app.h>
#include <wx/toplevel.h>

#include <functional>

template <class D>
void WhenShown(std::function<void(D&)> act, int tries = 500) {
  wxTheApp->CallAfter([act, tries] {
    for (wxWindow* w : wxTopLevelWindows)
      if (auto* d = dynamic_cast<D*>(w); d && d->IsModal()) return act(*d);
    if (tries > 0) WhenShown<D>(act, tries - 1);
  });
}
