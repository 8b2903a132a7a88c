// The render pass of the 3D view, shared by the window and the offscreen export, and
// the GLU tessellator the scene builder triangulates outlines with.
#pragma once

#include "scene3d/camera.h"
#include "scene3d/scene3d.h"

// Depth test, two lights, colour material, clear colour: once per new context.
void SetUpGlState();
// Clears and draws the whole scene for a drawing area of width x height pixels (the
// caller swaps buffers or reads pixels). `plan` is scratch space kept between frames.
void DrawScene(const Scene3D& scene, const Camera3D& camera, int width, int height, DrawPlan& plan);

// Software OpenGL allocates and frees large buffers every frame; keeping freed memory
// in the process instead of handing it back saves the page faults (a 10k-piece orbit
// frame takes a third of the time). Call once at start-up.
void KeepFrameMemory();

class GluTessellator : public PolygonTessellator {
 public:
  void Triangulate(const std::vector<Point>& contour, std::vector<Point>& points,
                   std::vector<std::uint32_t>& triangles) override;
};
