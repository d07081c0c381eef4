#!/usr/bin/env bash
# The real game in a real X server: its window, the intro, the main menu, 官方网站 opening the
# source tree's guide (whose links all name files that exist) and a close request.
set -euo pipefail
app=$1
. "$(dirname "$0")/e2e_lib.bash"

guide=$(cd "$(dirname "$0")/../../docs/guide" && pwd)
e2e_check_guide "$guide"

e2e_make_appdir "$app"
e2e_start_x
e2e_browser_stand_in
e2e_start_program "$app/Pelmora"
id=$E2E_WINDOW
e2e_expect_window "$id" "Vorle麻将连连看"

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

# The window is presented past Qt: its frame lies in memory shared with the X server, and Qt keeps
# no backing store of the window's size (a segment the server makes for Qt).
grep -q 'memfd:pelmora-frame' "/proc/$E2E_GAME/maps" \
  || { echo "the window is not presented from memory shared with the X server" >&2; exit 1; }
if grep -q 'memfd:xorg' "/proc/$E2E_GAME/maps"; then
  echo "Qt keeps a backing store of the game window" >&2; exit 1
fi

e2e_open_guide "$id" "$guide"
kill -0 "$E2E_GAME" || { echo "the game ended after 官方网站" >&2; exit 1; }

e2e_close_program "$id"
echo "game window: 930x625, title, intro, main menu presented from shared memory, guide, close: ok"
