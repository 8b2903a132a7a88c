// Writes a layout file's 3D view to PNG from the command line: the camera and render
// pass the 3D window first shows, drawn offscreen.
#pragma once

#include <filesystem>
#include <string>

#include "gui/export/picture_export.h"

inline constexpr PictureSize kScenePictureSize{1000, 700};

// Loads the layout, builds its scene and writes the picture; "" on success, otherwise
// a message for the user.
std::string ExportScenePicture(const std::filesystem::path& layout_file,
                               const std::filesystem::path& picture, PictureSize size);

// True when the command line asks for "--export-3d".
bool IsSceneExportCommand(int argc, char** argv);
// Runs it (wxWidgets must be initialised): 0 on success, 1 after a message on stderr.
int RunSceneExport(int argc, char** argv);
