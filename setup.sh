#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# ./setup.sh start   installs what is missing, builds, and starts Quendle
# ./setup.sh test    installs what is missing, builds, and runs every test
# ./setup.sh lint    installs what is missing, checks the formatting and the include graph
# BUILD_DIR and BUILD_OPTIONS (more CMake options) choose another build, as CI's strict ones.
set -euo pipefail
cd "$(dirname "$0")"

PACKAGES=(
  cmake g++ make pkg-config
  qt6-base-dev libgl-dev
  libespeak-ng-dev espeak-ng-data espeak-ng libpulse-dev libasound2-dev
  googletest libgtest-dev libgmock-dev
  fonts-dejavu-core
  pulseaudio pulseaudio-utils
  xvfb xdotool xdg-utils
  clang-format python3
)
BUILD_DIR=${BUILD_DIR:-build}
read -r -a BUILD_OPTIONS <<<"${BUILD_OPTIONS:-}"

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

install_missing() {
  local missing=()
  for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    as_root apt-get update -q
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
  fi
}

build() {
  cmake -S . -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${BUILD_OPTIONS[@]}"
  cmake --build "$BUILD_DIR" -j"$(nproc)"
}

case "${1:-}" in
  start)
    install_missing
    build
    if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
      echo "Quendle is built ($BUILD_DIR/Quendle/bin/quendle) but there is no display to show it on." >&2
      echo "Run this from a desktop session, or start it under a virtual display: xvfb-run $BUILD_DIR/Quendle/bin/quendle" >&2
      exit 1
    fi
    exec "$BUILD_DIR/Quendle/bin/quendle"
    ;;
  test)
    install_missing
    build
    cd "$BUILD_DIR"
    ctest --output-on-failure -j"$(nproc)"
    ;;
  lint)
    install_missing
    git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror
    python3 tools/check-includes --inside platform
    ;;
  *)
    echo "usage: $0 start|test|lint" >&2
    exit 2
    ;;
esac
