# Helpers of the end-to-end tests: an X server of our own, the game in a temporary application
# directory, window look-up, screenshots and pixel probes.

# e2e_start_x [WIDTHxHEIGHT]: starts Xvfb on a free display, 1280x1024 unless given, and exports
# DISPLAY. Without -noreset the server resets whenever its last client leaves and drops
# connections made meanwhile, so a program started right after an xprop or xdotool call could
# find no display.
e2e_start_x() {
  local fifo="$E2E_WORK/display"
  Xvfb -displayfd 3 -screen 0 "${1:-1280x1024}x24" -nolisten tcp -noreset 3>"$fifo" 2>"$E2E_WORK/xvfb.log" &
  E2E_XVFB=$!
  for _ in $(seq 100); do
    [ -s "$fifo" ] && break
    sleep 0.1
  done
  export DISPLAY=":$(head -n1 "$fifo")"
}

# e2e_make_appdir APP: copies the resource set of APP, with the translation catalogues, into
# $E2E_WORK/app.
e2e_make_appdir() {
  mkdir -p "$E2E_WORK/app"
  cp -r "$1/Images" "$1/Sound" "$1/Maps" "$1/i18n" "$E2E_WORK/app/"
  if [ -f "$1/Config.ini" ]; then cp "$1/Config.ini" "$E2E_WORK/app/"; fi
}

# e2e_search_window CRITERIA...: prints the id of the first mapped window that xdotool search
# finds with the criteria. A sanitized build on a busy machine may take long to start, hence the
# generous wait.
e2e_search_window() {
  local id
  for _ in $(seq 900); do
    id=$(xdotool search --onlyvisible "$@" 2>/dev/null | head -n1 || true)
    if [ -n "$id" ]; then echo "$id"; return 0; fi
    sleep 0.1
  done
  return 1
}

# e2e_find_window PID: prints the id of the first mapped window of the process.
e2e_find_window() { e2e_search_window --pid "$1"; }

# e2e_find_titled_window TITLE: prints the id of the first mapped window of that title.
e2e_find_titled_window() { e2e_search_window --name "^$1\$"; }

# e2e_click ID X Y: a click at the client pixel (X, Y) of the window, with time for its answer.
e2e_click() {
  local ox oy
  read -r ox oy < <(e2e_window_origin "$1")
  xdotool mousemove --sync $((ox + $2)) $((oy + $3))
  sleep 0.2
  xdotool click 1
  sleep 0.6
}

# e2e_docs_folder TOP: where the screenshot scripts write, by the desktop's language as the
# programs choose it: docs/en for an English desktop, docs/ for the original Chinese.
e2e_docs_folder() {
  local locale
  local first=${LANGUAGE:-}
  for locale in "${first%%:*}" "${LC_ALL:-}" "${LC_MESSAGES:-}" "${LANG:-}"; do
    [ -n "$locale" ] && break
  done
  case $locale in
    en*) echo "$1/docs/en" ;;
    *) echo "$1/docs" ;;
  esac
}

# e2e_pair_level: the level text of one layer whose only tiles are row 1, columns 1 and 5 (at
# (60, 52) and (228, 52) on the screen). With so few tiles both get face 1: they make a pair.
e2e_pair_level() {
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

# e2e_write_pair_map: the default map of the copied application directory becomes two such levels.
e2e_write_pair_map() {
  {
    printf '<?xml version="1.0" encoding="UTF-8"?>\r\n<a>\r\n<b>test</b>\r\n<c></c>\r\n<d></d>\r\n<e>2</e>\r\n<f></f>\r\n'
    printf '<o>%s</o>\r\n<o>%s</o>\r\n</a>' "$(e2e_pair_level)" "$(e2e_pair_level)"
  } > "$E2E_WORK/app/Maps/Duzuz.xml"
}

# e2e_window_origin ID: prints "X Y" of the window's client area on the root window.
e2e_window_origin() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/{x=$NF} /Absolute upper-left Y/{y=$NF} END{print x, y}'
}

