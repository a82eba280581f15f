#!/usr/bin/env bash
# Installs what packaging needs, makes a Release build and turns it into a Debian package;
# prints the package's path.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh package
cmake -S . -B build-deb -G Ninja -DCMAKE_BUILD_TYPE=Release -DKESTREL_BUILD_TESTS=OFF \
  -DKESTREL_BUILD_BENCH=OFF
cmake --build build-deb
(cd build-deb && cpack -G DEB >/dev/null)
ls "$PWD"/build-deb/kestrel_*.deb
