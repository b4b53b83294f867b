#!/usr/bin/env bash
# How well the batch command hides its measuring behind decoding: runs the
# decode alone (centrafix-decode-rows) and the batch command end to end on
# each picture N times, alternating, and prints the median and the fastest
# wall time of each and their ratio.
#
#   bench/decode-overlap.sh BUILD_DIR N PICTURE...
set -euo pipefail
build=$1 runs=$2
shift 2
tenths() { local s e; s=$(date +%s%N); "$@" >/dev/null 2>&1; e=$(date +%s%N); echo $(((e - s) / 100000)); }
median() { printf '%s\n' "$@" | sort -n | sed -n "$((($# + 1) / 2))p"; }
fastest() { printf '%s\n' "$@" | sort -n | head -1; }
for picture in "$@"; do
  decode=() whole=()
  for _ in $(seq "$runs"); do
    decode+=("$(tenths "$build/bench/centrafix-decode-rows" "$picture")")
    whole+=("$(tenths "$build/cli/centrafix-cli" --json "$picture")")
  done
  md=$(median "${decode[@]}") mw=$(median "${whole[@]}") fd=$(fastest "${decode[@]}") fw=$(fastest "${whole[@]}")
  awk -v p="$(basename "$picture")" -v md="$md" -v mw="$mw" -v fd="$fd" -v fw="$fw" 'BEGIN {
    printf "%s: median decode %.1f ms, end to end %.1f ms, ratio %.2f | fastest %.1f, %.1f ms, ratio %.2f\n",
           p, md / 10, mw / 10, mw / md, fd / 10, fw / 10, fw / fd }'
done
