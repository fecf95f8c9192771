#!/usr/bin/env bash
# Builds the combat sheet's browser page and checks it in Chromium, and writes
# combat-sheet-web.zip: index.html with the program and the files it loads, for any static web
# server. Builds Qt for WebAssembly first when it is not cached yet (about twenty minutes, once
# per machine). With --benchmark it also builds the empty window the page's start-up is
# measured against, and runs that benchmark instead of the checks.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/scripts/setup.sh" chromium zopfli zip nodejs python3-fonttools
cd "$root"

qt="$(bash scripts/web-qt.sh)"
web_root="${qt%/opt/*}"
SOURCE_DATE_EPOCH="$(cmake -P cmake/SourceDateEpoch.cmake)"
export SOURCE_DATE_EPOCH

# The build machine's own programs: the CP932 table's writer, run inside the root as well,
# so that the page decodes with the desktop's bytes; the replay of the fight the page plays;
# the layout of the window that the check clicks.
cmake --preset release >/dev/null
cmake --build --preset release --target cp932-table replay-log print-layout
mkdir -p build-web
(cd example && QT_QPA_PLATFORM=offscreen "$root/build-release/tools/print-layout" >"$root/build-web/layout.json")

targets=combat-sheet
[ "${1:-}" != --benchmark ] || targets="combat-sheet page-floor"
bash scripts/in-web-root.sh "$web_root" "
  cd /src/combat-sheet
  export COMBAT_SHEET_WEB_QT=${qt#"$web_root"} SOURCE_DATE_EPOCH=$SOURCE_DATE_EPOCH
  cmake --preset web >/dev/null
  cmake --build --preset web --target $targets"
cmp build-release/ratingtable/Cp932Table.cpp build-web/ratingtable/Cp932Table.cpp

# The page's Japanese face, made from IPAPGothic (Debian's python3, which has fontTools).
/usr/bin/python3 web/make-font.py /usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf \
  build-web/sheet-gothic.ttf

# The page's folder. The program and the font travel gzip-compressed: the page unpacks them
# itself, so no server needs to know how.
page="build-web/combat-sheet-web"
pack_page() { # PROGRAM FOLDER BUILD_SUBFOLDER
  rm -rf "$2"
  mkdir -p "$2/fonts" "$2/licenses"
  cp web/index.html web/page.js web/page.css example/RatingTable.txt "$2/"
  cp "build-web/$3/qtloader.js" "build-web/$3/$1.js" "$2/"
  zopfli -c "build-web/$3/$1.wasm" >"$2/$1.wasm.gz"
  zopfli -c build-web/sheet-gothic.ttf >"$2/fonts/sheet-gothic.ttf.gz"
  cp LICENSE "$2/licenses/combat-sheet.txt"
  cp /usr/share/doc/fonts-ipafont-gothic/copyright "$2/licenses/ipa-font.txt"
  cp web/font-notice.txt web/make-font.py "$2/licenses/"
  cp "$qt/licenses/LGPL-3.0-only.txt" "$2/licenses/qt-lgpl-3.0.txt"
}
pack_page combat-sheet "$page" main

(cd web/tests && npm ci --no-audit --no-fund --silent)
if [ "${1:-}" = --benchmark ]; then
  pack_page page-floor build-web/page-floor web
  sed -i 's/combat-sheet\.js/page-floor.js/; s/combat-sheet\.wasm/page-floor.wasm/; s/combat_sheet_entry/page_floor_entry/' \
    build-web/page-floor/index.html build-web/page-floor/page.js
  node benchmarks/page-startup.mjs "$page" build-web/page-floor
  exit 0
fi
timeout 600 node web/tests/check-page.mjs "$page" build-web/layout.json \
  build-release/tools/replay-log ${COMBAT_SHEET_WEB_SCREENSHOT:+"$COMBAT_SHEET_WEB_SCREENSHOT"}

# The same bytes from every build of one commit, as the Windows zip.
zip="$root/build-web/combat-sheet-web.zip"
rm -f "$zip"
(cd build-web && export TZ=UTC &&
  find combat-sheet-web -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} + &&
  find combat-sheet-web | LC_ALL=C sort | zip -qX "$zip" -@)
echo "web: $zip ($(stat -c %s "$zip") bytes)"
