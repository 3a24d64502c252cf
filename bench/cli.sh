#!/bin/sh
# bilvox-cli on big inputs, as the README's speed figures were measured: 100 invoices rendered
# in one run (PDF, and PNG from a list on standard input) and in one run each, a register of
# 100 000 contractors and a document of 200 000 lines shown as JSON, and a document of
# 1 000 000 lines, which is larger than a document file may be and is refused. Times come from
# hyperfine, peak memory from GNU time (/usr/bin/time); both are the measurer's tools, not
# the project's. The inputs are written by bilvox_bench_inputs, built with
# -DBILVOX_BENCHMARKS=ON.
#
# usage: bench/cli.sh [BUILD_DIR]        (default: build)
set -eu

build=${1:-build}
cli=$build/src/cli/bilvox-cli
for tool in hyperfine /usr/bin/time; do
  command -v "$tool" >/dev/null || { echo "bench/cli.sh: $tool is needed" >&2; exit 2; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/bench/bilvox_bench_inputs" "$work"
mkdir -m 700 "$work/runtime"
export BILVOX_REGISTRY="$work/registry.reg" QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$work/runtime"

hyperfine --warmup 1 --runs 10 \
  "$cli render $work/invoices/*.ftv --outdir $work/pdf" \
  "ls $work/invoices/*.ftv | $cli render - --outdir $work/png --format png" \
  "$cli render $work/invoices/FV_001.ftv -o $work/one.pdf"
hyperfine --runs 3 \
  "for f in $work/invoices/*.ftv; do $cli render \$f -o $work/one.pdf; done"
hyperfine --warmup 1 --runs 10 \
  "$cli register show $work/kontrahenci.db" \
  "$cli show $work/long.ftv"

peak() {
  label=$1
  shift
  /usr/bin/time -f "$label: %e s elapsed, %U s user, %S s system, %M KB peak" "$@" >/dev/null
}
peak "render 100 invoices" "$cli" render "$work"/invoices/*.ftv --outdir "$work/pdf"
peak "register show, 100 000 contractors" "$cli" register show "$work/kontrahenci.db"
peak "show, 200 000 lines" "$cli" show "$work/long.ftv"
peak "show, 1 000 000 lines (refused)" "$cli" show "$work/million.ftv" || true
