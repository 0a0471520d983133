#!/bin/sh
# The installer under Wine, in a fresh prefix of its own on a virtual display,
# as a user runs it silently: "/S" puts quorvel.exe under Program Files, a
# Start menu link and an uninstall entry; quorvel.exe started from that link
# and closed keeps its settings in the user's AppData, offers the Half-Life
# that Steam's registry value and library list lead to, and writes nothing
# into the install folder; "Uninstall.exe /S" leaves neither the files nor
# the entry.
# Usage: installer.sh SETUP PREFIX VERSION
set -eu
if [ -z "${QUORVEL_ON_XVFB:-}" ]; then
  QUORVEL_ON_XVFB=1 exec xvfb-run --auto-servernum --server-args="-screen 0 1024x768x24" sh "$0" "$@"
fi
setup=$1 prefix=$2 version=$3
export WINEPREFIX="$prefix" WINEDEBUG=-all
# No Mono or Gecko; and the link must not become a menu entry of this Linux desktop.
export WINEDLLOVERRIDES="mscoree,mshtml=,winemenubuilder.exe=d"
fail() {
  printf '%s\n' "$*" >&2
  exit 1
}
rm -rf "$prefix"
trap 'wineserver -k 2>/dev/null || true; rm -rf "$prefix"' EXIT
wineboot --init >/dev/null 2>&1 || true
wineserver -w

c="$prefix/drive_c"
programs="$c/Program Files/Quorvel"
link='C:\ProgramData\Microsoft\Windows\Start Menu\Programs\Quorvel.lnk'
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quorvel'

wine "$setup" /S || fail "the installer failed"
wineserver -w
[ -f "$programs/quorvel.exe" ] && [ -f "$programs/quorvel-cli.exe" ] || fail "not installed: $(ls -R "$c/Program Files")"
[ -f "$c/ProgramData/Microsoft/Windows/Start Menu/Programs/Quorvel.lnk" ] || fail "no Start menu link"
entry=$(wine reg query "$key" | tr -d '\r')
for value in "DisplayName    REG_SZ    Quorvel" "DisplayVersion    REG_SZ    $version" \
  "Publisher    REG_SZ    The Quorvel developers" "UninstallString    REG_SZ    \"C:\\Program Files\\Quorvel\\Uninstall.exe\""; do
  case "$entry" in *"$value"*) ;; *) fail "the uninstall entry lacks \"$value\": $entry" ;; esac
done

# Steam in C:\Steam as the registry names it (lower case, '/'), Half-Life in
# its second library.
mkdir -p "$c/Steam/steamapps" "$c/Games/SteamLibrary/steamapps/common/Half-Life/valve"
printf '"libraryfolders"\n{\n\t"0"\n\t{\n\t\t"path"\t\t"C:\\\\Steam"\n\t}\n\t"1"\n\t{\n\t\t"path"\t\t"C:\\\\Games\\\\SteamLibrary"\n\t}\n}\n' \
  >"$c/Steam/steamapps/libraryfolders.vdf"
wine reg add 'HKCU\Software\Valve\Steam' /v SteamPath /t REG_SZ /d 'c:/steam' /f >/dev/null

installed=$(cd "$programs" && find . | sort)
wine start "$link" || fail "the Start menu link does not start"
# Closed as a user closes it (WM_CLOSE), again until it has ended: its
# window may not be there at the first try.
for attempt in 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20; do
  wine taskkill /im quorvel.exe >/dev/null 2>&1 || break
  sleep 1
done
timeout 60 wineserver -w || fail "quorvel.exe did not end"
settings=$(find "$c/users" -path '*/AppData/Roaming/Quorvel/quorvel.ini')
[ -n "$settings" ] || fail "no quorvel.ini in AppData\\Roaming\\Quorvel: $(find "$c/users" -iname '*quorvel*')"
[ -n "$(find "$c/users" -path '*/AppData/Local/Quorvel' -type d)" ] || fail "no level folder in AppData\\Local\\Quorvel"
game=$(sed -n '2p' "$settings" | tr -d '\r')
[ "$game" = 'C:\Games\SteamLibrary\steamapps\common\Half-Life' ] || fail "the game folder offered is $game"
[ "$(cd "$programs" && find . | sort)" = "$installed" ] || fail "written into the install folder: $(ls "$programs")"

wine 'C:\Program Files\Quorvel\Uninstall.exe' /S || fail "the uninstaller failed"
wineserver -w
[ ! -e "$programs" ] || fail "left in the install folder: $(ls "$programs")"
[ ! -e "$c/ProgramData/Microsoft/Windows/Start Menu/Programs/Quorvel.lnk" ] || fail "the Start menu link is left"
if wine reg query "$key" >/dev/null 2>&1; then fail "the uninstall entry is left"; fi
[ -f "$settings" ] || fail "the user's settings went with the program"
