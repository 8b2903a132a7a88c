// Consistency report of a layout: counts, unknown articles, open track ends, broken
// joints and references, and track length per track system. Used by vantrel-tool.
#pragma once

#include <string>
#include <vector>

#include "model/layout.h"

struct OpenEnd {
  int piece = -1;
  int conn = 0;
  double x = 0;
  double y = 0;
  double angle = 0;
};

struct TrackLength {
  int system = 0;
  double mm = 0;
};

struct LayoutCheck {
  std::vector<std::string> unknown_articles;     // sorted, each once
  std::vector<OpenEnd> open_ends;                // by piece id, then connector
  std::vector<TrackLength> lengths;              // by track system
  std::vector<std::string> problems;             // one line each; empty when consistent
  std::vector<std::vector<int>> problem_pieces;  // per problem, the pieces it names
};

LayoutCheck CheckLayout(const Layout& layout);
// The printed report: counts, articles, open ends, lengths, then the problems, the
// conflicts of the plan (one text each) and a closing verdict line: "consistent", or
// "N problem(s), M conflict(s)".
std::string CheckReportText(const Layout& layout, const LayoutCheck& check,
                            const std::vector<std::string>& conflicts = {});
// The closing line of a check: "consistent" when nothing was found, else "N problem(s),
// M conflict(s)".
std::string CheckVerdictText(std::size_t problems, std::size_t conflicts);
// Fixed notation with three decimals, never "-0.000".
std::string Mm3(double v);
