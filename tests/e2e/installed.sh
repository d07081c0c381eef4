#!/usr/bin/env bash
# The installed game: cmake --install into a staging folder (the prefix /usr in Debian's places
# for games, another prefix in GNUInstallDirs' places), the installed tree with its guide, its
# catalogues and its English pictures, the desktop validators, the Debian package with lintian,
# then the installed launchers in an X server of our own with a home of their own: the player's
# folder, a setting that lasts, the editor, the guide behind 官方网站, both in English on an
# English desktop, a read-only home, and a tree that playing leaves untouched.
set -euo pipefail
. "$(dirname "$0")/e2e_lib.bash"

stage=$E2E_WORK/stage
root=$stage/usr
DESTDIR=$stage cmake --install "$E2E_BUILD" --prefix /usr >"$E2E_WORK/install.log"
fail() { echo "$*" >&2; exit 1; }

# ---- The installed tree ------------------------------------------------------------------------

data=$root/share/games/pelmora
for program in games/pelmora games/kestrand lib/games/pelmora/Pelmora lib/games/pelmora/Kestrand; do
  [ -f "$root/$program" ] && [ -x "$root/$program" ] || fail "no program $program"
done
diff -r "$1/Images" "$data/Images" >/dev/null || fail "the installed Images differ"
# The English pictures are optional for the programs, so nothing else would notice them missing.
for picture in Xianshi/30.png Xianshi/39.93-17 type_picture.png credit.jpg; do
  [ -f "$data/Images/en/$picture" ] || fail "no English picture Images/en/$picture"
done
diff -r "$1/Sound" "$data/Sound" >/dev/null || fail "the installed Sound differs"
diff -r "$1/i18n" "$data/i18n" >/dev/null || fail "the installed catalogues differ"
[ -f "$data/i18n/pelmora_en.qm" ] || fail "no English catalogue"
grep -q '^Yinliang=500' "$data/Config.ini" || fail "no default Config.ini"
grep -q '<o>' "$data/Maps/Duzuz.xml" || fail "no default map"
guide=$root/share/doc/pelmora/guide
e2e_check_guide "$guide" || fail "the installed guide names missing files"
names=(org.example.pelmora org.example.pelmora.kestrand)
for name in "${names[@]}"; do
  entry=$root/share/applications/$name.desktop
  [ -f "$entry" ] || fail "no desktop entry $name"
  [ "$(sed -n 's/^Icon=//p' "$entry")" = "$name" ] || fail "$name: its icon is not $name"
  [ -x "$root/games/$(sed -n 's/^Exec=//p' "$entry")" ] || fail "$name: Exec names no launcher"
  for size in 16 24 32 48 64 128 256; do
    icon=$root/share/icons/hicolor/${size}x$size/apps/$name.png
    [ "$(identify -format '%m %wx%h %[opaque]' "$icon")" = "PNG ${size}x$size false" ] \
      || fail "$icon: $(identify -format '%m %wx%h %[opaque]' "$icon")"
  done
done
# Nothing beyond the pieces above: no test programs, libraries or build leftovers.
installed='^\./(games/(pelmora|kestrand)|lib/games/pelmora/(Pelmora|Kestrand|mapcheck)'
installed+='|share/games/pelmora/((Images|Sound|i18n)/.*|Config\.ini|Maps/Duzuz\.xml)'
installed+='|share/doc/pelmora/(copyright|changelog\.gz|guide/[a-z]+\.(html|css)|[a-z0-9-]+\.png)'
installed+='|share/doc-base/pelmora-guide'
installed+='|share/applications/org\.example\.pelmora(\.kestrand)?\.desktop'
installed+='|share/icons/hicolor/[0-9]+x[0-9]+/apps/org\.example\.pelmora(\.kestrand)?\.png'
installed+='|share/metainfo/org\.example\.pelmora\.metainfo\.xml|share/man/man6/(pelmora|kestrand)\.6\.gz)$'
extra=$(cd "$root" && find . -type f | grep -Ev "$installed" || true)
[ -z "$extra" ] || fail "unexpected installed files: $extra"

# ---- Validators --------------------------------------------------------------------------------

