#!/usr/bin/env bash
# Times the program's start: from the process start to the main window on screen with the
# example invoice open and its page painted in the preview (BILVOX_QUIT_WHEN_PAINTED ends the
# process right there), over repeated runs with hyperfine, under a real X server (Xvfb) and
# on Qt's offscreen platform. Each run has the same private settings file and data folder.
#   bench/startup.sh [BUILD_DIR] [RUNS]      (default: build, 30)
# Needs the built program, xvfb (scripts/setup.sh) and hyperfine (apt-get install hyperfine).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
runs=${2:-30}
program=$(realpath "$build/src/app/bilvox")
example=$(realpath examples/faktura-pln.ftv)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/data" "$work/run"
chmod 700 "$work/run"
export BILVOX_REGISTRY=$work/registry.reg BILVOX_DATA_DIR=$work/data XDG_RUNTIME_DIR=$work/run
export BILVOX_TODAY=2027-03-05 BILVOX_QUIT_WHEN_PAINTED=1

command="$program $example"
echo "== Xvfb"
xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" \
  hyperfine -N --warmup 3 --runs "$runs" "$command"
echo "== offscreen"
QT_QPA_PLATFORM=offscreen hyperfine -N --warmup 3 --runs "$runs" "$command"
