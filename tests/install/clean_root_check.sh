#!/usr/bin/env bash
# The package on a clean Debian 12, installed as a user installs it: a minimal
# bookworm made with mmdebstrap in a temporary folder, the package installed
# there by apt-get with its Depends alone (Recommends would hide a missing
# dependency). Then, in that root:
#   - every option the installed manual page names does what it says, and a
#     WAV written by --wav decodes back with --listen;
#   - the folders and files the manual page names exist;
#   - the window shows on an X server of this machine (its socket is bound
#     into the root), and its dot "Test" plays: the sound library's disk
#     driver writes sound to a file;
#   - without xdg-utils, "View Readme file" shows a box;
#   - with no display, the window's start gives one line and status 1;
#   - with the sound library removed by force, --wav and --listen say that it
#     could not be loaded, with status 1, and the window's "Test" shows a box.
#   tests/install/clean_root_check.sh <tapwrenz_*.deb> [work folder]
# Needs root (chroot, mounts) and the Debian mirror (DEBIAN_MIRROR, by default
# deb.debian.org); takes 45 s to two and a half minutes, a third to half of it
# making the root. A work folder given is kept, with the root in it.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
deb=$(realpath "$1")
if [ -n "${2:-}" ]; then
  work=$(realpath -m "$2") keep=1
else
  work=$(mktemp -d) keep=
