#!/usr/bin/env bash
# Drives the real program under a private X server as a user would, with the
# mouse and the system clipboard:
#   - the code chart of each alphabet, copied from the Results dialog, byte for
#     byte against the charts in expected/;
#   - Paste, Convert Text to Morse and Copy through the clipboard;
#   - a double click in the keying box, read back through a conversion;
#   - the About dialog from the Help menu, closed by Escape;
#   - typed text converted both ways, and "Exit" writing the settings file
#     beside the program, which runs from a folder of its own;
#   - the window at double size (a picture is kept for looking at).
# All of it under a window manager that draws frames (openbox), which first
# sees the window bounds through five starts closed by the close box: the
# outer bounds saved and shown stay 10, 10, 636 by 505, a close while
# maximised saves them with the flag, and the next start maximises and
# restores to them; factory defaults asked for in a maximised window bring
# back the first start's bounds.
#   tests/x11/user_checks.sh <tapwrenz binary> [work folder]
# With RECORD=1 the copied charts replace those in expected/ (review the diff).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
program=$1
work=${2:-$(mktemp -d)}
mkdir -p "$work"

fail() { echo "FAIL: $*" >&2; exit 1; }

source "$here/x11_session.sh"
xvfb= app= wm=
cleanup() { kill $app $wm $xvfb 2>/dev/null || true; }
trap cleanup EXIT
start_x_server
start_window_manager
export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy} TAPWRENZ_AUTOSTART_DIR=$work/autostart

# The program runs from a folder of its own, as installed: binary, tones, texts.
install=$work/program
rm -rf "$install"
mkdir -p "$install"
bin=$(dirname "$program")
cp "$program" "$bin"/Mores_Code_*_Tone.wav "$bin"/tapwrenz.txt "$bin"/catalog.txt "$install"/
program=$install/$(basename "$program")

start_program() {
  "$program" >>"$work/program.log" 2>&1 &
  app=$!
  main=$(window_named "Tapwren v2.0f|\\?\\?")
  sleep 0.5
}
close_program() {  # by the close box, through the window manager
  close_box "$main"
  for _ in $(seq 50); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$app" 2>/dev/null && fail "the close box did not end the program"
  app=
}
# Maximised flag, top, left, width, height as saved.
saved_bounds() {
  tr -d '\r' <"$install/tapwrenz.ini" | awk -F= '/^WindowState_wsMaximized=/{m=$2}
    /^window_top_posn=/{t=$2} /^window_left_posn=/{l=$2} /^window_Width=/{w=$2}
    /^window_Height=/{h=$2} END{print m, t, l, w, h}'
}
: >"$work/program.log"
for start in 1 2 3; do
  start_program
  [ "$(outer_bounds "$main")" = "10 10 636 505" ] ||
    fail "start $start shows the framed window at $(outer_bounds "$main"), not 10 10 636 505"
  close_program
  [ "$(saved_bounds)" = "0 10 10 636 505" ] || fail "close $start saved $(saved_bounds)"
done
echo "ok: three starts keep the outer bounds 10, 10, 636 by 505, frame included"
start_program
wmctrl -i -r "$main" -b add,maximized_vert,maximized_horz
for _ in $(seq 50); do maximised "$main" && break; sleep 0.1; done
sleep 0.3
close_program
[ "$(saved_bounds)" = "1 10 10 636 505" ] || fail "closed maximised, it saved $(saved_bounds)"
start_program
for _ in $(seq 50); do maximised "$main" && break; sleep 0.1; done
maximised "$main" || fail "saved maximised, the window did not start maximised"
wmctrl -i -r "$main" -b remove,maximized_vert,maximized_horz
for _ in $(seq 50); do [ "$(outer_bounds "$main")" = "10 10 636 505" ] && break; sleep 0.1; done
[ "$(outer_bounds "$main")" = "10 10 636 505" ] || fail "restored to $(outer_bounds "$main")"
close_program
[ "$(saved_bounds)" = "0 10 10 636 505" ] || fail "restored and closed, it saved $(saved_bounds)"
echo "ok: a close while maximised saves the normal bounds; the next start maximises, restores to them"

