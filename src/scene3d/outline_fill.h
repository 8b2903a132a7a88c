// The flat face over a closed outline (a polygon's top, the baseboard): split by the
// tessellator as the odd rule fills it while that stays cheap, else a fan that is built
// in one pass whatever the outline looks like.
#pragma once

#include <cstdint>
#include <vector>

#include "model/layout.h"
#include "scene3d/scene3d.h"

// The tessellator's time grows with the points times the edges a sweep line crosses,
// and faster than the crossings: a 300-point star crossing itself 44,000 times takes
// 0.7 s, a simple ragged 10,000-point ring 0.2 s, a 100,000-point one minutes. Outlines of
// at most this many points crossing themselves at most this often take it 0.05 s at
// worst; drawn by hand, an outline never comes near either.
inline constexpr std::size_t kTessellatedMostPoints = 4000;
inline constexpr int kTessellatedMostCrossings = 1000;

// Pairs of edges of the closed outline that meet (cross, touch or overlap) without
// being neighbours, counted up to `most` + 1: the count stops there. Neighbours meet
// only when one folds back over the other. The time grows with the square of the
// points at worst: meant for outlines of up to kTessellatedMostPoints.
int CountCrossings(const std::vector<Point>& outline, int most);

// Whether FillOutline hands the outline to the tessellator.
bool TessellatesExactly(const std::vector<Point>& outline);

// The outline's points and a fan of triangles from their mean, leaving out the
// triangles without area: at most one point and one triangle per point of the outline.
// Exact for an outline every point of which the mean sees, as a convex one.
void FanTriangles(const std::vector<Point>& outline, std::vector<Point>& points,
                  std::vector<std::uint32_t>& triangles);

// The face over the outline: the tessellator's triangles (odd rule; points made where
// edges cross follow the outline's own) when TessellatesExactly, else FanTriangles.
// True when tessellated.
bool FillOutline(const std::vector<Point>& outline, PolygonTessellator& tessellator,
                 std::vector<Point>& points, std::vector<std::uint32_t>& triangles);

// The side walls of a fanned outline `height` high stand while their area is at most
// this many times the square of the outline's larger extent, about as many screens of
// wall as a frame at the fitted view fills. A tangle of edges each across the whole
// shape (a 100,000-point star 40 mm high: 2,000 times) takes software drawing seconds a
// frame and shows nothing its top does not; a ragged ring of as many points stays near 30.
inline constexpr double kFannedMostWallShare = 50;
bool FannedWallsStand(const std::vector<Point>& outline, double height);
