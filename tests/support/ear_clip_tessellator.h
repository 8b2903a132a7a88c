// A plain ear-clipping triangulator for simple outlines, standing in for GLU's
// tessellator in headless tests.
#pragma once

#include <cmath>
#include <vector>

#include "scene3d/scene3d.h"

class EarClipTessellator : public PolygonTessellator {
 public:
  void Triangulate(const std::vector<Point>& contour, std::vector<Point>& points,
                   std::vector<std::uint32_t>& triangles) override {
    points = contour;
    triangles.clear();
    std::vector<std::uint32_t> left;
    for (std::uint32_t i = 0; i < contour.size(); ++i) left.push_back(i);
    double area = 0;
    for (std::size_t i = 0; i < contour.size(); ++i) {
      const Point &a = contour[i], &b = contour[(i + 1) % contour.size()];
      area += a.x * b.y - b.x * a.y;
    }
    const double turn = area >= 0 ? 1 : -1;
    auto cross = [&](const Point& a, const Point& b, const Point& c) {
      return turn * ((b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x));
    };
    while (left.size() > 3) {
      bool clipped = false;
      for (std::size_t i = 0; i < left.size() && !clipped; ++i) {
        const std::uint32_t ia = left[(i + left.size() - 1) % left.size()], ib = left[i],
                            ic = left[(i + 1) % left.size()];
        const Point &a = contour[ia], &b = contour[ib], &c = contour[ic];
        if (cross(a, b, c) <= 0) continue;
        bool empty = true;
        for (const std::uint32_t k : left)
          if (k != ia && k != ib && k != ic && cross(a, b, contour[k]) >= 0 &&
              cross(b, c, contour[k]) >= 0 && cross(c, a, contour[k]) >= 0)
            empty = false;
        if (!empty) continue;
        triangles.insert(triangles.end(), {ia, ib, ic});
        left.erase(left.begin() + static_cast<std::ptrdiff_t>(i));
        clipped = true;
      }
      if (!clipped) return;  // not a simple outline
    }
    if (left.size() == 3) triangles.insert(triangles.end(), {left[0], left[1], left[2]});
  }
};
