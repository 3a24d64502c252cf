#!/usr/bin/env bash
# Pictures of the program's windows: starts the real program under a private X server (Xvfb)
# on the example invoice, with a private settings file and data folder whose registers
# bilvox-cli writes from examples/registers/*.json, and writes OUTDIR/NAME.png for every view
# the program registers (src/app/screenshots.h).
#   scripts/screenshot.sh OUTDIR
# Installs and builds as scripts/run.sh does, unless BILVOX_BUILD_DIR names a build folder
# to use as it is.
set -euo pipefail
if [ $# -ne 1 ]; then
  echo "usage: scripts/screenshot.sh OUTDIR" >&2
  exit 2
fi
out=$(realpath -m "$1")
cd "$(dirname "$0")/.."

if [ -n "${BILVOX_BUILD_DIR:-}" ]; then
  build=$BILVOX_BUILD_DIR
else
  build=build
  scripts/setup.sh
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
  cmake --build "$build" --target bilvox bilvox-cli
fi
cli=$build/src/cli/bilvox-cli

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/data" "$work/run" "$out"
chmod 700 "$work/run"
"$cli" register import examples/registers/kontrahenci.json -o "$work/data/kontrahenci.db"
"$cli" register import examples/registers/towary.json -o "$work/data/towary.db"

# A private runtime folder, so that a Bilvox the user is running does not count as this copy.
env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM \
  BILVOX_REGISTRY="$work/registry.reg" BILVOX_DATA_DIR="$work/data" XDG_RUNTIME_DIR="$work/run" \
  BILVOX_TODAY=2027-03-05 BILVOX_SCREENSHOTS="$out" \
  timeout 120 xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" \
  "$build/src/app/bilvox" examples/faktura-pln.ftv
echo "Pictures in $out:"
ls "$out"