fi
mirror=${DEBIAN_MIRROR:-http://deb.debian.org/debian}
security=${DEBIAN_SECURITY_MIRROR:-http://deb.debian.org/debian-security}
fail() { echo "FAIL: $*" >&2; exit 1; }
# A failed check that the next ones do not rest on: all are reported.
failures=0
failed() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

[ "$(id -u)" = 0 ] || fail "run as root: the check makes a root with chroot and mounts"
[ -f "$deb" ] || fail "no package $deb"
"$here/../../scripts/setup-debian.sh" clean-root
mkdir -p "$work"
timeout 60 /usr/lib/apt/apt-helper download-file "$mirror/dists/bookworm/InRelease" \
  "$work/InRelease" >/dev/null 2>&1 || fail "the Debian mirror $mirror does not answer"

root=$work/root
xvfb= app=
mounted=()
# The root holds the machine's /dev and X sockets while they are bound into
# it: nothing under it is deleted while anything is mounted there.
mounted_in_root() { findmnt -rn -o TARGET | grep -qF "$root/"; }
cleanup() {
  [ -n "$app" ] && kill "$app" 2>/dev/null
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
  local m
  for ((m = ${#mounted[@]} - 1; m >= 0; m--)); do
    umount "${mounted[m]}" 2>/dev/null || umount -l "${mounted[m]}" 2>/dev/null || true
  done
  if mounted_in_root; then
    echo "left $work in place: something is still mounted in it" >&2
  elif [ -z "$keep" ]; then
    rm -rf "$work"
  fi
}
trap cleanup EXIT
bind() {
  mkdir -p "$root$2"
  mount --bind "$1" "$root$2"
  mounted+=("$root$2")
}

started=$SECONDS
mounted_in_root && fail "something is still mounted in $root"
rm -rf "$root"
mmdebstrap --quiet --mode=root --variant=apt bookworm "$root" \
  "deb $mirror bookworm main" "deb $mirror bookworm-updates main" \
  "deb $security bookworm-security main" || fail "mmdebstrap could not make the root"
mount -t proc proc "$root/proc"
mounted+=("$root/proc")
bind /dev /dev
echo "ok: a clean bookworm root in $((SECONDS - started)) s"

# Commands in the root run with a clean environment, as root in a UTF-8 locale.
in_root() {
  chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 \
    SDL_AUDIODRIVER=dummy "$@"
}
cp "$deb" "$root/tmp/"
cp /etc/resolv.conf "$root/etc/resolv.conf"
in_root apt-get update -qq >"$work/apt.log" 2>&1 || fail "apt-get update failed (see $work/apt.log)"
in_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
  "/tmp/$(basename "$deb")" >>"$work/apt.log" 2>&1 ||
  fail "apt-get could not install the package (see $work/apt.log)"
echo "ok: apt-get installs $(basename "$deb") with $(grep -c '^Setting up' "$work/apt.log") packages"

# Runs the program in the root: `out` and `err` hold what it wrote, `status`
# its exit status.
run() {
  local input=$1
  shift
  status=0
  printf '%s' "$input" | in_root "$@" >"$work/out" 2>"$work/err" || status=$?
  out=$(cat "$work/out") err=$(cat "$work/err")
}
expect() {  # what, wanted status, wanted output
  [ "$status" = "$2" ] && [ "$out" = "$3" ] && return
  failed "$1: status $status, output '$out', errors '$err' (wanted status $2, '$3')"
}
size() { stat -c %s "$root$1"; }

man_page=$root/usr/share/man/man1/tapwrenz.1.gz
[ -f "$man_page" ] || fail "no manual page installed"
sos='... --- ...'
run "$sos"$'\n' tapwrenz --wav /tmp/sos.wav
expect "--wav" 0 ""
plain=$(size /tmp/sos.wav)
# The options of the manual page are the tags of its OPTIONS list.
options=$(zcat "$man_page" | sed -n '/^\.SH OPTIONS/,/^\.SH/p' | awk 'tag {print; tag=0} /^\.TP/ {tag=1}' |
  grep -o '\\-[a-z\\-]*' | sed 's/\\-/-/g' | sort -u)
[ -n "$options" ] || fail "no options found in the manual page"
for option in $options; do
  case "$option" in
    --to-morse) run $'SOS\n' tapwrenz --to-morse && expect "$option" 0 "$sos " ;;
    --to-text) run "$sos"$'\n' tapwrenz --to-text && expect "$option" 0 "SOS" ;;
    --alphabet)
      run $'ПРИВЕТ\n' tapwrenz --to-morse --alphabet russian
      run "$out"$'\n' tapwrenz --to-text --alphabet russian && expect "$option" 0 "ПРИВЕТ"
      ;;
    --wav)
      [ "$(head -c 4 "$root/tmp/sos.wav")" = RIFF ] || failed "--wav wrote no WAV"
      [ "$plain" -gt 10000 ] || failed "--wav wrote $plain bytes"
      ;;
    --listen)
      run "" tapwrenz --listen /tmp/sos.wav && expect "$option" 0 "SOS"
      run "$(cat "$root/tmp/sos.wav" | base64 -w0)" sh -c 'base64 -d | tapwrenz --listen - --to-morse'
      expect "--listen - --to-morse" 0 "$sos "
      ;;
    --dot | --dash)
      run "$sos"$'\n' tapwrenz --wav /tmp/other.wav "$option" /usr/share/tapwrenz/Mores_Code_Dash_Tone.wav
      expect "$option" 0 ""
      [ "$option" = --dash ] && want=$plain || want=$((plain + 1))
      [ "$(size /tmp/other.wav)" -ge "$want" ] ||
        failed "$option: the dash tone as the ${option#--} gives $(size /tmp/other.wav) bytes, $plain before"
      ;;
    --letter-delay | --element-delay)
      run "$sos"$'\n' tapwrenz --wav /tmp/other.wav "$option" 2000 && expect "$option" 0 ""
      [ "$(size /tmp/other.wav)" -gt "$plain" ] ||
        failed "$option 2000 gives $(size /tmp/other.wav) bytes, $plain with the default"
      ;;
    -h | --help)
      run "" tapwrenz "$option"
      [ "$status" = 0 ] && grep -q -- '--to-morse' <<<"$out" || failed "$option: status $status, '$out'"
      ;;
    --version)
      run "" tapwrenz --version
      [ "$status" = 0 ] && grep -qx 'Tapwren v.*' <<<"$out" || failed "--version: status $status, '$out'"
      ;;
    *) failed "the manual page names $option, which this check does not try" ;;
  esac
done
echo "checked the options of the manual page: $(echo $options)"

# The installed paths it names (the config folder is made on the first exit).
paths=$(zcat "$man_page" | grep -o '/usr/[A-Za-z0-9_./-]*' | sort -u)
[ -n "$paths" ] || failed "the manual page names no installed path"
for path in $paths; do
  [ -e "$root$path" ] || failed "the manual page names $path, which is not installed"
