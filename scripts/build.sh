#!/usr/bin/env bash
# Configures and builds Orvalis in build/ (two jobs: the machines it runs on have two cores).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build build -j"${JOBS:-2}"
