// Library blocks: a selection of pieces and scenery saved as a small file of its own,
// one folder per track system, and read back for placing into any layout.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "model/layout.h"

// The folder of a track system inside "library": "Marklin C-Track" -> "Marklin_C-Track",
// "Minitrix" -> "Minitrix-Track", any other name with its blanks made "_".
std::string LibraryFolderName(const std::string& system_name);

// The block file text (LF line ends) of the selected pieces, in layout order, and of the
// selected scenery items (written unselected).
std::string BlockFileText(const Layout& layout, const std::string& name);
// "No pieces or scenery selected" when nothing is selected; "Cannot open file: " + path
// when the file cannot be written; "" on success. The write is atomic.
std::string SaveBlock(const Layout& layout, const std::filesystem::path& path,
                      const std::string& name);

struct LoadedBlock {
  std::string error;  // empty on success
  std::string name;
  std::vector<PlacedPiece> pieces;   // id, cat, x, y, heading, free and joints as saved
  std::vector<SceneryItem> scenery;  // with their saved ids and levels
};

// Reads a block's text; on a malformed number the error names the line.
LoadedBlock ReadBlockText(std::string_view text);
LoadedBlock LoadBlock(const std::filesystem::path& path);
