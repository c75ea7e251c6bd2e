#!/usr/bin/env bash
# The layer check against planted trees: each bad include fails the check and
# is named with its file and line; includes along the layers pass.
set -uo pipefail
script="$(cd "$(dirname "$0")/../.." && pwd)/scripts/check-layers.sh"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
failures=0

plant() {  # plant ROOT FILE LINE...
  local root="$1" file="$2"
  shift 2
  mkdir -p "$root/$(dirname "$file")"
  printf '%s\n' "$@" >"$root/$file"
}

expect_failure() {  # expect_failure NAME ROOT TEXT...
  local name="$1" root="$2" out
  shift 2
  if out="$(bash "$script" "$root" 2>&1)"; then
    echo "FAIL $name: the check passed"
    failures=$((failures + 1))
    return
  fi
  for text in "$@"; do
    if ! grep -qF -- "$text" <<<"$out"; then
      echo "FAIL $name: \"$text\" not named in:"
      echo "$out"
      failures=$((failures + 1))
    fi
  done
}

expect_pass() {  # expect_pass NAME ROOT
  local out
  if ! out="$(bash "$script" "$2" 2>&1)"; then
    echo "FAIL $1: the check failed:"
    echo "$out"
    failures=$((failures + 1))
  fi
}

good="$work/good"
plant "$good" model/checker.h '#pragma once' '#include "model/program_row.h"'
plant "$good" files/program_file.cpp '#include "files/program_file.h"' '#include "model/checker.h"'
plant "$good" device/send.cpp '#include "device/link.h"' '#include "model/device_image.h"'
plant "$good" widgets/box.cpp '#include "framework/dialog.h"' '#include "res/resource.h"'
plant "$good" app/main_window.cpp '#include "widgets/box.h"' '#include "grid/edit_list_ctrl_ex.h"' '#include <windows.h>'
plant "$good" tests/app/any_test.cpp '#include "app/main_window.h"'
plant "$good" build/windows/generated.h '#include "app/main_window.h"'
expect_pass "includes along the layers" "$good"

cases=(
  "model/row.h|#include \"files/program_text.h\"|model/row.h:2|files/program_text.h"
  "files/open.cpp|#include \"app/main_window.h\"|files/open.cpp:2|app/main_window.h"
  "device/send.cpp|  #  include \"res/resource.h\"|device/send.cpp:2|res/resource.h"
  "device/send.h|#include \"widgets/ask_question.h\"|device/send.h:2|widgets/ask_question.h"
  "widgets/looks.h|#include \"app/main_window.h\"|widgets/looks.h:2|app/main_window.h"
  "framework/wnd.cpp|#include \"grid/cell_attr.h\"|framework/wnd.cpp:2|grid/cell_attr.h"
  "grid/cells.cpp|#include \"chart/chart_metrics.h\"|grid/cells.cpp:2|chart/chart_metrics.h"
)
for entry in "${cases[@]}"; do
  IFS='|' read -r file include where target <<<"$entry"
  root="$work/bad-${file//\//-}"
  cp -r "$good" "$root"
  plant "$root" "$file" '// planted' "$include"
  expect_failure "$file" "$root" "$where" "$target"
done

expect_pass "the project's own tree" "$(dirname "$script")/.."

if [ "$failures" -ne 0 ]; then
  echo "$failures failure(s)"
  exit 1
fi
echo "layer check: ${#cases[@]} planted includes caught, good trees pass"
