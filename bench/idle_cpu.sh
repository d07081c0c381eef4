#!/usr/bin/env bash
# What the real programs cost at rest: launch -> window mapped, the CPU of the program and of the
# X server while nothing is touched on each page a player rests on, and the resident memory.
# Builds nothing: it runs the programs of a built application directory under an X server of
# its own, with the dummy audio driver.
#
# Usage: bench/idle_cpu.sh APP_DIR [SECONDS] [RUNS]
#   SECONDS  rest measured on each page (default 20)
#   RUNS     whole runs; each figure is reported per run and as the median (default 3)
# Needs Xvfb, xdotool, xev and xwininfo (x11-utils); CPU % is of one core. With IDLE_SHOTS set
# to a folder, a screenshot of each page is kept there (taken after its rest); IDLE_PARTS picks
# what is measured (default "game result editor"). IDLE_WINDOW shows the game window bigger, as
# the Config.ini of its copied application directory says: a scale in percent (125, 150, 175,
# 200) or "full" for full screen; IDLE_SCREEN is the X screen's size (default 1280x1024, too
# small for 150 %: IDLE_SCREEN=1920x1080 IDLE_WINDOW=150).
set -euo pipefail
app=$(cd "${1:?usage: bench/idle_cpu.sh APP_DIR [SECONDS] [RUNS]}" && pwd)
seconds=${2:-20}
runs=${3:-3}
export SDL_AUDIODRIVER=dummy
unset QT_QPA_PLATFORM
tick=$(getconf CLK_TCK)
work=$(mktemp -d)
xvfb=""
prog=""
scaled=""
cleanup() {
  [ -n "$prog" ] && kill "$prog" 2>/dev/null || true
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# ---- X server, programs, input ----------------------------------------------------------------

start_x() {
  rm -f "$work/display"
  mkfifo "$work/display"
  Xvfb -displayfd 3 -screen 0 "${IDLE_SCREEN:-1280x1024}x24" -nolisten tcp 3>"$work/display" 2>/dev/null &
  xvfb=$!
  export DISPLAY=":$(head -n1 "$work/display")"
}

stop_x() {
  kill "$xvfb" 2>/dev/null || true
  wait "$xvfb" 2>/dev/null || true
  xvfb=""
}

# make_appdir DIR: a copy of the resource set of the application directory, with IDLE_WINDOW's
# size in its Config.ini.
make_appdir() {
  mkdir -p "$1"
  cp -r "$app/Images" "$app/Sound" "$app/Maps" "$1/"
  [ -f "$app/Config.ini" ] && cp "$app/Config.ini" "$1/"
  case ${IDLE_WINDOW:-} in
    "") ;;
    full) printf '[Window]\r\nFullScreen=1\r\n' >>"$1/Config.ini" ;;
    *) printf '[Window]\r\nScale=%s\r\n' "$IDLE_WINDOW" >>"$1/Config.ini" ;;
  esac
  return 0
}

# launch PROGRAM DIR: starts the program in DIR; sets prog, window, ox, oy and launch_ms (from
# the start of the process to the map of its window, seen by a client listening on the root).
launch() {
  rm -f "$work/maps"
  mkfifo "$work/maps"
  stdbuf -oL xev -root -event substructure >"$work/maps" &
  local listener=$!
  exec 4<"$work/maps"
  sleep 0.3
  local start line
  start=$(date +%s%N)
  (cd "$2" && exec "$1") &
  prog=$!
  while read -r line <&4; do
    if [[ $line == MapNotify* ]]; then break; fi
  done
  launch_ms=$((($(date +%s%N) - start) / 1000000))
  kill "$listener" 2>/dev/null || true
  exec 4<&-
  window=""
  for _ in $(seq 100); do
    window=$(xdotool search --onlyvisible --pid "$prog" 2>/dev/null | head -n1 || true)
    [ -n "$window" ] && break
    sleep 0.1
  done
  read -r ox oy < <(xwininfo -id "$window" |
    awk '/Absolute upper-left X/{x=$NF} /Absolute upper-left Y/{y=$NF} END{print x, y}')
}

quit_program() {
  kill "$prog" 2>/dev/null || true
  wait "$prog" 2>/dev/null || true
  prog=""
}

# shown X Y: where the game window shows the picture's pixel (X, Y) on the screen. Shown bigger,
# the picture fills the client area, or full screen the part that keeps its aspect, between bars;
# the window has moved since its launch.
shown() {
  if [ -z "$scaled" ]; then echo $((ox + $1)) $((oy + $2)); return; fi
  local x0 y0 w h ax=0 ay=0 aw ah
  read -r x0 y0 w h < <(xwininfo -id "$window" | awk '/Absolute upper-left X/{x=$NF}
    /Absolute upper-left Y/{y=$NF} /^ *Width/{w=$NF} /^ *Height/{h=$NF} END{print x, y, w, h}')
  aw=$w; ah=$h
  if [ "$IDLE_WINDOW" = full ]; then
    if [ $((w * 625)) -le $((h * 930)) ]; then ah=$(((1250 * w + 930) / 1860)); else aw=$(((1860 * h + 625) / 1250)); fi
    ax=$(((w - aw) / 2)); ay=$(((h - ah) / 2))
  fi
  echo $((x0 + ax + ($1 * aw + 929) / 930)) $((y0 + ay + ($2 * ah + 624) / 625))
}
point() {
  local x y
  read -r x y < <(shown "$1" "$2")
  xdotool mousemove --sync "$x" "$y"
}
click() { point "$1" "$2"; sleep 0.2; xdotool click 1; sleep "${3:-0.5}"; }

# ---- Measuring --------------------------------------------------------------------------------

cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }

