#!/bin/sh
# The window program at its door: a start folder that is gone or cannot be
# written in, and a quorvel.ini it cannot read, are reported on stderr (and
# in a message box), the program ends with exit status 1 and leaves the
# file and the folder as they were.
# Usage: StartChecks.sh QUORVEL
set -u
program=$1
root=$(mktemp -d)
chmod 755 "$root"
trap 'rm -rf "$root"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
# Root reads and writes anything: those cases run as nobody.
if [ "$(id -u)" = 0 ]; then other="setpriv --reuid=65534 --regid=65534 --clear-groups"; else other=""; fi

# try NAME WORDS [PREFIX...]: starts the program in $root/NAME (removed first
# for "gone"), waits for its report, closes it as a signal does, and checks
# the exit status and the report.
try() {
  name=$1 words=$2
  shift 2
  (cd "$root/$name" && { [ "$name" != gone ] || rmdir "$root/gone"; } &&
    exec "$@" env HOME="$root" QT_QPA_PLATFORM=offscreen "$program") 2>"$root/$name.err" &
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

mkdir "$root/gone" "$root/readonly" "$root/fifo" "$root/folder" "$root/unreadable" "$root/folder/quorvel.ini"
mkfifo "$root/fifo/quorvel.ini"
printf '/mine\r\n' >"$root/unreadable/quorvel.ini"
chmod 000 "$root/unreadable/quorvel.ini"
if [ -n "$other" ]; then chown 65534 "$root/unreadable"; else chmod 555 "$root/readonly"; fi

try gone "may have been deleted"
try readonly "cannot write in the folder $root/readonly" $other
try fifo "is not a regular file"
try folder "is not a regular file"
try unreadable "Cannot read the settings file" $other

[ -z "$(ls -A "$root/readonly")" ] || fail "readonly: something was written"
[ -p "$root/fifo/quorvel.ini" ] || fail "fifo: quorvel.ini was replaced"
[ -d "$root/folder/quorvel.ini" ] || fail "folder: quorvel.ini was replaced"
[ "$(cat "$root/unreadable/quorvel.ini")" = "$(printf '/mine\r')" ] || fail "unreadable: quorvel.ini was replaced"
[ $failures -eq 0 ] && echo "each start problem reported, exit status 1, files left alone"
exit $failures
