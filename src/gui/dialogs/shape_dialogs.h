// The dialogs a double-click on the canvas opens: "Shape Properties" and "Resize Scenery".
// Each returns true when it changed the layout.
#pragma once

#include <wx/window.h>

#include "model/layout.h"

bool ShowShapePropertiesDialog(wxWindow* parent, ::Layout& layout, int shape_id);
bool ShowResizeSceneryDialog(wxWindow* parent, ::Layout& layout, int item_id);
