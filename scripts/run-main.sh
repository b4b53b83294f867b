#!/usr/bin/env bash
# Builds and starts Centrafix with the built-in example. Without a display it
# runs the batch analysis of the built-in example instead and prints it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec build/app/centrafix "$@"
fi
echo "No display available: running the batch analysis of the built-in example instead." >&2
exec build/cli/centrafix-cli "$@"
