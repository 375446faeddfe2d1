#!/usr/bin/env bash
# Installs what is missing, builds, and then runs a program or the tests.
#   ./build.sh run [orvantos|ovsetup] [arguments]   start a program (orvantos by default)
#   ./build.sh test                                  build everything and run every test
#   ./build.sh build                                 only build the programs
#   ./build.sh fuzz [SECONDS]                        fuzz the file readers (300 s each by default)
#   ./build.sh sanitize                              every test under ASan and UBSan (in build-san)
#   ./build.sh bench                                 time the help window, waits, marks and printouts
# ORV_JOBS limits how many compilers, tests or fuzzers run at once (every core when
# it is not set; set, it must be a whole number of 1 or more, not empty).
set -euo pipefail
cd "$(dirname "$0")"
what=${1:-run}
[ $# -gt 0 ] && shift

usage="usage: $0 run [orvantos|ovsetup] [args] | test | build | fuzz [SECONDS] | sanitize | bench"
case "$what" in
  run|test|build|fuzz|sanitize|bench) ;;
  *) echo "$usage" >&2; exit 2 ;;
esac
export ORV_JOBS=${ORV_JOBS-$(nproc)}  # set but empty is refused below
if ! [[ $ORV_JOBS =~ ^[1-9][0-9]*$ ]]; then
  echo "ORV_JOBS must be a whole number of 1 or more, not '$ORV_JOBS'." >&2
  exit 2
fi

pkgs=(build-essential cmake ninja-build qt6-base-dev libgtest-dev libasound2-dev fonts-dejavu-core fonts-liberation2)
# The tests also check the unknowns' chemistry (RDKit), draw pictures (PIL),
# read printouts back from PDF files (poppler-utils) and end an X server of
# their own under the student program (xvfb); the fuzzers and the sanitizers
# need clang and its runtime.
case "$what" in
  test) pkgs+=(python3-rdkit python3-pil poppler-utils xvfb) ;;
  fuzz|sanitize) pkgs+=(clang libclang-rt-14-dev python3-rdkit python3-pil poppler-utils xvfb) ;;
esac
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo=sudo
  echo "Installing: ${missing[*]}"
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi

case "$what" in
  fuzz|sanitize) exec tools/sanitize.sh "$what" "$@" ;;   # instrumented builds of their own
esac

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
# The programs and their folder; the test programs only for a test run.
programs=(orvantos ovsetup ovallocate program_folder default_config)

case "$what" in
  run)
    [ -x build/orvanto/orvantos ] || echo "First build: this takes a few minutes."
    cmake --build build -j"$ORV_JOBS" --target "${programs[@]}"
    prog=orvantos
    if [ $# -gt 0 ] && { [ "$1" = orvantos ] || [ "$1" = ovsetup ]; }; then prog=$1; shift; fi
    exec build/orvanto/"$prog" "$@"
    ;;
  test)
    cmake --build build -j"$ORV_JOBS"
    cd build
    exec ctest --output-on-failure -j"$ORV_JOBS"
    ;;
  build)
    cmake --build build -j"$ORV_JOBS" --target "${programs[@]}"
    ;;
  bench)
    # Prints the timings; a slow machine fails nothing, only a timing that
    # cannot be made does (or a build that fails).
    cmake --build build -j"$ORV_JOBS" --target orv_bench
    exec build/tests/bench/orv_bench
    ;;
esac
