// Replacing a file so that a crash or a full disk never leaves it damaged or missing.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// Writes `data` to a temporary file beside `target`, checks every write, syncs it,
// renames it over `target` and syncs the folder. Returns an empty text on success,
// otherwise an error text; on failure `target` is left exactly as it was.
std::string WriteFileAtomically(const std::filesystem::path& target, std::string_view data);

// Reads a whole file; false when it cannot be opened or read.
bool ReadWholeFile(const std::filesystem::path& file, std::string& out);
