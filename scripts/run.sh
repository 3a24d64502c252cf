#!/usr/bin/env bash
# Installs what is needed, builds the program and starts its window on the example invoice.
# On a machine without a display it says so and writes the example's printed page as a PDF
# instead. BILVOX_BUILD_DIR names a build folder to use as it is (nothing installed or built).
set -euo pipefail
cd "$(dirname "$0")/.."
example=examples/faktura-pln.ftv

if [ -n "${BILVOX_BUILD_DIR:-}" ]; then
  build=$BILVOX_BUILD_DIR
else
  build=build
  scripts/setup.sh
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
  cmake --build "$build" --target bilvox bilvox-cli
fi

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  # One copy runs per user: a running Bilvox is asked to open the example instead.
  if "$build/src/cli/bilvox-cli" open "$example" >/dev/null 2>&1; then
    echo "Bilvox is already running; the example $example is opened in its window."
    exit 0
  fi
  exec "$build/src/app/bilvox" "$example"
fi

pdf=$build/faktura-pln.pdf
echo "No display here (neither DISPLAY nor WAYLAND_DISPLAY is set), so the window cannot be shown."
"$build/src/cli/bilvox-cli" render "$example" -o "$pdf"
echo "The example invoice $example is printed instead to $(realpath "$pdf")"
