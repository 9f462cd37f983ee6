#!/usr/bin/env bash
# Works the real program under a private X server for minutes on end, as a
# user would, and checks that it neither dies nor grows:
#   - each round pastes text, converts it to Morse and back (checked through
#     the clipboard), plays both areas with short delays and halts them, keys
#     letters with the mouse, opens and closes the chart and the About box,
#     resizes the window, types new delays, walks through the four alphabets
#     (closing the Russian note), loops and stops the sounds and tests them;
#   - resident memory (VmRSS) is read after start-up, after a first round
#     (when every dialog, font and sound has been made once) and after the
#     last round; the growth from the first round to the last must stay
#     within a bound;
#   - any message box nobody asked for is copied, closed and counted as a
#     failure; the program must be alive after every round and write its
#     settings file when "Exit" closes it at the end.
#   tests/x11/soak.sh <tapwrenz binary> [work folder] [seconds]
# Seconds default to SOAK_SECONDS or 180. SOAK_GROWTH_KB (default 4096) is the
# growth allowed; SOAK_GROWTH_KB=off only reports it (for sanitizer builds,
# whose quarantine of freed memory makes resident memory meaningless).
# SOAK_WRAPPER (e.g. "heaptrack -o /tmp/soak") starts the program under a tool.
set -euo pipefail
program=$1
work=${2:-$(mktemp -d)}
seconds=${3:-${SOAK_SECONDS:-180}}
bound_kb=${SOAK_GROWTH_KB:-4096}
mkdir -p "$work"
log=$work/soak.log
: >"$log"

say() { echo "$*" | tee -a "$log"; }
doing="start-up"  # the step under way, for the failure report
fail() {
  echo "FAIL: $doing: $*" | tee -a "$log" >&2
  [ -n "${failing:-}" ] && exit 1
  failing=1
  if [ -n "${DISPLAY:-}" ]; then
    echo "visible windows:" $(xdotool search --onlyvisible --name . getwindowname %@ 2>/dev/null |
      tr '\n' '|') >&2
    command -v import >/dev/null && import -window root "$work/failure.png" 2>/dev/null &&
      echo "picture: $work/failure.png" >&2
    [ -n "${app:-}" ] && dismiss_boxes  # pictures of any boxes
  fi
  [ -f "$work/program.log" ] && tail -n 20 "$work/program.log" >&2
  exit 1
}

source "$(dirname "$0")/x11_session.sh"
app= xvfb=
cleanup() { kill $app $xvfb 2>/dev/null || true; }
trap cleanup EXIT
trap 'exit 1' INT TERM HUP PIPE
start_x_server
export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy} TAPWRENZ_AUTOSTART_DIR=$work/autostart
export XDG_RUNTIME_DIR=$work/runtime
# What LeakSanitizer reports at the end of a sanitizer build's run that is
# not ours: the system's D-Bus library and the sound library keep blocks.
if [ -z "${LSAN_OPTIONS:-}" ]; then
  export LSAN_OPTIONS=suppressions=$(cd "$(dirname "$0")/.." && pwd)/lsan.supp
fi
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

gone() {  # waits until no visible window has this name
  for _ in $(seq 50); do
    xdotool search --onlyvisible --name "^$1" >/dev/null 2>&1 || return 0
    sleep 0.1
  done
  fail "'$1' stayed open"
}
alive() { kill -0 "$app" 2>/dev/null || fail "the program died; its log: $work/program.log"; }
rss_kb() { awk '/^VmRSS:/{print $2}' "/proc/$app/status"; }

# A box nobody asked for is kept as a picture, closed with Escape (which
# answers "No" to a question) and counted.
unexpected=0
dismiss_boxes() {
  local box
  for title in Information Warning Error; do
    while box=$(xdotool search --onlyvisible --name "^$title\$" 2>/dev/null | head -n 1) &&
      [ -n "$box" ]; do
      unexpected=$((unexpected + 1))
      say "unexpected box '$title' during $doing (picture: $work/box-$unexpected.png)"
      command -v import >/dev/null && { import -window "$box" "$work/box-$unexpected.png" || true; }
      [ "$unexpected" -gt 20 ] && fail "boxes keep coming"
      xdotool windowfocus --sync "$box" 2>/dev/null || true
      xdotool key Escape
      sleep 0.3
    done
  done
}

# The program runs from a folder of its own, where it writes its settings.
install=$work/program
rm -rf "$install"
mkdir -p "$install"
bin=$(dirname "$program")
cp "$program" "$bin"/Mores_Code_*_Tone.wav "$bin"/tapwrenz.txt "$bin"/catalog.txt "$install"/
program=$install/$(basename "$program")

# SOAK_WRAPPER runs the program under a memory tool (heaptrack, valgrind);
# the resident figures are then those of the tool's process.
${SOAK_WRAPPER:-} "$program" >"$work/program.log" 2>&1 &
app=$!
main=$(tries=600 window_named "Tapwren v2.0f|\\?\\?")
sleep 1
dismiss_boxes
read -r wx wy start_w start_h < <(geometry "$main")
menu=$((start_h - 481))
click_client() {  # a point of the client area, in design coordinates
  xdotool mousemove $((wx + $1)) $((wy + menu + $2)) click "${3:-1}"
  sleep 0.15
}
morse_page() { click_client 75 16; }
settings_page() { click_client 214 16; }
reset() { click_client 242 464; }
paste() { click_client 67 68; }
to_morse() { click_client 260 274; }
to_text() { click_client 480 274; }
copy_output() { copy_after click_client 63 333; }
play_input() { click_client 66 153; }
play_output() { click_client 66 416; }
halt() { click_client 400 464; }
type_delay() {  # spin edit row (design y), value
  click_client 505 "$1"
  xdotool key ctrl+a
  xdotool type --delay 15 "$2"
  xdotool key Tab
  sleep 0.2
}

