// View > Show Heights: a small label at each joint with the height there in the layout's
// unit, and at the middle of each graded piece its grade in degrees and per cent. Shown
// only when zoomed in far enough to read them.
#pragma once

#include <string>
#include <vector>

#include "model/layout.h"
#include "render/painter.h"
#include "view/view_transform.h"

// Below this zoom (pixels per millimetre) the labels would cover the track.
inline constexpr double kHeightLabelsMinZoom = 0.5;

struct HeightLabel {
  IPoint at;  // device pixels: the joint, or the middle of a graded piece
  std::string text;
  bool grade = false;
};

// The labels that fall on a surface of width x height pixels, pieces on hidden levels
// left out; none below kHeightLabelsMinZoom.
std::vector<HeightLabel> HeightLabels(const Layout& layout, const ViewTransform& v, int width,
                                      int height);
void DrawHeightLabels(Painter& p, const std::vector<HeightLabel>& labels);
