#!/usr/bin/env bash
# check-translations.sh LUPDATE SRC TS [PYTHON]
# Fails, naming them, when a text that SRC wraps for translation has no translation in TS, when
# TS holds a translation of a text that SRC no longer has, or when lupdate warns about a text it
# cannot take (a tr() of a variable, a class without its translation context). lupdate updates a
# copy of TS, so TS stays as it is.
set -euo pipefail

lupdate=$1
src=$2
ts=$3
python=${4:-python3}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$ts" "$work/checked.ts"
"$lupdate" -silent -locations none -extensions cpp,h -I "$src" -I "$src/app" "$src" -ts "$work/checked.ts" \
    2>"$work/warnings"
if [ -s "$work/warnings" ]; then
    echo "lupdate cannot take every text of $src:"
    cat "$work/warnings"
    exit 1
fi

"$python" - "$work/checked.ts" "$(basename "$ts")" <<'PYTHON'
import sys
import xml.etree.ElementTree as ET

checked, ts_name = sys.argv[1], sys.argv[2]
untranslated, obsolete = [], []
for context in ET.parse(checked).getroot().iter("context"):
    name = context.findtext("name")
    for message in context.iter("message"):
        translation = message.find("translation")
        kind = translation.get("type") if translation is not None else "unfinished"
        text = f"  {name}: {message.findtext('source')!r}"
        if kind in ("vanished", "obsolete"):
            obsolete.append(text)
        elif kind == "unfinished" or not translation.text:
            untranslated.append(text)
if untranslated:
    print(f"Texts of the program without a translation in {ts_name} ({len(untranslated)}):")
    print("\n".join(untranslated))
if obsolete:
    print(f"Translations in {ts_name} of texts the program no longer has ({len(obsolete)}):")
    print("\n".join(obsolete))
if untranslated or obsolete:
    print("Update it with lupdate -locations none -extensions cpp,h -I src -I src/app src -ts "
          f"translations/{ts_name} (with -no-obsolete to drop what is gone) and translate "
          "what it marks unfinished.")
    sys.exit(1)
PYTHON
