#!/usr/bin/env bash
# A flood of DX spots into the client from the test node: its CPU per 1000 spots, peak
# memory, whether it kept up, its longest event-loop block and whether every spot
# reached the screen. Once offscreen with the TTY sheet in front, once under Xvfb with
# the scope's "All" list on screen. Each run floods 1000 spots a second, then 5000.
#   bench/flood.sh [build folder, default build-release] [seconds per phase, default 30]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-release}
seconds=${2:-30}
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKESTREL_BUILD_TESTS=OFF
fi
# Always: figures of a stale client would mislead, and an up-to-date build costs nothing.
cmake --build "$build" --target kestrel_flood kestrel_flood_probe
flood="$PWD/$build/bench/kestrel_flood"
# Qt wants a private runtime folder and says so on every start without one.
runtime=$(mktemp -d)
source bench/xvfb.sh
trap 'rm -rf "$runtime"; [ -z "$xvfb" ] || kill "$xvfb"' EXIT
export XDG_RUNTIME_DIR=$runtime
status=0

echo "== offscreen, TTY sheet in front, $seconds s per phase"
QT_QPA_PLATFORM=offscreen "$flood" --seconds "$seconds" || status=1

if command -v Xvfb >/dev/null; then
  start_xvfb
  echo "== Xvfb, scope \"All\" list in front, $seconds s per phase"
  DISPLAY="$display" QT_QPA_PLATFORM=xcb "$flood" --seconds "$seconds" --scope || status=1
else
  echo "== Xvfb not found: the run with the scope on screen is skipped"
fi
exit $status
