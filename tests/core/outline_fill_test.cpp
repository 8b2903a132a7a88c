// Flat faces over outlines of any size: where an outline meets itself, which outlines
// the tessellator gets, and the fan that stands in for it on huge or tangled ones.
#include "scene3d/outline_fill.h"

#include <gtest/gtest.h>

#include <cmath>

#include "ear_clip_tessellator.h"
#include "layout_builder.h"
#include "model/layout_ops.h"
#include "outlines.h"

namespace {

// Hands what it is given to ear clipping, and remembers how often it was asked.
class CountingTessellator : public PolygonTessellator {
 public:
  int calls = 0;
  bool clip = true;
  void Triangulate(const std::vector<Point>& contour, std::vector<Point>& points,
                   std::vector<std::uint32_t>& triangles) override {
    ++calls;
    points = contour;
    triangles.clear();
    if (clip) EarClipTessellator().Triangulate(contour, points, triangles);
  }
};

TEST(OutlineFill, MeetingsAreCountedBetweenEdgesThatAreNotNeighbours) {
  const std::vector<Point> square{{0, 0}, {100, 0}, {100, 100}, {0, 100}};
  EXPECT_EQ(CountCrossings(square, 100), 0);
  // Repeated points make no edges: the same square.
  EXPECT_EQ(CountCrossings({{0, 0}, {100, 0}, {100, 0}, {100, 100}, {0, 100}, {0, 0}}, 100), 0);
  EXPECT_EQ(CountCrossings(Comb(3), 100), 0);
  EXPECT_EQ(CountCrossings({{0, 0}, {100, 100}, {100, 0}, {0, 100}}, 100), 1);  // a bow tie
  EXPECT_EQ(CountCrossings(StarOutline(5, 2, 100), 100), 5);
  EXPECT_EQ(CountCrossings(StarOutline(7, 2, 100), 100), 7);
  EXPECT_EQ(CountCrossings(StarOutline(7, 3, 100), 100), 14);
  // Two squares pinched at (100, 100): the two edges of one square there touch the two
  // of the other.
  EXPECT_EQ(
      CountCrossings(
          {{0, 0}, {100, 0}, {100, 100}, {200, 100}, {200, 200}, {100, 200}, {100, 100}, {0, 100}},
          100),
      4);
  // Folding straight back along the bottom edge: the fold itself, and the upright that
  // now starts in the middle of the bottom edge.
  EXPECT_EQ(CountCrossings({{0, 0}, {200, 0}, {100, 0}, {100, 100}}, 100), 2);
  // Counting stops one past the limit.
  EXPECT_EQ(CountCrossings(StarOutline(101, 50, 100), 10), 11);
  EXPECT_EQ(CountCrossings(StarOutline(101, 50, 100), 100000), 101 * 49);
}

TEST(OutlineFill, OrdinaryOutlinesAreTessellatedAndHugeOrTangledOnesFanned) {
  CountingTessellator tess;
  std::vector<Point> points;
  std::vector<std::uint32_t> triangles;
  // A comb of a few hundred points keeps every notch: exactly its area.
  const std::vector<Point> comb = Comb(75);
  ASSERT_EQ(comb.size(), 302u);
  FillOutline(comb, tess, points, triangles);
  EXPECT_EQ(tess.calls, 1);
  EXPECT_NEAR(FilledArea(points, triangles), 5000.0 * 75 + 100.0 * (10 * 75 - 5), 1e-6);

  tess.clip = false;  // from here on only who gets the outline matters
  const auto tessellated = [&](const std::vector<Point>& outline) {
    const int before = tess.calls;
    FillOutline(outline, tess, points, triangles);
    return tess.calls > before;
  };
  EXPECT_TRUE(tessellated({{0, 0}, {100, 100}, {100, 0}, {0, 100}}));
  EXPECT_TRUE(tessellated(RaggedRing(static_cast<int>(kTessellatedMostPoints), 1000)));
  EXPECT_FALSE(tessellated(RaggedRing(static_cast<int>(kTessellatedMostPoints) + 1, 1000)));
  // {47/22} crosses itself 987 times, {49/22} 1029 times.
  EXPECT_TRUE(tessellated(StarOutline(47, 22, 1000)));
  EXPECT_FALSE(tessellated(StarOutline(49, 22, 1000)));
  EXPECT_FALSE(tessellated(StarOutline(1001, 500, 1000)));
}

// Every triangle of the mesh whose corners all lie at height z: none without area, and
// every corner a real number within `r` of the middle in x and y. Returns their count.
std::size_t CheckFace(const Mesh3D& m, float z, double r) {
  std::size_t count = 0;
  const std::vector<float>& p = m.positions;
  for (std::size_t i = 0; i + 2 < m.indices.size(); i += 3) {
    const std::uint32_t a = m.indices[i], b = m.indices[i + 1], c = m.indices[i + 2];
    EXPECT_LT(std::max({a, b, c}), m.VertexCount());
    if (p[a * 3 + 2] != z || p[b * 3 + 2] != z || p[c * 3 + 2] != z) continue;
    ++count;
    for (const std::uint32_t k : {a, b, c}) {
      EXPECT_TRUE(std::isfinite(p[k * 3]) && std::isfinite(p[k * 3 + 1]));
      EXPECT_LE(std::hypot(p[k * 3], p[k * 3 + 1]), r);
    }
    EXPECT_GT(std::fabs(TriangleArea({p[a * 3], p[a * 3 + 1]}, {p[b * 3], p[b * 3 + 1]},
                                     {p[c * 3], p[c * 3 + 1]})),
              0);
  }
  return count;
}

TEST(OutlineFill, AHundredThousandPointStarBuildsABoundedSceneOfRealTriangles) {
  constexpr int kPoints = 100000;
  Layout layout = WithLevel();
  layout.shapes.push_back(
      {.vertices = StarOutline(kPoints, kPoints / 2 - 1, 1000), .height = 40, .label = {}});
  layout.baseboard = StarOutline(kPoints, kPoints / 2 - 1, 1000);
  Scene3D scene;
  Camera3D camera;
  CountingTessellator tess;
  RebuildScene(scene, camera, layout, tess);
  EXPECT_EQ(tess.calls, 0);
  // The top: the outline's points and their middle, at most a triangle per point. No
  // walls: 100,000 of them 2 m long would fill the view 2,000 times over.
  const Mesh3D& m = scene.structureMesh;
  const std::size_t top = CheckFace(m, 40, 1000.01);
  EXPECT_GT(top, kPoints * 9u / 10);
  EXPECT_LE(top, static_cast<std::size_t>(kPoints));
  EXPECT_EQ(m.TriangleCount(), top);
  EXPECT_EQ(m.VertexCount(), kPoints + 1u);
  const std::size_t board = CheckFace(scene.baseboardMesh, -0.5f, 1000.01);
  EXPECT_GT(board, kPoints * 9u / 10);
  EXPECT_EQ(scene.baseboardMesh.VertexCount(), kPoints + 1u);

  // A ragged ring of as many points is fanned too, exactly as its middle sees all of
  // it, and keeps its walls (about 3,500 m of wall 40 mm high on 2.2 m: 29 views' worth).
  layout.baseboard.clear();
  layout.shapes[0].vertices = RaggedRing(kPoints, 1000);
  RebuildScene(scene, camera, layout, tess);
  EXPECT_EQ(tess.calls, 0);
  EXPECT_EQ(CheckFace(scene.structureMesh, 40, 1100.01), static_cast<std::size_t>(kPoints));
  EXPECT_EQ(scene.structureMesh.TriangleCount(), 3u * kPoints);  // the top and a quad an edge
}

}  // namespace
