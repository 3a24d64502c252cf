#!/usr/bin/env bash
# Installs what is needed, builds the program and runs its main job on an example.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build --target bilvox-cli
build/src/cli/bilvox-cli show examples/faktura-pln.ftv
