// The File menu's work without a window. Every file a typed name becomes is checked
// first, and every copy replaces its target atomically.
#include "interact/file_commands.h"

#include <algorithm>
#include <system_error>

#include "app/version.h"
#include "catalog/catalog.h"
#include "catalog/track_system.h"
#include "interact/commands.h"
#include "model/atomic_file.h"
#include "model/background.h"
#include "model/layout_file.h"
#include "model/layout_ops.h"
#include "model/text.h"
#include "model/translate.h"

namespace fs = std::filesystem;

namespace {

void AppendFilesWithExtension(const fs::path& folder, const std::string& ext,
                              std::vector<LayoutFileEntry>& out) {
  std::vector<LayoutFileEntry> found;
  std::error_code ec;
  fs::directory_iterator it(folder, ec);
  for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
    const fs::path& p = it->path();
    std::error_code type_ec;
    if (p.extension() != ext || !it->is_regular_file(type_ec)) continue;
    found.push_back({p, p.stem().string()});
  }
  std::sort(found.begin(), found.end(), [](const LayoutFileEntry& a, const LayoutFileEntry& b) {
    return a.file.filename() < b.file.filename();
  });
  out.insert(out.end(), found.begin(), found.end());
}

// Both name the same file; lexical comparison when either cannot be examined.
bool SameFile(const fs::path& a, const fs::path& b) {
  std::error_code ec;
  const bool same = fs::equivalent(a, b, ec);
  if (!ec) return same;
  return fs::absolute(a, ec).lexically_normal() == fs::absolute(b, ec).lexically_normal();
}

bool Exists(const fs::path& p) {
  std::error_code ec;
  return fs::exists(p, ec);
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// "file:///home/a%20b.vtl" -> "/home/a b.vtl"; the host part ("localhost") is dropped.
std::string PathFromFileUri(std::string_view uri) {
  std::string_view rest = uri.substr(7);
  if (!rest.empty() && rest.front() != '/') {
    const std::size_t slash = rest.find('/');
    rest = slash == std::string_view::npos ? std::string_view() : rest.substr(slash);
  }
  std::string out;
  for (std::size_t i = 0; i < rest.size(); ++i) {
    if (rest[i] == '%' && i + 2 < rest.size() && HexValue(rest[i + 1]) >= 0 &&
        HexValue(rest[i + 2]) >= 0) {
      out += static_cast<char>(HexValue(rest[i + 1]) * 16 + HexValue(rest[i + 2]));
      i += 2;
    } else {
      out += rest[i];
    }
  }
  return out;
}

std::string AlreadyExistsText(const std::string& name) {
  return Tr("A layout named \"") + name + Tr("\" already exists.\n\nReplace it?");
}

}  // namespace

std::vector<LayoutFileEntry> CollectLayoutFiles(const fs::path& folder) {
  std::vector<LayoutFileEntry> files;
  AppendFilesWithExtension(folder, ".vtl", files);
  AppendFilesWithExtension(folder, ".xml", files);
  return files;
}

std::vector<std::string> SortedDisplayNames(const std::vector<LayoutFileEntry>& files) {
  std::vector<std::string> names;
  names.reserve(files.size());
  for (const LayoutFileEntry& f : files) names.push_back(f.display_name);
  std::sort(names.begin(), names.end());
  return names;
}

const LayoutFileEntry* FindLayoutFile(const std::vector<LayoutFileEntry>& files,
                                      const std::string& display_name) {
  for (const LayoutFileEntry& f : files)
    if (f.display_name == display_name) return &f;
  return nullptr;
}

std::vector<std::string> ImportFileNames(const std::string& folder_text) {
  const std::string folder = Trim(folder_text);
  std::vector<std::string> names;
  if (folder.empty()) return names;
  for (const LayoutFileEntry& f : CollectLayoutFiles(folder))
    names.push_back(f.file.filename().string());
  return names;
}

std::string WithoutExtension(const std::string& file_name) {
  const std::size_t dot = file_name.rfind('.');
  return dot == std::string::npos || dot == 0 ? file_name : file_name.substr(0, dot);
}

bool IsSafeFileName(std::string_view name) {
  if (name.empty() || name == "." || name == "..") return false;
  for (const char c : name) {
    const auto u = static_cast<unsigned char>(c);
    if (c == '/' || c == '\\' || u < 0x20 || u == 0x7F) return false;
  }
  return true;
}

