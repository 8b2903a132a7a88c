// Translation of the texts the user reads in the window. The core knows no catalogs: the
// window installs a lookup at start, and until then (and always in vantrel-tool and the
// export commands, whose output scripts read) every text comes back unchanged.
//
// Texts are marked where they are written, so that scripts/update-pot.sh finds them:
//   Tr("Save Failed")                    translated now
//   TrN("%d piece", "%d pieces", n)      the form for n, by the language's plural rule
//   TrMark("Straights")                  only marked; translated with Tr() where shown
#pragma once

#include "catalog/text_mark.h"  // TrMark: marked only, for tables of static texts

#include <initializer_list>
#include <string>
#include <string_view>

// Returns the translation of `text`, or an empty string when there is none.
using TranslationLookup = std::string (*)(std::string_view text);
// Returns the translation of the form for `n`, or an empty string when there is none.
using PluralLookup = std::string (*)(std::string_view one, std::string_view many, unsigned long n);

// Installs the lookups the window uses; nullptr for both puts the English texts back.
// Installed once at start, before other threads ask; reading is safe from any thread.
void InstallTranslation(TranslationLookup lookup, PluralLookup plural);
bool TranslationInstalled();

// The translated text, or `text` itself. The pointer stays valid until the lookup changes
// (InstallTranslation), so it can be kept by tables and handed to printf-style functions.
const char* Tr(const char* text);
std::string Tr(std::string_view text);

// `pattern` with %1 ... %9 replaced by `values` (a translated sentence keeps its own word
// order): Subst(Tr("Remove level \"%1\"?"), {name}). "%%" is a percent sign.
std::string Subst(std::string_view pattern, std::initializer_list<std::string_view> values);

// The translated form for `n`, or `one` for n == 1 and `many` otherwise.
std::string TrN(std::string_view one, std::string_view many, unsigned long n);
