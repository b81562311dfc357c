#!/usr/bin/env bash
# Builds an example outside the tree against the installed package and runs its programs from
# there on a fresh configuration: install the build into a temporary prefix, configure the
# example with find_package(CkwCommonUtil), set up a configuration with kwutil, run. Nothing
# points the loader at the prefix: the programs find the libraries by their run paths.
#   run-installed.sh BUILD_DIR VERSION EXAMPLE_DIR PROGRAM...
set -euo pipefail
build=$1 version=$2 example=$3
shift 3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cmake --install "$build" --prefix "$work/prefix" >/dev/null
unset LD_LIBRARY_PATH

# One version everywhere: kwutil, the pkg-config file (read from where it was installed).
[[ $("$work/prefix/bin/kwutil" --version) == "kwutil $version" ]] || { echo "kwutil --version differs"; exit 1; }
pc=$(find "$work/prefix" -name CkwCommonUtil.pc)
[[ $(PKG_CONFIG_PATH=$(dirname "$pc") pkg-config --modversion CkwCommonUtil) == "$version" ]] ||
  { echo "pkg-config version differs"; exit 1; }
[[ $(PKG_CONFIG_PATH=$(dirname "$pc") pkg-config --variable=prefix CkwCommonUtil) -ef "$work/prefix" ]] ||
  { echo "pkg-config prefix is not the install prefix"; exit 1; }

cmake -S "$example" -B "$work/build" -G Ninja -DCMAKE_PREFIX_PATH="$work/prefix" >/dev/null
cmake --build "$work/build" >/dev/null
export HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_CONFIG_DIRS="$work/etc" XDG_DATA_HOME="$work/data"
"$work/prefix/bin/kwutil" setup "$work/cfg" >/dev/null
for program in "$@"; do
  "$work/build/$program"
done