# e2e_pixel FILE X Y: prints the pixel of a screenshot as "R,G,B".
e2e_pixel() {
  convert "$1" -format "%[fx:int(255*p{$2,$3}.r)],%[fx:int(255*p{$2,$3}.g)],%[fx:int(255*p{$2,$3}.b)]" info:
}

# e2e_shot NAME: screenshot of the whole X screen into $E2E_WORK/NAME.png.
e2e_shot() {
  import -window root "$E2E_WORK/$1.png"
}

# e2e_wait_pixel ID X Y COLOUR SECONDS: waits until the window's client pixel (X, Y) is COLOUR.
e2e_wait_pixel() {
  local id=$1 x=$2 y=$3 want=$4 seconds=$5 ox oy
  read -r ox oy < <(e2e_window_origin "$id")
  for _ in $(seq $((seconds * 5))); do
    e2e_shot probe
    [ "$(e2e_pixel "$E2E_WORK/probe.png" $((ox + x)) $((oy + y)))" = "$want" ] && return 0
    sleep 0.2
  done
  echo "pixel ($x, $y) never became $want; last $(e2e_pixel "$E2E_WORK/probe.png" $((ox + x)) $((oy + y)))" >&2
  return 1
}

# e2e_start_program PROGRAM: starts the program with the copied application directory as its
# current directory; E2E_GAME is its process, E2E_WINDOW its window. Fails when no window appears.
e2e_start_program() {
  (cd "$E2E_WORK/app" && exec "$1") &
  E2E_GAME=$!
  E2E_WINDOW=$(e2e_find_window "$E2E_GAME") || { echo "no window of $1 appeared" >&2; return 1; }
}

# e2e_wait_menu ID: waits until the intro's yellow has given way to the main menu.
e2e_wait_menu() {
  local ox oy
  e2e_wait_pixel "$1" 2 600 "255,220,50" 30
  read -r ox oy < <(e2e_window_origin "$1")
  for _ in $(seq 200); do
    e2e_shot menu
    [ "$(e2e_pixel "$E2E_WORK/menu.png" $((ox + 2)) $((oy + 600)))" != "255,220,50" ] && return 0
    sleep 0.2
  done
  echo "the intro never ended" >&2
  return 1
}

# e2e_client_size ID: prints "WIDTHxHEIGHT" of the window's client area.
e2e_client_size() {
  xwininfo -id "$1" | awk '/^ *Width/{w=$NF} /^ *Height/{h=$NF} END{print w "x" h}'
}