# Forty lines of letters, digits and single spaces: each comes back the same
# from Morse.
text=
for i in $(seq 40); do
  text+="CQ CQ DE TAPWREN $i THE QUICK BROWN FOX $((i * 7919)) JUMPS"$'\n'
done
text=${text%$'\n'}

round() {  # one round of work; $1 is its number
  local n=$1 delay=$((25 + ($1 % 4) * 10)) morse got
  doing="round $n: text to Morse"
  morse_page
  reset
  set_clipboard "$text"
  paste
  to_morse
  copy_output
  morse=$(clipboard)
  [ "$(printf '%s\n' "$morse" | wc -l)" = 40 ] || fail "the Morse has $(printf '%s\n' "$morse" | wc -l) lines"
  doing="round $n: playing the output"
  play_output
  sleep 1
  if [ "$n" = 0 ] && command -v import >/dev/null; then
    import -window "$main" "$work/playing.png" || true  # Halt lit, Play greyed: for looking at
  fi
  halt
  doing="round $n: Morse to text"
  set_clipboard "$morse"
  paste
  to_text
  copy_output
  got=$(clipboard)
  [ "$got" = "$text" ] || fail "the text came back as: $(printf '%s' "$got" | head -n 3)"
  doing="round $n: playing the input"
  play_input
  sleep 1
  halt
  dismiss_boxes

  doing="round $n: a short playback"
  reset
  set_clipboard ". -   - ."
  paste
  play_input
  sleep 1.5
  # Two quick left clicks and, after the letter gap, a right click.
  doing="round $n: keying"
  reset
  xdotool mousemove $((wx + 360)) $((wy + menu + 200)) click --repeat 2 --delay 80 1
  sleep 0.8
  click_client 360 200 3
  sleep 0.8
  to_text
  copy_output
  got=$(clipboard)
  [ "$got" = "IT" ] || say "round $n: keying gave '$got'"
  dismiss_boxes

  doing="round $n: the chart and About"
  click_client 82 464  # "Morse Code Chart"
  close_chart "English Alphabet"
  for _ in 1 2 3; do  # "&About" from the "Help" menu
    xdotool windowfocus --sync "$main" key alt+h  # the "&Help" menu (no window manager here)
    sleep 0.3
    xdotool key a
    (tries=30 window_named "About Tapwren v2.0f ...") >/dev/null 2>&1 && break
  done
  window_named "About Tapwren v2.0f ..." >/dev/null
  sleep 0.5
  xdotool key Escape
  gone "About Tapwren"
  dismiss_boxes

  doing="round $n: resizing"
  xdotool windowsize "$main" 1282 $((962 + menu))
  sleep 0.4
  xdotool windowsize "$main" 900 $((700 + menu))
  sleep 0.4
  xdotool windowsize "$main" "$start_w" "$start_h"
  sleep 0.4
  read -r _ _ w h < <(geometry "$main")
  [ "$w $h" = "$start_w $start_h" ] || fail "the window stayed at ${w}x$h"

  doing="round $n: delays and alphabets"
  settings_page
  type_delay 266 "$delay"  # between letters when playing
  type_delay 298 "$delay"  # between dots and dashes
  click_client 25 94       # European
  click_client 326 68      # Norwegian
  click_client 326 94      # Russian, with its note
  window_named "Information" >/dev/null
  xdotool key Return
  gone "Information"
  click_client 82 464
  close_chart "Russian Alphabet"
  click_client 25 68  # back to English
  doing="round $n: sound loop and tests"
  click_client 493 339  # "Snd Loop"
  sleep 0.5
  click_client 573 339  # "Stop"
  click_client 571 371  # the dot's "Test"
  click_client 571 407  # the dash's "Test"
  sleep 0.3
  dismiss_boxes
}

close_chart() {  # waits for the chart of this alphabet and closes it with "OK"
  local dialog dx dy
  dialog=$(window_named "Morse Code Chart - $1 : ")
  read -r dx dy _ _ < <(geometry "$dialog")
  xdotool mousemove $((dx + 327 + 87)) $((dy + 397 + 17)) click 1
  gone "Morse Code Chart"
}

startup_kb=$(rss_kb)
say "resident after start-up: $startup_kb kB"
round 0
alive
sleep 1
base_kb=$(rss_kb)
say "resident after the first round: $base_kb kB"
started=$SECONDS
rounds=0
while [ $((SECONDS - started)) -lt "$seconds" ]; do
  rounds=$((rounds + 1))
  round "$rounds"
  alive
  echo "round $rounds at $((SECONDS - started)) s: $(rss_kb) kB" >>"$log"
done
sleep 1
doing="the end"
alive
end_kb=$(rss_kb)
growth=$((end_kb - base_kb))
say "resident after $rounds rounds in $((SECONDS - started)) s: $end_kb kB"
say "growth since the first round: $growth kB (since start-up: $((end_kb - startup_kb)) kB)"

# "Exit" closes the program, which writes its settings.
doing="Exit"
morse_page
click_client 561 464
for _ in $(seq 100); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
kill -0 "$app" 2>/dev/null && fail "Exit did not end the program"
status=0
wait "$app" || status=$?
app=
[ "$status" = 0 ] || fail "the program ended with status $status"
[ -f "$install/tapwrenz.ini" ] || fail "no settings file after Exit"
[ "$unexpected" = 0 ] || fail "$unexpected message boxes nobody asked for (see $log)"
if [ "$bound_kb" != off ] && [ "$growth" -gt "$bound_kb" ]; then
  fail "resident memory grew by $growth kB (allowed: $bound_kb kB); per round: $log"
fi
say "soak passed: $rounds rounds, growth $growth kB"
