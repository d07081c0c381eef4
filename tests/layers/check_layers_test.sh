#!/usr/bin/env bash
# The layering check's own rules: a tree holding one include against each rule is refused with
# the file and line of each, an include each folder may make is let through, and a tree of
# allowed includes passes.
set -euo pipefail
check="$(cd "$(dirname "$0")/../.." && pwd)/scripts/check-layers"
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT

put() {   # put FILE LINES...: writes the lines into the file of the fixture tree
  local file="$tree/$1"
  shift
  mkdir -p "$(dirname "$file")"
  printf '%s\n' "$@" > "$file"
}

# Allowed includes of every folder.
put platform/window.cpp '#include "platform/window.h"' '#include <QWidget>' '#include <SDL.h>' \
  '#include <xcb/shm.h>'
put mapdata/grid.cpp '#include "mapdata/grid.h"' '#include <expat.h>'
put game/rules/items.cpp '#include "game/rules/items.h"' '#include "mapdata/grid.h"' \
  '#include "platform/random.h"'
put game/presentation/pages.cpp '#include "game/rules/rules_state.h"' '#include "platform/picture.h"'
put game/app/input.cpp '#include "game/presentation/layout.h"' '#include "platform/window.h"'
put tools/assetgen/art.cpp '#include <QImage>' '#include "mapdata/grid.h"'
put tests/platform/window_test.cpp '#include <QWidget>'
put tools/mapcheck/main.cpp '#include "game/rules/items.h"'
if ! out=$("$check" "$tree" 2>&1); then
  echo "a tree of allowed includes was refused:"; echo "$out"; exit 1
fi

# One include against each rule, each on its own line.
put platform/files.cpp '#include "platform/files.h"' '#include "mapdata/grid.h"'
put mapdata/reader.cpp '// reader' '#include "platform/dialog.h"'
put mapdata/model.cpp '#include "game/rules/rules_state.h"'
put game/rules/tiles.cpp '#include "game/presentation/sound.h"'
put game/rules/flow.cpp '#include "platform/random.h"' '#include "platform/window.h"'
put game/rules/scoring.cpp '#include "game/app/app_state.h"'
put game/presentation/sound.cpp '#include "game/app/main_loop.h"'
put editor/drawing.cpp '#include "tools/assetgen/embedded_pictures.h"'
put launcher/main.cpp '#  include <QProcess>'
put tools/mapcheck/sheet.cpp '#include <QImage>'
put tests/game/view_test.cpp '#include <SDL_mixer.h>'
put tools/assetgen/shots.cpp '#include <X11/Xlib.h>'
expected=(
  "platform/files.cpp:2:"
  "mapdata/reader.cpp:2:"
  "mapdata/model.cpp:1:"
  "game/rules/tiles.cpp:1:"
  "game/rules/flow.cpp:2:"
  "game/rules/scoring.cpp:1:"
  "game/presentation/sound.cpp:1:"
  "editor/drawing.cpp:1:"
  "launcher/main.cpp:1:"
  "tools/mapcheck/sheet.cpp:1:"
  "tests/game/view_test.cpp:1:"
  "tools/assetgen/shots.cpp:1:"
)
if out=$("$check" "$tree" 2>&1); then
  echo "a tree with includes against the layers passed:"; echo "$out"; exit 1
fi
for place in "${expected[@]}"; do
  if ! grep -q "^$place" <<< "$out"; then
    echo "not reported: $place"; echo "$out"; exit 1
  fi
done
reported=$(grep -c '^[a-z].*:[0-9]*: ' <<< "$out")
if [ "$reported" -ne "${#expected[@]}" ]; then
  echo "expected ${#expected[@]} reports, got $reported:"; echo "$out"; exit 1
fi
echo "1 passed, 0 failed"
