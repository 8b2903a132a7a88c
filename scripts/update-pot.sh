#!/usr/bin/env bash
# Gathers the texts marked for translation in src/ into po/vantrel.pot and merges them into
# every po/<language>.po. Marks: wx's _("...") and wxTRANSLATE("...") in gui/, and the
# core's Tr("..."), TrN("one", "many", n) and TrMark("...") (model/translate.h). A comment
# starting "TRANSLATORS:" just before a marked text goes into the catalog for translators.
# Entries whose text is no longer marked become obsolete ("#~") in the .po and come back
# when the text is marked again; a catalog most of whose texts would become obsolete is
# left as it is unless FORCE=1. Afterwards translate what msgfmt reports as untranslated
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
  --force-po --package-name=Vantrel --msgid-bugs-address=vantrel@kestrelmoor.example \
  --output=po/vantrel.pot "${sources[@]}"
echo "po/vantrel.pot: $(grep -c '^msgid ' po/vantrel.pot) texts (with the header)"
for po in po/*.po; do
  merged="$(mktemp)"
  msgmerge --quiet --output-file="$merged" "$po" po/vantrel.pot
  obsolete=$(grep -c '^#~ msgid ' "$merged" || true)
  current=$(($(grep -c '^msgid ' "$merged") - 1))
  # A catalog whose texts are mostly not marked (yet) is left alone: merging would make
  # them obsolete, and the compiled catalog would lose them.
  if ((obsolete > current)) && [ "${FORCE:-0}" != 1 ]; then
    echo "$po: $obsolete of its texts are not marked in the sources; left as it is (FORCE=1 merges)"
    rm -f "$merged"
    continue
  fi
  mv "$merged" "$po"
  echo "$po: $(LC_ALL=C msgfmt --check --statistics -o /dev/null "$po" 2>&1)"
  ((obsolete == 0)) || echo "$po: $obsolete obsolete entries (texts no longer marked)"
done
