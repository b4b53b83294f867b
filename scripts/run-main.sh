#!/usr/bin/env bash
# Builds and runs the main job: the analysis of the built-in example, printed.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
exec build/cli/centrafix-cli "$@"
