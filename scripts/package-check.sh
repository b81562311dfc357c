#!/usr/bin/env bash
# Builds the Debian packages from this tree, installs them as a user would (apt-get install
# ./*.deb), and then, against /usr only: builds and runs the C++, C and Fortran consumer examples
# that the -dev package ships, draws a sheet with kwutil, imports a DWG, asks kwdraw its version
# and reads a manual page. Then it removes the packages and checks that nothing of them is left.
# Run as root (CI is) on a machine where scripts/install-deps.sh has run.
#   scripts/package-check.sh [WORK_DIR]     (default: a temporary folder, removed at the end)
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/.." && pwd)
version=$(sed -n 's/^project(CkwCommonUtil VERSION \([0-9.]*\).*/\1/p' "$source_dir/CMakeLists.txt")
# The packages carry the project's version: a release changes both together.
packaged=$(cd "$source_dir" && dpkg-parsechangelog -S Version)
[[ $packaged == "$version" ]] || { echo "debian/changelog is at $packaged, the project at $version"; exit 1; }
packages=(libckwcommonutil1 libckwcommonutil-dev ckw-tools kwdraw)
export DEBIAN_FRONTEND=noninteractive
if [[ $# -gt 0 ]]; then
    work=$1
    rm -rf "$work/src" "$work"/*.deb "$work/run"
    mkdir -p "$work"
else
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
fi
step() { echo "== package check: $*"; }

step "build the packages"
# A copy of the tree as git sees it (tracked and new files, nothing ignored), so that the build
# neither writes into the tree nor takes up its build folders or node_modules.
mkdir -p "$work/src"
(cd "$source_dir" && git ls-files -z -co --exclude-standard | tar --null -cf - -T -) | tar -xf - -C "$work/src"
(cd "$work/src" && DEB_BUILD_OPTIONS="nocheck parallel=2" dpkg-buildpackage -us -uc -b >"$work/build.log" 2>&1) ||
    { tail -n 60 "$work/build.log"; exit 1; }
debs=()
for p in "${packages[@]}"; do debs+=("$work/${p}_${version}_$(dpkg --print-architecture).deb"); done
ls -l "${debs[@]}"

step "lintian"
lintian --fail-on error --tag-display-limit 0 "$work"/*.changes

step "install with apt-get"
before=$(mktemp)
{ find /usr /etc -xdev -print 2>/dev/null || true; } | sort >"$before"
apt-get install -y -qq --no-install-recommends "${debs[@]}" >/dev/null

run=$work/run
mkdir -p "$run"
# A user's fresh home: kwutil sets up its configuration there. Nothing points at the source tree.
export HOME=$run/home XDG_CONFIG_HOME=$run/config XDG_CONFIG_DIRS=$run/etc XDG_DATA_HOME=$run/data
unset LD_LIBRARY_PATH CMAKE_PREFIX_PATH PKG_CONFIG_PATH
cd "$run"

step "consumer examples against /usr"
examples=/usr/share/doc/libckwcommonutil-dev/examples
[[ $(pkg-config --modversion CkwCommonUtil) == "$version" ]] || { echo "pkg-config reports another version"; exit 1; }
kwutil setup "$run/cfg" >/dev/null
for example in consumer:consumer,cversion fortran:kwdemo,kwlegacy; do
    name=${example%%:*}
    cp -r "$examples/$name" "$run/$name"
    cmake -S "$run/$name" -B "$run/build-$name" -G Ninja >/dev/null
    cmake --build "$run/build-$name" >/dev/null
    programs=${example#*:}
    for program in ${programs//,/ }; do
        # Built against /usr: the programs find the libraries without a run path.
        if readelf -d "$run/build-$name/$program" | grep -Eq 'R(UN)?PATH'; then
            echo "$program carries a run path"; exit 1
        fi
        "$run/build-$name/$program" >/dev/null
        echo "$program runs"
    done
done
# The same against pkg-config, as a Makefile would build it.
g++ -std=c++17 -fexec-charset=GB18030 "$examples/consumer/main.cpp" -o "$run/consumer-pc" \
    $(pkg-config --cflags --libs CkwCommonUtil)
"$run/consumer-pc" >/dev/null && echo "consumer built with pkg-config runs"

step "kwutil, TdwgConv, kwdraw"
[[ $(kwutil --version) == "kwutil $version" ]]
kwutil sheet -o "$run/sheet" --floors -0.050:4200,4.150:3600 --title-text 结构平面图 --number 结施-01 >/dev/null
kwutil info "$run/sheet.T" >"$run/sheet.txt" && head -n 3 "$run/sheet.txt"
cp "$source_dir/tests/data/dwg/example_2000.dwg" "$run/plan.dwg"
kwutil import "$run/plan.dwg" --into "$run/floor.T"
kwutil info "$run/floor.T" >"$run/floor.txt" && head -n 3 "$run/floor.txt"
[[ $(kwdraw --version) == "kwdraw $version" ]] && echo "kwdraw $version"
man -w kwutil TdwgConv kwdraw ckw-dialog-script ckw-t-format
[[ -f /usr/share/bash-completion/completions/kwutil ]]

step "remove the packages"
cd /
apt-get purge -y -qq "${packages[@]}" >/dev/null
after=$(mktemp)
{ find /usr /etc -xdev -print 2>/dev/null || true; } | sort >"$after"
# New paths that no installed package owns (what apt brought in as dependencies stays, owned).
# The desktop's caches are rebuilt by triggers whatever is installed; they are no file of ours.
left=$(comm -13 "$before" "$after" | { grep -Ev '/(mimeinfo|icon-theme)\.cache$' || true; } |
    while read -r path; do dpkg -S "$path" >/dev/null 2>&1 || echo "$path"; done)
rm -f "$before" "$after"
if [[ -n $left ]]; then
    echo "left behind after removing the packages:"
    echo "$left"
    exit 1
fi
step "all checks hold"