# Factory defaults asked for in a maximised window: the window comes back
# normal at the first start's bounds, placed with its normal frame.
printf '[tapwrenz]\r\nWindowState_wsMaximized=1\r\nwindow_top_posn=40\r\nwindow_left_posn=30\r\nwindow_Width=500\r\nwindow_Height=400\r\n' \
  >"$install/tapwrenz.ini"
start_program
for _ in $(seq 50); do maximised "$main" && break; sleep 0.1; done
maximised "$main" || fail "saved maximised, the window did not start maximised"
# "Restore Factory Defaults", third in the "File" menu; the question's default answer is Yes.
for _ in 1 2 3; do
  xdotool windowactivate --sync "$main" key alt+f
  sleep 0.4
  xdotool key Down Down Return
  (tries=30 window_named "Warning") >/dev/null 2>&1 && break
done
window_named "Warning" >/dev/null
xdotool key Return
for _ in $(seq 50); do
  ! maximised "$main" && [ "$(outer_bounds "$main")" = "10 10 636 505" ] && break
  sleep 0.1
done
maximised "$main" && fail "factory defaults left the window maximised"
[ "$(outer_bounds "$main")" = "10 10 636 505" ] ||
  fail "factory defaults from a maximised window placed it at $(outer_bounds "$main")"
close_program
[ "$(saved_bounds)" = "0 10 10 636 505" ] || fail "after factory defaults, it saved $(saved_bounds)"
echo "ok: factory defaults from a maximised window bring back the first start's bounds"

# The checks below click at design places: a fresh start, inner size as
# without a frame.
rm "$install/tapwrenz.ini"
start_program
xdotool windowsize "$main" 636 505
sleep 0.3
read -r wx wy ww wh < <(geometry "$main")
menu=$((wh - 481))
# A point of the client area, in screen coordinates.
click_client() { xdotool mousemove $((wx + $1)) $((wy + menu + $2)) click 1; sleep 0.3; }

check_chart() {  # alphabet name, expected file; a mismatch leaves the copy in the work folder
  dialog=$(window_named "Morse Code Chart - $1 : ")
  read -r dx dy _ _ < <(geometry "$dialog")
  copy_after xdotool mousemove $((dx + 129 + 87)) $((dy + 397 + 17)) click 1
  clipboard >"$work/$2"
  [ -n "${RECORD:-}" ] && cp "$work/$2" "$here/expected/$2"
  cmp "$work/$2" "$here/expected/$2" || fail "the $1 chart differs from expected/$2 (copied: $work/$2)"
  echo "ok: the $1 chart, copied from the dialog"
}

click_client 82 464  # "Morse Code Chart"
check_chart "English Alphabet" chart-english.txt

# The dialog now covers the chart button: the other alphabets take the menu.
for choice in "94 European Alphabet chart-european.txt" "68 Norwegian Alphabet chart-norwegian.txt" \
              "94 Russian Alphabet chart-russian.txt"; do
  read -r row first second file <<<"$choice"
  name="$first $second"
  column=25; [ "$first" = Norwegian ] || [ "$first" = Russian ] && column=326
  click_client 214 16  # the "Settings" tab
  click_client "$column" "$row"
  if [ "$first" = Russian ]; then
    window_named "Information" >/dev/null
    xdotool key Return
    sleep 0.3
  fi
  # "&Show all Morse Codes" from the "View" menu; a key that comes before the
  # menu has opened is lost, so the choice is made again until the chart shows.
  for _ in 1 2 3; do
    click_client 58 -11
    sleep 0.4
    xdotool key Down Return
    (tries=30 window_named "Morse Code Chart - $name : ") >/dev/null 2>&1 && break
  done
  check_chart "$name" "$file"
done

# "OK" closes the dialog; then back to English and the clipboard round trip
# on the first page.
dialog=$(window_named "Morse Code Chart - Russian Alphabet : ")
read -r dx dy _ _ < <(geometry "$dialog")
xdotool mousemove $((dx + 327 + 87)) $((dy + 397 + 17)) click 1
sleep 0.3
xdotool search --onlyvisible --name "^Morse Code Chart" >/dev/null 2>&1 && fail "OK left the dialog open"
click_client 214 16
click_client 25 68
click_client 75 16  # the "Morse Code" tab
xdotool windowactivate --sync "$main" 2>/dev/null || true
set_clipboard "CQ DE TAPWREN"
click_client 67 68    # "Paste"
click_client 260 274  # "Convert Text to Morse"
copy_after click_client 63 333  # "Copy"
expected=$'-.-. --.-   -.. .   - .- .--. .-- .-. . -. \n'
[ "$(clipboard)"$'\n' = "$expected" ] || fail "round trip gave '$(clipboard)'"
echo "ok: Paste, Convert Text to Morse, Copy"

