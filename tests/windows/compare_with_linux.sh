#!/usr/bin/env bash
# The Windows build must write the same bytes as the Linux one: every corpus file and the example are
# converted to EDS and generated to C sources by both programs, the Windows one under Wine and given
# the paths in Windows form (drive letter, backslashes). The files written, the exit status and the
# messages (with the path put back in Linux form) must be the same.
# Usage: compare_with_linux.sh LINUX_CLI WINDOWS_CLI EMULATOR WORK_DIR INPUT...
set -uo pipefail
linux_cli=$1 windows_cli=$2 emulator=$3 work=$4
shift 4
export SOURCE_DATE_EPOCH=1700000000
rm -rf "$work" && mkdir -p "$work"

windows_path() {
    # Wine shows the root of the Linux file system as drive Z:.
    printf 'Z:%s' "${1//\//\\}"
}

# Replaces the Windows forms of the input, the output and the output's folder by their Linux forms.
normalize() {
    local input=$1 win_out=$2 win_dir=$3 lin_out=$4 lin_dir=$5
    sed -e "s|$(windows_path "$input" | sed 's/[\\.]/\\&/g')|$input|g" \
        -e "s|$(windows_path "$win_out" | sed 's/[\\.]/\\&/g')|$lin_out|g" \
        -e "s|$(windows_path "$win_dir" | sed 's/[\\.]/\\&/g')\\\\|$lin_dir/|g"
}

failures=0 files=0
for input in "$@"; do
    name=$(basename "$input")
    for mode in convert generate; do
        for side in linux windows; do
            mkdir -p "$work/$side/$name.$mode"
        done
        case $mode in
            convert) out=out.eds ;;
            generate) out=objdict.c ;;
        esac
        lin_out="$work/linux/$name.$mode/$out"
        win_out="$work/windows/$name.$mode/$out"
        "$linux_cli" --lenient "$mode" "$input" "$lin_out" >"$work/linux/$name.$mode.log" 2>&1
        lin_status=$?
        "$emulator" "$windows_cli" --lenient "$mode" "$(windows_path "$input")" "$(windows_path "$win_out")" \
            >"$work/windows/$name.$mode.raw" 2>&1
        win_status=$?
        # Messages and the banners of the generated headers name the paths the program was given: the
        # Linux ones are put back before comparing.
        normalize "$input" "$win_out" "$work/windows/$name.$mode" "$lin_out" "$work/linux/$name.$mode" \
            <"$work/windows/$name.$mode.raw" >"$work/windows/$name.$mode.log"
        mkdir -p "$work/normalized/$name.$mode"
        for written in "$work/windows/$name.$mode"/*; do
            [ -f "$written" ] || continue
            normalize "$input" "$win_out" "$work/windows/$name.$mode" "$lin_out" "$work/linux/$name.$mode" \
                <"$written" >"$work/normalized/$name.$mode/$(basename "$written")"
        done
        files=$((files + 1))
        if [ "$lin_status" != "$win_status" ]; then
            echo "DIFFERENT exit status for $mode $name: Linux $lin_status, Windows $win_status"
            failures=$((failures + 1))
            continue
        fi
        if ! diff -r "$work/linux/$name.$mode" "$work/normalized/$name.$mode" >/dev/null ||
           ! cmp -s "$work/linux/$name.$mode.log" "$work/windows/$name.$mode.log"; then
            echo "DIFFERENT output for $mode $name:"
            diff -r "$work/linux/$name.$mode" "$work/normalized/$name.$mode" | head -5
            diff "$work/linux/$name.$mode.log" "$work/windows/$name.$mode.log" | head -5
            failures=$((failures + 1))
        fi
    done
done
echo "$((files - failures)) of $files runs wrote the same bytes on Linux and on Windows"
[ "$failures" -eq 0 ] && [ "$files" -gt 0 ]
