// The window's language: wx's catalogs for the desktop's language (LANGUAGE, LC_ALL,
// LC_MESSAGES, LANG), and the core's texts translated through them.
#pragma once

#include <wx/string.h>

// Loads the "vantrel" catalog (and wx's own) for `language` ("de", "de_DE"; empty for the
// desktop's) from the install prefix's share/locale or, run from the build tree, the build's
// locale folder, and installs the core's lookup. English when there is no catalog for the
// language. Returns the language whose catalog was loaded, or an empty string.
wxString SetUpTranslations(const wxString& language = wxString());

// Back to the English texts: the core's lookup is removed and wx's catalogs dropped.
void DropTranslations();

// A core text translated for a control: the whole text looked up in the catalog.
wxString TrWx(const std::string& text);
// A menu text translated: the part before "\t" is looked up, the accelerator after it kept.
wxString TrMenuWx(const std::string& label);
