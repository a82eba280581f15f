#!/usr/bin/env bash
# Installs the Debian 12 packages Kestrel needs, once: usage deps.sh run|test|package|ci
set -euo pipefail

build=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-serialport-dev qt6-multimedia-dev
       libgl-dev libglib2.0-dev libbenchmark-dev fonts-dejavu-core xdg-utils libhamlib-dev
       hamradio-files)
# The fixed-pitch fonts a Debian desktop may choose for the terminal are all drawn in the
# tests; appstream and desktop-file-utils check the installed desktop files; the
# accessibility bus and its Python binding read the lists as a screen reader does.
test=(socat xvfb xauth xdotool dbus dbus-x11 qt6-base-private-dev pulseaudio pulseaudio-utils
      libhamlib-utils fonts-liberation2 fonts-noto-mono fonts-freefont-ttf appstream
      desktop-file-utils at-spi2-core python3-pyatspi gir1.2-atspi-2.0)
package=(dpkg-dev file)
ci=(clang-14 libclang-rt-14-dev libfuzzer-14-dev clang-format)

case "${1:-run}" in
  run) wanted=("${build[@]}") ;;
  test) wanted=("${build[@]}" "${test[@]}") ;;
  package) wanted=("${build[@]}" "${package[@]}") ;;
  ci) wanted=("${build[@]}" "${test[@]}" "${package[@]}" "${ci[@]}") ;;
  *) echo "usage: $0 run|test|package|ci" >&2; exit 2 ;;
esac

missing=()
for package in "${wanted[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
    missing+=("$package")
done
if ((${#missing[@]})); then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
