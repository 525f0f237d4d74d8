#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, AddressSanitizer, UndefinedBehaviorSanitizer) in build-fuzz and
# runs each one for a bounded time on a working corpus seeded from the team's files and the EDS
# corpus. Fails when a target finds a crash, a hang, a leak or a broken check; the input is then in
# build-fuzz/artifacts/<target>/ and belongs in fuzz/regressions/<target>/ once understood.
# Usage: scripts/run-fuzz.sh [SECONDS_PER_TARGET] [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-20}
shift || true
build=build-fuzz
sanitize="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"

if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQM_WERROR=ON \
        -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_CXX_FLAGS="$sanitize" \
        -DQM_BUILD_FUZZ=ON -DQM_BUILD_GUI=OFF -DQM_BUILD_TESTS=OFF -DQM_BUILD_BENCH=OFF >/dev/null
else
    cmake "$build" >/dev/null
fi
cmake --build "$build" --target fuzz_all -j2

if [ $# -gt 0 ]; then
    targets=("$@")
else
    mapfile -t targets <"$build/fuzz/fuzz-targets.txt"
fi

# Existing folders of a seed list, one per line; '#' starts a comment.
seed_folders() {
    local folder
    while read -r folder; do
        folder=${folder%%#*}
        folder=${folder%"${folder##*[![:space:]]}"}
        [ -n "$folder" ] && [ -d "$folder" ] && echo "$folder"
    done <"$1"
}
mapfile -t eds_seeds < <(seed_folders fuzz/seeds-eds.txt)
mapfile -t project_seeds < <(seed_folders fuzz/seeds-project.txt)
mapfile -t xdd_seeds < <(seed_folders fuzz/seeds-xdd.txt)

if [ -x "$build/fuzz/project_seed_maker" ]; then
    made="$build/seeds/project"
    mkdir -p "$made"
    if [ "$build/fuzz/project_seed_maker" -nt "$made/.made" ]; then
        mapfile -t eds_files < <(find "${eds_seeds[@]}" -type f \( -iname '*.eds' -o -iname '*.dcf' \))
        "$build/fuzz/project_seed_maker" "$made" "${eds_files[@]}" >/dev/null
        touch "$made/.made"
    fi
    project_seeds+=("$made")
fi

failed=()
for target in "${targets[@]}"; do
    case "$target" in
        project_*) seeds=("${project_seeds[@]}"); dict=fuzz/project.dict ;;
        xdd_*) seeds=("${xdd_seeds[@]}"); dict=fuzz/xdd.dict ;;
        *) seeds=("${eds_seeds[@]}"); dict=fuzz/eds.dict ;;
    esac
    corpus="$build/corpus/$target"
    artifacts="$build/artifacts/$target"
    mkdir -p "$corpus" "$artifacts"
    echo "fuzzing $target for ${seconds}s"
    if ! "$build/fuzz/$target" "$corpus" "${seeds[@]}" -dict="$dict" -max_total_time="$seconds" \
        -timeout=10 -rss_limit_mb=2048 -max_len=262144 -print_final_stats=1 \
        -artifact_prefix="$artifacts/" >"$build/$target.log" 2>&1; then
        echo "FAILED: $target (log: $build/$target.log, inputs: $artifacts/)"
        grep -E "ERROR|SUMMARY|Check|: .*differ|announces|refused" "$build/$target.log" | head -5 || true
        failed+=("$target")
    fi
    grep -E "^stat::number_of_executed_units|^stat::peak_rss_mb" "$build/$target.log" | sed "s/^/  /" || true
done

if [ ${#failed[@]} -gt 0 ]; then
    echo "fuzzing found problems in: ${failed[*]}"
    exit 1
fi
echo "fuzzing: no problems found"
