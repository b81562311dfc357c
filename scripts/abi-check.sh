#!/usr/bin/env bash
# Guards the ABI of the shared libraries against the baseline kept in abi/: every build is compared
# with it (abidiff) and an incompatible change fails, unless it comes with a new SOVERSION and a
# new baseline. Only what the public headers declare counts.
#   scripts/abi-check.sh BUILD_DIR            compare (CI)
#   scripts/abi-check.sh BUILD_DIR --update   write the baseline anew: after an added export, or
#                                             after an incompatible change with the SOVERSION raised
# The baseline is made from a RelWithDebInfo build with the toolchain of scripts/install-deps.sh.
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$1" && pwd)
update=${2:-}
suppressions=(--suppressions "$source_dir/abi/suppressions.ini")
headers=(--headers-dir1 "$source_dir/include" --headers-dir1 "$build/include"
         --headers-dir2 "$source_dir/include" --headers-dir2 "$build/include")
status=0
for name in CkwCommonUtil CkwEngine; do
    library=$(find "$build/src" -maxdepth 1 -name "lib$name.so.*.*" -type f | head -n 1)
    [[ -n $library ]] || { echo "abi: lib$name is not built in $build"; exit 2; }
    soname=$(readelf -d "$library" | sed -n 's/.*Library soname: \[\(.*\)\]/\1/p')
    baseline=$source_dir/abi/lib$name.abi
    current=$(mktemp)
    abidw --drop-private-types --headers-dir "$source_dir/include" --headers-dir "$build/include" \
        --no-corpus-path --no-comp-dir-path --no-show-locs --type-id-style hash --out-file "$current" "$library"
    recorded=$([[ -f $baseline ]] && sed -n "s/.*soname='\([^']*\)'.*/\1/p" "$baseline" | head -n 1 || true)
    report=$(mktemp)
    result=0
    if [[ -f $baseline ]]; then
        abidiff --no-added-syms "${suppressions[@]}" "${headers[@]}" "$baseline" "$current" >"$report" 2>&1 || result=$?
    fi
    if [[ $update == --update ]]; then
        # A new baseline never hides a break: an incompatible change needs a new SONAME first.
        if ((result & 8)) && [[ $recorded == "$soname" ]]; then
            cat "$report"
            echo "abi: $soname changes incompatibly; raise the SOVERSION before writing a new baseline"
            status=1
        else
            install -D -m 644 "$current" "$baseline"
            echo "abi: wrote $baseline ($soname)"
        fi
    elif [[ ! -f $baseline ]]; then
        echo "abi: no baseline for lib$name: run scripts/abi-check.sh $1 --update"
        status=1
    elif [[ $recorded != "$soname" ]]; then
        echo "abi: lib$name is now $soname but the baseline is of $recorded: write a new baseline (--update)"
        status=1
    elif ((result & 8)); then
        cat "$report"
        echo "abi: $soname changes incompatibly with abi/lib$name.abi: keep the old interface, or raise the"
        echo "     SOVERSION (project VERSION's major number) and write a new baseline"
        status=1
    elif ((result & 3)); then
        cat "$report"
        echo "abi: abidiff could not compare lib$name"
        status=1
    elif ((result & 4)); then
        cat "$report"
        echo "abi: $soname changes compatibly; refresh the baseline with --update when the change is meant"
    else
        echo "abi: $soname as in the baseline"
    fi
    rm -f "$current" "$report"
done
exit $status
