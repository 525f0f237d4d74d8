#!/usr/bin/env bash
# Runs clang-tidy (the checks of .clang-tidy) over the project's sources with the compile commands of a
# build folder, and fails when it finds anything.
# Usage: scripts/run-tidy.sh [--build-dir DIR] [--all | BASE]
#   BASE   a commit (origin/main, HEAD~3): the sources changed since its merge base with HEAD, committed
#          or not. Without it, the merge base with origin/main (or main); when HEAD is that commit, the
#          last commit's changes.
#   --all  every source; also what a change of .clang-tidy, or a tree outside git, gets.
# A changed header brings in the source file of the same name. QM_TIDY_JOBS sets the parallel runs (2).
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir=build
mode=changed
base=""
while [ $# -gt 0 ]; do
    case $1 in
        --build-dir) build_dir=$2; shift 2 ;;
        --all) mode=all; shift ;;
        -*) echo "usage: scripts/run-tidy.sh [--build-dir DIR] [--all | BASE]" >&2; exit 2 ;;
        *) base=$1; shift ;;
    esac
done

database="$build_dir/compile_commands.json"
if [ ! -f "$database" ]; then
    echo "tidy: $database is missing; build first (scripts/setup.sh $build_dir)" >&2
    exit 2
fi

# The program's own sources, the folders of HeaderFilterRegex in .clang-tidy, relative to the source
# folder. Tests, benchmarks and fuzz targets are left out: their frameworks' idioms (the benchmark loop's
# unread variable, tables of long texts, vectors filled in a loop) are what the checks flag there.
root=$PWD
mapfile -t sources < <(sed -n 's/^ *"file": "\(.*\)",\{0,1\}$/\1/p' "$database" | sed "s#^$root/##" |
                       grep -E '^(model|platform|eds|xdd|generator|check|docwriter|document|cli|ui)/' | sort -u)

if [ "$mode" = changed ] && ! git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    mode=all
fi
if [ "$mode" = changed ]; then
    named=$base
    if [ -z "$base" ]; then
        for candidate in origin/main main; do
            if git rev-parse -q --verify "$candidate^{commit}" >/dev/null; then
                base=$candidate
                break
            fi
        done
    fi
    [ -n "$base" ] || { echo "tidy: no main branch to compare with; name a commit or use --all" >&2; exit 2; }
    since=$(git merge-base "$base" HEAD)
    if [ -z "$named" ] && [ "$since" = "$(git rev-parse HEAD)" ] && git rev-parse -q --verify HEAD~1 >/dev/null; then
        since=HEAD~1
    fi
    changed=$( (git diff --name-only "$since"; git ls-files --others --exclude-standard) |
               sed -e 's/\.h$/.cpp/' | sort -u)
    if ! grep -q '\(^\|/\)\.clang-tidy$' <<<"$changed"; then
        mapfile -t sources < <(comm -12 <(printf '%s\n' "${sources[@]}") <(printf '%s\n' "$changed"))
    fi
fi

if [ ${#sources[@]} -eq 0 ]; then
    echo "tidy: no changed source files"
    exit 0
fi

log=$(mktemp)
trap 'rm -f "$log"' EXIT
start=$SECONDS
status=0
printf '%s\n' "${sources[@]}" |
    xargs -P "${QM_TIDY_JOBS:-2}" -n 1 clang-tidy -p "$build_dir" --quiet --warnings-as-errors='*' \
    >"$log" 2>&1 || status=$?
# clang-tidy prints its own count of the compiler's warnings in system headers; only findings matter.
grep -v -e '^[0-9]* warnings\{0,1\} generated\.$' -e '^[0-9]* warnings\{0,1\} treated as errors$' "$log" || true
findings=$(grep -c ': \(warning\|error\): ' "$log" || true)
files="${#sources[@]} files"
[ "${#sources[@]}" -eq 1 ] && files="1 file"
if [ "$status" -ne 0 ] || [ "$findings" -ne 0 ]; then
    [ "$findings" -eq 1 ] && noun=finding || noun=findings
    echo "tidy: FAILED: $findings $noun in $files"
    exit 1
fi
echo "tidy: $files, no findings, in $((SECONDS - start)) s"
