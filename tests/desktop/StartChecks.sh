#!/bin/sh
# The window program at its door: a start folder that is gone or cannot be
# written in, and a quorvel.ini it cannot read, are reported on stderr (and
# in a message box) and the program ends with exit status 1; the file is
# left as it was, and nothing is written anywhere else.
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

# expect NAME WORDS: waits for the program's report, closes it as a signal
# does, and checks the exit status and the report.
expect() {
  tries=0
  until grep -q "^quorvel: " "$root/$1.err" || ! kill -0 $pid 2>/dev/null; do
    tries=$((tries + 1))
    [ $tries -gt 300 ] && break
    sleep 0.1
  done
  sleep 0.3
  kill -TERM $pid 2>/dev/null
  status=0
  wait $pid || status=$?
  [ $status -eq 1 ] || fail "$1: exit status $status"
  grep -q "$2" "$root/$1.err" || fail "$1: no \"$2\" in: $(cat "$root/$1.err")"
}

run() {  # run NAME DIR [PREFIX...]: the program in DIR
  name=$1 dir=$2
  shift 2
  (cd "$dir" && exec "$@" env HOME="$root" QT_QPA_PLATFORM=offscreen "$program") 2>"$root/$name.err" &
  pid=$!
}

mkdir "$root/gone"
(cd "$root/gone" && rmdir "$root/gone" && exec env HOME="$root" QT_QPA_PLATFORM=offscreen "$program") 2>"$root/gone.err" &
pid=$!
expect gone "may have been deleted"

mkdir "$root/readonly"
[ -n "$other" ] || chmod 555 "$root/readonly"
run readonly "$root/readonly" $other
expect readonly "cannot write in the folder $root/readonly"
[ -z "$(ls -A "$root/readonly")" ] || fail "readonly: something was written"

mkdir "$root/fifo" "$root/folder" "$root/unreadable"
mkfifo "$root/fifo/quorvel.ini"
run fifo "$root/fifo"
expect fifo "is not a regular file"
[ -p "$root/fifo/quorvel.ini" ] || fail "fifo: quorvel.ini was replaced"

mkdir "$root/folder/quorvel.ini"
run folder "$root/folder"
expect folder "is not a regular file"
[ -d "$root/folder/quorvel.ini" ] || fail "folder: quorvel.ini was replaced"

printf '/mine\r\n' >"$root/unreadable/quorvel.ini"
chmod 000 "$root/unreadable/quorvel.ini"
[ -n "$other" ] && chown 65534 "$root/unreadable"
run unreadable "$root/unreadable" $other
expect unreadable "Cannot read the settings file"
[ "$(cat "$root/unreadable/quorvel.ini")" = "$(printf '/mine\r')" ] || fail "unreadable: quorvel.ini was replaced"

[ $failures -eq 0 ] && echo "every start problem reported, exit status 1, files left alone"
exit $failures
