#!/usr/bin/env bash
# Sets up a fresh Debian machine, builds, and runs the main job on the embedded default
# configuration (set up under $XDG_DATA_HOME/kelo/cfg on first use).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j2
build/tools/kwutil/kwutil params
