// Measuring tape: a measurement laid between two points of the layout.
#pragma once

#include "model/document.h"

// Points closer than this make no measurement (a click, not a drag of the tape).
inline constexpr double kMinMeasureMm = 1.0;

// Lays a measurement from `start` to `end` as one undo step; false (nothing laid) when
// they are closer than kMinMeasureMm or not finite.
bool AddMeasurement(Document& doc, Point start, Point end);
