#!/usr/bin/env bash
# The language chosen in a real X server: 语言 in the settings window set to English writes only
# its own line of Config.ini, and the next start of the game and of the editor speaks English,
# in their window titles and the settings window's; an unknown setting follows the desktop.
set -euo pipefail
app=$1
. "$(dirname "$0")/e2e_lib.bash"
fail() { echo "$*" >&2; exit 1; }

e2e_make_appdir "$app"
config=$E2E_WORK/app/Config.ini
cp "$config" "$E2E_WORK/config-before"

e2e_start_x
e2e_start_program "$app/Pelmora"
e2e_expect_window "$E2E_WINDOW" "Vorle麻将连连看"
e2e_wait_menu "$E2E_WINDOW"
sleep 0.5
e2e_click "$E2E_WINDOW" 880 25                       # 设置
settings=$(e2e_find_titled_window 游戏设置) || fail "no settings window"
# 语言's list lies at (60, 28) in the display frame's container at (15, 170).
e2e_click "$settings" 115 208
xdotool key Down Down Return                     # 自动 -> 中文 -> English
for _ in $(seq 50); do
  grep -q $'^Language=en\r$' "$config" && break
  sleep 0.2
done
{ cat "$E2E_WORK/config-before"; printf '[Window]\r\nLanguage=en\r\n'; } >"$E2E_WORK/config-expected"
cmp -s "$config" "$E2E_WORK/config-expected" \
  || fail "Config.ini is not the shipped one with Language=en added: $(tr '\r\n' '  ' <"$config")"
e2e_shot note
"$E2E_BUILD/tests/xclose" "$settings"
e2e_close_program "$E2E_WINDOW"

# The next start speaks English.
e2e_start_program "$app/Pelmora"
e2e_expect_window "$E2E_WINDOW" "Vorle Mahjong Connect" || fail "the game did not start in English"
e2e_wait_menu "$E2E_WINDOW"
sleep 0.5
e2e_click "$E2E_WINDOW" 880 25
settings=$(e2e_find_titled_window "Game Settings") || fail "no English settings window"
"$E2E_BUILD/tests/xclose" "$settings"
e2e_close_program "$E2E_WINDOW"
cmp -s "$config" "$E2E_WORK/config-expected" || fail "the restart changed Config.ini"

# The editor beside it reads the game's choice.
e2e_start_program "$app/Kestrand"
e2e_expect_window "$E2E_WINDOW" "Vorle Mahjong Connect Map Editor" \
  || fail "the editor did not start in English"
e2e_close_program "$E2E_WINDOW"

# A setting the programs do not know follows the desktop: Chinese in the tests' C locale, and
# English for a desktop in French, which has no catalogue.
sed -i 's/^Language=en\r$/Language=klingon\r/' "$config"
e2e_start_program "$app/Kestrand"
e2e_expect_window "$E2E_WINDOW" "Vorle麻将连连看地图编辑器" || fail "an unknown setting did not follow C"
e2e_close_program "$E2E_WINDOW"
export LANG=fr_FR.UTF-8
e2e_start_program "$app/Kestrand"
e2e_expect_window "$E2E_WINDOW" "Vorle Mahjong Connect Map Editor" \
  || fail "a French desktop did not get English"
e2e_close_program "$E2E_WINDOW"
echo "language: English chosen, written alone, spoken by the next game and editor; unknown follows the desktop: ok"
