#!/usr/bin/env bash
# The program installed as Linux programs are, checked where it lands:
#   - the desktop entry and the AppStream file validate, and with a package
#     lintian reports no error and its Depends names the package of every
#     library the binary loads by name (dlopen), which dpkg-shlibdeps cannot
#     see;
#   - the command line renders with the installed tones;
#   - the window, started by a user with an empty config folder under a
#     private X server, shows no message box (a missing tone would bring
#     one), opens the installed readme from the Help menu, and its "Exit"
#     writes the fourteen settings into that config folder. The boxes are
#     counted once the window has answered the menu, which it does only
#     after its start-up work, a box that work brought included.
#   tests/install/install_check.sh <build tree | package .deb> [work folder]
# A build tree is installed with DESTDIR into a temporary root, a package
# unpacked there.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
from=$1
work=${2:-$(mktemp -d)}
fail() { echo "FAIL: $*" >&2; exit 1; }

root=$work/root
rm -rf "$root" "$work/config" "$work/fakebin"
mkdir -p "$root" "$work/config" "$work/fakebin"
if [ -d "$from" ]; then
  DESTDIR=$root cmake --install "$from" --prefix /usr >/dev/null
else
  dpkg-deb -x "$from" "$root"
  lintian --fail-on error "$from" | tee "$work/lintian.txt"
  echo "ok: lintian finds no error in $(basename "$from")"
fi
share=$root/usr/share
desktop-file-validate "$share/applications/tapwrenz.desktop"
appstreamcli validate --no-net "$share"/metainfo/*.metainfo.xml >/dev/null ||
  fail "$(appstreamcli validate --no-net --explain "$share"/metainfo/*.metainfo.xml)"
echo "ok: the desktop entry and the AppStream file validate"
program=$root/usr/bin/tapwrenz
[ -f "$share/icons/hicolor/48x48/apps/tapwrenz.png" ] || fail "no 48x48 menu icon"
ls "$share"/man/man1/tapwrenz.1* >/dev/null || fail "no manual page"

# The libraries loaded by name are those the binary names as sonames beside
# the ones it is linked with (dpkg-shlibdeps' part); each maps to the package
# that holds it on this machine.
if [ -f "$from" ]; then
  depends=$(dpkg-deb -f "$from" Depends | tr ',|' '\n\n' | sed 's/(.*//; s/:.*//; s/ //g')
  objdump -p "$program" | awk '$1 == "NEEDED" {print $2}' | sort -u >"$work/needed"
  loaded=$(strings -a "$program" | grep -E '^lib[A-Za-z0-9_.+-]+\.so(\.[0-9]+)*$' | sort -u |
    comm -23 - "$work/needed" || true)
  if [ -z "$loaded" ] && objdump -T "$program" | grep -qw dlopen; then
    fail "the binary calls dlopen but names no library"
  fi
  for soname in $loaded; do
    owner=$(dpkg -S "*/$soname" 2>/dev/null | head -n 1 | cut -d: -f1)
    [ -n "$owner" ] || fail "no package on this machine holds $soname, which the binary loads"
    grep -qxF "$owner" <<<"$depends" ||
      fail "the binary loads $soname ($owner) but Depends has no $owner: $(dpkg-deb -f "$from" Depends)"
    echo "ok: Depends names $owner for $soname, which the binary loads by name"
  done
fi

export XDG_CONFIG_HOME=$work/config SDL_AUDIODRIVER=dummy TAPWRENZ_AUTOSTART_DIR=$work/autostart
echo ". -" | "$program" --wav "$work/a.wav" || fail "the command line found no installed tone"
echo "ok: the command line plays the installed tones"

source "$here/../x11/x11_session.sh"
xvfb= app=
cleanup() { kill $app $xvfb 2>/dev/null || true; }
trap cleanup EXIT
start_x_server

# The desktop's opener is replaced by one that notes what it was asked to open.
printf '#!/bin/sh\necho "$@" >>"%s"\n' "$work/opened" >"$work/fakebin/xdg-open"
chmod +x "$work/fakebin/xdg-open"
PATH=$work/fakebin:$PATH "$program" >"$work/program.log" 2>&1 &
app=$!
main=$(window_named "Tapwren v2.0f")
read -r wx wy _ wh < <(geometry "$main")
menu=$((wh - 481))
click_client() { xdotool mousemove $((wx + $1)) $((wy + menu + $2)) click 1; sleep 0.3; }
for _ in 1 2 3; do
  xdotool windowfocus --sync "$main" key alt+h  # the "&Help" menu
  sleep 0.4
  xdotool key v
  for _ in $(seq 20); do [ -s "$work/opened" ] && break 2; sleep 0.1; done
done
# A box of the start-up work is modal: the menu could not have opened.
windows=$(xdotool search --onlyvisible --pid "$app" 2>/dev/null | wc -l)
[ "$windows" = 1 ] || fail "$windows windows after start-up: a message box? (see $work/program.log)"
echo "ok: the installed program starts with its tones and no message box"
[ "$(cat "$work/opened" 2>/dev/null)" = "$share/tapwrenz/tapwrenz.txt" ] ||
  fail "View Readme file opened '$(cat "$work/opened" 2>/dev/null)'"
echo "ok: View Readme file opens the installed readme"

click_client 561 464  # "Exit"
for _ in $(seq 50); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
kill -0 "$app" 2>/dev/null && fail "Exit did not end the program"
app=
ini=$work/config/tapwrenz/tapwrenz.ini
[ -f "$ini" ] || fail "no settings file in the config folder after Exit"
[ "$(grep -c '=' "$ini")" = 14 ] || fail "the settings file holds $(grep -c '=' "$ini") keys"
grep -qF "Dot_Sound_File_Name_Edit=$share/tapwrenz/Mores_Code_Dot_Tone.wav" "$ini" ||
  fail "the dot sound is not the installed tone: $(grep Dot_Sound "$ini")"
[ -z "$(find "$root" -name tapwrenz.ini)" ] || fail "a settings file beside the installed files"
echo "ok: Exit writes all fourteen settings into the config folder"
echo "all install checks passed"
