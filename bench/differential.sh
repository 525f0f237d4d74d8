#!/usr/bin/env bash
# Runs two builds of quillmark-cli on the same files and compares every output byte for byte: the
# export (standard and lenient import), the generated sources, the check in JSON, the documentation
# and the exit status and messages of each. Work on speed must leave all of them as they were.
#
# Usage: bench/differential.sh OLD_CLI NEW_CLI [FILE...]
# Without files it takes every EDS and DCF of ../shared/corpus/eds, its XDD, and synthetic files of
# 500 and 2,000 indices (bench/make_big_eds.py). Prints one line per difference and a summary; exits 1
# when anything differs.
set -uo pipefail
cd "$(dirname "$0")/.."

old=$(realpath "${1:?"usage: bench/differential.sh OLD_CLI NEW_CLI [FILE...]"}")
new=$(realpath "${2:?"usage: bench/differential.sh OLD_CLI NEW_CLI [FILE...]"}")
shift 2
work=$(mktemp -d)
# Generated files carry the time they were made; both builds get the same one.
export SOURCE_DATE_EPOCH=1700000000
trap 'rm -rf "$work"' EXIT

files=("$@")
if [ ${#files[@]} -eq 0 ]; then
    mapfile -t files < <(find ../shared/corpus/eds ../shared/corpus/xdd -type f \
        \( -iname '*.eds' -o -iname '*.dcf' -o -iname '*.xdd' \) | sort)
    for n in 500 2000; do
        python3 bench/make_big_eds.py "$n" "$work/big$n.eds"
        files+=("$work/big$n.eds")
    done
fi

# One run of a command by one build, in a folder of its own so that written files can be compared;
# the file names inside the outputs are the same for both builds.
run() {
    local cli=$1 side=$2 name=$3
    shift 3
    local dir="$work/$side/$name"
    mkdir -p "$dir/out"
    (cd "$dir" && "$cli" "$@" >stdout 2>stderr; echo $? >status)
}

compared=0
differing=0
for file in "${files[@]}"; do
    base=$(basename "$file")
    input=$(realpath "$file")
    for command in "convert" "--lenient convert" "generate" "--lenient generate" "check --json" \
        "--lenient check --json" "show --json" "document"; do
        name="$base.${command// /_}"
        case "$command" in
            *convert) args=(-v $command "$input" out/device.eds) ;;
            *generate) args=(-v $command "$input" out/objdict.c) ;;
            document) args=(-v document "$input" out/device.md) ;;
            *) args=($command "$input") ;;
        esac
        run "$old" old "$name" "${args[@]}"
        run "$new" new "$name" "${args[@]}"
        compared=$((compared + 1))
        if ! diff -r "$work/old/$name" "$work/new/$name" >/dev/null; then
            differing=$((differing + 1))
            echo "differs: $command $base"
            diff -r "$work/old/$name" "$work/new/$name" | head -6 | sed 's/^/    /'
        fi
        rm -rf "${work:?}/old/$name" "${work:?}/new/$name"
    done
done
echo "$compared runs compared, $differing differ"
[ "$differing" -eq 0 ]