std::string UnsafeNameText(const std::string& name) {
  std::string shown;
  for (const char c : name) {
    const auto u = static_cast<unsigned char>(c);
    shown += u < 0x20 || u == 0x7F ? '?' : c;
  }
  return "\"" + shown +
         Tr("\" cannot be used as a file name.\n\nA name may not contain / or \\ or control "
            "characters such as tabs and line breaks, and may not be . or ..");
}

std::string CopyFileAtomically(const fs::path& from, const fs::path& to) {
  std::string data;
  if (std::string error = ReadWholeFile(from, data); !error.empty()) return error;
  return WriteFileAtomically(to, data);
}

std::string StatusAfterOpen(const Layout& layout) {
  const std::string elevation = ElevationStatusText(layout);
  return elevation.empty() ? "Ready" : elevation;
}

bool UsesZTrack(const Layout& layout) {
  const Catalog& catalog = Catalog::instance();
  return std::any_of(layout.pieces.begin(), layout.pieces.end(), [&](const PlacedPiece& p) {
    const PieceDef* def = catalog.find(p.cat);
    return def && def->system == MarklinZ;
  });
}

std::optional<fs::path> LayoutFileArgument(const std::vector<std::string>& args,
                                           const fs::path& cwd) {
  for (const std::string& arg : args) {
    if (arg.empty() || arg.front() == '-') continue;
    const fs::path p =
        arg.rfind("file://", 0) == 0 ? fs::path(PathFromFileUri(arg)) : fs::path(arg);
    if (p.empty()) continue;
    return (p.is_absolute() ? p : cwd / p).lexically_normal();
  }
  return std::nullopt;
}

FileCommands::FileCommands(Document& doc, Prompter& prompter, fs::path layout_dir)
    : doc_(doc), prompter_(prompter), layout_dir_(std::move(layout_dir)) {}

bool FileCommands::ConfirmDiscard() {
  if (!doc_.modified()) return true;
  switch (prompter_.AskYesNoCancel(TrMark("Unsaved Changes"),
                                   TrMark("You have unsaved changes. Save before continuing?"))) {
    case PromptAnswer::Yes:
      return Save();
    case PromptAnswer::No:
      return true;
    case PromptAnswer::Cancel:
      break;
  }
  return false;
}

bool FileCommands::New() {
  if (!ConfirmDiscard()) return false;
  Transaction t(doc_, TrMark("New"), Change::Content | Change::Levels | Change::View);
  ClearForNew(t.layout());
  t.Commit();            // so that New can be undone
  doc_.SetFile("", "");  // a new layout: the next Save asks for a name
  doc_.Replaced(false);
  Settled();
  return true;
}

bool FileCommands::Save() {
  if (doc_.path().empty()) return SaveAs();
  return SaveTo(doc_.path(), doc_.name());
}

bool FileCommands::SaveAs() {
  const std::optional<std::string> name = AskLayoutName();
  if (!name) return false;
  const fs::path target = layout_dir_ / (*name + ".vtl");
  if (Exists(target) && !ConfirmReplace(AlreadyExistsText(*name))) return false;
  return SaveTo(target, *name);
}

std::optional<std::string> FileCommands::AskLayoutName() {
  std::string initial = doc_.name().empty() ? kDefaultLayoutName : doc_.name();
  for (;;) {
    const std::optional<std::string> answer =
        prompter_.AskText(TrMark("Save Layout"), TrMark("Layout name:"), initial);
    if (!answer) return std::nullopt;
    std::string name = Trim(*answer);
    if (name.empty()) name = kDefaultLayoutName;
    if (SafeOrRefuse(name, TrMark("Save Layout"))) return name;
    initial = name;  // shown again so the user can correct it
  }
}

bool FileCommands::SaveTo(const fs::path& target, const std::string& name) {
  const std::string error = SaveLayout(doc_.layout(), target, name);
  if (!error.empty()) {
    // The layout keeps its file and name: a failed Save As names nothing new.
    prompter_.Notify(TrMark("Save Failed"), error, PromptIcon::Error);
    return false;
  }
  doc_.SetFile(target.string(), name);
  doc_.MarkSaved();
  Settled();
  return true;
}

