// libFuzzer target: any bytes fed to the layout reader must be refused cleanly or read
// into a layout whose file text reads back to the very same text. The block reader
// (LoadLayout, from a file) must come to exactly the same result as the text reader.
// The library block reader gets the same bytes.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "model/background.h"
#include "model/layout_file.h"
#include "model/library_block.h"

namespace {

std::string FilePath(int fd) {
  return "/proc/self/fd/" + std::to_string(fd);
}

// The bytes as a file: an anonymous in-memory file, reached through /proc. A background
// picture's path is read against the file's folder; the text reader keeps it as stored.
LoadResult LoadThroughFile(std::string_view text, Layout& layout) {
  static const int fd = ::memfd_create("fuzz-layout", MFD_CLOEXEC);
  if (fd < 0 || ::ftruncate(fd, 0) != 0 ||
      ::pwrite(fd, text.data(), text.size(), 0) != static_cast<ssize_t>(text.size()))
    std::abort();
  return LoadLayout(layout, FilePath(fd));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  // The same bytes as a library block: refused blocks carry nothing.
  const LoadedBlock block = ReadBlockText(text);
  if (!block.error.empty() && (!block.pieces.empty() || !block.scenery.empty())) std::abort();
  Layout layout;
  const LoadResult first = ReadLayoutText(text, layout);
  Layout from_file;
  const LoadResult loaded = LoadThroughFile(text, from_file);
  if (from_file.background && layout.background) {
    if (from_file.background->path != OpenedImagePath(layout.background->path, "/proc/self/fd/0"))
      std::abort();
    from_file.background->path = layout.background->path;
  }
  if (loaded.error != first.error || loaded.name != first.name ||
      LayoutFileText(from_file, loaded.name) != LayoutFileText(layout, first.name)) {
    std::fprintf(stderr, "block reader disagrees: \"%s\" / \"%s\"\n", loaded.error.c_str(),
                 first.error.c_str());
    std::abort();
  }
  if (!first.error.empty()) {
    // A refused file leaves the layout as it was and names a line.
    if (!layout.pieces.empty() || !layout.levels.empty() || first.error.rfind("Line ", 0) != 0)
      std::abort();
    return 0;
  }
  const std::string written = LayoutFileText(layout, first.name);
  Layout again;
  const LoadResult second = ReadLayoutText(written, again);
  if (!second.error.empty()) {
    std::fprintf(stderr, "written text refused: %s\n", second.error.c_str());
    std::abort();
  }
  if (LayoutFileText(again, second.name) != written) {
    std::fprintf(stderr, "written text does not read back the same\n");
    std::abort();
  }
  return 0;
}