# e2e_picture_area ID [full]: sets ax, ay, aw and ah to the place and size of the game's 930 x 625
# picture in the window's client area: all of it, or in full screen the centred part that keeps
# the picture's aspect, between bars (sides rounded to the nearest pixel, halves up).
e2e_picture_area() {
  local size w h
  size=$(e2e_client_size "$1")
  w=${size%x*}
  h=${size#*x}
  ax=0; ay=0; aw=$w; ah=$h
  if [ "${2:-}" = full ]; then
    if [ $((w * 625)) -le $((h * 930)) ]; then ah=$(((1250 * w + 930) / 1860)); else aw=$(((1860 * h + 625) / 1250)); fi
    ax=$(((w - aw) / 2)); ay=$(((h - ah) / 2))
  fi
}

# e2e_shown_x X / e2e_shown_y Y: the first client pixel that shows the picture's column X (row Y)
# in the area e2e_picture_area set.
e2e_shown_x() { echo $((ax + ($1 * aw + 929) / 930)); }
e2e_shown_y() { echo $((ay + ($1 * ah + 624) / 625)); }

# e2e_expect_window ID TITLE: the window's client area is 930 x 625 and its title is TITLE.
e2e_expect_window() {
  local width height title
  read -r width height < <(xwininfo -id "$1" | awk '/^ *Width/{w=$NF} /^ *Height/{h=$NF} END{print w, h}')
  [ "$width" = 930 ] && [ "$height" = 625 ] || { echo "window is ${width}x${height}" >&2; return 1; }
  title=$(xprop -id "$1" _NET_WM_NAME)
  [[ "$title" == *"\"$2\""* ]] || { echo "title is $title" >&2; return 1; }
}

# e2e_close_program ID: sends the close request of the close box and expects exit code 0.
e2e_close_program() {
  local status=0
  "$E2E_BUILD/tests/xclose" "$1"
  wait "$E2E_GAME" || status=$?
  E2E_GAME=
  [ "$status" = 0 ] || { echo "exit code $status" >&2; return 1; }
}

# e2e_browser_stand_in: exports BROWSER as a script that records the address it is given in
# $E2E_WORK/browsed, in place of a browser.
e2e_browser_stand_in() {
  printf '#!/bin/sh\nprintf "%%s\\n" "$1" >"%s/browsed.new" && mv "%s/browsed.new" "%s/browsed"\n' \
    "$E2E_WORK" "$E2E_WORK" "$E2E_WORK" >"$E2E_WORK/browser"
  chmod +x "$E2E_WORK/browser"
  rm -f "$E2E_WORK/browsed"
  export BROWSER=$E2E_WORK/browser
}

# e2e_open_guide ID GUIDE: clicks 官方网站 (button 7 of the main menu, 705 < x < 820,
# 400 < y < 515) and expects the browser stand-in to be given a file:// address of an HTML file
# in the folder GUIDE.
e2e_open_guide() {
  local ox oy address file
  rm -f "$E2E_WORK/browsed"
  read -r ox oy < <(e2e_window_origin "$1")
  xdotool mousemove --sync $((ox + 760)) $((oy + 455))
  sleep 0.2
  xdotool click 1
  for _ in $(seq 100); do
    [ -s "$E2E_WORK/browsed" ] && break
    sleep 0.1
  done
  address=$(cat "$E2E_WORK/browsed" 2>/dev/null) || { echo "官方网站 ran no browser" >&2; return 1; }
  [[ $address == file://* ]] || { echo "官方网站 opened $address" >&2; return 1; }
  file=$(printf '%b' "$(printf '%s' "${address#file://}" | sed 's/%/\\x/g')")
  [[ $file == "$2"/*.html ]] && [ -f "$file" ] \
    || { echo "官方网站 opened $address, not an HTML file of $2" >&2; return 1; }
}

# e2e_check_guide FOLDER: every link and picture of every page of the guide in FOLDER names a
# file that exists (web addresses are refused: the guide works without a network).
e2e_check_guide() {
  local page target missing=0
  [ -f "$1/index.html" ] || { echo "no guide in $1" >&2; return 1; }
  for page in "$1"/*.html; do
    while read -r target; do
      case $target in
        '#'*) continue ;;
        *://*|//*) echo "$page: $target needs a network" >&2; missing=1; continue ;;
      esac
      target=${target%%#*}
      [ -e "$(dirname "$page")/$target" ] || { echo "$page: $target is missing" >&2; missing=1; }
    done < <(grep -oE '(href|src)="[^"]*"' "$page" | sed -E 's/^(href|src)="(.*)"$/\2/')
  done
  return $missing
}

e2e_cleanup() {
  if [ -n "${E2E_GAME:-}" ]; then kill "$E2E_GAME" 2>/dev/null || true; fi
  if [ -n "${E2E_XVFB:-}" ]; then kill "$E2E_XVFB" 2>/dev/null || true; fi
  rm -rf "$E2E_WORK"
}

# The programs must reach the X server of the test, not Qt's offscreen platform of the unit tests.
unset QT_QPA_PLATFORM
E2E_BUILD=${2:-}
E2E_WORK=$(mktemp -d)
trap e2e_cleanup EXIT
