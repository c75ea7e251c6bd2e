#!/usr/bin/env bash
# Usage: scripts/make-dist.sh VERSION BIN_DIR PACKAGE_DIR LICENSE ZIP
# Lays out the package for Windows users and zips it into ZIP (whose name,
# without .zip, is the package's top folder): the editor with the device
# libraries, the same editor beside the simulated device in Simulated\, the
# lesson programs, README.txt and LICENSE.txt. The texts get CR LF line ends
# and README.txt and SimDevice.ini a UTF-8 byte-order mark, for Notepad.
# Older packages in ZIP's folder are removed, so it holds one version only.
set -euo pipefail
[ $# -eq 5 ] || { echo "usage: $0 VERSION BIN_DIR PACKAGE_DIR LICENSE ZIP" >&2; exit 2; }
version=$1
bin=$(cd "$2" && pwd)
source=$(cd "$3" && pwd)
license=$(cd "$(dirname "$4")" && pwd)/$(basename "$4")
mkdir -p "$(dirname "$5")"
dist=$(cd "$(dirname "$5")" && pwd)
zip="$dist/$(basename "$5")"
name=$(basename "$zip" .zip)

stage="$dist/stage"
top="$stage/$name"
rm -rf "$stage"
mkdir -p "$top/Simulated" "$top/Examples"

for file in Velmora.exe Halvex.dll PembleUSB.dll; do
  cp -p "$bin/hardware/$file" "$top/"
  cp -p "$bin/simulated/$file" "$top/Simulated/"
done

# notepad_text BOM|NOBOM SOURCE: the text with CR LF line ends and the version filled in.
notepad_text() {
  [ "$1" = BOM ] && printf '\xEF\xBB\xBF'
  sed -e "s/@VERSION@/$version/g" -e 's/\r$//' -e 's/$/\r/' "$2"
}
notepad_text BOM "$source/README.txt" >"$top/README.txt"
notepad_text NOBOM "$license" >"$top/LICENSE.txt"
notepad_text BOM "$source/SimDevice.ini" >"$top/Simulated/SimDevice.ini"
# The lesson programs are kept byte for byte as the editor saves them.
cp "$source"/Examples/*.STXT "$top/Examples/"

rm -f "$dist"/Velmora-*-windows-x64.zip "$zip.tmp"
# A sorted list and no Unix extras, so the same files give the same listing.
(cd "$stage" && find "$name" | LC_ALL=C sort | zip -q -X -@ "$zip.tmp")
mv "$zip.tmp" "$zip"
rm -rf "$stage"
