#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks it as a desktop would use it: every file in
# place, the menu entry valid, the file types recognised by name and by content, man pages that
# document every option, the shell completion, the installed programs running, and a Debian package
# holding the same files with dependencies read from the programs.
# Usage: install_test.sh BUILD_DIR SOURCE_DIR WITH_EDITOR(ON|OFF) CMAKE CPACK
set -euo pipefail

build=$1 source=$2 with_editor=$3 cmake=$4 cpack=$5
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
problems=0

fail() {
    echo "FAIL: $*"
    problems=$((problems + 1))
}
editor() { [ "$with_editor" = ON ]; }

"$cmake" --install "$build" --prefix "$prefix" >/dev/null

# --- Every file in place ---------------------------------------------------------------------------
expected=(bin/quillmark-cli share/man/man1/quillmark-cli.1.gz
          share/bash-completion/completions/quillmark-cli share/mime/packages/quillmark.xml)
icon_sizes=(16 22 24 32 48 64 128 256)
if editor; then
    expected+=(bin/quillmark share/man/man1/quillmark.1.gz share/applications/quillmark.desktop
               share/icons/hicolor/scalable/apps/quillmark.svg)
    for size in "${icon_sizes[@]}"; do
        expected+=("share/icons/hicolor/${size}x${size}/apps/quillmark.png")
    done
fi
for file in "${expected[@]}"; do
    [ -f "$prefix/$file" ] || fail "$file was not installed"
done
for program in quillmark-cli $(editor && echo quillmark); do
    [ -x "$prefix/bin/$program" ] || fail "bin/$program is not executable"
done

# --- The icon: the SVG and a PNG of each size ------------------------------------------------------
if editor; then
    for size in "${icon_sizes[@]}"; do
        png=$prefix/share/icons/hicolor/${size}x${size}/apps/quillmark.png
        file -b "$png" | grep -q "^PNG image data, $size x $size, 8-bit/color RGBA" ||
            fail "the ${size}x$size icon is $(file -b "$png")"
    done
    grep -q '<svg' "$prefix/share/icons/hicolor/scalable/apps/quillmark.svg" || fail "the scalable icon is no SVG"
fi

# --- The menu entry --------------------------------------------------------------------------------
if editor; then
    desktop=$prefix/share/applications/quillmark.desktop
    verdict=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop-file-validate rejects quillmark.desktop"
    [ -z "$verdict" ] || fail "desktop-file-validate: $verdict"
    value() { sed -n "s/^$1=//p" "$desktop"; }
    [ "$(value Icon)" = quillmark ] || fail "the menu entry names the icon '$(value Icon)'"
    [ -x "$prefix/bin/$(value Exec | cut -d' ' -f1)" ] || fail "the menu entry runs '$(value Exec)'"
    # The entry opens exactly the types the MIME package declares.
    declared=$(grep -o 'mime-type type="[^"]*"' "$prefix/share/mime/packages/quillmark.xml" | cut -d'"' -f2 | sort)
    opened=$(value MimeType | tr ';' '\n' | sed '/^$/d' | sort)
    [ "$declared" = "$opened" ] || fail "the menu entry opens '$opened' but the package declares '$declared'"
fi

# --- The file types, by name and by content --------------------------------------------------------
mime_errors=$(XDG_DATA_DIRS="$prefix/share" update-mime-database "$prefix/share/mime" 2>&1 >/dev/null) ||
    fail "update-mime-database failed"
[ -z "$mime_errors" ] || fail "update-mime-database complains: $mime_errors"
samples=$work/samples
mkdir -p "$samples"
printf '\x13Quillmark_File_1.01\x01' >"$samples/named.prj"
printf '\x13Quillmark_File_1.00\x00' >"$samples/version-1.00-unnamed"
printf '\x13Quillmark_File_1.02\x00' >"$samples/coming-version.bin"
printf '\x14Quillmark_File_1.010\x00' >"$samples/wrong-length.bin"
cp "$source/examples/io_device.eds" "$samples/device.eds"
cp "$source/examples/io_device.eds" "$samples/DEVICE.DCF"
printf '<?xml version="1.0"?>\n<ISO15745ProfileContainer xmlns="http://www.canopen.org/xml/1.0"/>\n' >"$samples/device.xdd"
cp "$samples/device.xdd" "$samples/configured.XDC"
printf '<?xml version="1.0"?>\n<ISO15745ProfileContainer xmlns="http://www.canopen.org/xml/1.1">\n' >"$samples/unnamed-description"
content_type() {
    XDG_DATA_HOME=$work/no-user-data XDG_DATA_DIRS="$prefix/share:/usr/share" \
        gio info -a standard::content-type "$samples/$1" | sed -n 's/^ *standard::content-type: //p'
}
while read -r sample type; do
    actual=$(content_type "$sample")
    [ "$actual" = "$type" ] || fail "$sample is taken for $actual, not $type"
done <<'TYPES'
named.prj application/x-quillmark-project
version-1.00-unnamed application/x-quillmark-project
coming-version.bin application/x-quillmark-project
device.eds application/x-canopen-eds
DEVICE.DCF application/x-canopen-dcf
device.xdd application/x-canopen-xdd
configured.XDC application/x-canopen-xdc
unnamed-description application/x-canopen-xdd
TYPES
[ "$(content_type wrong-length.bin)" != application/x-quillmark-project ] ||
    fail "a file with a wrong length byte is taken for a project"

