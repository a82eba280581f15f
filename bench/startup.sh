#!/usr/bin/env bash
# Start-up of the client: time from process start to the first painted main window, and
# the resident memory then; median of several runs, under Xvfb and offscreen.
#   bench/startup.sh [build folder, default build-release] [runs, default 11]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-release}
runs=${2:-11}
if [ ! -x "$build/bench/kestrel_startup_probe" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKESTREL_BUILD_TESTS=OFF
  cmake --build "$build" --target kestrel_startup_probe
fi
probe="$PWD/$build/bench/kestrel_startup_probe"
home=$(mktemp -d)
source bench/xvfb.sh
trap 'rm -rf "$home"; [ -z "$xvfb" ] || kill "$xvfb"' EXIT

median() { sort -n | awk '{v[NR]=$1} END {print v[int((NR+1)/2)]}'; }

measure() { # $1 = label, rest = how to start the probe
  local label=$1; shift
  local times=() memory=()
  for _ in $(seq "$runs"); do
    local line
    line=$(XDG_CONFIG_HOME="$home" KESTREL_PROBE_T0=$(date +%s%N) "$@" "$probe" 2>/dev/null |
           grep first-paint-ms)
    times+=("$(echo "$line" | awk '{print $2}')")
    memory+=("$(echo "$line" | awk '{print $4}')")
  done
  printf '%-10s first paint %s ms, resident %s MB (median of %s runs)\n' "$label" \
    "$(printf '%s\n' "${times[@]}" | median)" \
    "$(printf '%s\n' "${memory[@]}" | median | awk '{printf "%.1f", $1/1024}')" "$runs"
}

measure offscreen env QT_QPA_PLATFORM=offscreen
if command -v Xvfb >/dev/null; then
  start_xvfb
  measure Xvfb env DISPLAY="$display" QT_QPA_PLATFORM=xcb
fi
