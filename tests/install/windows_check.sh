#!/usr/bin/env bash
# The Windows program from its portable folder, under Wine with a private X
# server and a fresh Wine prefix:
#   - the command line converts in a pipe with the Linux build's bytes, and
#     renders a WAV file with the shipped tones that --listen decodes again;
#   - with no sound driver, --list-devices lists nothing, --listen-device
#     and the window's "Listen to the Microphone" say there is no input;
#   - the main window shows at its first start's bounds, 10, 10, 636 by 505
#     with its frame, as on Linux; About and the Morse code chart open and
#     close;
#   - the File menu puts the auto-run entry into Wine's registry and makes
#     the desktop shortcut through the shell link object;
#   - "Exit" writes tapwrenz.ini with its fourteen keys beside the program,
#     and the system's own profile calls read them back.
#   tests/install/windows_check.sh <Windows build tree | tapwrenz-*-win64.zip> [work folder]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
from=$1
work=${2:-$(mktemp -d)}
fail() {
  echo "FAIL: $*" >&2
  # What the screen showed, where there is one to grab.
  if [ -n "${DISPLAY:-}" ] && command -v import >/dev/null; then
    import -window root "$work/failure.png" 2>/dev/null && echo "(the screen: $work/failure.png)" >&2
  fi
  exit 1
}

rm -rf "$work/program" "$work/prefix" "$work/Desktop"
mkdir -p "$work/program"
if [ -d "$from" ]; then
  cmake --install "$from" --prefix "$work/program/tapwrenz" >/dev/null
  probe_from=$from/bin/window_probe.exe
