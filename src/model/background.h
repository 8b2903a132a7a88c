// The picture under the plan: where its file is kept relative to the layout file, and
// setting its scale from two points of known distance.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "catalog/text_mark.h"
#include "model/layout.h"

inline constexpr const char* kBackgroundCaption = TrMark("Background Image");
// Told when a layout opens and its picture file is not there.
std::string MissingImageText(const std::string& path);

// The path a layout file at `layout_file` stores for the picture at `image` (absolute):
// relative to the layout file's folder, with '/' between names; the absolute path when
// no relative one exists (another drive, no layout file yet).
std::string StoredImagePath(const std::string& image, const std::filesystem::path& layout_file);
// The picture's absolute path from what a layout file at `layout_file` stores.
std::string OpenedImagePath(const std::string& stored, const std::filesystem::path& layout_file);

// Two points of the picture as drawn, in layout millimetres, that lie `real_mm` apart in
// the room: the picture scaled about the first point so that they do. Nothing when the
// points are less than a millimetre apart on the plan or the distance is not positive.
std::optional<BackgroundImage> ScaledBetween(const BackgroundImage& image, Point a, Point b,
                                             double real_mm);
