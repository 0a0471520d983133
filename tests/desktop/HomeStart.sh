#!/bin/sh
# Started in a home folder without quorvel.ini, as a desktop menu starts it,
# the program writes nothing into that folder: its settings go to
# ~/.config/quorvel and its level folder to ~/.local/share/quorvel.
# Usage: HomeStart.sh QUORVEL
set -eu
program=$1
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
home=$root/home
mkdir "$home"
cd "$home"

env -u XDG_CONFIG_HOME -u XDG_DATA_HOME HOME="$home" QT_QPA_PLATFORM=offscreen "$program" &
pid=$!
# The level folder is made before the window; then SIGTERM closes the window
# as Exit does, which saves the settings.
tries=0
until [ -d "$home/.local/share/quorvel" ]; do
  tries=$((tries + 1))
  if [ $tries -gt 300 ]; then echo "FAIL: no level folder after 30 s" >&2; kill -9 $pid; exit 1; fi
  sleep 0.1
done
sleep 1
kill -TERM $pid
status=0
wait $pid || status=$?
[ $status -eq 0 ] || { echo "FAIL: exit status $status after SIGTERM" >&2; exit 1; }

entries=$(ls -A "$home" | tr '\n' ' ')
[ "$entries" = ".config .local " ] || { echo "FAIL: the home folder holds: $entries" >&2; exit 1; }
[ -f "$home/.config/quorvel/quorvel.ini" ] || { echo "FAIL: no settings saved in ~/.config/quorvel" >&2; exit 1; }
echo "home folder untouched; settings in ~/.config/quorvel"
