#!/bin/sh
# Makes the Windows download as `cpack --preset windows` does, into OUT, and
# checks it: the zip and the 64-bit installer named for the version, each
# with a SHA-256 sum that matches it, the zip holding the two programs,
# README.txt and LICENSE.txt in one folder. The zip is left unpacked in
# OUT/zip for the tests that run its programs.
# Usage: packages.sh CPACK BUILD_DIR OUT NAME    (NAME: quorvel-VERSION-win64)
set -eu
cpack=$1 build=$2 out=$3 name=$4
fail() {
  echo "$*" >&2
  exit 1
}
command -v makensis >/dev/null || fail "makensis is not installed (Debian's nsis package): the installer cannot be made"
rm -rf "$out"
mkdir -p "$out"
"$cpack" --config "$build/CPackConfig.cmake" -B "$out" >"$out/cpack.log" 2>&1 || fail "cpack failed: $(cat "$out/cpack.log")"
cd "$out"
for package in "$name.zip" "$name-setup.exe"; do
  [ -s "$package" ] || fail "cpack made no $package: $(ls)"
  sha256sum --quiet -c "$package.sha256" || fail "$package.sha256 does not match $package"
done
# The amd64 stub: Debian's 32-bit one does not run under Wine without wine32.
file "$name-setup.exe" | grep -q 'PE32+ executable (GUI) x86-64' || fail "not a 64-bit installer: $(file "$name-setup.exe")"

mkdir zip
(cd zip && cmake -E tar xf "../$name.zip")
listed=$(cd zip && find . -type f | sort | tr '\n' ' ')
expected="./$name/LICENSE.txt ./$name/README.txt ./$name/quorvel-cli.exe ./$name/quorvel.exe "
[ "$listed" = "$expected" ] || fail "the zip holds: $listed; expected: $expected"
