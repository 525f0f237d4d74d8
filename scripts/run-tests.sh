#!/usr/bin/env bash
# The whole test suite in five stages: every test once in a normal build (logic, GUI and install
# tests), clang-tidy over the sources changed since main (scripts/run-tidy.sh), the logic tests a
# second time built with AddressSanitizer and UndefinedBehaviorSanitizer, the headless tests built for
# Windows and run under Wine (scripts/build-windows.sh), and a short run of each fuzz target. It ends
# with one summary line per stage. A failing stage ends the run at once and fails the command; the
# summary then names it and the stages that did not run.
set -euo pipefail
cd "$(dirname "$0")/.."

export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR="$PWD/build/xdg-runtime"
logs=$(mktemp -d)

stages=(normal tidy sanitizers windows fuzz)
declare -A outcome=([normal]="not run" [tidy]="not run" [sanitizers]="not run" [windows]="not run" [fuzz]="not run")
stage=""
step=""

# "100% tests passed, 0 tests failed out of 812 (gui 52, install 1, logic 759) in 61 s" from a ctest log.
ctest_summary() {
    local log=$1 counts total
    [ -f "$log" ] || return 0
    counts=$(sed -n 's/^\([a-z_-]*\) *=.*(\([0-9]*\) tests\{0,1\})$/\1 \2/p' "$log" | paste -sd, | sed 's/,/, /g')
    total=$(sed -n 's/^Total Test time (real) = *\([0-9]*\).*/\1/p' "$log")
    printf '%s' "$(grep -E '^[0-9]+% tests passed' "$log" | tail -1)"
    [ -n "$counts" ] && printf ' (%s)' "$counts"
    [ -n "$total" ] && printf ' in %s s' "$total"
    return 0
}

print_summary() {
    local status=$? detail=""
    if [ -n "$stage" ]; then
        if [ "$stage" = windows ]; then
            # The script names the step that failed in its last line.
            step=$(sed -n 's/^windows: FAILED while //p' "$logs/windows.log" 2>/dev/null | tail -1)
            step=${step:-building}
            [ "$step" = testing ] && detail=$(ctest_summary build-windows/ctest.log)
        elif [ "$step" = testing ]; then
            detail=$(ctest_summary "$logs/$stage.log")
        elif [ "$step" = fuzzing ] && [ -f "$logs/fuzz.log" ]; then
            detail=$(tail -1 "$logs/fuzz.log")
        elif [ "$step" = linting ] && [ -f "$logs/tidy.log" ]; then
            detail=$(tail -1 "$logs/tidy.log" | sed 's/^tidy: FAILED: //')
        fi
        outcome[$stage]="FAILED while $step${detail:+: $detail}"
        [ "$status" -ne 0 ] || status=1
    fi
    echo
    echo "Summary:"
    for s in "${stages[@]}"; do
        printf '  %-11s %s\n' "$s:" "${outcome[$s]}"
    done
    rm -rf "$logs"
    exit "$status"
}
trap print_summary EXIT

stage=normal step=building
scripts/setup.sh build
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
step=testing
ctest --test-dir build --output-on-failure --no-tests=error -j2 2>&1 | tee "$logs/normal.log"
outcome[normal]="passed: $(ctest_summary "$logs/normal.log")"

stage=tidy step=linting
scripts/run-tidy.sh 2>&1 | tee "$logs/tidy.log"
outcome[tidy]="passed: $(tail -1 "$logs/tidy.log" | sed 's/^tidy: //')"

stage=sanitizers step=building
scripts/setup.sh build-asan -DCMAKE_BUILD_TYPE=Debug -DQM_SANITIZE=ON -DQM_BUILD_GUI=OFF -DQM_BUILD_BENCH=OFF
step=testing
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir build-asan --output-on-failure --no-tests=error -j2 -L logic 2>&1 | tee "$logs/sanitizers.log"
outcome[sanitizers]="passed: $(ctest_summary "$logs/sanitizers.log")"

stage=windows step=building
scripts/build-windows.sh 2>&1 | tee "$logs/windows.log"
outcome[windows]=$(tail -1 "$logs/windows.log" | sed 's/^windows: //')

stage=fuzz step=fuzzing
scripts/run-fuzz.sh 20 2>&1 | tee "$logs/fuzz.log"
outcome[fuzz]="passed: $(grep -c '^fuzzing .* for [0-9]*s$' "$logs/fuzz.log") targets for 20 s each, $(tail -1 "$logs/fuzz.log" | sed 's/^fuzzing: //')"
stage=""
