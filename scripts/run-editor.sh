#!/usr/bin/env bash
# Usage: scripts/run-editor.sh BUILD_DIR
# Starts Velmora.exe with the simulated device under Wine, its simulator window
# open beside it ("/run"; F5 or the Run button open it again). With a display the
# editor runs until it is closed; without one it runs on Xvfb, a screenshot is
# written to BUILD_DIR/screenshots/velmora-run.png, and the editor is closed.
set -euo pipefail
build_dir=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
exe="$build_dir/bin/simulated/Velmora.exe"
[ -f "$exe" ] || { echo "missing $exe: build the Windows tree first" >&2; exit 1; }

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  echo "Starting the editor and its simulator on $DISPLAY (simulated device; received programs go to $build_dir/bin/simulated)"
  VELMORA_USE_DISPLAY=1 exec "$here/wine-session.sh" "$build_dir" bash -c "cd '$build_dir/bin/simulated' && wine Velmora.exe /run"
fi

mkdir -p "$build_dir/screenshots"
shot="$build_dir/screenshots/velmora-run.png"
echo "No display: running the editor on Xvfb for a screenshot"
"$here/wine-session.sh" "$build_dir" bash -c "
  cd '$build_dir/bin/simulated'
  wine Velmora.exe /run </dev/null >/dev/null 2>&1 &
  pid=\$!
  sleep \${VELMORA_RUN_SECONDS:-8}
  import -window root '$shot'
  kill \$pid 2>/dev/null || true
  wait \$pid 2>/dev/null || true
"
echo "Screenshot: $shot"
