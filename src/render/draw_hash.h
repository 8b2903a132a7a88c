// A fingerprint of everything the layout drawing reads, so that a cached picture is
// reused only while it is exactly what drawing again would give.
#pragma once

#include <cstdint>

#include "model/layout.h"
#include "render/render.h"
#include "view/view_transform.h"

std::uint64_t LayoutDrawHash(const Layout& layout, const DrawSwitches& show,
                             const ViewTransform& view, int width, int height);
