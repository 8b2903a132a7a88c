// The dialogs a double-click on the canvas opens: "Shape Properties" and "Resize Scenery".
// Each returns true when it changed the layout.
#pragma once

#include <wx/window.h>

#include "model/document.h"

bool ShowShapePropertiesDialog(wxWindow* parent, Document& doc, int shape_id);
bool ShowResizeSceneryDialog(wxWindow* parent, Document& doc, int item_id);
