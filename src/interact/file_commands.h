// The File menu's work without a window: New, Open, Save, Save As, Import, Export and
// the unsaved-changes check, asking their questions through a Prompter.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/prompter.h"
#include "app/recovery_store.h"
#include "catalog/text_mark.h"
#include "model/document.h"
#include "model/layout_file.h"

inline constexpr const char* kDefaultLayoutName = TrMark("My Layout");

// One layout file of a folder and the name the lists show for it (no folder, no extension).
struct LayoutFileEntry {
  std::filesystem::path file;
  std::string display_name;
};

// The "*.vtl" files and then the "*.xml" files directly in `folder` (each group by file
// name); empty when the folder cannot be read.
std::vector<LayoutFileEntry> CollectLayoutFiles(const std::filesystem::path& folder);
// The display names in ascending order, duplicates kept.
std::vector<std::string> SortedDisplayNames(const std::vector<LayoutFileEntry>& files);
// The first collected file with this display name, so "A.vtl" wins over "A.xml".
const LayoutFileEntry* FindLayoutFile(const std::vector<LayoutFileEntry>& files,
                                      const std::string& display_name);
// Full file names (with extension) listed by the Import dialog for the typed folder.
std::vector<std::string> ImportFileNames(const std::string& folder_text);
// A file name without its extension ("Yard.vtl" -> "Yard").
std::string WithoutExtension(const std::string& file_name);

// A typed name becomes a file name: no folder separators, no control characters, not
// "." or "..". Blanks, accents and any other UTF-8 letters are fine.
bool IsSafeFileName(std::string_view name);
// The refusal shown for a name that fails IsSafeFileName.
std::string UnsafeNameText(const std::string& name);

// Replaces `to` with the bytes of `from` atomically; "" on success.
std::string CopyFileAtomically(const std::filesystem::path& from, const std::filesystem::path& to);

// Status field 0 after a file is opened: "Ready", or the grade runs.
std::string StatusAfterOpen(const Layout& layout);
// Any placed piece of Märklin Z-Track: such layouts open at zoom 1 instead of fitted.
bool UsesZTrack(const Layout& layout);
// The layout file named on the command line (or by a desktop launcher as a path or a
// "file://" address), made absolute against `cwd`; options starting with "-" are skipped.
std::optional<std::filesystem::path> LayoutFileArgument(const std::vector<std::string>& args,
                                                        const std::filesystem::path& cwd);

// The files the Open dialog works on: collected order, and the sorted list it shows.
struct OpenList {
  std::vector<LayoutFileEntry> files;
  std::vector<std::string> names;
};

// What the Import dialog collects; also what it starts with when shown again.
struct ImportChoice {
  std::string folder;     // the source folder field, trimmed
  std::string file_name;  // the chosen file, with extension; empty for none
  std::string name;       // the "Import as" field
};

// What the Export dialog collects; also what it starts with.
struct ExportChoice {
  std::string entry;   // the chosen display name; empty for none
  std::string folder;  // the destination field
  std::string name;    // the "Save as" field
};

class FileCommands {
 public:
  // The dialogs: each returns the user's choice, or nothing for Cancel.
  using OpenChooser = std::function<std::optional<std::string>(OpenList& list)>;
  using ImportChooser = std::function<std::optional<ImportChoice>(const ImportChoice& start)>;
  using ExportChooser = std::function<std::optional<ExportChoice>(
      const std::vector<std::string>& names, const ExportChoice& start)>;

  FileCommands(Document& doc, Prompter& prompter, std::filesystem::path layout_dir);

  const std::filesystem::path& layout_dir() const { return layout_dir_; }
  // The folder the file dialogs used last: Import and Export start there, and so do the
  // window's file choosers. Empty: none yet.
  const std::string& folder() const { return folder_; }
  void set_folder(std::string folder) { folder_ = std::move(folder); }
  // Before the layout is discarded: false when the user cancels (or a wanted save failed).
  bool ConfirmDiscard();
  // New and Close: false when cancelled; otherwise the layout is empty with one level in
  // millimetres, without path or name, and nothing is modified.
  bool New();
  bool Save();
  bool SaveAs();
  // Loads `file`; on failure shows "Open Failed" and leaves everything as it was.
  bool OpenFile(const std::filesystem::path& file);
  // The Open command; true when a layout was opened.
  bool Open(const OpenChooser& choose);
  // The Open dialog's "Delete...": asks, deletes the file behind list.names[index] and
  // removes it from the list; true when removed.
  bool DeleteEntry(OpenList& list, std::size_t index);
  // The Import command; true when the imported layout was opened.
  bool Import(const ImportChooser& choose);
  void Export(const ExportChooser& choose);

  // Each open from now on reads with a fresh callback from `make` (the window's progress
  // dialog); a cancelled open leaves everything as it was and says nothing.
  void set_load_progress(std::function<LoadProgressFn()> make) { make_progress_ = std::move(make); }
  // From now on a successful Save, New or Open deletes the recovery copy of `store`.
  void set_recovery(RecoveryStore* store) { recovery_ = store; }
  // At start: offers the copies left by programs that ended without saving, newest
  // first, until one is restored (it opens modified, with its original file) or all are
  // discarded. True when a copy was restored.
  bool OfferRecovery(RecoveryStore& store);

 private:
  // The layout on screen is what its file holds, or was replaced on purpose: the
  // recovery copy goes.
  void Settled();
  std::optional<std::string> AskLayoutName();
  bool SaveTo(const std::filesystem::path& target, const std::string& name);
  bool ConfirmReplace(const std::string& text);
  bool SafeOrRefuse(const std::string& name, const char* caption);
  bool CopyChecked(const std::filesystem::path& from, const std::filesystem::path& to,
                   const char* caption);
  std::optional<ImportChoice> ChooseImport(const ImportChooser& choose);
  std::optional<ExportChoice> ChooseExport(const ExportChooser& choose,
                                           const std::vector<std::string>& names);

  Document& doc_;
  Prompter& prompter_;
  std::filesystem::path layout_dir_;
  RecoveryStore* recovery_ = nullptr;
  std::function<LoadProgressFn()> make_progress_;
  std::string folder_;
};