else
  unzip -q "$from" -d "$work/program"
  mv "$work/program"/tapwrenz-* "$work/program/tapwrenz"
  probe_from=${TAPWRENZ_WINDOW_PROBE:?the zip needs TAPWRENZ_WINDOW_PROBE, the build\'s window_probe.exe}
fi
folder=$work/program/tapwrenz
[ -f "$folder/tapwrenz.exe" ] || fail "no tapwrenz.exe in the portable folder"
cp "$probe_from" "$work/window_probe.exe"

export WINEPREFIX=$work/prefix HOME=$work WINEDEBUG=-all
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"
unset QT_QPA_PLATFORM WINEQT_QPA_PLATFORM
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver

source "$here/../x11/x11_session.sh"
xvfb= app=
cleanup() {
  "$wineserver" -k >/dev/null 2>&1 || true
  kill $app $xvfb 2>/dev/null || true
}
trap cleanup EXIT
start_x_server
unset QT_QPA_PLATFORM

# Wine's desktop folder is the user's own where there is one.
mkdir -p "$WINEPREFIX" "$work/Desktop"
"$wineserver" -p
"$wine" wineboot --init >/dev/null 2>&1
"$wine" reg add 'HKCU\Software\Wine\Drivers' /v Audio /d '' /f >/dev/null 2>&1

# The command line: a pipe in, a pipe out, the bytes as they are.
printf 'SOS Paris\n' | (cd "$folder" && "$wine" tapwrenz.exe --to-morse) >"$work/morse.txt" ||
  fail "tapwrenz.exe --to-morse failed"
# The bytes the Linux command line gives for the same input.
printf -- '... --- ...   .--. .- .-. .. ... \n' | cmp -s - "$work/morse.txt" ||
  fail "--to-morse gave $(od -c "$work/morse.txt" | head -3)"
(cd "$folder" && "$wine" tapwrenz.exe --to-text) <"$work/morse.txt" >"$work/text.txt" ||
  fail "tapwrenz.exe --to-text failed"
printf 'SOS PARIS\n' | cmp -s - "$work/text.txt" || fail "--to-text gave $(od -c "$work/text.txt" | head -3)"
# The shipped tones rendered to a file, and heard again.
printf -- '... --- ...\n' | (cd "$folder" && "$wine" tapwrenz.exe --wav "$work/sos.wav") ||
  fail "tapwrenz.exe --wav failed"
[ "$(head -c 4 "$work/sos.wav")" = RIFF ] || fail "--wav wrote no WAV file"
heard=$(cd "$folder" && "$wine" tapwrenz.exe --listen "$work/sos.wav" | tr -d '\r')
[ "$heard" = SOS ] || fail "--listen heard '$heard' in the rendered SOS"
echo "ok: the command line converts in a pipe byte for byte, renders the tones and hears them"
# No sound driver: no capture device to list or to listen to, as on Linux.
devices=$(cd "$folder" && "$wine" tapwrenz.exe --list-devices) || fail "--list-devices failed"
[ -z "$devices" ] || fail "--list-devices listed '$devices' with no sound driver"
status=0
(cd "$folder" && "$wine" tapwrenz.exe --listen-device) >"$work/listen.txt" 2>&1 || status=$?
[ "$status" = 1 ] && tr -d '\r' <"$work/listen.txt" | grep -qx 'tapwrenz: there is no sound input.*' ||
  fail "--listen-device with no device ended $status: $(cat "$work/listen.txt")"
echo "ok: with no sound driver --list-devices lists nothing and --listen-device says there is no input"

probe() { "$wine" "$work/window_probe.exe" "$@" 2>/dev/null | tr -d '\r'; }
# Waits for a window with this title; sets cx cy cw ch to its client area
# and ox oy ow oh to the whole window.
client_of() {
  for _ in $(seq 150); do
    if read -r cx cy cw ch ox oy ow oh < <(probe client "$1") && [ -n "${oh:-}" ]; then
      return 0
    fi
    sleep 0.2
  done
  return 1
}
gone() {
  for _ in $(seq 50); do probe titles | grep -qxF "$1" || return 0; sleep 0.2; done
  return 1
}
winepath_of() { "$wine" winepath -w "$1" 2>/dev/null | tr -d '\r'; }
# The window that is new since `before`, waited for.
new_window() {
  local found=
  for _ in $(seq 50); do
    found=$(comm -13 <(echo "$before") <(probe titles | sort) | head -n 1)
    [ -n "$found" ] && break
    sleep 0.2
  done
  echo "$found"
}

(cd "$folder" && exec "$wine" tapwrenz.exe) >"$work/program.log" 2>&1 &
app=$!
main="Tapwren v2.0f"
client_of "$main" || fail "no main window (see $work/program.log)"
read -r mx my mw mh <<<"$cx $cy $cw $ch"
# A first start puts the window 10, 10 in from the corner at 636 by 505,
# frame included, as on Linux; the client area is what the frame leaves. The
# system's window rectangle also holds the resize borders left, right and
# below that Windows 10 draws invisible and Qt leaves out of the frame.
m=$((10 - ox))
[ "$m" -ge 0 ] && [ "$ox $oy $((ow - 2 * m)) $((oh - m))" = "$ox 10 636 505" ] ||
  fail "the main window's bounds are $ox $oy $ow $oh, not 10 10 636 505 and borders"
[ "$mw" -le "$ow" ] && [ "$mh" -le "$oh" ] && [ "$mh" -ge 400 ] ||
  fail "the main window's client area is ${mw}x${mh} in a ${ow}x${oh} window"
echo "ok: the main window shows at 10, 10, 636 by 505 with its frame, ${mw}x${mh} inside it"

# The menus are opened by a click on the menu bar and worked by keys.
menu_item() {  # the menu at this x, then the n-th item down
  xdotool mousemove $((mx + $1)) $((my + 8)) click 1
  sleep 0.6
  for _ in $(seq "$2"); do xdotool key Down; done
  xdotool key Return
  sleep 0.6
}
file_menu=18 view_menu=55 listen_menu=99 help_menu=143

before=$(probe titles | sort)
menu_item $help_menu 3  # About
about=$(new_window)
[ -n "$about" ] || fail "Help, About showed no window"
case $about in About*) ;; *) fail "Help, About showed '$about'" ;; esac
xdotool key Return  # its default button, OK
gone "$about" || fail "About ($about) did not close"
echo "ok: About ($about) opens and closes"

