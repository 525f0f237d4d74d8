#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, AddressSanitizer, UndefinedBehaviorSanitizer) in build-fuzz and
# runs each one for a bounded time on a working corpus kept in build-fuzz/corpus/<target>, seeded from
# pieces of the team's files and the real-world corpus. Fails when a target finds a crash, a hang, a
# leak or a broken check; the input is then in build-fuzz/artifacts/<target>/ and belongs in
# fuzz/regressions/<target>/ once understood.
#
# Usage: scripts/run-fuzz.sh [SECONDS_PER_TARGET] [TARGET...]
#        scripts/run-fuzz.sh --campaign HOURS [TARGET...]
# A campaign shares HOURS among the targets, runs them in turn and appends a line per target to
# fuzz/CAMPAIGNS.md, so that campaigns of several sessions add up.
set -euo pipefail
cd "$(dirname "$0")/.."

campaign_hours=""
if [ "${1:-}" = "--campaign" ]; then
    campaign_hours=${2:?"--campaign needs the hours"}
    shift 2
    seconds=0
else
    seconds=${1:-20}
    shift || true
fi
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
if [ -n "$campaign_hours" ]; then
    seconds=$(python3 -c "print(max(1, int(float('$campaign_hours') * 3600 / ${#targets[@]})))")
fi

# The longest input each target makes. A fuzzer spends its time on every byte, and what the readers
# do with one object or one XML element is what a whole file does many times over: an EDS input holds
# the descriptive sections and a handful of objects; a project file has room for a few hundred entries,
# so that counts wider than a byte are reached; an XDD holds the fixed part of a real file (about 12 KB
# of header and network management) and a few objects. Whole files are exercised by the corpus tests.
max_len_of() {
    case "$1" in
        project_*) echo 16384 ;;
        xdd_*) echo 16384 ;;
        *) echo 4096 ;;
    esac
}

