#!/usr/bin/env bash
# A flood of DX spots into the client from the test node: its CPU per 1000 spots, peak
# memory, whether it kept up, its longest event-loop block and whether every spot
# reached the screen. Under Xvfb, as on an operator's desktop, once with each view in
# front: the terminal, the scope's "All" list, its 20 m list, the band map of 20 m. Each
# run floods 100 spots a second, then 1000, then 5000. Without Xvfb it runs off screen
# (figures then leave out the cost of putting the picture on a display). Last, the floor
# under the terminal's figures: a bare Qt window (kestrel_floor_probe) showing the same
# flood the same way.
#   bench/flood.sh [build folder, default build-release] [seconds per phase, default 30]
#                  [baseline probe: an older kestrel_flood_probe, run before each view]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-release}
seconds=${2:-30}
baseline=${3:-}
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKESTREL_BUILD_TESTS=OFF
fi
# Always: figures of a stale client would mislead, and an up-to-date build costs nothing.
cmake --build "$build" --target kestrel_flood kestrel_flood_probe kestrel_floor_probe
flood="$PWD/$build/bench/kestrel_flood"
# Qt wants a private runtime folder and says so on every start without one.
runtime=$(mktemp -d)
source bench/xvfb.sh
trap 'rm -rf "$runtime"; [ -z "$xvfb" ] || kill "$xvfb"' EXIT
export XDG_RUNTIME_DIR=$runtime
if command -v Xvfb >/dev/null; then
  start_xvfb
  export DISPLAY=$display QT_QPA_PLATFORM=xcb
  where="Xvfb"
else
  export QT_QPA_PLATFORM=offscreen
  where="off screen (Xvfb not found)"
fi
status=0
for view in terminal all band map; do
  if [ -n "$baseline" ]; then
    echo "== baseline $baseline, $where, view $view in front, $seconds s per phase"
    "$flood" --seconds "$seconds" --view "$view" --probe "$baseline" || status=1
  fi
  echo "== $where, view $view in front, $seconds s per phase"
  "$flood" --seconds "$seconds" --view "$view" || status=1
done
echo "== the floor: a bare Qt window, the same frames, nothing else, $where, $seconds s per phase"
"$flood" --seconds "$seconds" --probe "$PWD/$build/bench/kestrel_floor_probe" || status=1
exit $status
