#!/usr/bin/env bash
# Configures and builds Orvalis in build/ (two jobs: the machines it runs on have two cores).
# ccache, where installed, keeps rebuilds short.
set -euo pipefail
cd "$(dirname "$0")/.."
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" > /dev/null
cmake --build build -j"${JOBS:-2}"