desktop-file-validate "$root"/share/applications/*.desktop
metainfo=$root/share/metainfo/org.example.pelmora.metainfo.xml
appstreamcli validate --no-net --pedantic "$metainfo" >/dev/null
grep -q '<launchable type="desktop-id">org.example.pelmora.desktop<' "$metainfo" \
  || fail "the metadata launches no entry"
for page in pelmora kestrand; do
  warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 \
    man --warnings -E UTF-8 -l -Tutf8 -Z "$root/share/man/man6/$page.6.gz" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "$page(6): $warnings"
  zgrep -q "$root/" "$root/share/man/man6/$page.6.gz" && fail "$page(6) names the staging folder"
  zgrep -q ' /usr/lib/games/pelmora' "$root/share/man/man6/$page.6.gz" || fail "$page(6): no programs' folder"
done

# ---- Another prefix ---------------------------------------------------------------------------

# GNUInstallDirs' places, and launchers that find their tree there.
other=$E2E_WORK/other
DESTDIR=$other cmake --install "$E2E_BUILD" --prefix /opt/pelmora >"$E2E_WORK/install-other.log"
for piece in bin/pelmora bin/kestrand lib/pelmora/Pelmora share/pelmora/Maps/Duzuz.xml \
  share/doc/pelmora/guide/index.html; do
  [ -e "$other/opt/pelmora/$piece" ] || fail "another prefix: no $piece"
done
[ ! -e "$other/opt/pelmora/games" ] && [ ! -e "$other/opt/pelmora/share/games" ] \
  && [ ! -e "$other/opt/pelmora/share/doc-base" ] || fail "another prefix took Debian's places"
env -u DISPLAY HOME="$E2E_WORK/other-home" XDG_DATA_HOME= "$other/opt/pelmora/bin/pelmora" \
  >/dev/null 2>&1 || true
[ "$(readlink "$E2E_WORK/other-home/.local/share/pelmora/Images")" = \
  "$other/opt/pelmora/share/pelmora/Images" ] || fail "another prefix: the launcher missed its tree"

# ---- The Debian package -----------------------------------------------------------------------

# The same files as the installed tree, and dependencies from the binaries' libraries plus what
# the programs open at run time.
(cd "$E2E_BUILD" && cpack -G DEB -B "$E2E_WORK/package" >"$E2E_WORK/cpack.log")
deb=$(ls "$E2E_WORK"/package/pelmora_*.deb)
depends=$(dpkg-deb -f "$deb" Depends)
for package in libqt6widgets6 libsdl2-mixer-2.0-0 libfluidsynth3 libexpat1 qt6-qpa-plugins \
  qt6-translations-l10n fonts-wqy-zenhei fonts-bebas-neue timgm6mb-soundfont; do
  [[ ", $depends," == *", $package"[\ ,]* ]] || fail "the package needs $package: $depends"
done
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $NF }' | sed 's|^\./usr|.|' | sort >"$E2E_WORK/packaged"
(cd "$root" && find . ! -type d | sort) | diff - "$E2E_WORK/packaged" >&2 \
  || fail "the package holds other files than the installed tree"
if command -v lintian >/dev/null; then
  lintian --fail-on error,warning "$deb" >"$E2E_WORK/lintian.log" 2>&1 \
    || fail "lintian: $(grep -E '^[EW]: ' "$E2E_WORK/lintian.log" || cat "$E2E_WORK/lintian.log")"
fi
# Installed and removed by dpkg in a root of its own: nothing of the package stays behind.
dpkg_root=$E2E_WORK/dpkg-root
mkdir -p "$dpkg_root/var/lib/dpkg/updates" "$dpkg_root/var/lib/dpkg/info"
touch "$dpkg_root/var/lib/dpkg/status"
dpkg_in_root=(dpkg --root="$dpkg_root" --force-not-root --force-depends --force-script-chrootless)
"${dpkg_in_root[@]}" -i "$deb" >"$E2E_WORK/dpkg.log" 2>&1 || fail "dpkg -i: $(cat "$E2E_WORK/dpkg.log")"
for program in pelmora kestrand; do
  [ -x "$dpkg_root/usr/games/$program" ] || fail "dpkg -i put no $program in /usr/games"
done
"${dpkg_in_root[@]}" -r pelmora >>"$E2E_WORK/dpkg.log" 2>&1 || fail "dpkg -r: $(cat "$E2E_WORK/dpkg.log")"
left=$(cd "$dpkg_root" && find usr ! -type d 2>/dev/null || true)
[ -z "$left" ] || fail "dpkg -r left files behind: $left"

# Every path with its kind, mode, size, link target and content, to compare after playing.
snapshot() {
  (cd "$stage" && find . -printf '%p %y %m %s %l\n' | sort && find . -type f -exec md5sum {} + | sort)
}
snapshot >"$E2E_WORK/before"

# ---- The game in the player's folder -----------------------------------------------------------

export HOME=$E2E_WORK/home XDG_DATA_HOME=$E2E_WORK/data
mkdir -p "$HOME"
folder=$XDG_DATA_HOME/pelmora
e2e_start_x

# icon_sizes ID: the sizes of the window's icons (_NET_WM_ICON: width, height, pixels, ...).
icon_sizes() {
  xprop -id "$1" -len 1000000 -f _NET_WM_ICON 32c _NET_WM_ICON | sed 's/^[^=]*= //' | tr -d ' ' |
    tr ',' '\n' | awk 'skip > 0 { skip--; next } !width { width = $1; next }
         { sizes = sizes (sizes ? " " : "") width; skip = width * $1; width = 0 }
         END { print sizes }'
}

# start_installed LAUNCHER TITLE CLASS: starts an installed launcher and checks its window.
start_installed() {
  "$root/games/$1" &
  E2E_GAME=$!
  E2E_WINDOW=$(e2e_find_window "$E2E_GAME") || fail "no window of $1 appeared"
  e2e_expect_window "$E2E_WINDOW" "$2"
  [ "$(xprop -id "$E2E_WINDOW" WM_CLASS)" = "WM_CLASS(STRING) = \"$3\", \"$3\"" ] \
    || fail "$1: $(xprop -id "$E2E_WINDOW" WM_CLASS)"
  [ "$(icon_sizes "$E2E_WINDOW")" = "16 24 32 48 64 128 256" ] \
    || fail "$1: window icons of sizes '$(icon_sizes "$E2E_WINDOW")'"
}

# toggle_sound_effects: the settings button of the main menu, then check box 游戏音效开关 at
# (20, 110, 100 x 20) of the settings window.
toggle_sound_effects() {
  local settings
  e2e_click "$E2E_WINDOW" 880 25
  settings=$(e2e_find_titled_window 游戏设置) || fail "no settings window"
  e2e_click "$settings" 40 120
}

# wait_setting LINE: waits until the player's Config.ini holds the line.
wait_setting() {
  for _ in $(seq 50); do
    tr -d '\r' <"$folder/Config.ini" | grep -qx "$1" && return 0
    sleep 0.2
  done
  fail "Config.ini never held $1: $(tr -d '\r' <"$folder/Config.ini" | tr '\n' ' ')"
}

e2e_browser_stand_in
start_installed pelmora "Vorle麻将连连看" Pelmora
for piece in Images Sound i18n; do
  [ "$(readlink "$folder/$piece")" = "$data/$piece" ] || fail "$piece is not linked"
done
[ "$(readlink "$folder/Kestrand")" = "$root/lib/games/pelmora/Kestrand" ] || fail "Kestrand is not linked"
for copy in Maps/Duzuz.xml Config.ini; do
  [ -f "$folder/$copy" ] && [ ! -L "$folder/$copy" ] || fail "$copy is not the player's own copy"
  cmp -s "$folder/$copy" "$data/$copy" || fail "$copy differs from the installed one"
done
# 官方网站 opens the installed guide, and the game goes on.
e2e_wait_menu "$E2E_WINDOW"
e2e_open_guide "$E2E_WINDOW" "$guide" || fail "官方网站 did not open the installed guide"
kill -0 "$E2E_GAME" || fail "the game ended after 官方网站"
# 地图编辑 (the menu button at 172, 470) starts the installed editor through the folder's link.
e2e_click "$E2E_WINDOW" 172 470
editor=$(e2e_find_titled_window "Vorle麻将连连看地图编辑器") || fail "地图编辑 started no editor"
editor_pid=$(xprop -id "$editor" _NET_WM_PID | awk '{ print $NF }')
[ "$(readlink "/proc/$editor_pid/cwd")" = "$folder" ] || fail "the editor runs outside the player's folder"
"$E2E_BUILD/tests/xclose" "$editor"
for _ in $(seq 100); do
  kill -0 "$editor_pid" 2>/dev/null || break
  sleep 0.1
done
! kill -0 "$editor_pid" 2>/dev/null || fail "the editor did not close"

toggle_sound_effects
wait_setting Yinxiao=0
e2e_close_program "$E2E_WINDOW"

# The second start keeps the setting and the game reads it: a click switches the effects on.
start_installed pelmora "Vorle麻将连连看" Pelmora
tr -d '\r' <"$folder/Config.ini" | grep -qx Yinxiao=0 || fail "the second start replaced Config.ini"
e2e_wait_menu "$E2E_WINDOW"
toggle_sound_effects
wait_setting Yinxiao=1
e2e_close_program "$E2E_WINDOW"

start_installed kestrand "Vorle麻将连连看地图编辑器" Kestrand
e2e_close_program "$E2E_WINDOW"

# On an English desktop both speak English.
LANG=en_US.UTF-8
start_installed pelmora "Vorle Mahjong Connect" Pelmora
e2e_close_program "$E2E_WINDOW"
start_installed kestrand "Vorle Mahjong Connect Map Editor" Kestrand
e2e_close_program "$E2E_WINDOW"
LANG=C.UTF-8

snapshot >"$E2E_WORK/after"
diff "$E2E_WORK/before" "$E2E_WORK/after" >&2 || fail "playing changed the installed tree"

# ---- A read-only home folder -------------------------------------------------------------------

# Root writes anywhere, so as root the launcher runs as nobody.
readonly_home=$E2E_WORK/readonly
mkdir -p "$readonly_home"
chmod 555 "$readonly_home"
chmod o+rx "$E2E_WORK"
as_player=()
[ "$(id -u)" = 0 ] && as_player=(setpriv --reuid=nobody --regid=nogroup --clear-groups --)

# expect_refusal STATUS ERRORS: the launcher's exit status and message on a read-only home.
expect_refusal() {
  [ "$1" = 1 ] || fail "exit status $1 on a read-only home"
  grep -q "^pelmora: cannot make the folder $readonly_home/.local: Permission denied$" "$2" \
    || fail "no reason on standard error: $(cat "$2")"
  [ ! -e "$readonly_home/.local" ] || fail "something was made in the read-only home"
}

status=0
env -u DISPLAY HOME="$readonly_home" XDG_DATA_HOME= "${as_player[@]}" "$root/games/pelmora" \
  2>"$E2E_WORK/refusal" || status=$?
expect_refusal "$status" "$E2E_WORK/refusal"

# With a display the reason is also shown in a message box; closing it ends the launcher.
HOME="$readonly_home" XDG_DATA_HOME= "${as_player[@]}" "$root/games/pelmora" 2>"$E2E_WORK/refusal" &
launcher=$!
box=$(e2e_find_titled_window 提示) || fail "no message box on a read-only home"
"$E2E_BUILD/tests/xclose" "$box"
status=0
wait "$launcher" || status=$?
expect_refusal "$status" "$E2E_WORK/refusal"
# A launcher that is not installed finds no program and leaves the home folder alone.
status=0
env -u DISPLAY HOME="$E2E_WORK/uninstalled" XDG_DATA_HOME= "$E2E_BUILD/launcher/pelmora" \
  2>"$E2E_WORK/refusal" || status=$?
[ "$status" = 1 ] &&
  grep -q '^pelmora: cannot start .*/Pelmora: No such file or directory$' "$E2E_WORK/refusal" ||
  fail "the uninstalled launcher: status $status, $(cat "$E2E_WORK/refusal")"
[ ! -e "$E2E_WORK/uninstalled" ] || fail "the uninstalled launcher made a player's folder"
echo "installed: tree, guide, other prefix, validators, package, lintian, dpkg, player's folder, lasting setting, editor, 官方网站, English desktop, read-only home: ok"
