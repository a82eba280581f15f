#!/usr/bin/env bash
# Installs what the tests need, builds everything (Debug, warnings as errors) and runs
# every test.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh test
cmake -S . -B build-debug -G Ninja -DCMAKE_BUILD_TYPE=Debug
cmake --build build-debug
cd build-debug
QT_QPA_PLATFORM=offscreen ctest -j2 --output-on-failure
