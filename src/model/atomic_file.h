// Replacing a file so that a crash or a full disk never leaves it damaged or missing.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

// Files beyond this size are refused: no layout comes near it, while a device or an
// endless pipe would otherwise be read until memory runs out.
inline constexpr std::uint64_t kMaxFileBytes = std::uint64_t{1} << 30;

// Writes `data` to a temporary file beside `target`, checks every write, syncs it,
// renames it over `target` and syncs the folder. Returns an empty text on success,
// otherwise an error text; on failure `target` is left exactly as it was.
std::string WriteFileAtomically(const std::filesystem::path& target, std::string_view data);

// Reads a whole file of at most `limit` bytes into `out`. Returns "" on success, else
// the reason ("Cannot open file: ...", "The file ... is larger than 1 GiB and was not
// read."); a file claiming more than `limit` is refused before anything is read.
std::string ReadWholeFile(const std::filesystem::path& file, std::string& out,
                          std::uint64_t limit = kMaxFileBytes);
// "1 GiB", "1 MiB" or "N bytes".
std::string SizeText(std::uint64_t bytes);
