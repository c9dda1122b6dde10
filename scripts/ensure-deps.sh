#!/bin/sh
# Installs the Debian packages the build, the tests and `make run` need, when any is missing.
# Uses sudo when not run as root. Quiet when everything is present.
set -eu
packages="cmake make g++ g++-mingw-w64-x86-64-posix mingw-w64-tools wine wine64 xvfb xauth
  x11-apps imagemagick googletest libgtest-dev libbenchmark-dev zlib1g-dev zip unzip
  clang libclang-rt-14-dev fonts-wine fonts-dejavu-core fonts-paratype
  xdotool"

missing=""
for p in $packages; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  case "$status" in
    *"install ok installed"*) ;;
    *) missing="$missing $p" ;;
  esac
done
[ -z "$missing" ] && exit 0

echo "Installing missing packages:$missing"
if [ "$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
# shellcheck disable=SC2086
$sudo apt-get install -y -qq $missing
