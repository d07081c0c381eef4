#!/usr/bin/env bash
# The real editor in a real X server: its window, a level made with Ctrl+1 and a close request.
set -euo pipefail
app=$1
. "$(dirname "$0")/e2e_lib.bash"

e2e_make_appdir "$app"
e2e_start_x
e2e_start_program "$app/Kestrand"
id=$E2E_WINDOW
e2e_expect_window "$id" "Vorle麻将连连看地图编辑器"

# Centres of the first-layer cells of rows 2, 5, 8 and columns 3, 10, 17 of a type 1 level.
probes=()
for row in 2 5 8; do
  for column in 3 10 17; do
    probes+=("$((42 * column + 48)) $((54 * row + 45))")
  done
done
probe_colours() {
  local ox oy
  read -r ox oy < <(e2e_window_origin "$id")
  e2e_shot "$1"
  for p in "${probes[@]}"; do
    read -r x y <<<"$p"
    echo "$(e2e_pixel "$E2E_WORK/$1.png" $((ox + x)) $((oy + y)))"
  done
}

sleep 1
mapfile -t before < <(probe_colours empty)
xdotool windowfocus --sync "$id" 2>/dev/null || xdotool windowfocus "$id"
xdotool key --window "$id" ctrl+1
changed=0
for _ in $(seq 50); do
  sleep 0.2
  mapfile -t after < <(probe_colours level)
  changed=0
  for i in "${!before[@]}"; do
    [ "${before[$i]}" != "${after[$i]}" ] && changed=$((changed + 1))
  done
  [ "$changed" -ge 8 ] && break
done
[ "$changed" -ge 8 ] || { echo "no tiles after Ctrl+1 ($changed of 9 probes changed)" >&2; exit 1; }

e2e_close_program "$id"
echo "editor window: 930x625, title, Ctrl+1 shows tiles, close: ok"
