#!/usr/bin/env bash
# Builds the fuzz targets (clang, AddressSanitizer and UndefinedBehaviorSanitizer, in
# build-fuzz) and runs each for a bounded time with its corpus from fuzz/corpus/<target>.
#
#   scripts/fuzz.sh [SECONDS] [TARGET...]     default: 60 seconds, every target; 0 only builds
#
# New inputs found are kept in build-fuzz/fuzz-work/<target> (never in the repository's
# corpus); a crash, hang, leak or allocation beyond the limit is written to
# build-fuzz/fuzz-findings/<target>/ and makes the script fail. Extra libFuzzer options can
# be given in FUZZ_ARGS (for example FUZZ_ARGS="-jobs=2 -workers=2"); FUZZ_NO_BUILD=1 skips
# the build (for runs in parallel on one build).
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
[ $# -gt 0 ] && shift
build=build-fuzz

if [ "${FUZZ_NO_BUILD:-0}" != 1 ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBILVOX_FUZZ=ON \
    -DBILVOX_TESTS=OFF -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
  cmake --build "$build" --target fuzzers -j2
fi

[ "$seconds" = 0 ] && exit 0

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for f in fuzz/*.cpp; do targets+=("$(basename "$f" .cpp)"); done
fi

failed=()
printf '%-16s %8s %12s %10s  %s\n' target seconds executions "per second" result
for t in "${targets[@]}"; do
  bin="$build/fuzz/fuzz_$t"
  [ -x "$bin" ] || { echo "no fuzz target $t" >&2; exit 2; }
  work="$build/fuzz-work/$t"
  findings="$build/fuzz-findings/$t"
  log="$build/fuzz-logs/$t.log"
  mkdir -p "$work" "$findings" "$(dirname "$log")"
  start=$(date +%s)
  # A run is a finding when an input crashes, takes more than 10 s, allocates more than
  # 1 GiB at once or makes the process exceed 2 GiB; leaks are findings too.
  set +e
  # shellcheck disable=SC2086
  "$bin" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -malloc_limit_mb=1024 \
    -print_final_stats=1 -artifact_prefix="$findings/" ${FUZZ_ARGS:-} \
    "$work" "fuzz/corpus/$t" >"$log" 2>&1
  rc=$?
  set -e
  elapsed=$(( $(date +%s) - start ))
  execs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' | tail -n 1)
  speed=$(grep -o 'stat::average_exec_per_sec: *[0-9]*' "$log" | grep -o '[0-9]*$' | tail -n 1)
  if [ $rc -eq 0 ]; then result=ok; else result="FINDING (see $log)"; failed+=("$t"); fi
  printf '%-16s %8s %12s %10s  %s\n' "$t" "$elapsed" "${execs:-?}" "${speed:-?}" "$result"
done

if [ ${#failed[@]} -gt 0 ]; then
  for t in "${failed[@]}"; do
    echo "---- $t ----"
    grep -E 'ERROR|FINDING|SUMMARY|Test unit written|==[0-9]+==' "$build/fuzz-logs/$t.log" | head -n 20
  done
  exit 1
fi
