// Block models of scenery items: the catalog footprint raised to a height per item.
#pragma once

#include <string>

#include "catalog/scenery_catalog.h"
#include "scene3d/scene3d.h"

// Height of an item above the ground in mm (the catalog gives only its footprint).
double SceneryHeight(const SceneryDef& def);
// Centred on the item's reference point, in 3D axes (the item's y mirrored).
Model3D BuildSceneryModel(const SceneryDef& def);
