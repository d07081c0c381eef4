#!/usr/bin/env bash
# The real game in a real X server: its window, the intro, the main menu and a close request.
set -euo pipefail
app=$1
build=$2
. "$(dirname "$0")/e2e_lib.bash"

e2e_make_appdir "$app"
e2e_start_x
(cd "$E2E_WORK/app" && exec "$app/Pelmora") &
E2E_GAME=$!

id=$(e2e_find_window "$E2E_GAME") || { echo "no game window appeared" >&2; exit 1; }
read -r width height < <(xwininfo -id "$id" | awk '/^ *Width/{w=$NF} /^ *Height/{h=$NF} END{print w, h}')
[ "$width" = 930 ] && [ "$height" = 625 ] || { echo "window is ${width}x${height}" >&2; exit 1; }
title=$(xprop -id "$id" _NET_WM_NAME)
case "$title" in
  *'"Vorle麻将连连看"'*) ;;
  *) echo "title is $title" >&2; exit 1 ;;
esac

# The intro cards stand on RGB(255, 220, 50); the main menu follows with a background picture.
e2e_wait_pixel "$id" 2 600 "255,220,50" 20
e2e_shot intro
for _ in $(seq 150); do
  read -r ox oy < <(e2e_window_origin "$id")
  e2e_shot menu
  [ "$(e2e_pixel "$E2E_WORK/menu.png" $((ox + 2)) $((oy + 600)))" != "255,220,50" ] && break
  sleep 0.2
done
[ "$(e2e_pixel "$E2E_WORK/menu.png" $((ox + 2)) $((oy + 600)))" != "255,220,50" ] \
  || { echo "the intro never ended" >&2; exit 1; }

"$build/tests/xclose" "$id"
status=0
wait "$E2E_GAME" || status=$?
E2E_GAME=
[ "$status" = 0 ] || { echo "exit code $status" >&2; exit 1; }
echo "game window: 930x625, title, intro, main menu, close: ok"
