#!/usr/bin/env bash
# Builds an example outside the tree against the installed package and runs it on a fresh
# configuration: install the build into a temporary prefix, configure the example with
# find_package(CkwCommonUtil), set up a configuration with kwutil, run.
#   run-installed.sh BUILD_DIR EXAMPLE_DIR PROGRAM
set -euo pipefail
build=$1 example=$2 program=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cmake --install "$build" --prefix "$work/prefix" >/dev/null
cmake -S "$example" -B "$work/build" -G Ninja -DCMAKE_PREFIX_PATH="$work/prefix" >/dev/null
cmake --build "$work/build" >/dev/null
export HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_CONFIG_DIRS="$work/etc" XDG_DATA_HOME="$work/data"
"$work/prefix/bin/kwutil" setup "$work/cfg" >/dev/null
LD_LIBRARY_PATH="$work/prefix/lib" "$work/build/$program"
