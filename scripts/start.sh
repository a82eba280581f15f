#!/usr/bin/env bash
# Installs what the client needs, builds it and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh run
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKESTREL_BUILD_TESTS=OFF
cmake --build build --target kestrel kestrel-testnode
exec ./build/src/app/kestrel
