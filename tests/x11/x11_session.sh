# What both X11 scripts do with their private X server, sourced by them after
# they define `work` (their folder) and `fail` (their way of giving up).

# The server picks a free display and writes its number once it accepts
# clients. Servers of other runs starting at the same moment may race for the
# same number, so a display that does not answer gets a fresh server. Sets
# `xvfb` to the server's process and exports DISPLAY. The server never resets
# when its last client leaves: a reset closes and reopens it, and a program
# started in that moment finds no display.
start_x_server() {
  local attempt
  for attempt in 1 2 3; do
    : >"$work/display"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -dpi 96 -nolisten tcp -noreset 3>"$work/display" \
      >"$work/xvfb.log" 2>&1 &
    xvfb=$!
    for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
    if [ -s "$work/display" ] && kill -0 "$xvfb" 2>/dev/null &&
      DISPLAY=:$(head -n 1 "$work/display") xdotool getdisplaygeometry >/dev/null 2>&1; then
      export DISPLAY=:$(head -n 1 "$work/display") QT_QPA_PLATFORM=xcb
      return
    fi
    kill "$xvfb" 2>/dev/null || true
    wait "$xvfb" 2>/dev/null || true
    xvfb=
    [ "$attempt" = 3 ] && fail "the X server did not start (see $work/xvfb.log)"
    sleep 1
  done
}

# A window manager that frames windows and handles maximise and the close box
# as a desktop's does. Sets `wm` to its process.
start_window_manager() {
  command -v openbox >/dev/null || fail "openbox is missing (bash scripts/setup-debian.sh)"
  openbox --sm-disable >"$work/openbox.log" 2>&1 &
  wm=$!
  for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return
    sleep 0.1
  done
  fail "openbox did not start (see $work/openbox.log)"
}
# Bounds of a framed window as the settings store them: left, top, width,
# height, frame included.
outer_bounds() {
  local x y w h l r t b
  read -r x y w h < <(geometry "$1")
  IFS=', ' read -r l r t b < <(xprop -id "$1" _NET_FRAME_EXTENTS | sed 's/.*= //')
  echo "$((x - l)) $((y - t)) $((w + l + r)) $((h + t + b))"
}
# Closes a window by its close box, through the window manager.
close_box() { wmctrl -i -c "$1"; }
maximised() { xprop -id "$1" _NET_WM_STATE | grep -q _NET_WM_STATE_MAXIMIZED_HORZ; }

# Prints the id of the visible window with this name, waiting up to `tries`
# tenths of a second.
window_named() {
  for _ in $(seq "${tries:-100}"); do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1 || true)
    [ -n "$id" ] && { echo "$id"; return; }
    sleep 0.1
  done
  fail "no window named '$1'"
}
# Inner bounds in screen coordinates: x, y, width, height. (xdotool counts a
# window manager's frame twice in the position.)
geometry() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/{x=$NF} /Absolute upper-left Y/{y=$NF}
    /^ *Width:/{w=$NF} /^ *Height:/{h=$NF} END{print x, y, w, h}'
}
clipboard() { xclip -o -selection clipboard 2>/dev/null || true; }
# xclip takes the clipboard from a child it leaves behind, which on a busy
# machine may do so after the next click: wait until the text reads back.
set_clipboard() {
  printf '%s' "$1" | xclip -i -selection clipboard
  for _ in $(seq 50); do
    [ "$(clipboard)" = "$1" ] && return
    sleep 0.1
  done
  fail "the clipboard did not take the text"
}
# Sets the clipboard to a marker, runs the click, and waits for new content.
copy_after() {
  set_clipboard "marker"
  "$@"
  for _ in $(seq 50); do
    [ "$(clipboard | head -c 6)" != "marker" ] && return
    sleep 0.1
  done
  fail "nothing was copied"
}
