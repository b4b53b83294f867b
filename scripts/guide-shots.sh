#!/usr/bin/env bash
# Makes the user guide's screenshots: builds the screenshot driver, runs the
# real window under a virtual display at 1280x800, in English and in German,
# and replaces docs/guide/images/en/*.png and docs/guide/images/de/*.png with
# what it shows. Run it again after a change to the window; it renews every
# picture. On a fresh Debian 12 machine it installs what is missing first
# (as root, or with sudo).
#
#   scripts/guide-shots.sh [--only NAME,...]
#
# A language's pictures are replaced only when all of them were made; a step
# that fails is named, and the old pictures stay.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

only=()
if [ $# -gt 0 ]; then
  case "$1" in
    --only) only=(--only "$2") ;;
    *) sed -n '2,13p' "$0"; exit 2 ;;
  esac
fi

# What the build and the run need (a virtual display and the one font the
# pictures are drawn with among them), installed when missing.
scripts/install-deps.sh

cmake --preset default >/dev/null
# The guide's web pages too: Help › About names where they lie.
cmake --build --preset default --target centrafix-guide-shots centrafix-guide
driver=$root/build/guide-shots/centrafix-guide-shots

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -m 700 "$scratch/runtime"
for lang in en de; do
  made=$scratch/$lang
  # An empty home: no settings, fonts or styles of the person running it.
  env -i PATH="$PATH" HOME="$scratch/home-$lang" XDG_CONFIG_HOME="$scratch/home-$lang/.config" \
      XDG_RUNTIME_DIR="$scratch/runtime" LC_ALL=C.UTF-8 QT_QPA_PLATFORM=xcb \
    xvfb-run -a -s "-screen 0 1280x800x24" \
    "$driver" --language "$lang" --out "$made" "${only[@]}"
  images=docs/guide/images/$lang
  mkdir -p "$images"
  if [ ${#only[@]} -eq 0 ]; then
    rm -f "$images"/*.png
  fi
  cp "$made"/*.png "$images"/
  echo "$images: $(ls "$made" | wc -l) pictures"
done
