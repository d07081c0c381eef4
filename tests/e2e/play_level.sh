#!/usr/bin/env bash
# The real game plays a map of two small levels: 闯关模式, the introduction, two free tiles
# taken as a pair, and the introduction of the second level.
set -euo pipefail
app=$1
. "$(dirname "$0")/e2e_lib.bash"

e2e_make_appdir "$app"
{
  printf '<?xml version="1.0" encoding="UTF-8"?>\r\n<a>\r\n<b>test</b>\r\n<c></c>\r\n<d></d>\r\n<e>2</e>\r\n<f></f>\r\n'
  printf '<o>%s</o>\r\n<o>%s</o>\r\n</a>' "$(e2e_pair_level)" "$(e2e_pair_level)"
} > "$E2E_WORK/app/Maps/Duzuz.xml"

e2e_start_x
e2e_start_program "$app/Pelmora"
id=$E2E_WINDOW
read -r ox oy < <(e2e_window_origin "$id")

# Wait for the main menu: the intro's yellow gives way to the background.
e2e_wait_pixel "$id" 2 600 "255,220,50" 30
for _ in $(seq 200); do
  e2e_shot menu
  [ "$(e2e_pixel "$E2E_WORK/menu.png" $((ox + 2)) $((oy + 600)))" != "255,220,50" ] && break
  sleep 0.2
done
sleep 0.5

click() {
  xdotool mousemove --sync $((ox + $1)) $((oy + $2))
  sleep 0.2
  xdotool click 1
  sleep 0.6
}

# Gold pixels of the big title "第n关" on the introduction page.
title_gold() {
  convert "$1" -crop 500x150+$((ox + 200))+$((oy + 180)) +repage -fill black \
    +opaque "rgb(255,200,0)" -fill white -opaque "rgb(255,200,0)" -format "%[fx:int(mean*w*h)]" info:
}

click 350 220                        # 闯关模式
sleep 1
e2e_shot intro1
[ "$(title_gold "$E2E_WORK/intro1.png")" -gt 200 ] || { echo "no introduction of level 1" >&2; exit 1; }

click 465 450                        # any click starts play
sleep 0.5
e2e_shot board
# Row 1 of the first layer: column 1 at (60, 52), column 5 at (228, 52), each 48 x 60.
tile1=$(e2e_pixel "$E2E_WORK/board.png" $((ox + 84)) $((oy + 82)))
tile5=$(e2e_pixel "$E2E_WORK/board.png" $((ox + 252)) $((oy + 82)))

click 84 82
click 252 82
sleep 1.5
e2e_shot after
intro2_gold=$(title_gold "$E2E_WORK/after.png")
[ "$intro2_gold" -gt 200 ] || { echo "no introduction of level 2 after the pair" >&2; exit 1; }
after1=$(e2e_pixel "$E2E_WORK/after.png" $((ox + 84)) $((oy + 82)))
after5=$(e2e_pixel "$E2E_WORK/after.png" $((ox + 252)) $((oy + 82)))
[ "$after1" != "$tile1" ] && [ "$after5" != "$tile5" ] \
  || { echo "the tiles are still there: $tile1/$after1 $tile5/$after5" >&2; exit 1; }
compare -metric AE -crop 500x150+$((ox + 200))+$((oy + 180)) "$E2E_WORK/intro1.png" "$E2E_WORK/after.png" null: 2>"$E2E_WORK/diff" || true
[ "$(cut -d' ' -f1 "$E2E_WORK/diff")" != 0 ] || { echo "level 2's title equals level 1's" >&2; exit 1; }

e2e_close_program "$id"
echo "play level: menu, introduction, pair taken, next introduction: ok"
