#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# ./setup.sh start   installs what building and running need, builds, and starts Quendle
# ./setup.sh test    also installs the test tools, builds, and runs every test
# ./setup.sh lint    installs the lint tools, checks the formatting and the include graph
# ./setup.sh deps start|test|lint   only installs what that command needs
# BUILD_DIR and BUILD_OPTIONS (more CMake options) choose another build, as CI's strict ones.
set -euo pipefail
cd "$(dirname "$0")"
RUN="$0 $*"

START_PACKAGES=(
  cmake g++ make pkg-config
  qt6-base-dev libgl-dev
  libespeak-ng-dev espeak-ng-data libpulse-dev libasound2-dev
  fonts-dejavu-core xdg-utils
)
TEST_PACKAGES=(
  "${START_PACKAGES[@]}"
  libgtest-dev python3
  espeak-ng pulseaudio pulseaudio-utils
  xvfb xdotool
)
LINT_PACKAGES=(clang-format python3)
BUILD_DIR=${BUILD_DIR:-build}
read -r -a BUILD_OPTIONS <<<"${BUILD_OPTIONS:-}"

installed() {
  dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"
}

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

install_missing() {
  local missing=()
  for p in "$@"; do
    installed "$p" || missing+=("$p")
  done
  [ ${#missing[@]} -gt 0 ] || return 0
  if [ "$(id -u)" -ne 0 ] && ! command -v sudo >/dev/null; then
    echo "These Debian packages are missing: ${missing[*]}" >&2
    echo "Installing them takes root or sudo. As root, run:" >&2
    echo "  apt-get install ${missing[*]}" >&2
    echo "then run $RUN again." >&2
    exit 1
  fi
  # Whether the test tools' PulseAudio daemon is new here: see below.
  local new_pulseaudio=false
  installed pulseaudio || new_pulseaudio=true
  echo "Installing: ${missing[*]}"
  as_root apt-get update -q
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
  # The tests start a daemon of their own. The package also enables one for every login, which
  # would stand beside the desktop's own sound server (PipeWire's, say): when this installed
  # it, it stays off for logins, and the desktop's sound is left as it was.
  if $new_pulseaudio && installed pulseaudio && command -v systemctl >/dev/null; then
    as_root systemctl --global disable pulseaudio.socket pulseaudio.service
    echo "PulseAudio is installed for the tests only; logins do not start it." \
      "(systemctl --global enable pulseaudio.socket turns it on.)"
  fi
}

build() {
  cmake -S . -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=Release "${BUILD_OPTIONS[@]}"
  cmake --build "$BUILD_DIR" -j"$(nproc)"
}

deps() {
  case "$1" in
    start) install_missing "${START_PACKAGES[@]}" ;;
    test) install_missing "${TEST_PACKAGES[@]}" ;;
    lint) install_missing "${LINT_PACKAGES[@]}" ;;
    *) usage ;;
  esac
}

usage() {
  echo "usage: $0 start|test|lint, or $0 deps start|test|lint" >&2
  exit 2
}

case "${1:-}" in
  start)
    deps start
    build
    if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
      echo "Quendle is built ($BUILD_DIR/Quendle/bin/quendle) but there is no display to show it on." >&2
      echo "Run this from a desktop session, or start it under a virtual display (package xvfb): xvfb-run $BUILD_DIR/Quendle/bin/quendle" >&2
      exit 1
    fi
    exec "$BUILD_DIR/Quendle/bin/quendle"
    ;;
  test)
    deps test
    build
    cd "$BUILD_DIR"
    ctest --output-on-failure -j"$(nproc)"
    ;;
  lint)
    deps lint
    git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror
    python3 tools/check-includes --inside platform
    ;;
  deps)
    deps "${2:-}"
    ;;
  *)
    usage
    ;;
esac