# Existing folders of a seed list, one per line; '#' starts a comment.
seed_folders() {
    local folder
    while read -r folder; do
        folder=${folder%%#*}
        folder=${folder%"${folder##*[![:space:]]}"}
        [ -n "$folder" ] && [ -d "$folder" ] && echo "$folder"
    done <"$1"
}

# The seeds are made once per change of the tools or the files they come from: real files are cut
# into pieces of the targets' input size (fuzz/tools), projects and XDDs are written from the EDS
# pieces by project_seed_maker. The stored regressions are read as they are.
seeds="$build/seeds"
seed_stamp="$seeds/.made"
mapfile -t eds_folders < <(seed_folders fuzz/seeds-eds.txt)
mapfile -t project_folders < <(seed_folders fuzz/seeds-project.txt)
mapfile -t xdd_folders < <(seed_folders fuzz/seeds-xdd.txt)
mapfile -t eds_files < <(find "${eds_folders[@]}" -type f \( -iname '*.eds' -o -iname '*.dcf' \))
mapfile -t xdd_files < <(find "${xdd_folders[@]}" -type f \( -iname '*.xdd' -o -iname '*.xdc' \))
if [ ! -f "$seed_stamp" ] || [ "$build/fuzz/project_seed_maker" -nt "$seed_stamp" ] ||
    [ -n "$(find fuzz/tools fuzz/seeds-*.txt "${eds_files[@]}" "${xdd_files[@]}" -newer "$seed_stamp" -print -quit)" ]; then
    rm -rf "$seeds"
    mkdir -p "$seeds"
    python3 fuzz/tools/slice_eds.py "$(max_len_of eds)" "$seeds/eds" "${eds_files[@]}" >/dev/null
    python3 fuzz/tools/slice_xdd.py "$(max_len_of xdd)" "$seeds/xdd" "${xdd_files[@]}" >/dev/null
    mkdir -p "$seeds/project"
    "$build/fuzz/project_seed_maker" "$seeds/project" "$seeds"/eds/* >/dev/null
    "$build/fuzz/project_seed_maker" --xdd "$seeds/xdd" "$seeds"/eds/* >/dev/null
    touch "$seed_stamp"
fi
regressions() { [ -d "fuzz/regressions/$1" ] && echo "fuzz/regressions/$1"; }

# Collects a finished run's figures: executions, coverage before and after, corpus size.
stat_of() { grep -E "^stat::$1:" "$2" | tail -1 | awk '{print $2}'; }
coverage_at() { grep -E "$1" "$2" | tail -1 | sed -n 's/.* cov: \([0-9]*\).*/\1/p'; }

record_campaign() {
    local target=$1 log=$2 outcome=$3
    local file=fuzz/CAMPAIGNS.md
    if [ ! -f "$file" ]; then
        printf '%s\n' "# Fuzzing campaigns" "" \
            "One line per target and campaign (\`scripts/run-fuzz.sh --campaign HOURS\`); the total adds up every" \
            "campaign of the target so far. Coverage is libFuzzer's count of covered edges at the start and the end." "" \
            "| date | target | minutes | executions | exec/s | total executions | coverage | corpus | findings |" \
            "|---|---|---|---|---|---|---|---|---|" >"$file"
    fi
    local executions rate before after corpus previous
    executions=$(stat_of number_of_executed_units "$log")
    rate=$((executions / (seconds > 0 ? seconds : 1)))
    before=$(coverage_at "INITED" "$log")
    after=$(coverage_at "DONE|NEW|REDUCE|pulse" "$log")
    corpus=$(find "$build/corpus/$target" -type f | wc -l)
    previous=$(awk -F'|' -v t=" $target " '$3 == t {gsub(/[ ,]/, "", $7); sum += $7} END {print sum + 0}' "$file")
    printf '| %s | %s | %d | %d | %d | %d | %s -> %s | %d inputs | %s |\n' "$(date -u +%Y-%m-%d)" "$target" \
        $((seconds / 60)) "$executions" "$rate" $((previous + executions)) "${before:-?}" "${after:-?}" \
        "$corpus" "$outcome" >>"$file"
}

failed=()
for target in "${targets[@]}"; do
    case "$target" in
        project_*) seed_dirs=("$seeds/project" "${project_folders[@]}"); dict=fuzz/project.dict ;;
        xdd_*) seed_dirs=("$seeds/xdd"); dict=fuzz/xdd.dict ;;
        *) seed_dirs=("$seeds/eds"); dict=fuzz/eds.dict ;;
    esac
    mapfile -t -O "${#seed_dirs[@]}" seed_dirs < <(regressions "$target")
    max_len=$(max_len_of "$target")
    corpus="$build/corpus/$target"
    artifacts="$build/artifacts/$target"
    mkdir -p "$corpus" "$artifacts"
    # A corpus grown under another input size, or new seeds, is merged down to the inputs that add
    # coverage, so each run starts from a small corpus that covers all the seeds do.
    if [ "$(cat "$corpus/.max_len" 2>/dev/null)" != "$max_len" ] || [ "$seed_stamp" -nt "$corpus/.max_len" ]; then
        rm -rf "$corpus.old" && mv "$corpus" "$corpus.old" && mkdir -p "$corpus"
        "$build/fuzz/$target" -merge=1 "$corpus" "$corpus.old" "${seed_dirs[@]}" -max_len="$max_len" \
            -timeout=10 -rss_limit_mb=2048 >"$build/$target.merge.log" 2>&1 ||
            { echo "FAILED: $target while merging its corpus (log: $build/$target.merge.log)"; failed+=("$target"); continue; }
        rm -rf "$corpus.old"
        echo "$max_len" >"$corpus/.max_len"
    fi
    echo "fuzzing $target for ${seconds}s"
    # -timeout: no input of this size may take seconds; -rss_limit_mb: far above the targets' own
    # few hundred MB, so only a runaway allocation trips it; -dict: the keys and names of the format;
    # -reload=0: one process per corpus, so there is nothing to re-read from other processes, and the
    # re-reading cost a tenth of the time.
    outcome="none"
    if ! "$build/fuzz/$target" "$corpus" "${seed_dirs[@]}" -dict="$dict" -max_total_time="$seconds" \
        -timeout=10 -rss_limit_mb=2048 -max_len="$max_len" -reload=0 -print_final_stats=1 \
        -artifact_prefix="$artifacts/" >"$build/$target.log" 2>&1; then
        echo "FAILED: $target (log: $build/$target.log, inputs: $artifacts/)"
        grep -E "ERROR|SUMMARY|Check|: .*differ|announces|refused" "$build/$target.log" | head -5 || true
        failed+=("$target")
        outcome="see \`$artifacts\`"
    fi
    grep -E "^stat::number_of_executed_units|^stat::peak_rss_mb" "$build/$target.log" | sed "s/^/  /" || true
    if [ -n "$campaign_hours" ]; then
        record_campaign "$target" "$build/$target.log" "$outcome"
    fi
done

if [ ${#failed[@]} -gt 0 ]; then
    echo "fuzzing found problems in: ${failed[*]}"
    exit 1
fi
echo "fuzzing: no problems found"
