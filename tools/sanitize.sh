#!/usr/bin/env bash
# Instrumented builds with clang, each in a build folder of its own (run by build.sh):
#   tools/sanitize.sh sanitize          builds everything with AddressSanitizer and
#                                       UndefinedBehaviorSanitizer in build-san and runs
#                                       every test; the first report fails the test
#   tools/sanitize.sh fuzz [SECONDS]    builds the readers' fuzz targets in build-fuzz and
#                                       fuzzes them side by side, SECONDS each (300)
# ORV_JOBS limits how many compilers, tests or fuzzers run at once (every core when
# it is not set; set, it must be a whole number of 1 or more, not empty); with fewer
# than four, the fuzzers take turns and the run lasts longer.
set -euo pipefail
cd "$(dirname "$0")/.."
what=${1:-}
jobs=${ORV_JOBS-$(nproc)}  # set but empty is refused below
if ! [[ $jobs =~ ^[1-9][0-9]*$ ]]; then
  echo "ORV_JOBS must be a whole number of 1 or more, not '$jobs'." >&2
  exit 2
fi
export ASAN_OPTIONS=${ASAN_OPTIONS:-halt_on_error=1:detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

configure() {
  cmake -S . -B "$1" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang \
        -DCMAKE_CXX_COMPILER=clang++ "${launcher[@]}" "${@:2}"
}

case "$what" in
  sanitize)
    configure build-san -DORV_SANITIZE=ON
    cmake --build build-san -j"$jobs"
    cd build-san
    exec ctest --output-on-failure -j"$jobs"
    ;;
  fuzz)
    seconds=${2:-300}
    targets=(settings unknownfile userfile marks)
    configure build-fuzz -DORV_FUZZ=ON
    cmake --build build-fuzz -j"$jobs" --target "${targets[@]/#/fuzz_}"
    pids=()
    status=0
    # Reports a finished fuzzer, oldest first.
    finish() {
      local t=${targets[$1]}
      if wait "${pids[$1]}"; then
        echo "$t: no finding, $(grep -ao 'stat::number_of_executed_units: [0-9]*' "build-fuzz/fuzz_$t.log" | grep -o '[0-9]*$') inputs run"
      else
        status=1
        echo "$t: FOUND a failing input in build-fuzz/found/$t (log: build-fuzz/fuzz_$t.log)."
        echo "  Minimise it (build-fuzz/tests/fuzz/fuzz_$t -minimize_crash=1 -runs=10000 FILE), mend the"
        echo "  reader and keep it as a regression case in tests/fuzz/regressions/$t."
      fi
    }
    for i in "${!targets[@]}"; do
      t=${targets[$i]}
      # No more than ORV_JOBS fuzzers at once: wait for the oldest to end.
      [ "$i" -ge "$jobs" ] && finish $((i - jobs))
      # New inputs go to build-fuzz/corpus/<target>; the committed ones are read only.
      mkdir -p "build-fuzz/corpus/$t" "build-fuzz/found/$t"
      # A target without kept regressions has no folder for them (git keeps no empty one).
      inputs=("build-fuzz/corpus/$t")
      for d in "tests/fuzz/corpus/$t" "tests/fuzz/regressions/$t"; do [ -d "$d" ] && inputs+=("$d"); done
      "build-fuzz/tests/fuzz/fuzz_$t" -max_total_time="$seconds" -print_final_stats=1 \
        -artifact_prefix="build-fuzz/found/$t/" "${inputs[@]}" >"build-fuzz/fuzz_$t.log" 2>&1 &
      pids+=($!)
    done
    first=$(( ${#targets[@]} > jobs ? ${#targets[@]} - jobs : 0 ))
    for ((i = first; i < ${#targets[@]}; i++)); do finish "$i"; done
    exit $status
    ;;
  *) echo "usage: $0 sanitize | fuzz [SECONDS]" >&2; exit 2 ;;
esac
