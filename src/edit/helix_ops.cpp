// Helix stubs: inner and outer track at the bottom (left of the centre) and at the top
// (right of it, raised by the kit's rise). Each stub runs tangent to its ring, so the
// inner and outer stubs of a side lie side by side, the way trains enter a helix.
#include "edit/helix_ops.h"

#include "catalog/catalog.h"
#include "catalog/helix_catalog.h"
#include "catalog/text_mark.h"
#include "model/layout_ops.h"
#include "model/world_connectors.h"

int InsertHelix(Document& doc, const std::string& id, double angle, Point at) {
  Layout& layout = doc.layout();
  const HelixDef* def = HelixCatalog::find(id.empty() ? HelixCatalog::default_id : id);
  if (!def) def = HelixCatalog::find(HelixCatalog::default_id);
  if (!def || !Catalog::instance().find(def->straight_id)) return -1;
  Transaction t(doc, TrMark("Place Helix"));
  Helix h;
  h.id = TakeId(layout);
  h.cx = at.x;
  h.cy = at.y;
  h.heading = NormalizeAngle(angle);
  h.variant = def->id;
  const struct {
    double x, z;
    int* slot;
  } stubs[] = {{-def->inner_radius, 0, &h.bottomR1},
               {-def->outer_radius, 0, &h.bottomR2},
               {def->inner_radius, def->rise, &h.topR1},
               {def->outer_radius, def->rise, &h.topR2}};
  for (const auto& s : stubs) {
    PlacedPiece p;
    p.id = TakeId(layout);
    p.cat = def->straight_id;
    const Point pos = ToLayout({at.x, at.y, angle}, s.x, 0);
    p.x = pos.x;
    p.y = pos.y;
    p.heading = NormalizeAngle(angle + 90.0);
    p.z = s.z;
    p.helix = h.id;
    p.level = 1;
    p.joints.resize(2);
    *s.slot = p.id;
    layout.pieces.push_back(std::move(p));
  }
  layout.helices.push_back(h);
  t.Commit();
  return h.id;
}
