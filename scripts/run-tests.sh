#!/usr/bin/env bash
# Builds and runs every test through ctest: once in the optimised build, once
# in a build with the address and undefined-behaviour sanitizers, where an
# out-of-bounds read or an overflow fails the test that caused it. Tests
# labelled "slow" (big pictures, timings) run with: ctest --preset slow
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
ctest --preset default -j2 "$@"
cmake --preset debug >/dev/null
cmake --build --preset debug
ctest --preset debug -j2 "$@"
