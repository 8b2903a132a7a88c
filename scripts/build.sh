#!/usr/bin/env bash
# Configures and builds Vantrel in ./build (or the folder given as $BUILD_DIR).
set -euo pipefail
cd "$(dirname "$0")/.."
build="${BUILD_DIR:-build}"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-RelWithDebInfo}" -DVANTREL_WERROR=ON "$@"
cmake --build "$build" -j"$(nproc)"
