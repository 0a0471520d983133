#!/bin/sh
# Runs a Windows program under Wine in a private prefix: wine-run.sh PREFIX PROGRAM [ARGS...]
# The prefix is made (wineboot) on first use, under a lock so that parallel
# tests share one. With QUORVEL_NEEDS_DISPLAY set the program runs on a
# virtual X server of its own, so that tests never depend on (or pop up on)
# the user's display, and in a prefix of its own: Wine ties a prefix's
# desktop to the display of the program that started it, and a console test
# running at the same time would start it with none.
set -eu
prefix=$1; shift
[ -n "${QUORVEL_NEEDS_DISPLAY:-}" ] && prefix="$prefix-display"
export WINEPREFIX="$prefix" WINEDEBUG=-all
# Neither Mono nor Gecko is needed; without this wineboot asks to install them.
export WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -f "$prefix/.quorvel-ready" ]; then
  mkdir -p "$prefix"
  (
    flock 9
    if [ ! -f "$prefix/.quorvel-ready" ]; then
      wineboot --init >/dev/null 2>&1 || true
      wineserver --wait || true
      # Debian's Wine does not put its own fonts into a new prefix, so the
      # dialog font (Tahoma) would fall back to a wider one.
      cp /usr/share/wine/fonts/*.ttf "$prefix/drive_c/windows/Fonts/" 2>/dev/null || true
      touch "$prefix/.quorvel-ready"
    fi
  ) 9>"$prefix.lock"
fi
if [ -n "${QUORVEL_NEEDS_DISPLAY:-}" ] && command -v xvfb-run >/dev/null 2>&1; then
  exec xvfb-run --auto-servernum --server-args="-screen 0 1024x768x24" wine "$@"
fi
exec wine "$@"