bool FileCommands::ConfirmReplace(const std::string& text) {
  return prompter_.AskYesNo(TrMark("Confirm Replace"), text, PromptIcon::Question, true);
}

bool FileCommands::SafeOrRefuse(const std::string& name, const char* caption) {
  if (IsSafeFileName(name)) return true;
  const PromptIcon icon = std::string_view(caption) == TrMark("Save Layout")
                              ? PromptIcon::Information
                              : PromptIcon::Error;
  prompter_.Notify(caption, UnsafeNameText(name), icon);
  return false;
}

bool FileCommands::CopyChecked(const fs::path& from, const fs::path& to, const char* caption) {
  if (CopyFileAtomically(from, to).empty()) return true;
  prompter_.Notify(caption, Tr("Could not copy the file to:\n") + to.string(), PromptIcon::Error);
  return false;
}

bool FileCommands::OpenFile(const fs::path& file) {
  const LoadResult result =
      LoadLayout(doc_.layout(), file, make_progress_ ? make_progress_() : LoadProgressFn{});
  if (result.cancelled) return false;
  if (!result.error.empty()) {
    prompter_.Notify(TrMark("Open Failed"), result.error, PromptIcon::Error);
    return false;
  }
  EnsureDefaultLevel(doc_.layout());
  doc_.SetFile(file.string(), result.name);
  doc_.Replaced(false);
  Settled();
  // The placement stays, so that saving keeps it for when the picture is back.
  std::error_code ec;
  if (const auto& image = doc_.layout().background; image && !fs::is_regular_file(image->path, ec))
    prompter_.Notify(kBackgroundCaption, MissingImageText(image->path), PromptIcon::Warning);
  return true;
}

void FileCommands::Settled() {
  if (recovery_) recovery_->Remove();
}

bool FileCommands::OfferRecovery(RecoveryStore& store) {
  std::vector<RecoveryCopy> copies = store.ClaimOrphans();
  for (const std::string& text : store.TakeSetAside())
    prompter_.Notify(TrMark("Recovery"), text, PromptIcon::Warning);
  bool restored = false;
  for (RecoveryCopy& copy : copies) {
    if (restored) {
      store.Release(copy);  // offered again at the next start
      continue;
    }
    if (!prompter_.AskTwoButtons(AppTitle(), RecoveryQuestionText(copy), PromptIcon::Question,
                                 TrMark("Restore"), TrMark("Discard"), false)) {
      store.Discard(copy);
      continue;
    }
    const std::string error = store.Read(copy, doc_.layout());
    if (!error.empty()) {
      prompter_.Notify(TrMark("Open Failed"), error, PromptIcon::Error);
      store.Release(copy);
      continue;
    }
    EnsureDefaultLevel(doc_.layout());
    doc_.SetFile(copy.layout_path, copy.name);
    doc_.Replaced(true);  // the next Save writes it to its original file
    store.Adopt(copy);
    restored = true;
  }
  return restored;
}

bool FileCommands::Open(const OpenChooser& choose) {
  if (!ConfirmDiscard()) return false;
  OpenList list;
  list.files = CollectLayoutFiles(layout_dir_);
  if (list.files.empty()) {
    prompter_.Notify("Open Layout", Tr("No layouts found in\n") + layout_dir_.string(),
                     PromptIcon::Information);
    return false;
  }
  list.names = SortedDisplayNames(list.files);
  const std::optional<std::string> chosen = choose(list);
  if (!chosen) return false;
  const LayoutFileEntry* file = FindLayoutFile(list.files, *chosen);
  return file && OpenFile(file->file);
}

bool FileCommands::DeleteEntry(OpenList& list, std::size_t index) {
  if (index >= list.names.size()) return false;
  const std::string shown = list.names[index];
  const auto it = std::find_if(list.files.begin(), list.files.end(),
                               [&](const LayoutFileEntry& f) { return f.display_name == shown; });
  if (it == list.files.end()) return false;
  if (!prompter_.AskYesNo(TrMark("Delete Layout"),
                          Tr("Delete layout \"") + shown + Tr("\"?\n\nThis cannot be undone."),
                          PromptIcon::Warning, true))
    return false;
  const bool is_open = !doc_.path().empty() && SameFile(it->file, doc_.path());
  std::error_code ec;
  fs::remove(it->file, ec);  // a file already gone counts as deleted
  if (ec) {
    prompter_.Notify(TrMark("Delete Failed"), Tr("Could not delete:\n") + it->file.string(),
                     PromptIcon::Error);
    return false;
  }
  if (is_open) doc_.SetFile("", doc_.name());  // the next Save asks for a name
  list.files.erase(it);
  list.names.erase(list.names.begin() + static_cast<std::ptrdiff_t>(index));
  return true;
}

