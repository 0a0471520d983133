#!/bin/sh
# quorvel-cli.exe (under Wine) must write the same level as the Linux build
# for the same seed and options; only the wad line's separators differ.
# Usage: same-bytes.sh LINUX_CLI WINE_RUN PREFIX WINDOWS_CLI
set -eu
linux=$1 wine_run=$2 prefix=$3 windows=$4
if [ ! -x "$linux" ]; then
  echo "no Linux quorvel-cli at $linux: build it first (./test does)" >&2
  exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
status=0
for options in \
  "--seed 1 --dimension very-small --complexity low --skill low --monsters all --friends 0 --game-type kill-all" \
  "--seed 7 --dimension small" \
  "--seed 4242 --dimension medium --complexity high --skill high --monsters aliens --friends 2" \
  "--seed 99 --dimension big --complexity normal --monsters grunts-assassins --friends 1 --game-type kill-all" \
  "--seed 1733550000 --dimension very-big --complexity high --monsters grunts"; do
  # shellcheck disable=SC2086
  "$linux" $options --game-dir /games/hl --quiet --output linux.map 2>/dev/null || true
  # shellcheck disable=SC2086
  "$wine_run" "$prefix" "$windows" $options --game-dir /games/hl --quiet --output windows.map 2>/dev/null || true
  if [ ! -s linux.map ]; then
    echo "Linux build wrote nothing for: $options" >&2
    status=1
    continue
  fi
  sed '/^"wad" /s:\\:/:g' windows.map > windows-as-linux.map 2>/dev/null || true
  if ! cmp -s linux.map windows-as-linux.map; then
    echo "levels differ for: $options" >&2
    status=1
  elif cmp -s linux.map windows.map; then
    echo "the Windows wad line has no Windows separators for: $options" >&2
    status=1
  fi
  rm -f linux.map windows.map windows-as-linux.map
done
exit $status
