#!/usr/bin/env bash
# The fake backend through the real libsane and its dll backend, as scanimage sees it:
# listing, option strings, feeder pages in name order then "out of documents", the
# flatbed glass page cropped to the scan area, a jam, unplugging and a hung start.
# Usage: scanimage_test.sh <scanimage>   (SANE_CONFIG_DIR and LD_LIBRARY_PATH set by CTest)
set -euo pipefail
scanimage=$1
export QUILLER_FAKE_STATE
QUILLER_FAKE_STATE=$(mktemp -d)
state=$QUILLER_FAKE_STATE
trap 'touch "$state/release"; rm -rf "$state"' EXIT
passes=0 failures=0
check() { # check <description> <command...>
    if "${@:2}"; then echo "ok: $1"; passes=$((passes + 1)); else echo "FAILED: $1"; failures=$((failures + 1)); fi
}
# scanimage writes PNM headers as magic, a comment line, size, maxval.
header() { head -n 4 "$1" | grep -av '^#' | tr '\n' ' '; }
first_pixel() { tail -n +5 "$1" | head -c 1 | od -An -tu1 | tr -d ' '; }

# Three grey pages: 60, 120, 180; named so that name order differs from creation order.
mkdir "$state/pages"
for page in c:180 a:60 b:120; do
    { printf 'P5\n85 110\n255\n'; head -c 9350 /dev/zero | tr '\0' "\\$(printf %o "${page#*:}")"; } \
        >"$state/pages/${page%:*}.pgm"
done

listing=$("$scanimage" -L)
check "lists the devices with vendor and model" \
    grep -qF "device \`quillerfake:fujitsu' is a FUJITSU fi-7160 sheetfed scanner" <<<"$listing"
check "lists four devices" test "$(grep -c "quillerfake:" <<<"$listing")" -eq 4

options=$("$scanimage" --format=pnm -d quillerfake:fujitsu -A)
check "source strings and default" \
    grep -qF -- "--source Flatbed|ADF Front|ADF Back|ADF Duplex [ADF Front]" <<<"$options"
check "paper sensor option" grep -qE -- "--page-loaded.*\[yes\]" <<<"$options"
check "double-feed options" grep -qF -- "--df-action Default|Continue|Stop [Default]" <<<"$options"
brother=$("$scanimage" --format=pnm -d quillerfake:brother -A)
check "brother sources" grep -qF -- "--source FlatBed|Automatic Document Feeder(left aligned)|Automatic Document Feeder(centrally aligned) [FlatBed]" <<<"$brother"
check "no sensor where none is configured" test "$(grep -c -- "-loaded" <<<"$brother")" -eq 0

# The feeder: three pages in name order, then out of documents.
"$scanimage" --format=pnm -d quillerfake:fujitsu --source "ADF Front" --batch="$state/feed%d.pgm" 2>"$state/err"
check "three pages fed" test "$(ls "$state" | grep -c '^feed')" -eq 3
check "pages in name order" \
    test "$(first_pixel "$state/feed1.pgm") $(first_pixel "$state/feed2.pgm") $(first_pixel "$state/feed3.pgm")" = "60 120 180"
check "feeder reported empty" grep -q "start fujitsu source=ADF Front status=NO_DOCS" "$state/scan.log"
check "four starts" test "$(grep -c "^start fujitsu" "$state/scan.log")" -eq 4

# The flatbed: the same glass page each time, in colour, cropped to 50 x 100 mm.
for n in 1 2; do
    "$scanimage" --format=pnm -d quillerfake:fujitsu --source Flatbed --mode Color -x 50 -y 100 >"$state/glass$n.ppm"
done
check "glass page cropped and in colour" test "$(header "$state/glass1.ppm")" = "P6 19 39 255 "
check "glass page is the same each time" cmp -s "$state/glass1.ppm" "$state/glass2.ppm"
check "glass page is the first image" test "$(first_pixel "$state/glass1.ppm")" = 60

# A jam in the middle of the second page.
if "$scanimage" --format=pnm -d quillerfake:brother --source "Automatic Document Feeder(left" \
    --batch="$state/jam%d.pgm" 2>"$state/err"; then jam=0; else jam=1; fi
check "jam fails the batch" test $jam -eq 1
check "jam is reported" grep -qi "jammed" "$state/err"
check "page before the jam kept" test -s "$state/jam1.pgm"

# Unplugged at the second page: gone from the list and unopenable until plugged in again.
"$scanimage" --format=pnm -d quillerfake:avision --batch="$state/gone%d.pgm" 2>"$state/err" || true
check "unplugging is an I/O error" grep -qi "Error during device I/O" "$state/err"
check "unplugged device not listed" test "$("$scanimage" -L | grep -c avision)" -eq 0
check "unplugged device cannot be opened" \
    bash -c "! '$scanimage' -d quillerfake:avision -A >/dev/null 2>&1"
rm "$state/unplugged"
check "plugged in again" test "$("$scanimage" -L | grep -c avision)" -eq 1

# A start that never returns until the release file appears.
"$scanimage" --format=pnm -d quillerfake:pixma --mode Gray >"$state/hang.pgm" 2>"$state/err" &
pid=$!
until grep -q "hang@start" "$state/scan.log" || ! kill -0 $pid 2>/dev/null; do sleep 0.05; done
check "start still blocked" kill -0 $pid
touch "$state/release"
check "released start completes" wait $pid
check "released page served" test "$(first_pixel "$state/hang.pgm")" = 60

echo "$passes passed, $failures failed"
test $failures -eq 0