# --- Man pages: clean roff, every option of --help documented --------------------------------------
export QT_QPA_PLATFORM=offscreen
for program in quillmark-cli $(editor && echo quillmark); do
    page=$prefix/share/man/man1/$program.1.gz
    [ -f "$page" ] || continue
    warnings=$(zcat "$page" | groff -man -ww -z 2>&1) || fail "groff fails on $program.1"
    [ -z "$warnings" ] || fail "groff warns on $program.1: $warnings"
    text=$(zcat "$page" | groff -man -Tascii -P-cbou 2>/dev/null)
    help=$("$prefix/bin/$program" --help 2>/dev/null)
    for option in $(grep -oE '(^|[][ |,])--?[a-z][a-z-]*' <<<"$help" | grep -oE -- '--?[a-z-]+' | sort -u); do
        grep -qE -- "(^|[^a-z-])$option([^a-z-]|$)" <<<"$text" || fail "$program.1 does not document $option"
    done
done
if [ -f "$prefix/share/man/man1/quillmark-cli.1.gz" ]; then
    # Read whole first: grep -q stops at the first match, and the writer's broken pipe would fail the
    # pipeline under pipefail.
    cli_page=$(zcat "$prefix/share/man/man1/quillmark-cli.1.gz")
    for command in check convert document generate show; do
        grep -q "^\.BI $command " <<<"$cli_page" ||
            fail "quillmark-cli.1 does not describe '$command'"
    done
fi

# --- Shell completion ------------------------------------------------------------------------------
mkdir -p "$work/completion/folder"
touch "$work/completion/"{a.eds,B.DCF,c.prj,d.txt,e.c,f.md,G.HTML}
completions=$(cd "$work/completion" && bash -c '
    source "$1"
    complete_line() {
        COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); COMPREPLY=()
        _quillmark_cli
        printf "%s\n" "${COMPREPLY[@]}" | sort | paste -sd" "
    }
    complete_line quillmark-cli ""
    complete_line quillmark-cli ge
    complete_line quillmark-cli convert ""
    complete_line quillmark-cli convert a.eds ""
    complete_line quillmark-cli -v generate c.prj ""
    complete_line quillmark-cli show --
    complete_line quillmark-cli check --
    complete_line quillmark-cli check ""
    complete_line quillmark-cli document a.eds ""' _ "$prefix/share/bash-completion/completions/quillmark-cli")
expected_completions='check convert document generate show
generate
B.DCF a.eds c.prj folder
a.eds c.prj folder
e.c folder
--json --lenient --verbose
--json --lenient --strict --verbose
B.DCF a.eds c.prj folder
G.HTML f.md folder'
[ "$completions" = "$expected_completions" ] ||
    fail "completion offers"$'\n'"$completions"$'\n'"instead of"$'\n'"$expected_completions"

# --- The installed programs run --------------------------------------------------------------------
version=$("$prefix/bin/quillmark-cli" --version) || fail "installed quillmark-cli --version fails"
[ "$version" = "Quillmark Version 1.09" ] || fail "installed quillmark-cli --version says '$version'"
shown=$("$prefix/bin/quillmark-cli" show "$samples/device.eds") && grep -q '^\[FileInfo\]' <<<"$shown" ||
    fail "installed quillmark-cli cannot show the example"
if editor; then
    mkdir -m 700 "$work/runtime"
    version=$(XDG_RUNTIME_DIR=$work/runtime "$prefix/bin/quillmark" --version 2>/dev/null) ||
        fail "installed quillmark --version fails"
    [ "$version" = "Quillmark 1.09" ] || fail "installed quillmark --version says '$version'"
fi

# --- The Debian package ----------------------------------------------------------------------------
"$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$work/package" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log"; fail "cpack -G DEB failed"; }
debs=("$work"/package/quillmark_1.09-1_*.deb)
if [ -f "${debs[0]}" ]; then
    deb=${debs[0]}
    echo "Package: $(basename "$deb")"
    dpkg-deb -c "$deb"
    depends=$(dpkg-deb -f "$deb" Depends)
    echo "Depends: $depends"
    # The package holds what the install put into the prefix, less the caches made for the prefix.
    in_package=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $6 }' | sed 's|^\./usr/||' | sort)
    installed=$(cd "$prefix" && find . -type f | sed 's|^\./||' |
        grep -vE '^share/mime/[^/]+$|^share/mime/application/|^share/applications/mimeinfo.cache$' | sort)
    [ "$in_package" = "$installed" ] ||
        fail "the package differs from the install:"$'\n'"$(diff <(echo "$installed") <(echo "$in_package"))"
    for library in libc6 libstdc++6 $(editor && echo libqt6widgets6 libqt6svg6); do
        [[ ", $depends," == *", $library "* || ", $depends," == *", $library,"* ]] ||
            fail "Depends lacks $library: $depends"
    done
    dpkg-deb -x "$deb" "$work/unpacked"
    for program in "$work"/unpacked/usr/bin/*; do
        file -b "$program" | grep -q ", stripped" || fail "$(basename "$program") in the package is not stripped"
    done
else
    fail "cpack made no quillmark_1.09-1_*.deb: $(ls "$work/package")"
fi

if [ $problems -gt 0 ]; then
    echo "$problems problem(s) with the installation"
    exit 1
fi
echo "installation and package are complete"
