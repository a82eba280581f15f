#!/usr/bin/env bash
# Installs what the client needs, builds it and starts it. Until the main window has
# its connect dialog, the client talks to the project's test node on 127.0.0.1:7300,
# which this script starts beside it (log in with any callsign).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh run
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKESTREL_BUILD_TESTS=OFF
cmake --build build --target kestrel kestrel-testnode
./build/tools/testnode/kestrel-testnode --port 7300 --flood 2,100000 &
node=$!
trap 'kill "$node" 2>/dev/null' EXIT
./build/src/app/kestrel 127.0.0.1 7300
