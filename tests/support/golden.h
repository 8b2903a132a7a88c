// Pictures drawn by the raster painter checked against stored PNG files in
// tests/data/golden. A picture matches when at most a few pixels differ by more than a
// level in some channel; on a mismatch the actual picture and a diff (the
// expected one faded, differing pixels red) are written to the build's golden-out
// folder and named in the failure. VANTREL_UPDATE_GOLDEN=1 rewrites the stored files.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "render/raster_painter.h"

struct RgbImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgb;  // three bytes a pixel, rows from the top
};

// An 8-bit RGB PNG without interlacing or row filters; false when it cannot be written.
bool WritePng(const std::filesystem::path& file, const RgbImage& image);
// Such a PNG read back; an empty image when the file is missing or not one.
RgbImage ReadPng(const std::filesystem::path& file);

testing::AssertionResult MatchesGolden(const std::string& name, const RasterPainter& picture,
                                       int most_differing = 4);
