# Sourced by the Windows scripts: a throw-away Wine prefix with no sound or
# graphics driver, and a Wine server that stays up until the script ends.
# Sets WINEPREFIX, HOME and the other Wine variables, `wine` and `wineserver`,
# and removes the prefix on exit.
wine_home=$(mktemp -d)
export WINEPREFIX=$wine_home/prefix HOME=$wine_home WINEDEBUG=-all
# No menu entries, no .NET or browser engine, and no desktop process: without
# a graphics driver the desktop only stalls the first sound call.
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d;explorer.exe=d"
wine_display=${DISPLAY:-}
unset DISPLAY
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
trap '"$wineserver" -k >/dev/null 2>&1 || true; rm -rf "$wine_home"' EXIT

# A server that stays up between the programs, started before anything else:
# a server started by wineboot ends a few seconds after its last client, and
# a program that connects just then fails ("Connection reset by peer"). Then
# one start of the prefix's services, and no sound or graphics driver.
mkdir -p "$WINEPREFIX"
"$wineserver" -p
"$wine" wineboot --init >/dev/null 2>&1
"$wine" reg add 'HKCU\Software\Wine\Drivers' /v Audio /d '' /f >/dev/null 2>&1
"$wine" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
