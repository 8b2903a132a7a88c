// Writes a layout file's picture to PNG or SVG from the command line, drawn exactly as
// the canvas draws it after "Zoom to Fit", without opening a window.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

enum class PictureFormat { Png, Svg };

struct PictureSize {
  int width = 1400;
  int height = 900;
};

inline constexpr int kMinPictureSide = 16;
inline constexpr int kMaxPictureSide = 8192;

// "WIDTHxHEIGHT", each side 16 to 8192 pixels; false (and `out` untouched) otherwise.
bool ParsePictureSize(const std::string& text, PictureSize& out);

// The export commands' arguments after the command word: two file names and an
// optional "--size WIDTHxHEIGHT" (which keeps `size` when absent). False after a message
// on standard error for a bad size; `files` then holds what was given, for the usage check.
bool ParseExportArguments(int argc, char** argv, std::vector<std::string>& files,
                          PictureSize& size);

// Loads the layout, fits it to the picture and writes the file; "" on success,
// otherwise a message for the user.
std::string ExportPicture(const std::filesystem::path& layout_file,
                          const std::filesystem::path& picture, PictureFormat format,
                          PictureSize size);

// True when the command line asks for a picture ("--export-png" or "--export-svg").
bool IsPictureExportCommand(int argc, char** argv);
// Runs that command (wxWidgets must be initialised): 0 on success, 1 after a message
// on standard error.
int RunPictureExport(int argc, char** argv);
