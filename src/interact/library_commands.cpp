#include "interact/library_commands.h"

#include <algorithm>
#include <system_error>

#include "edit/place_block.h"
#include "interact/file_commands.h"
#include "model/library_block.h"
#include "model/text.h"
#include "model/translate.h"

namespace fs = std::filesystem;

fs::path LibraryFolder(const fs::path& library_dir, const std::string& system_name) {
  return library_dir / LibraryFolderName(system_name);
}

std::vector<LibraryEntry> ListLibraryBlocks(const fs::path& folder) {
  std::vector<LibraryEntry> entries;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    const fs::path& p = it->path();
    std::error_code type_ec;
    if (p.extension() != ".xml" || !it->is_regular_file(type_ec)) continue;
    entries.push_back({p.stem().string(), p});
  }
  std::sort(entries.begin(), entries.end(),
            [](const LibraryEntry& a, const LibraryEntry& b) { return a.name < b.name; });
  return entries;
}

bool SaveBlockCommand(const Layout& layout, const fs::path& folder, Prompter& prompter) {
  const bool any = std::any_of(layout.pieces.begin(), layout.pieces.end(),
                               [](const PlacedPiece& p) { return p.sel; }) ||
                   std::any_of(layout.scenery.begin(), layout.scenery.end(),
                               [](const SceneryItem& s) { return s.sel; });
  if (!any) {
    prompter.Notify(TrMark("Save Library Block"),
                    TrMark("Select pieces first to save as library block."),
                    PromptIcon::Information);
    return false;
  }
  const std::optional<std::string> typed =
      prompter.AskText(TrMark("Save Library Block"), TrMark("Block name:"), "");
  if (!typed) return false;
  const std::string name = Trim(*typed);
  if (name.empty()) return false;
  // The name becomes a file name: "../x" or "/tmp/x" would write outside the library.
  if (!IsSafeFileName(name)) {
    prompter.Notify(TrMark("Save Block Failed"), UnsafeNameText(name), PromptIcon::Error);
    return false;
  }
  const fs::path path = folder / (name + ".xml");
  std::error_code ec;
  if (fs::exists(path, ec) && !prompter.AskYesNo(TrMark("Confirm Replace"),
                                                 Tr("A library block named \"") + name +
                                                     Tr("\" already exists.\n\nReplace it?"),
                                                 PromptIcon::Question, true))
    return false;
  fs::create_directories(folder, ec);
  const std::string error = SaveBlock(layout, path, name);
  if (!error.empty()) {
    prompter.Notify(TrMark("Save Block Failed"), error, PromptIcon::Error);
    return false;
  }
  prompter.Notify(TrMark("Save Block"), Tr("Block saved: ") + name, PromptIcon::Information);
  return true;
}

bool PlaceBlockCommand(Document& doc, const fs::path& path, Prompter& prompter,
                       std::optional<Point> centre) {
  const LoadedBlock block = LoadBlock(path);
  if (!block.error.empty()) {
    prompter.Notify(TrMark("Load Block Failed"), block.error, PromptIcon::Error);
    return false;
  }
  return PlaceBlock(doc, block, centre);
}

bool DeleteBlockCommand(const LibraryEntry& entry, Prompter& prompter) {
  if (!prompter.AskYesNo(
          TrMark("Delete Library Block"),
          Tr("Delete library block \"") + entry.name + Tr("\"?\n\nThis cannot be undone."),
          PromptIcon::Warning, true))
    return false;
  std::error_code ec;
  if (!fs::remove(entry.path, ec))
    prompter.Notify(TrMark("Delete Failed"), Tr("Could not delete:\n") + entry.path.string(),
                    PromptIcon::Error);
  return true;
}
