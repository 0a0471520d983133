#!/usr/bin/env bash
# Shared set-up for ./run and ./test: install what is missing, configure, build.
# Sourced, not run. Usage: quorvel_setup BUILD_DIR [extra cmake args...]
set -euo pipefail

QUORVEL_PACKAGES=(g++ cmake ninja-build libgtest-dev libbenchmark-dev qt6-base-dev
  desktop-file-utils appstream lintian dpkg-dev file)  # the last five: checks and the .deb
# The Windows build (./test only): cross compilers, GoogleTest's sources,
# Wine with its own fonts and a virtual display to run the tests, and NSIS
# for the installer (cpack --preset windows).
QUORVEL_WINDOWS_PACKAGES=(mingw-w64 googletest wine wine64 fonts-wine xvfb xauth nsis)

# Installs QUORVEL_PACKAGES and any packages given as arguments.
quorvel_install_packages() {
  local missing=()
  local pkg
  for pkg in "${QUORVEL_PACKAGES[@]}" "$@"; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$pkg")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  if ! command -v apt-get >/dev/null 2>&1; then
    echo "Missing packages: ${missing[*]} (install them with your package manager)" >&2
    return 1
  fi
  local sudo=()
  if [ "$(id -u)" -ne 0 ]; then
    if command -v sudo >/dev/null 2>&1; then sudo=(sudo); else
      echo "Missing packages: ${missing[*]}; run as root or install them: apt-get install ${missing[*]}" >&2
      return 1
    fi
  fi
  echo "Installing: ${missing[*]}" >&2
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >&2
}

# Configures BUILD_DIR once (the extra arguments go to cmake then) and
# builds it: every target, or those named in QUORVEL_TARGETS.
quorvel_build() {
  local dir=$1; shift
  local top
  top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
  if [ ! -f "$top/$dir/CMakeCache.txt" ]; then
    cmake -S "$top" -B "$top/$dir" -G Ninja "$@" >/dev/null
  fi
  local targets=()
  [ -n "${QUORVEL_TARGETS:-}" ] && targets=(--target ${QUORVEL_TARGETS})
  cmake --build "$top/$dir" --parallel "$(nproc 2>/dev/null || echo 2)" "${targets[@]}"
}

# Cross-compiles for Windows into build-windows/ and runs its tests under Wine.
quorvel_test_windows() {
  local top
  top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
  (
    cd "$top"
    [ -f build-windows/CMakeCache.txt ] || cmake --preset windows >/dev/null
    cmake --build --preset windows
    ctest --preset windows
  )
}
