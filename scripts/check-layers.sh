#!/usr/bin/env bash
# Fails when a source includes a project header from a folder its layer may
# not know, and names each such include. Layers, lowest first:
#   model < files, device < framework < grid, chart, widgets < app
# usb/ (the device libraries), res/ (resources) and cli/ stand beside them;
# tests/ and build/ are not checked. res/ knows framework/ for the dialog
# class its templates name.
# Usage: check-layers.sh [ROOT]   (default: the tree this script is in)
set -euo pipefail
root="${1:-$(dirname "$0")/..}"
cd "$root"

# Each folder, then the folders its sources may include from besides itself.
rules='
model
files model
device model usb
framework
grid model files device framework
chart model files device framework
widgets model files device framework res
app model files device framework grid chart widgets res usb
usb
res model framework
cli model files device chart
'

found="$(grep -rnE --include='*.cpp' --include='*.h' --include='*.c' --include='*.rc' \
  --exclude-dir=build --exclude-dir=tests --exclude-dir=.git \
  '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[a-z_]+/' . || true)"

awk -v rules="$rules" '
BEGIN {
  n = split(rules, lines, "\n")
  for (i = 1; i <= n; ++i) {
    k = split(lines[i], words, " ")
    if (k == 0) continue
    known[words[1]] = 1
    for (j = 1; j <= k; ++j) may[words[1], words[j]] = 1
  }
}
NF {
  # ./folder/file:line:#include "target"
  split($0, parts, ":")
  file = substr(parts[1], 3)
  folder = file; sub(/\/.*/, "", folder)
  if (!(folder in known)) next
  target = $0; sub(/^[^"]*"/, "", target); sub(/".*/, "", target)
  to = target; sub(/\/.*/, "", to)
  if ((folder, to) in may) next
  printf "layers: %s:%s includes \"%s\": %s/ may not know %s/\n", file, parts[2], target, folder, to > "/dev/stderr"
  ++bad
}
END {
  if (bad) {
    printf "layers: %d include(s) against the direction of the layers\n", bad > "/dev/stderr"
    exit 1
  }
  print "layers: every include goes down the layers"
}' <<<"$found"
