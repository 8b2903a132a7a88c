#include "gui/app/translations.h"

#include <wx/filename.h>
#include <wx/stdpaths.h>
#include <wx/translation.h>

#include "gui/wx_text.h"
#include "model/translate.h"

namespace {

constexpr const char* kCatalog = "vantrel";

// The core's texts are looked up in the program's own catalog only.
std::string Lookup(std::string_view text) {
  const wxTranslations* t = wxTranslations::Get();
  const wxString* found = t ? t->GetTranslatedString(ToWx(std::string(text)), kCatalog) : nullptr;
  return found ? FromWx(*found) : std::string();
}

// The catalog holds the English plural beside the translated forms; the English singular
// finds the entry.
std::string LookupPlural(std::string_view one, std::string_view, unsigned long n) {
  const wxTranslations* t = wxTranslations::Get();
  const wxString* found =
      t ? t->GetTranslatedString(ToWx(std::string(one)), static_cast<unsigned>(n), kCatalog)
        : nullptr;
  return found ? FromWx(*found) : std::string();
}

}  // namespace

wxString SetUpTranslations(const wxString& language) {
  // An installed program finds its catalogs in <prefix>/share/locale beside its bin folder;
  // run from the build tree, in the build's locale folder (the program lies in build/src,
  // the test programs in build/tests).
  const wxFileName exe(wxStandardPaths::Get().GetExecutablePath());
  static bool paths_added = false;
  if (!paths_added) {
    paths_added = true;
    for (const char* relative : {"../share/locale", "../locale"}) {
      wxFileName dir = wxFileName::DirName(exe.GetPath() + "/" + relative);
      dir.Normalize(wxPATH_NORM_DOTS | wxPATH_NORM_ABSOLUTE);
      if (dir.DirExists()) wxFileTranslationsLoader::AddCatalogLookupPathPrefix(dir.GetPath());
    }
  }
  auto* translations = new wxTranslations;
  wxTranslations::Set(translations);  // takes ownership, drops the previous one
  if (!language.empty()) translations->SetLanguage(language);
  translations->AddStdCatalog();
  // The English texts are the catalog's own: "en" needs no catalog.
  const wxString chosen = translations->GetBestTranslation(kCatalog, wxLANGUAGE_ENGLISH_US);
  const bool loaded =
      !chosen.empty() && !chosen.StartsWith("en") && translations->AddCatalog(kCatalog);
  InstallTranslation(loaded ? Lookup : nullptr, loaded ? LookupPlural : nullptr);
  return loaded ? chosen : wxString();
}

void DropTranslations() {
  InstallTranslation(nullptr, nullptr);
  wxTranslations::Set(nullptr);
}

wxString TrWx(const std::string& text) {
  return ToWx(Tr(std::string_view(text)));
}

wxString TrMenuWx(const std::string& label) {
  const std::size_t tab = label.find('\t');
  if (tab == std::string::npos) return TrWx(label);
  return TrWx(label.substr(0, tab)) + ToWx(label.substr(tab));
}
