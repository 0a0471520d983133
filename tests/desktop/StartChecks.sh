#!/bin/sh
# The window program at its door: no display, a start folder that is gone or
# cannot be written in, and a quorvel.ini it cannot or must not read (a FIFO,
# a folder, unreadable, a NUL byte, a link another user planted in a folder
# anyone can write to) are reported on stderr (and in a message box), the
# program ends with exit status 1 and leaves the file, the folder and what a
# link leads to as they were.
# Usage: StartChecks.sh QUORVEL
set -u
root=$(mktemp -d)
chmod 755 "$root"
trap 'rm -rf "$root"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
# Root reads and writes anything: those cases run as nobody, who needs a copy
# of the program where it can reach it (the build may lie in a folder only
# its owner can enter).
if [ "$(id -u)" = 0 ]; then
  other="setpriv --reuid=65534 --regid=65534 --clear-groups"
  program=$root/quorvel
  cp "$1" "$program"
else
  other=""
  program=$1
  echo "SKIPPED: the planted link case: a link owned by another user can only be made by root"
fi

# try NAME WORDS [PREFIX...]: starts the program in $root/NAME (removed first
# for "gone"), waits for its report, closes it as a signal does, and checks
# the exit status and the report. QPA overrides the window system.
try() {
  name=$1 words=$2
  shift 2
  : >"$root/$name.err"
  (cd "$root/$name" && { [ "$name" != gone ] || rmdir "$root/gone"; } &&
    exec "$@" env HOME="$root" QT_QPA_PLATFORM="${QPA-offscreen}" "$program") 2>"$root/$name.err" &
  pid=$!
  tries=0
  until grep -q "^quorvel: " "$root/$name.err" || ! kill -0 $pid 2>/dev/null || [ $tries -gt 300 ]; do
    tries=$((tries + 1))
    sleep 0.1
  done
  sleep 0.3
  kill -TERM $pid 2>/dev/null
  status=0
  wait $pid || status=$?
  [ $status -eq 1 ] || fail "$name: exit status $status"
  grep -q "$words" "$root/$name.err" || fail "$name: no \"$words\" in: $(cat "$root/$name.err")"
}

mkdir "$root/gone" "$root/readonly" "$root/fifo" "$root/folder" "$root/unreadable" "$root/nul" "$root/nodisplay"
mkdir "$root/folder/quorvel.ini"
mkfifo "$root/fifo/quorvel.ini"
printf '/mine\r\n' >"$root/unreadable/quorvel.ini"
chmod 000 "$root/unreadable/quorvel.ini"
printf '/tools\r\n/ga\0me\r\n' >"$root/nul/quorvel.ini"
if [ -n "$other" ]; then chown 65534 "$root/unreadable"; else chmod 555 "$root/readonly"; fi
victim='root:x:0:0::/root:/bin/bash'
if [ -n "$other" ]; then
  mkdir -m 1777 "$root/planted"
  printf '%s\n' "$victim" >"$root/passwd"
  ln -s "$root/passwd" "$root/planted/quorvel.ini"
  chown -h 65534:65534 "$root/planted/quorvel.ini"
fi

QPA=''
try nodisplay "there is no display" env -u DISPLAY -u WAYLAND_DISPLAY
unset QPA
try gone "may have been deleted"
try readonly "cannot write in the folder $root/readonly" $other
try fifo "is a FIFO (named pipe), not a regular file"
try folder "is a directory, not a regular file"
try unreadable "Cannot read the settings file $root/unreadable/quorvel.ini: Permission denied" $other
try nul "it holds a NUL byte (at byte 11)"
[ -z "$other" ] || try planted "owned by another user (user ID 65534) in a folder anyone can write to"

[ -z "$(ls -A "$root/readonly")" ] || fail "readonly: something was written"
[ -p "$root/fifo/quorvel.ini" ] || fail "fifo: quorvel.ini was replaced"
[ -d "$root/folder/quorvel.ini" ] || fail "folder: quorvel.ini was replaced"
[ "$(cat "$root/unreadable/quorvel.ini")" = "$(printf '/mine\r')" ] || fail "unreadable: quorvel.ini was replaced"
[ "$(od -An -c "$root/nul/quorvel.ini" | tr -d ' \n')" = '/tools\r\n/ga\0me\r\n' ] || fail "nul: quorvel.ini was replaced"
[ -z "$other" ] || [ "$(cat "$root/passwd")" = "$victim" ] || fail "planted: the file the link leads to was written"
[ -z "$(ls -A "$root/nodisplay")" ] || fail "nodisplay: something was written"
[ $failures -eq 0 ] && echo "each start problem reported, exit status 1, files left alone"
exit $failures
