#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for SECONDS (default
# 60), starting from the seed corpus in tests/data/fuzz/<target>. New inputs
# collect in build-fuzz/corpus/<target>; a crash leaves its input in
# build-fuzz/crashes/. Usage: bash scripts/fuzz.sh [SECONDS] [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
bash scripts/install-deps.sh
dpkg-query -W -f='${Status}' clang libclang-rt-dev 2>/dev/null | grep -q "install ok installed" ||
  apt-get install -y -qq --no-install-recommends clang libclang-rt-dev
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(expression options metafile picture)
mkdir -p build-fuzz/crashes
for t in "${targets[@]}"; do
  mkdir -p "build-fuzz/corpus/$t"
  # Two seconds an input: a metafile that takes longer is a cost bomb.
  echo "== fuzz-$t for ${seconds}s"
  QT_QPA_PLATFORM=offscreen LSAN_OPTIONS=suppressions=fuzz/leak_suppressions.txt:print_suppressions=0 \
    "build-fuzz/fuzz/fuzz-$t" -max_total_time="$seconds" -timeout=2 -rss_limit_mb=2048 \
    -artifact_prefix=build-fuzz/crashes/"$t"- -print_final_stats=1 \
    "build-fuzz/corpus/$t" "tests/data/fuzz/$t" 2>&1 | grep -E "^(stat::number_of_executed_units|stat::peak_rss_mb|==|SUMMARY)|Done|crash|timeout" || true
done
