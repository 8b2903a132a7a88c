// The library of blocks: the folder per track system, its list, and the Save, Place and
// Delete commands with their questions and messages.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "app/prompter.h"
#include "model/document.h"

struct LibraryEntry {
  std::string name;  // the file name without ".xml"
  std::filesystem::path path;
};

// `library_dir` / the system's folder name.
std::filesystem::path LibraryFolder(const std::filesystem::path& library_dir,
                                    const std::string& system_name);
// The "*.xml" files of the folder, sorted by name; empty when it does not exist.
std::vector<LibraryEntry> ListLibraryBlocks(const std::filesystem::path& folder);

// "Save as Library Block...": asks for a name, refuses names that are not plain file
// names, asks before replacing a block, writes it. True when a block was written.
bool SaveBlockCommand(const Layout& layout, const std::filesystem::path& folder,
                      Prompter& prompter);
// A double-click on a list entry: reads the block and places it (one undo step). True
// when the layout changed. The command line's place-block gives `centre`.
bool PlaceBlockCommand(Document& doc, const std::filesystem::path& path, Prompter& prompter,
                       std::optional<Point> centre = std::nullopt);
// "Delete..." on a list entry: asks (No is the default) and deletes the file. True when
// the user said Yes (the list is then refilled, even after a failure).
bool DeleteBlockCommand(const LibraryEntry& entry, Prompter& prompter);
