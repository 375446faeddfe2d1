#!/usr/bin/env bash
# Installs what is missing, builds, and then runs a program or the tests.
#   ./build.sh run [orvantos|ovsetup] [arguments]   start a program (orvantos by default)
#   ./build.sh test                                  run every test
#   ./build.sh build                                 only build
#   ./build.sh fuzz [SECONDS]                        fuzz the three readers (300 s each by default)
#   ./build.sh sanitize                              every test under ASan and UBSan (in build-san)
set -euo pipefail
cd "$(dirname "$0")"
what=${1:-run}
[ $# -gt 0 ] && shift

pkgs=(build-essential cmake ninja-build qt6-base-dev libgtest-dev libasound2-dev fonts-dejavu-core fonts-liberation2)
[ "$what" = test ] && pkgs+=(python3-rdkit python3-pil)
case "$what" in fuzz|sanitize) pkgs+=(clang libclang-rt-14-dev python3-rdkit python3-pil) ;; esac
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

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build

case "$what" in
  run)
    prog=orvantos
    if [ $# -gt 0 ] && { [ "$1" = orvantos ] || [ "$1" = ovsetup ]; }; then prog=$1; shift; fi
    exec build/orvanto/"$prog" "$@"
    ;;
  test)
    cd build
    exec ctest --output-on-failure -j"$(nproc)"
    ;;
  build) ;;
  *) echo "usage: $0 run [orvantos|ovsetup] [args] | test | build | fuzz [SECONDS] | sanitize" >&2; exit 2 ;;
esac
