#!/usr/bin/env bash
# The game window shown bigger in a real X server of 1920 x 1080: 150 % chosen in the settings
# window, clicks where the scaled picture shows the 设置 button and a tile, the size kept over a
# restart, then F11's full screen with bars, a click on its scaled 闯关模式, and F11 back.
#
# 930 x 625 at 150 % is 1395 x 938: each side is rounded to the nearest pixel, halves up. A
# client pixel x is shown from pixel ceil(x * 1395 / 930) on; a shown pixel X reads as
# floor(X * 930 / 1395), and likewise down the 938 rows.
set -euo pipefail
app=$1
. "$(dirname "$0")/e2e_lib.bash"

e2e_make_appdir "$app"
e2e_write_pair_map
config_before=$(cat "$E2E_WORK/app/Config.ini")

# click ID X Y: a click at the shown place of client pixel (X, Y), one pixel into it.
click() {
  local ox oy
  read -r ox oy < <(e2e_window_origin "$1")
  xdotool mousemove --sync $((ox + $(e2e_shown_x "$2") + 1)) $((oy + $(e2e_shown_y "$3") + 1))
  sleep 0.2
  xdotool click 1
  sleep 0.6
}

# wait_size ID SIZE: waits until the window's client area is SIZE.
wait_size() {
  for _ in $(seq 50); do
    [ "$(e2e_client_size "$1")" = "$2" ] && return 0
    sleep 0.1
  done
  echo "the window is $(e2e_client_size "$1"), not $2" >&2
  return 1
}

# title_gold SHOT: the gold pixels of the big title "第n关" of the introduction page, scaled.
title_gold() {
  local ox oy x0 y0 x1 y1
  read -r ox oy < <(e2e_window_origin "$id")
  x0=$(e2e_shown_x 200); y0=$(e2e_shown_y 180); x1=$(e2e_shown_x 700); y1=$(e2e_shown_y 330)
  convert "$1" -crop $((x1 - x0))x$((y1 - y0))+$((ox + x0))+$((oy + y0)) +repage -fill black \
    +opaque "rgb(255,200,0)" -fill white -opaque "rgb(255,200,0)" -format "%[fx:int(mean*w*h)]" info:
}

