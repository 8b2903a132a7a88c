// The progress dialog of a slow open: it shows once reading a layout has taken half a
// second, with the pieces read so far and a Cancel button.
#pragma once

#include <wx/window.h>

#include "model/layout_file.h"

// A callback for one open; its dialog, if any, closes when the last copy of it goes.
LoadProgressFn MakeOpenProgress(wxWindow* parent);
