#!/usr/bin/env bash
# Gathers the texts marked for translation in src/ into po/vantrel.pot and merges them into
# every po/<language>.po. Marks: wx's _("...") and wxTRANSLATE("...") in gui/, and the
# core's Tr("..."), TrN("one", "many", n) and TrMark("...") (model/translate.h). A comment
# starting "TRANSLATORS:" just before a marked text goes into the catalog for translators.
# Entries whose text is no longer marked become obsolete ("#~") in the .po and come back
# when the text is marked again; afterwards translate what msgfmt reports as untranslated
# or fuzzy:  msgfmt --check --statistics -o /dev/null po/de.po
set -euo pipefail
cd "$(dirname "$0")/.."
for tool in xgettext msgmerge msgfmt; do
  command -v "$tool" >/dev/null || { echo "$tool not found: install gettext"; exit 1; }
done
mapfile -t sources < <(find src -name '*.cpp' -o -name '*.h' | LC_ALL=C sort)
xgettext --language=C++ --from-code=UTF-8 --sort-by-file --add-comments=TRANSLATORS: \
  --keyword=_ --keyword=wxTRANSLATE --keyword=wxPLURAL:1,2 \
  --keyword=Tr --keyword=TrN:1,2 --keyword=TrMark \
  --package-name=Vantrel --msgid-bugs-address=vantrel@kestrelmoor.example \
  --output=po/vantrel.pot "${sources[@]}"
echo "po/vantrel.pot: $(grep -c '^msgid ' po/vantrel.pot) texts (with the header)"
for po in po/*.po; do
  msgmerge --quiet --update --backup=none "$po" po/vantrel.pot
  obsolete=$(grep -c '^#~ msgid ' "$po" || true)
  printf '%s: ' "$po"
  msgfmt --check --statistics -o /dev/null "$po"
  ((obsolete == 0)) || echo "$po: $obsolete entries are not marked in the sources (obsolete)"
done
