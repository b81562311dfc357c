#!/usr/bin/env bash
# Sets up a fresh Debian machine, builds, and runs the main job: an A1 sheet at 1:100 with its
# frame, title and countersign blocks and the floor elevation table, drawn on the embedded default
# configuration (set up under $XDG_DATA_HOME/kelo/cfg on first use). Writes sheet.T and sheet.svg.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j2
build/tools/kwutil/kwutil sheet -o sheet --floors -0.050:4200,4.150:3600,7.750:3600,11.350:3600,14.950:3600