std::optional<ImportChoice> FileCommands::ChooseImport(const ImportChooser& choose) {
  ImportChoice start;
  start.folder = folder_;
  for (;;) {
    std::optional<ImportChoice> c = choose(start);
    if (!c) return std::nullopt;
    c->folder = Trim(c->folder);
    c->name = Trim(c->name);
    if (c->file_name.empty() || c->name.empty()) return std::nullopt;
    folder_ = c->folder;
    if (SafeOrRefuse(c->name, TrMark("Import Failed"))) return c;
    start = *c;
  }
}

bool FileCommands::Import(const ImportChooser& choose) {
  const std::optional<ImportChoice> c = ChooseImport(choose);
  if (!c) return false;
  const fs::path source = fs::path(c->folder) / c->file_name;
  const fs::path target = layout_dir_ / (c->name + ".vtl");
  if (Exists(target) && !ConfirmReplace(AlreadyExistsText(c->name))) return false;
  // What is checked is exactly what is copied: the file is read once.
  std::string data;
  Layout probe;
  std::string error = ReadWholeFile(source, data);
  if (error.empty()) error = ReadLayoutText(data, probe).error;
  if (!error.empty()) {
    prompter_.Notify(TrMark("Import Failed"),
                     Tr("This file does not appear to be a Vantrel layout:\n\n") + error,
                     PromptIcon::Error);
    return false;
  }
  if (!WriteFileAtomically(target, data).empty()) {
    prompter_.Notify(TrMark("Import Failed"), Tr("Could not copy the file to:\n") + target.string(),
                     PromptIcon::Error);
    return false;
  }
  if (!prompter_.AskYesNo(TrMark("Import"),
                          Subst(Tr("Imported successfully.\n\nOpen \"%1\" now?"), {c->name}),
                          PromptIcon::Question, false))
    return false;
  return ConfirmDiscard() && OpenFile(target);
}

std::optional<ExportChoice> FileCommands::ChooseExport(const ExportChooser& choose,
                                                       const std::vector<std::string>& names) {
  ExportChoice start;
  start.folder = folder_;
  if (std::find(names.begin(), names.end(), doc_.name()) != names.end())
    start.entry = start.name = doc_.name();
  for (;;) {
    std::optional<ExportChoice> c = choose(names, start);
    if (!c) return std::nullopt;
    c->folder = Trim(c->folder);
    c->name = Trim(c->name);
    if (c->entry.empty() || c->folder.empty() || c->name.empty()) return std::nullopt;
    folder_ = c->folder;
    if (SafeOrRefuse(c->name, TrMark("Export Failed"))) return c;
    start = *c;
  }
}

void FileCommands::Export(const ExportChooser& choose) {
  const std::vector<LayoutFileEntry> files = CollectLayoutFiles(layout_dir_);
  if (files.empty()) {
    prompter_.Notify("Export Layout", TrMark("No layouts to export. Save a layout first."),
                     PromptIcon::Information);
    return;
  }
  std::vector<std::string> names;
  for (const LayoutFileEntry& f : files) names.push_back(f.display_name);
  const std::optional<ExportChoice> c = ChooseExport(choose, names);
  if (!c) return;
  const LayoutFileEntry* source = FindLayoutFile(files, c->entry);
  if (!source) return;
  std::error_code ec;
  if (!fs::is_directory(c->folder, ec)) {
    prompter_.Notify(TrMark("Export Failed"),
                     Tr("Destination folder does not exist:\n") + c->folder, PromptIcon::Error);
    return;
  }
  const fs::path target = fs::path(c->folder) / (WithoutExtension(c->name) + ".vtl");
  if (Exists(target) && !ConfirmReplace("\"" + target.filename().string() +
                                        Tr("\" already exists in that folder.\n\nReplace it?")))
    return;
  if (CopyChecked(source->file, target, TrMark("Export Failed")))
    prompter_.Notify("Export", Tr("Exported to:\n") + target.string(), PromptIcon::Information);
}
