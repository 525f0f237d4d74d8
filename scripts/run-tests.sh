#!/usr/bin/env bash
# The whole test suite: every test once in a normal build, the logic tests a second time built with
# AddressSanitizer and UndefinedBehaviorSanitizer, and a short run of each fuzz target.
set -euo pipefail
cd "$(dirname "$0")/.."

export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR="$PWD/build/xdg-runtime"

scripts/setup.sh build
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
ctest --test-dir build --output-on-failure -j2

scripts/setup.sh build-asan -DCMAKE_BUILD_TYPE=Debug -DQM_SANITIZE=ON -DQM_BUILD_GUI=OFF -DQM_BUILD_BENCH=OFF
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir build-asan --output-on-failure -j2 -L logic

if [ -x scripts/run-fuzz.sh ] && command -v clang++ >/dev/null; then
    scripts/run-fuzz.sh 20
fi
