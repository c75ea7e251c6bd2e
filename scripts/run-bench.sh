#!/usr/bin/env bash
# Usage (inside scripts/wine-session.sh): scripts/run-bench.sh BUILD_DIR
# Prints the figures of `make bench`: file sizes and imports of the built
# editor and libraries, then the timings of tests/bench under Wine.
set -euo pipefail
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)

echo "Velmora benchmark, $(date -u '+%Y-%m-%d %H:%M UTC'), $(nproc) cores: $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//')"
echo "Load average before the run: $(cut -d' ' -f1-3 /proc/loadavg)"
echo
echo "Sizes:"
size_line() {  # file, target in KB
  local bytes; bytes=$(stat -c %s "$1")
  local verdict=""; [ "$bytes" -le $(($2 * 1024)) ] || verdict="  (over)"
  printf '  %-56s %9.1f KB   target <= %d KB%s\n' "${1#"$build"/}" "$(awk "BEGIN { print $bytes / 1024 }")" "$2" "$verdict"
}
size_line "$build/bin/simulated/Velmora.exe" 1536
for variant in hardware simulated; do
  for library in Halvex.dll PembleUSB.dll; do size_line "$build/bin/$variant/$library" 200; done
done
echo "  DLLs Velmora.exe imports: $(x86_64-w64-mingw32-objdump -p "$build/bin/simulated/Velmora.exe" | sed -n 's/.*DLL Name: //p' | sort | tr '\n' ' ')"

cd "$build/artifacts/main_window_bench"
"$here/wine-exec" ./main_window_bench.exe --gtest_brief=1
