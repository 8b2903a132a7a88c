// Block files are written by the layout file's element writers and read by a line
// reader of their own that keeps only what a placed block needs: the attributes the
// element tables mark for blocks.
#include "model/library_block.h"

#include <algorithm>
#include <unordered_set>

#include "model/atomic_file.h"
#include "model/file_line.h"
#include "model/file_schema.h"
#include "model/layout_file.h"
#include "model/translate.h"

namespace schema = file_schema;

std::string LibraryFolderName(const std::string& system_name) {
  if (system_name == "Minitrix") return "Minitrix-Track";
  std::string folder = system_name;
  for (char& c : folder)
    if (c == ' ') c = '_';
  return folder;
}

std::string BlockFileText(const Layout& layout, const std::string& name) {
  std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  schema::AppendOpen(out, 0, schema::kBlockHead, schema::LayoutHead{name});
  out += ">\n";
  for (const PlacedPiece& p : layout.pieces)
    if (p.sel) AppendPieceLines(out, p, 1, "\n");
  bool any_scenery = false;
  for (const SceneryItem& s : layout.scenery) any_scenery = any_scenery || s.sel;
  if (any_scenery) {
    out += "  <scenery>\n";
    for (SceneryItem s : layout.scenery) {
      if (!s.sel) continue;
      s.sel = false;
      AppendSceneryItemLine(out, s, 2, "\n");
    }
    out += "  </scenery>\n";
  }
  out += "</block>\n";
  return out;
}

std::string SaveBlock(const Layout& layout, const std::filesystem::path& path,
                      const std::string& name) {
  bool any = false;
  for (const PlacedPiece& p : layout.pieces) any = any || p.sel;
  for (const SceneryItem& s : layout.scenery) any = any || s.sel;
  if (!any) return TrMark("No pieces or scenery selected");
  if (!WriteFileAtomically(path, BlockFileText(layout, name)).empty())
    return Tr("Cannot open file: ") + path.string();
  return "";
}

LoadedBlock ReadBlockText(std::string_view text) {
  LoadedBlock block;
  std::string& error = block.error;
  bool in_scenery = false;
  bool seen_block = false;
  bool seen_end = false;
  PlacedPiece* piece = nullptr;
  std::unordered_set<int> piece_ids;
  int number = 0;
  std::size_t start = 0;
  while (start < text.size() && error.empty()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    start = end + 1;
    ++number;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const auto has = [&](std::string_view m) { return line.find(m) != std::string_view::npos; };
    // Reads the line as element `e` into `obj`, keeping only what a block keeps.
    const auto read = [&](const auto& e, auto& obj) {
      FileLine f(line, number, e.name, error);
      schema::ReadAttrs(f, e, obj, schema::Source::Block);
    };
    if (has("<block ")) {
      schema::LayoutHead head;
      read(schema::kBlockHead, head);
      block.name = std::move(head.name);
      seen_block = true;
    } else if (has("</block>")) {
      seen_end = true;
      break;
    } else if (has("</scenery>")) {
      in_scenery = false;
    } else if (has("<scenery>")) {
      in_scenery = true;
    } else if (in_scenery && has("<sceneryitem ")) {
      read(schema::kSceneryItem, block.scenery.emplace_back());
    } else if (has("<piece ")) {
      piece = &block.pieces.emplace_back();
      read(schema::kPiece, *piece);
      // Joints name pieces by id: a second piece of the same id would join to itself.
      if (error.empty() && !piece_ids.insert(piece->id).second)
        error = Tr("Line ") + std::to_string(number) + Tr(": piece id ") +
                std::to_string(piece->id) + Tr(" is used twice; the block is damaged.");
    } else if (piece && has("<joint ")) {
      schema::JointLine j;
      read(schema::kJoint, j);
      if (error.empty()) piece->SetJoint(j.conn, j.target, j.tconn);
    } else if (has("</piece>")) {
      piece = nullptr;
    }
  }
  // A block is placed only when it was read to its end, as a layout is opened.
  if (error.empty() && !seen_block)
    error = TrMark("Line 1: no <block> element; this is not a library block.");
  else if (error.empty() && !seen_end)
    error = Tr("Line ") + std::to_string(std::max(number, 1)) +
            Tr(": the file ends before </block>; it is incomplete.");
  if (!error.empty()) {
    block.pieces.clear();
    block.scenery.clear();
  }
  return block;
}

LoadedBlock LoadBlock(const std::filesystem::path& path) {
  std::string text;
  if (std::string error = ReadWholeFile(path, text); !error.empty()) {
    LoadedBlock failed;
    failed.error = std::move(error);
    return failed;
  }
  return ReadBlockText(text);
}
