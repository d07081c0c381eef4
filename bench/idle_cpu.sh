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
# small for 150 %: IDLE_SCREEN=1920x1080 IDLE_WINDOW=150). Big screens:
#   IDLE_SCREEN=3840x2160 IDLE_WINDOW=full      full screen on a 4K screen
#   IDLE_SCREEN=3840x2160 QT_SCALE_FACTOR=2     a high-DPI desktop showing every window doubled
set -euo pipefail
app=$(cd "${1:?usage: bench/idle_cpu.sh APP_DIR [SECONDS] [RUNS]}" && pwd)
seconds=${2:-20}
runs=${3:-3}
. "$(dirname "$0")/../tests/e2e/e2e_lib.bash"
export SDL_AUDIODRIVER=dummy
tick=$(getconf CLK_TCK)
results="$E2E_WORK/results"
scaled=""

# ---- Programs and input -----------------------------------------------------------------------

# launch PROGRAM: starts the program in a fresh copy of the resource set; sets E2E_GAME, window,
# ox, oy and launch_ms (from the start of the process to the map of its window, as a client
# listening on the root window sees it).
launch() {
  rm -rf "$E2E_WORK/app" "$E2E_WORK/maps"
  e2e_make_appdir "$app"
  [ -z "${pair_map:-}" ] || printf '%s' "$pair_map" >"$E2E_WORK/app/Maps/Duzuz.xml"
  case $scaled in
    "") ;;
    full) printf '[Window]\r\nFullScreen=1\r\n' >>"$E2E_WORK/app/Config.ini" ;;
    *) printf '[Window]\r\nScale=%s\r\n' "$scaled" >>"$E2E_WORK/app/Config.ini" ;;
  esac
  mkfifo "$E2E_WORK/maps"
  stdbuf -oL xev -root -event substructure >"$E2E_WORK/maps" &
  local listener=$! start line
  exec 4<"$E2E_WORK/maps"
  sleep 0.3
  start=$(date +%s%N)
  (cd "$E2E_WORK/app" && exec "$1") &
  E2E_GAME=$!
  while read -r line <&4; do
    if [[ $line == MapNotify* ]]; then break; fi
  done
  launch_ms=$((($(date +%s%N) - start) / 1000000))
  kill "$listener" 2>/dev/null || true
  exec 4<&-
  window=$(e2e_find_window "$E2E_GAME")
  read -r ox oy < <(e2e_window_origin "$window")
}

quit_program() {
  kill "$E2E_GAME" 2>/dev/null || true
  wait "$E2E_GAME" 2>/dev/null || true
  E2E_GAME=
}

# point X Y: the pointer onto the picture's pixel (X, Y). Shown bigger, the picture fills the
# client area, or full screen the part that keeps its aspect, between bars; the window has moved
# since its launch.
# On a high-DPI desktop (QT_SCALE_FACTOR) every window is shown that many times bigger.
point() {
  if [ -z "$scaled" ]; then
    xdotool mousemove --sync $(awk -v ox="$ox" -v oy="$oy" -v x="$1" -v y="$2" \
      -v f="${QT_SCALE_FACTOR:-1}" 'BEGIN{printf "%d %d", ox + x * f, oy + y * f}')
    return
  fi
  local x0 y0
  read -r x0 y0 < <(e2e_window_origin "$window")
  e2e_picture_area "$window" "$scaled"
  xdotool mousemove --sync $((x0 + $(e2e_shown_x "$1"))) $((y0 + $(e2e_shown_y "$2")))
}
click() { point "$1" "$2"; sleep 0.2; xdotool click 1; sleep "${3:-0.5}"; }

# ---- Measuring --------------------------------------------------------------------------------

cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }

percent() { awk -v d="$1" -v t="$tick" -v s="$seconds" 'BEGIN{printf "%.2f", 100 * d / t / s}'; }

# rest NAME: CPU % of the program and of the X server over the rest; appended to the results.
rest() {
  local p0 x0
  p0=$(cpu_ticks "$E2E_GAME")
  x0=$(cpu_ticks "$E2E_XVFB")
  sleep "$seconds"
  echo "$1 app $(percent $(($(cpu_ticks "$E2E_GAME") - p0)))" >>"$results"
  echo "$1 xserver $(percent $(($(cpu_ticks "$E2E_XVFB") - x0)))" >>"$results"
  if [ -n "${IDLE_SHOTS:-}" ]; then import -window root "$IDLE_SHOTS/$1.png"; fi
}

rss_mib() { awk '/^VmRSS/{printf "%.1f", $2 / 1024}' "/proc/$E2E_GAME/status"; }

# ---- The parts of a run -----------------------------------------------------------------------

run_game_pages() {
  scaled=${IDLE_WINDOW:-}
  launch "$app/Pelmora"
  echo "launch ms $launch_ms" >>"$results"
  sleep 5                           # the intro
  point 465 340                     # off every menu button
  sleep 1
  rest menu
  click 350 220 3                   # 闯关模式: the map loads, then the introduction
  rest intro
  click 465 450 1                   # any click starts play
  rest board
  echo "rss MiB $(rss_mib)" >>"$results"
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
  pair_map=$(printf '<?xml version="1.0" encoding="UTF-8"?>\r\n<a>\r\n<b></b>\r\n<c></c>\r\n<d></d>\r\n<e>1</e>\r\n<f></f>\r\n<o>%s</o>\r\n</a>' "$(e2e_pair_level)")
  launch "$app/Pelmora"
  pair_map=
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
  launch "$app/Kestrand"
  echo "editor-launch ms $launch_ms" >>"$results"
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
  echo "editor-rss MiB $(rss_mib)" >>"$results"
  quit_program
}

: >"$results"
for run in $(seq "$runs"); do
  rm -f "$E2E_WORK/display"
  e2e_start_x "${IDLE_SCREEN:-1280x1024}"
  for part in ${IDLE_PARTS:-game result editor}; do
    case $part in
      game) run_game_pages ;;
      result) run_result_page ;;
      editor) run_editor ;;
    esac
  done
  kill "$E2E_XVFB" 2>/dev/null || true
  wait "$E2E_XVFB" 2>/dev/null || true
  E2E_XVFB=
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
  }' "$results"