# Typed text, converted to Morse and back.
click_client 167 464  # "Reset"
click_client 360 120  # into the input area
xdotool type --delay 20 "SOS 73"
click_client 260 274  # "Convert Text to Morse"
copy_after click_client 63 333
[ "$(clipboard)" = "... --- ...   --... ...-- " ] || fail "typed text gave '$(clipboard)'"
set_clipboard "$(clipboard)"
click_client 67 68    # "Paste" the Morse back into the input
click_client 480 274  # "Convert Morse to Text"
copy_after click_client 63 333
[ "$(clipboard)" = "SOS 73" ] || fail "the Morse came back as '$(clipboard)'"
echo "ok: typed text to Morse and back"

# Keying: a quick double click in the keying box is two dots of one letter.
click_client 167 464  # "Reset"
xdotool mousemove $((wx + 560)) $((wy + menu + 235)) click --repeat 2 --delay 80 1
sleep 0.5
click_client 480 274  # "Convert Morse to Text"
copy_after click_client 63 333
[ "$(clipboard)" = "I" ] || fail "keying gave '$(clipboard)' after conversion"
echo "ok: a double click keys two dots"

# "&About" from the "Help" menu: the modal dialog with its animated logo and a
# title bar that shows its caption. The window manager is asked for no
# function but moving; openbox minimises it all the same, and takes the main
# window with it, so both must come back. Escape closes it.
for _ in 1 2 3; do
  xdotool windowactivate --sync "$main" key alt+h  # the "&Help" menu
  sleep 0.4
  xdotool key a
  (tries=30 window_named "About Tapwren v2.0f ...") >/dev/null 2>&1 && break
done
about=$(window_named "About Tapwren v2.0f ...")
sleep 1
if command -v import >/dev/null; then
  import -window "$about" "$work/about.png"
  echo "picture: $work/about.png"
fi
[ "$(xprop -id "$about" _NET_FRAME_EXTENTS | sed 's/.*= //')" != "0, 0, 0, 0" ] ||
  fail "About has no title bar"
[ "$(xprop -id "$about" _MOTIF_WM_HINTS | sed 's/.*= //')" = "0x3, 0x4, 0xa, 0x0, 0x0" ] ||
  fail "About asks the window manager for more than moving"
xdotool windowminimize "$about"
sleep 1
for w in "$main" "$about"; do
  xprop -id "$w" WM_STATE | grep -q 'window state: Normal' || fail "a minimised About left $w hidden"
done
xdotool windowactivate "$about"
sleep 0.3
xdotool key Escape
sleep 0.5
xdotool search --onlyvisible --name "^About Tapwren" >/dev/null 2>&1 && fail "Escape left About open"
echo "ok: About opens from the Help menu with its caption, comes back when minimised, and Escape closes it"

start_w=$ww start_h=$wh
xdotool windowsize "$main" 1282 $((962 + menu))
sleep 0.5
read -r _ _ ww wh < <(geometry "$main")
[ "$ww" = 1282 ] || fail "the window did not take the double width"
if command -v import >/dev/null; then
  import -window root -crop "${ww}x${wh}+${wx}+${wy}" "$work/double-size.png"
  echo "picture: $work/double-size.png"
fi
# "Exit" closes the program, which writes its settings beside itself.
xdotool windowsize "$main" "$start_w" "$start_h"
sleep 0.5
click_client 561 464
for _ in $(seq 50); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
kill -0 "$app" 2>/dev/null && fail "Exit did not end the program"
app=
ini=$install/tapwrenz.ini
[ -f "$ini" ] || fail "no settings file after Exit"
[ "$(head -c 37 "$ini")" = $'[tapwrenz]\r\nWindowState_wsMaximized=0' ] ||
  fail "the settings file starts $(head -c 40 "$ini" | od -c | head -2)"
[ "$(grep -c '=' "$ini")" = 14 ] || fail "the settings file holds $(grep -c '=' "$ini") keys"
echo "ok: Exit writes all fourteen settings"
echo "all user checks passed"
