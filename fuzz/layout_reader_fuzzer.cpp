// libFuzzer target: any bytes fed to the layout reader must be refused cleanly or read
// into a layout whose file text reads back to the very same text.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "model/layout_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  Layout layout;
  const LoadResult first = ReadLayoutText(text, layout);
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
