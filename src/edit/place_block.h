// Placing a library block into a layout.
#pragma once

#include <optional>

#include "model/document.h"
#include "model/library_block.h"

// Adds the block's pieces and scenery as one undo step: new ids from the layout's
// counter, moved so that the block's smallest x and y land on the origin, flat, joints
// kept between the block's own pieces only. Pieces go on level 1 and scenery on its
// saved level; either takes the active level when its level does not exist here. The
// placed objects become the selection, ready to be dragged. False for an empty block.
// With `centre`, the middle of the block's extent lands there instead.
bool PlaceBlock(Document& doc, const LoadedBlock& block,
                std::optional<Point> centre = std::nullopt);
