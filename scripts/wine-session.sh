#!/usr/bin/env bash
# Usage: scripts/wine-session.sh BUILD_DIR COMMAND [ARGS...]
# Runs COMMAND with a private Wine prefix under BUILD_DIR (created once), a
# private Xvfb display and one persistent wineserver, and stops both
# afterwards by their own pid and prefix. With VELMORA_USE_DISPLAY=1 and a
# DISPLAY set, the existing display is used instead of Xvfb (and a prefix of
# its own, whose windows go to the desktop's window manager).
set -euo pipefail
[ $# -ge 2 ] || { echo "usage: $0 BUILD_DIR COMMAND [ARGS...]" >&2; exit 2; }
build_dir=$(cd "$1" && pwd); shift
here=$(cd "$(dirname "$0")" && pwd)

headless=1
if [ "${VELMORA_USE_DISPLAY:-0}" = 1 ] && [ -n "${DISPLAY:-}" ]; then headless=0; fi

if [ $headless = 1 ]; then
  export WINEPREFIX="$build_dir/wineprefix"
else
  export WINEPREFIX="$build_dir/wineprefix-display"
fi
export WINEDEBUG="${WINEDEBUG:--all}"
# No Mono or Gecko add-on downloads.
export WINEDLLOVERRIDES="mscoree=;mshtml="
export LANG=C.UTF-8 LC_ALL=C.UTF-8

xvfb_pid=""
cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; wait "$xvfb_pid" 2>/dev/null || true; fi
}
trap cleanup EXIT

if [ $headless = 1 ]; then
  n=90
  while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
  # -noreset: the resources below outlive the client that sets them.
  Xvfb ":$n" -screen 0 1600x1200x24 -nolisten tcp -noreset >/dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 1 100); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
  [ -e "/tmp/.X11-unix/X$n" ] || { echo "Xvfb did not start on :$n" >&2; exit 1; }
  export DISPLAY=":$n"
  # A resource database, as a desktop session's X server has from xrdb at
  # login. Without one libX11 reads ~/.Xdefaults again at every XGetDefault,
  # which Wine calls whenever it selects a font into a window's DC. Nothing
  # here is a resource Wine reads (Xft.* would change the text's look).
  xprop -root -f RESOURCE_MANAGER 8s -set RESOURCE_MANAGER "*customization:	-color
" || { echo "could not set the display's resources" >&2; exit 1; }
fi

if [ ! -f "$WINEPREFIX/.velmora-ready" ]; then
  echo "Creating Wine prefix in $WINEPREFIX"
  rm -rf "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1
  wineserver -w
  # Fonts the dialogs and drawings ask for, mapped to packaged fonts. The
  # flowchart's "Arial" text holds ≧, ≦, ＝ and ℃, which only the CJK font
  # has (Wine does not fall back to another font for missing glyphs).
  wine reg import "$here/wine-fonts.reg" >/dev/null 2>&1
  # Xvfb has no window manager to answer Wine's map and unmap requests.
  [ $headless = 1 ] && wine reg import "$here/wine-headless.reg" >/dev/null 2>&1
  wineserver -w
  touch "$WINEPREFIX/.velmora-ready"
fi

wineserver -p
# Start Wine's background services now, with no handle on our output:
# services started later would inherit the test's stdout and keep CTest's
# pipe open after the test has ended.
wine wineboot </dev/null >/dev/null 2>&1
"$@"
