// Pictures drawn by the raster painter checked against stored PNG files in
// tests/data/golden. A picture matches when at most a few pixels differ by more than a
// level in some channel; on a mismatch the actual picture and a diff (the
// expected one faded, differing pixels red) are written to the build's golden-out
// folder and named in the failure. VANTREL_UPDATE_GOLDEN=1 rewrites the stored files.
#pragma once

#include <string>

#include <gtest/gtest.h>

#include "render/raster_painter.h"

testing::AssertionResult MatchesGolden(const std::string& name, const RasterPainter& picture,
                                       int most_differing = 4);
