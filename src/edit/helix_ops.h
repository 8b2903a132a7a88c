// Placing a ready-made helix: its record and the four stub pieces trains enter by.
#pragma once

#include <string>

#include "model/document.h"

// Inserts the helix kit `id` (empty: the default kit) centred at `at`, turned by `angle`.
// One undo step; returns the helix id, or -1 when the kit or its straight is unknown.
int InsertHelix(Document& doc, const std::string& id, double angle, Point at);
