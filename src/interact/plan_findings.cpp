// Rows of the Check Plan dialog from the layout check and the plan check.
#include "interact/plan_findings.h"

#include "model/layout_check.h"
#include "model/layout_ops.h"
#include "model/translate.h"

namespace {

std::string IdsText(const std::vector<int>& ids) {
  std::string out;
  for (const int id : ids) out += (out.empty() ? "" : ", ") + std::to_string(id);
  return out;
}

std::string LevelName(const Layout& layout, int id) {
  const Level* level = FindLevel(layout, id);
  return level ? level->name : std::to_string(id);
}

const char* KindName(ConflictKind kind) {
  switch (kind) {
    case ConflictKind::HeightStep:
      return TrMark("Height step");
    case ConflictKind::Collision:
      return TrMark("Collision");
    case ConflictKind::Clearance:
      return TrMark("Clearance");
    case ConflictKind::SteepGrade:
      return TrMark("Steep grade");
  }
  return "";
}

}  // namespace

FindingList PlanFindings(const Layout& layout, const PlanCheckOptions& options) {
  FindingList out;
  const LayoutCheck check = CheckLayout(layout);
  const std::vector<PlanConflict> conflicts = CheckPlan(layout, options);
  out.summary = CheckVerdictText(check.problems.size(), conflicts.size());
  const auto index = PieceIndexById(layout);
  for (std::size_t i = 0; i < check.problems.size(); ++i) {
    FindingRow row;
    row.kind = TrMark("Problem");
    row.details = check.problems[i];
    if (i < check.problem_pieces.size()) row.ids = check.problem_pieces[i];
    row.pieces = IdsText(row.ids);
    if (!row.ids.empty())
      if (const auto it = index.find(row.ids.front()); it != index.end()) {
        const PlacedPiece& p = layout.pieces[it->second];
        row.level = LevelName(layout, p.level);
        row.at = Point{p.x, p.y};
        row.where = PlaceText(*row.at);
      }
    out.rows.push_back(std::move(row));
  }
  for (const PlanConflict& c : conflicts) {
    FindingRow row;
    row.kind = KindName(c.kind);
    row.ids = ConflictPieces(c);
    row.pieces = IdsText(row.ids);
    row.level = LevelName(layout, c.level);
    row.at = c.at;
    row.where = PlaceText(c.at);
    row.details = ConflictText(c);
    out.rows.push_back(std::move(row));
  }
  for (const OpenEnd& e : check.open_ends) {
    FindingRow row;
    row.kind = TrMark("Open end");
    row.ids = {e.piece};
    row.pieces = std::to_string(e.piece);
    if (const auto it = index.find(e.piece); it != index.end())
      row.level = LevelName(layout, layout.pieces[it->second].level);
    row.at = Point{e.x, e.y};
    row.where = PlaceText(*row.at);
    row.details = Tr("connector ") + std::to_string(e.conn) + Tr(" is not joined");
    out.rows.push_back(std::move(row));
  }
  return out;
}

bool SelectFindingPieces(Document& doc, const std::vector<int>& ids) {
  Layout& layout = doc.layout();
  DeselectAll(layout);
  bool any = false;
  for (const int id : ids)
    if (const int i = FindPiece(layout, id); i >= 0) {
      layout.pieces[static_cast<std::size_t>(i)].sel = true;
      any = true;
    }
  ExpandHelixSelection(layout);
  doc.Notify(Change::Selection);
  return any;
}