done
[ -z "$(zcat "$man_page" | grep -F /usr/local)" ] || failed "the manual page names /usr/local"
echo "checked the paths of the manual page: $(echo $paths)"

# The window, on a private X server of this machine.
source "$here/../x11/x11_session.sh"
start_x_server
bind /tmp/.X11-unix /tmp/.X11-unix
window() {  # starts the window in the root with this sound driver file
  in_root DISPLAY="$DISPLAY" SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=/tmp/sound.raw tapwrenz \
    >"$work/program.log" 2>&1 &
  app=$!
  main=$(window_named "Tapwren v2.0f")
  read -r wx wy _ wh < <(geometry "$main")
  menu=$((wh - 481))
}
click_client() { xdotool mousemove $((wx + $1)) $((wy + menu + $2)) click 1; }
stop_window() {
  kill "$app" 2>/dev/null || true
  wait "$app" 2>/dev/null || true
  app=
}
# Clicks the dot's "Test" on the Settings page until `$1` holds (a click may
# come before the window takes input), for up to three tries of 3 s.
test_dot_until() {
  for _ in 1 2 3; do
    click_client 214 16
    sleep 0.3
    click_client 571 371
    for _ in $(seq 30); do "$@" && return; sleep 0.1; done
  done
  return 1
}
# The disk driver writes the device's silence too: sound is what is not zero.
sound_bytes() { tr -d '\0' <"$root/tmp/sound.raw" 2>/dev/null | wc -c; }
played() { [ "$(sound_bytes)" -gt 1000 ]; }
box_shown() { xdotool search --onlyvisible --name '^Error$' >/dev/null 2>&1; }
rm -f "$root/tmp/sound.raw"
window
echo "ok: the window shows"
test_dot_until played || failed "the dot's Test wrote no sound ($(sound_bytes) bytes not zero)"
box_shown && failed "the dot's Test showed a box"
stop_window
echo "ok: the dot's Test plays ($(sound_bytes) bytes of sound)"

# The root has no xdg-utils (only recommended): "View Readme file" shows a box
# (its text, "xdg-open could not be found.", is the unit tests' to read:
# a message box gives its text to the clipboard only on Windows).
info_box() { xdotool search --onlyvisible --name '^Information$' >/dev/null 2>&1; }
window
for _ in 1 2 3; do
  xdotool windowfocus --sync "$main" key alt+h  # the "&Help" menu
  sleep 0.4
  xdotool key v
  for _ in $(seq 20); do info_box && break 2; sleep 0.1; done
done
if info_box; then
  echo "ok: without xdg-utils, View Readme file says so in a box"
else
  failed "without xdg-utils, View Readme file showed no box"
fi
stop_window

# Without a display: one line that says so, status 1.
run "" tapwrenz
[ "$status" = 1 ] && [ "$(wc -l <"$work/err")" = 1 ] ||
  failed "with no display: status $status, $(wc -l <"$work/err") lines: $err"
[ "$status" = 1 ] && echo "ok: with no display, one line: $err"

# Without the sound library.
in_root dpkg --remove --force-depends libsdl2-2.0-0 >"$work/remove.log" 2>&1 ||
  fail "dpkg could not remove the sound library (see $work/remove.log)"
no_library="tapwrenz: the sound library libSDL2-2.0.so.0 could not be loaded: libSDL2-2.0.so.0: cannot open shared object file: No such file or directory"
run "$sos"$'\n' tapwrenz --wav /tmp/none.wav
[ "$status" = 1 ] && [ "$err" = "$no_library" ] || failed "--wav without the library: status $status, '$err'"
# Listening reads a plain WAV itself: it needs no sound library.
run "" tapwrenz --listen /tmp/sos.wav && expect "--listen without the library" 0 "SOS"
window
if test_dot_until box_shown; then
  echo "ok: without the sound library --wav says so, --listen still hears, and Test shows a box"
else
  failed "the dot's Test without the library showed no box"
fi
stop_window

echo "took $((SECONDS - started)) s"
[ "$failures" = 0 ] || fail "$failures checks failed on the clean root"
echo "all clean-root checks passed"
