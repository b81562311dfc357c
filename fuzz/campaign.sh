#!/usr/bin/env bash
# Runs fuzz harnesses one after another, each to a number of inputs (10 million by default), with
# the options each needs, and prints one line of figures per harness. Two runners share the list
# when -j2 is given. A run that finds something stops there; its input is left beside the
# run's corpus (crash-*, timeout-*, oom-*), to be mended and then kept in fuzz/corpus/<name>.
#
#   cmake --build build-fuzz -j2 --target $(printf ' fuzz_%s' NAME...)
#   fuzz/campaign.sh [-b build-fuzz] [-o /tmp/fuzz-campaign] [-n 10000000] [-j 1|2] [NAME...]
#
# Work goes to OUT/<name>/ (the run's corpus), OUT/<name>.log and OUT/figures.
set -euo pipefail
cd "$(dirname "$0")/.."

build=build-fuzz out=/tmp/fuzz-campaign runs=10000000 jobs=1
while getopts "b:o:n:j:" opt; do
  case $opt in
    b) build=$OPTARG ;; o) out=$OPTARG ;; n) runs=$OPTARG ;; j) jobs=$OPTARG ;;
    *) sed -n '2,10p' "$0"; exit 2 ;;
  esac
done
shift $((OPTIND - 1))
names=("$@")
if [ ${#names[@]} -eq 0 ]; then
  for f in fuzz/*.cpp; do names+=("$(basename "$f" .cpp)"); done
fi
mkdir -p "$out"
printf '%s\n' "${names[@]}" > "$out/queue"

# One harness: its seeds and options. A hang counts as a find (-timeout); inputs are kept short
# where longer ones only slow the run down.
run_one() {
  local name=$1 seeds=(fuzz/corpus/$1) options=(-timeout=10)
  case $name in
    drawing_file) options+=(-max_len=8192) ;;  # the kept seed plan-small-pages.T is a whole .T of 7 KB
    tdwgconv_dxf) options+=(-max_len=2048) ;;
  esac
  mkdir -p "$out/$name"
  local start=$SECONDS status=0
  # A smaller quarantine keeps the converter's runs, which allocate much, within memory.
  ASAN_OPTIONS=${ASAN_OPTIONS:-quarantine_size_mb=16:max_malloc_fill_size=0} \
    nice -n 5 "$build/fuzz/fuzz_$name" -runs="$runs" -print_final_stats=1 "${options[@]}" \
    -artifact_prefix="$out/$name-" "$out/$name" "${seeds[@]}" > "$out/$name.log" 2>&1 || status=$?
  local inputs rate found=none
  inputs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$out/$name.log")
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$out/$name.log")
  if [ "$status" -ne 0 ]; then
    found=$(ls "$out/$name"-* 2>/dev/null | head -n 1 || true)
    found=${found:-"exit $status, see $out/$name.log"}
  fi
  printf '%s\t%s inputs\t%s s\t%s/s\t%s\n' "$name" "${inputs:-?}" $((SECONDS - start)) "${rate:-?}" "$found" |
    tee -a "$out/figures"
}

runner() {
  local name
  while name=$(flock "$out/queue" sh -c 'n=$(head -n 1 "$1"); [ -n "$n" ] && sed -i 1d "$1"; echo "$n"' _ "$out/queue") &&
        [ -n "$name" ]; do
    run_one "$name"
  done
}

for _ in $(seq "$jobs"); do runner & done
wait