# centre ID: "X Y" of the centre of the window's client area on the screen.
centre() {
  local ox oy size
  read -r ox oy < <(e2e_window_origin "$1")
  size=$(e2e_client_size "$1")
  echo $((ox + ${size%x*} / 2)) $((oy + ${size#*x} / 2))
}

near() { [ $(($1 - $2)) -le 2 ] && [ $(($2 - $1)) -le 2 ]; }

e2e_start_x 1920x1080
e2e_start_program "$app/Pelmora"
id=$E2E_WINDOW
e2e_wait_menu "$id"
sleep 0.5

# ---- 150 % from the settings window -----------------------------------------------------------

e2e_picture_area "$id" windowed
click "$id" 880 25                          # 设置
settings=$(e2e_find_titled_window "游戏设置")
# 窗口大小's list lies at (60, 3) in the display frame's container at (15, 170).
read -r sx sy < <(e2e_window_origin "$settings")
xdotool mousemove --sync $((sx + 100)) $((sy + 183))
sleep 0.2
xdotool click 1
sleep 0.6
xdotool key Down Down Return              # 100% -> 125% -> 150%
wait_size "$id" 1395x938
"$E2E_BUILD/tests/xclose" "$settings"
sleep 0.5
grep -q $'^\\[Window\\]\r$' "$E2E_WORK/app/Config.ini" && grep -q $'^Scale=150\r$' "$E2E_WORK/app/Config.ini" \
  || { echo "Config.ini lacks Scale=150:"; cat "$E2E_WORK/app/Config.ini"; exit 1; } >&2
[ "$(head -c ${#config_before} "$E2E_WORK/app/Config.ini")" = "$config_before" ] \
  || { echo "the other lines of Config.ini changed" >&2; exit 1; }

e2e_picture_area "$id" windowed
click "$id" 880 25                          # 设置 where the scaled picture shows it
settings=$(e2e_find_titled_window "游戏设置") || { echo "no settings window at 150 %" >&2; exit 1; }
sleep 0.3
read -r gx gy < <(centre "$id")
read -r cx cy < <(centre "$settings")
near "$gx" "$cx" && near "$gy" "$cy" \
  || { echo "settings window centred at $cx,$cy, the game at $gx,$gy" >&2; exit 1; }
"$E2E_BUILD/tests/xclose" "$settings"
sleep 0.5

click "$id" 350 220                         # 闯关模式
sleep 1
e2e_shot intro
[ "$(title_gold "$E2E_WORK/intro.png")" -gt 400 ] || { echo "no introduction at 150 %" >&2; exit 1; }
click "$id" 465 450                         # any click starts play
sleep 0.5
read -r ox oy < <(e2e_window_origin "$id")
tile="$(e2e_shown_x 60)x$(e2e_shown_y 52)"
tile_crop=$(($(e2e_shown_x 108) - $(e2e_shown_x 60)))x$(($(e2e_shown_y 112) - $(e2e_shown_y 52)))+$((ox + $(e2e_shown_x 60)))+$((oy + $(e2e_shown_y 52)))
e2e_shot board
click "$id" 84 82                           # inside the tile of column 1
sleep 0.3
e2e_shot selected
compare -metric AE -crop "$tile_crop" "$E2E_WORK/board.png" "$E2E_WORK/selected.png" null: 2>"$E2E_WORK/diff" || true
[ "$(cut -d' ' -f1 "$E2E_WORK/diff")" -gt 500 ] \
  || { echo "the tile at $tile did not turn selected: $(cat "$E2E_WORK/diff") pixels changed" >&2; exit 1; }

e2e_close_program "$id"

# ---- The scale kept over a restart; F11 ---------------------------------------------------------

e2e_start_program "$app/Pelmora"
id=$E2E_WINDOW
wait_size "$id" 1395x938
e2e_wait_menu "$id"
sleep 0.5
xdotool windowfocus --sync "$id" 2>/dev/null || xdotool windowfocus "$id"
xdotool key --window "$id" F11
wait_size "$id" 1920x1080
sleep 0.5
e2e_picture_area "$id" full
e2e_shot full
[ "$ax" = 156 ] && [ "$aw" = 1607 ] || { echo "picture at $ax, $aw wide" >&2; exit 1; }
for x in 10 150 1770 1910; do
  [ "$(e2e_pixel "$E2E_WORK/full.png" "$x" 540)" = "0,0,0" ] || { echo "no black bar at x $x" >&2; exit 1; }
done
click "$id" 350 220                         # 闯关模式, scaled into the full screen
sleep 1
e2e_shot intro-full
[ "$(title_gold "$E2E_WORK/intro-full.png")" -gt 400 ] \
  || { echo "闯关模式 did not start in full screen" >&2; exit 1; }
grep -q $'^FullScreen=1\r$' "$E2E_WORK/app/Config.ini" || { echo "FullScreen=1 not written" >&2; exit 1; }
xdotool key --window "$id" F11
wait_size "$id" 1395x938
grep -q $'^FullScreen=0\r$' "$E2E_WORK/app/Config.ini" || { echo "FullScreen=0 not written" >&2; exit 1; }

e2e_close_program "$id"

# ---- A desktop that doubles every window ------------------------------------------------------

# Qt gives the window twice the pixels; the picture must fill them, not a quarter of them.
sed -i '/^Scale=/d' "$E2E_WORK/app/Config.ini"
QT_SCALE_FACTOR=2 e2e_start_program "$app/Pelmora"
id=$E2E_WINDOW
wait_size "$id" 1860x1250
e2e_wait_menu "$id"
sleep 0.5
e2e_shot doubled
read -r ox oy < <(e2e_window_origin "$id")
for place in "1500 900" "1800 1000" "1000 700"; do
  read -r x y <<<"$place"
  [ $((oy + y)) -lt 1080 ] || { echo "the doubled window lies too low: $oy" >&2; exit 1; }
  [ "$(e2e_pixel "$E2E_WORK/doubled.png" $((ox + x)) $((oy + y)))" != "0,0,0" ] \
    || { echo "the doubled window shows nothing at ($x, $y)" >&2; exit 1; }
done
e2e_close_program "$id"
echo "window scale: 150 % is 1395x938, scaled clicks, kept over a restart, F11 full screen and back, a doubled desktop filled: ok"