# rest NAME: CPU % of the program and of the X server over the rest; appended to the results.
rest() {
  local p0 x0 p1 x1
  p0=$(cpu_ticks "$prog")
  x0=$(cpu_ticks "$xvfb")
  sleep "$seconds"
  p1=$(cpu_ticks "$prog")
  x1=$(cpu_ticks "$xvfb")
  echo "$1 app $(awk -v d=$((p1 - p0)) -v t="$tick" -v s="$seconds" 'BEGIN{printf "%.2f", 100 * d / t / s}')" >>"$work/results"
  echo "$1 xserver $(awk -v d=$((x1 - x0)) -v t="$tick" -v s="$seconds" 'BEGIN{printf "%.2f", 100 * d / t / s}')" >>"$work/results"
  if [ -n "${IDLE_SHOTS:-}" ]; then import -window root "$IDLE_SHOTS/$1.png"; fi
}

rss_mib() { awk '/^VmRSS/{printf "%.1f", $2 / 1024}' "/proc/$prog/status"; }

# A level of one layer whose only tiles are row 1, columns 1 and 5: the pair of a one-level map.
pair_level() {
  local row column cells layer=""
  for row in $(seq 9); do
    cells=""
    for column in $(seq 20); do
      if [ "$row" = 1 ] && { [ "$column" = 1 ] || [ "$column" = 5 ]; }; then cells+="1,"; else cells+="0,"; fi
    done
    layer+="$cells|"
  done
  printf '1$%s$' "$layer"
}

# ---- One run ----------------------------------------------------------------------------------

run_game_pages() {
  scaled=${IDLE_WINDOW:-}
  make_appdir "$work/game"
  launch "$app/Pelmora" "$work/game"
  echo "launch ms $launch_ms" >>"$work/results"
  sleep 5                           # the intro
  point 465 340                     # off every menu button
  sleep 1
  rest menu
  click 350 220 3                   # 闯关模式: the map loads, then the introduction
  rest intro
  click 465 450 1                   # any click starts play
  rest board
  echo "rss MiB $(rss_mib)" >>"$work/results"
  click 585 590 0.5                 # the panel's home button
  click 600 200 2                   # 自由模式: the level selection, pointer over a thumbnail
  rest select
  click 90 600 0.5                  # 主菜单
  click 610 450 1                   # 游戏帮助
  rest help
  quit_program
}

run_result_page() {
  scaled=${IDLE_WINDOW:-}
  make_appdir "$work/result"
  {
    printf '<?xml version="1.0" encoding="UTF-8"?>\r\n<a>\r\n<b></b>\r\n<c></c>\r\n<d></d>\r\n'
    printf '<e>1</e>\r\n<f></f>\r\n<o>%s</o>\r\n</a>' "$(pair_level)"
  } >"$work/result/Maps/Duzuz.xml"
  launch "$app/Pelmora" "$work/result"
  sleep 5
  click 350 220 2                   # 闯关模式
  click 465 450 1
  click 84 82 0.3                   # row 1, column 1
  click 252 82 0.3                  # row 1, column 5: the last pair
  sleep 10                          # the count-up of the result page
  rest result
  quit_program
}

run_editor() {
  scaled=""
  make_appdir "$work/editor"
  launch "$app/Kestrand" "$work/editor"
  echo "editor-launch ms $launch_ms" >>"$work/results"
  sleep 1
  xdotool windowfocus --sync "$window" 2>/dev/null || true
  xdotool key --window "$window" ctrl+1          # a level of type 1, its first layer full
  for _ in $(seq 8); do
    sleep 0.2
    xdotool key --window "$window" alt+n         # eight more layers, each full
  done
  point 465 300
  sleep 1
  rest editor
  echo "editor-rss MiB $(rss_mib)" >>"$work/results"
  quit_program
}

: >"$work/results"
for run in $(seq "$runs"); do
  start_x
  for part in ${IDLE_PARTS:-game result editor}; do
    case $part in
      game) run_game_pages ;;
      result) run_result_page ;;
      editor) run_editor ;;
    esac
  done
  stop_x
  echo "run $run done" >&2
done

# ---- Report -----------------------------------------------------------------------------------

printf '%-16s %-8s %s\n' figure median runs
awk '{key = $1 " " $2; v[key] = v[key] " " $3; if (!(key in seen)) {seen[key] = 1; order[n++] = key}}
  END {
    for (i = 0; i < n; i++) {
      k = order[i]; m = split(substr(v[k], 2), a, " ")
      for (x = 1; x <= m; x++) for (y = x + 1; y <= m; y++) if (a[y] + 0 < a[x] + 0) {t = a[x]; a[x] = a[y]; a[y] = t}
      med = (m % 2) ? a[(m + 1) / 2] : (a[m / 2] + a[m / 2 + 1]) / 2
      printf "%-16s %-8s%s\n", k, med, v[k]
    }
  }' "$work/results"
