#include "edit/measurement.h"

#include <cmath>

#include "model/layout_ops.h"

bool AddMeasurement(Document& doc, Point start, Point end) {
  const double length = std::hypot(end.x - start.x, end.y - start.y);
  if (!std::isfinite(length) || length < kMinMeasureMm) return false;
  Transaction t(doc, TrMark("Measure"));
  Measurement m;
  m.id = TakeId(t.layout());
  m.start = start;
  m.end = end;
  t.layout().measures.push_back(m);
  return t.Commit();
}