menu_item $view_menu 1  # Show all Morse Codes, the chart
chart=$(new_window)
[ -n "$chart" ] || fail "View, Show all Morse Codes showed no window"
client_of "$chart" || fail "the chart ($chart) has no client area"
xdotool mousemove $((cx + cw * 414 / 630)) $((cy + ch * 414 / 434)) click 1  # its "OK"
gone "$chart" || fail "the chart ($chart) did not close"
echo "ok: the Morse code chart ($chart) opens and closes"

menu_item $listen_menu 1  # Listen to the Microphone, with no device to listen to
box=$(new_window)
[ "$box" = Error ] || fail "Listen to the Microphone with no capture device showed '$box', not the error box"
xdotool key Return
sleep 1
[ "$(probe titles | sort)" = "$before" ] || fail "the no-device box ($box) left other windows: $(probe titles)"
echo "ok: Listen to the Microphone with no capture device shows one box ($box), which closes"

# The File menu: Always on Top, Auto-Run, Restore, then the shortcut items.
# Each says what it did in a box, which its OK closes. The box bears the
# program's own title, so it is given the time to show.
menu_item $file_menu 2
sleep 1
xdotool key Return
sleep 0.5
"$wine" reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Run' 2>/dev/null | tr -d '\r' |
  grep -i 'tapwrenz' >"$work/run.txt" || fail "no auto-run entry in the registry"
grep -qiF 'tapwrenz\tapwrenz.exe' "$work/run.txt" || fail "the auto-run entry is $(cat "$work/run.txt")"
echo "ok: the auto-run entry is in Wine's registry: $(sed 's/^ *//' "$work/run.txt")"

menu_item $file_menu 4
sleep 1
xdotool key Return
sleep 0.5
lnk=$work/Desktop/tapwrenz.lnk
[ -f "$lnk" ] || fail "no tapwrenz.lnk on the desktop: $(ls "$work/Desktop")"
# A shell link starts with its header size, 76, and the link class.
[ "$(od -An -tx1 -N8 "$lnk" | tr -d ' ')" = 4c00000001140200 ] ||
  fail "tapwrenz.lnk is no shell link: $(od -An -tx1 -N8 "$lnk")"
grep -qa 'tapwrenz.exe' "$lnk" || fail "tapwrenz.lnk does not name tapwrenz.exe"
echo "ok: the desktop shortcut tapwrenz.lnk is made, a shell link to tapwrenz.exe"

xdotool mousemove $((mx + $file_menu)) $((my + 8)) click 1  # File, Exit
sleep 0.6
xdotool key x
for _ in $(seq 100); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
kill -0 "$app" 2>/dev/null && fail "Exit did not end the program"
app=
ini=$folder/tapwrenz.ini
[ -f "$ini" ] || fail "no tapwrenz.ini beside the program after Exit"
keys=$(tr -d '\r' <"$ini" | grep -c '=')
[ "$keys" = 14 ] || fail "tapwrenz.ini holds $keys keys: $(cat "$ini")"
read_back=$(probe profile "$(winepath_of "$ini")" tapwrenz | grep -c '=' || true)
[ "$read_back" = 14 ] || fail "the system's profile calls read $read_back keys from tapwrenz.ini"
tr -d '\r' <"$ini" | grep -qxF "Dot_Sound_File_Name_Edit=$(winepath_of "$folder")\\Mores_Code_Dot_Tone.wav" ||
  fail "the dot sound is not the shipped tone by its Windows path: $(grep Dot_Sound "$ini")"
echo "ok: Exit writes tapwrenz.ini with its fourteen keys, which the system's profile calls read"
echo "all Windows checks passed"
