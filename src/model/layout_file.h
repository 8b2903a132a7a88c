// The layout file (".vtl", older ".xml"): one element per line, CRLF line ends,
// read back by a line-oriented marker reader. Saving is atomic; loading never half-loads.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "model/atomic_file.h"
#include "model/layout.h"

inline constexpr std::string_view kCrLf = "\r\n";
// Object ids above this are refused so that the id counter can never overflow.
inline constexpr int kMaxObjectId = 1'000'000'000;
// Lines beyond this size are refused, as are files beyond kMaxFileBytes.
inline constexpr std::size_t kMaxLineBytes = std::size_t{1} << 28;
// Connector slots a joint may name: well above any article's connector count.
inline constexpr int kMaxJointSlot = 255;

// Appends `text` with & < > " escaped; control characters (which would break the
// one-element-per-line file) become blanks.
void AppendEscaped(std::string& out, std::string_view text);
// The "<piece ...>" line, its "<joint .../>" lines (one deeper) and "</piece>".
void AppendPieceLines(std::string& out, const PlacedPiece& piece, int depth,
                      std::string_view eol = kCrLf);
// The "<sceneryitem .../>" line.
void AppendSceneryItemLine(std::string& out, const SceneryItem& item, int depth,
                           std::string_view eol = kCrLf);

// The exact text of the file, CRLF line ends included. The background picture's path is
// written relative to `file`, the path the text is saved to (absolute when it is empty).
std::string LayoutFileText(const Layout& layout, const std::string& name,
                           const std::filesystem::path& file = {});
// Writes the file atomically; "" on success, otherwise an error text and the old file
// is left as it was.
std::string SaveLayout(const Layout& layout, const std::filesystem::path& path,
                       const std::string& name);

struct LoadResult {
  std::string error;       // empty on success
  std::string name;        // the layout's name attribute
  bool cancelled = false;  // the progress callback stopped the load (error is set too)
};

// How far a load from a file is.
struct LoadProgress {
  std::uint64_t bytes_done = 0;
  std::uint64_t bytes_total = 0;  // the file's size; bytes_done when it is not known
  std::size_t pieces = 0;         // read so far
};
// Told after each block read; returning false cancels the load, which then leaves the
// layout as it was.
using LoadProgressFn = std::function<bool(const LoadProgress&)>;

// Parses `text`; on success replaces in `layout` everything the file stores (and
// derives next_id and grade_mode), on failure leaves `layout` untouched. The caller adds the
// default level when the file has none. A long run of pieces is read on two threads;
// `two_threads` false reads line by line, to the same result.
LoadResult ReadLayoutText(std::string_view text, Layout& layout, bool two_threads = true);
// Same, from a file ("Cannot open file: " + path when it cannot be read); the background
// picture's stored path is made absolute against the file's folder.
LoadResult LoadLayout(Layout& layout, const std::filesystem::path& path,
                      const LoadProgressFn& progress = {});
