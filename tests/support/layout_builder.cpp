// Chains of real pieces for tests and benchmarks.
#include "layout_builder.h"

#include <map>
#include <memory>
#include <random>
#include <sstream>
#include <utility>

#include "catalog/catalog.h"
#include "model/layout_ops.h"

const PieceDef& Def(const std::string& id) {
  return *Catalog::instance().find(id);
}

PlacedPiece PieceAt(const std::string& cat, double x, double y, double heading, int id) {
  return {.id = id, .cat = cat, .x = x, .y = y, .heading = heading, .color = {}, .joints = {}};
}

PlacedPiece& Piece(Layout& l, int id) {
  return l.pieces[static_cast<std::size_t>(FindPiece(l, id))];
}

const PlacedPiece& Piece(const Layout& l, int id) {
  return l.pieces[static_cast<std::size_t>(FindPiece(l, id))];
}

int ChainBuilder::Start(const std::string& cat, Pose pose, int level) {
  last_ = InsertPiece(layout_, {.cat = cat,
                                .x = pose.x,
                                .y = pose.y,
                                .heading = pose.heading,
                                .color = {},
                                .level = level,
                                .joints = {}});
  return last_;
}

int ChainBuilder::Append(const std::string& cat, int new_conn, int from, int from_conn) {
  if (from == -1) from = last_;
  const int fi = FindPiece(layout_, from);
  const PieceDef* fd = Catalog::instance().find(layout_.pieces[static_cast<std::size_t>(fi)].cat);
  const PieceDef* nd = Catalog::instance().find(cat);
  const Connector w = WorldConnectors(layout_.pieces[static_cast<std::size_t>(fi)],
                                      *fd)[static_cast<std::size_t>(from_conn)];
  Start(cat, MatePose(*nd, new_conn, w), layout_.pieces[static_cast<std::size_t>(fi)].level);
  JoinBoth(layout_, static_cast<std::size_t>(fi), from_conn, layout_.pieces.size() - 1, new_conn);
  return last_;
}

Layout& KeptLayout(int pieces, Layout (*make)(int)) {
  static std::map<std::pair<Layout (*)(int), int>, std::unique_ptr<Layout>> kept;
  auto& slot = kept[{make, pieces}];
  if (!slot) slot = std::make_unique<Layout>(make(pieces));
  return *slot;
}

const Layout& KeptBigLayout(int pieces) {
  return KeptLayout(pieces, [](int n) { return MakeBigLayout(n); });
}

Layout MakeBigLayout(int pieces, std::uint32_t seed) {
  Layout layout;
  EnsureDefaultLevel(layout);
  std::mt19937 rng(seed);
  ChainBuilder b(layout);
  int row = 0;
  // Ovals of R1 curves and straights (24 pieces each) laid on a grid, with a few open
  // sidings, so the layout has both closed loops and free ends.
  while (static_cast<int>(layout.pieces.size()) < pieces) {
    const double ox = (row % 40) * 1600.0, oy = (row / 40) * 1100.0;
    ++row;
    const int first = b.Start("24188", {ox, oy, 0});
    int straights = 1 + static_cast<int>(rng() % 4);
    for (int s = 1; s < straights; ++s) b.Append("24188");
    for (int c = 0; c < 6; ++c) b.Append("24130");
    for (int s = 0; s < straights; ++s) b.Append("24188");
    for (int c = 0; c < 6; ++c) b.Append("24130");
    // Close the loop: the last curve's far end meets the first straight's start.
    const int li = FindPiece(layout, b.last()), fi = FindPiece(layout, first);
    JoinBoth(layout, static_cast<std::size_t>(li), 1, static_cast<std::size_t>(fi), 0);
    if (rng() % 2) {
      // An open siding inside the oval: a turnout with a straight on each exit.
      b.Start("24611", {ox + 40, oy + 360, 0});
      const int t = b.last();
      b.Append("24188");
      b.Append("24188", 0, t, 2);
    }
  }
  while (static_cast<int>(layout.pieces.size()) > pieces) {
    // Trim to the exact size; the removed tail only leaves free ends behind.
    const int id = layout.pieces.back().id;
    layout.pieces.pop_back();
    for (auto& p : layout.pieces)
      for (auto& j : p.joints)
        if (j.target == id) j = Joint{};
  }
  return layout;
}

std::string CheckJointConsistency(const Layout& layout) {
  std::ostringstream err;
  const auto index = PieceIndexById(layout);
  for (const auto& p : layout.pieces) {
    for (std::size_t c = 0; c < p.joints.size(); ++c) {
      const Joint& j = p.joints[c];
      if (j.target == -1) continue;
      auto it = index.find(j.target);
      if (it == index.end()) {
        err << "piece " << p.id << " connector " << c << " names missing piece " << j.target
            << "\n";
        continue;
      }
      const PlacedPiece& t = layout.pieces[it->second];
      if (j.tconn < 0 || j.tconn >= static_cast<int>(t.joints.size()) ||
          t.joints[static_cast<std::size_t>(j.tconn)].target != p.id ||
          t.joints[static_cast<std::size_t>(j.tconn)].tconn != static_cast<int>(c)) {
        err << "piece " << p.id << " connector " << c << " is one-sided\n";
      }
    }
  }
  return err.str();
}
