#!/usr/bin/env bash
# Builds the Qt-free libraries, quillmark-cli.exe and the headless test programs for 64-bit Windows
# with MinGW-w64 (in build-windows/), runs the tests under Wine through CTest, and compares what the
# Windows program writes for the real device files with what the Linux program writes. Installs its
# Debian packages itself (as root). With --package it also makes quillmark-cli-VERSION-win64.zip.
# Ends with one line: "windows: passed: N tests under Wine ..." or the failure.
# Usage: scripts/build-windows.sh [--package]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=build-windows

package=no
[ "${1:-}" = --package ] && package=yes

step=installing
result_line() {
    local status=$?
    wineserver --kill 2>/dev/null || true
    if [ "$status" -ne 0 ]; then
        echo "windows: FAILED while $step"
    fi
    exit "$status"
}
trap result_line EXIT

packages=(g++-mingw-w64-x86-64 wine64 wine googletest cmake ninja-build zip)
scripts/install-packages.sh "${packages[@]}"

# Wine without a display and without the installers of its browser and .NET stand-ins, in a prefix of
# its own inside the build folder. Wine refuses a prefix that belongs to another user (a copied tree,
# or one made by root before): such a prefix is made afresh.
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEPREFIX="$root/$build/wine"
unset DISPLAY WAYLAND_DISPLAY
step="preparing Wine"
mkdir -p "$build"
if [ -e "$WINEPREFIX" ] && [ "$(stat -c %u "$WINEPREFIX")" != "$(id -u)" ]; then
    rm -rf "$WINEPREFIX"
fi
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    timeout 300 wineboot --init >/dev/null 2>&1 || true
    # The registry reaches the disk when the server ends.
    timeout 60 wineserver --wait || true
    [ -f "$WINEPREFIX/system.reg" ]
fi
# One Wine server for the whole run, its services started here with nothing attached to them: a
# service started by the first program of the build would keep that program's output pipe open, and
# CMake's test discovery would wait for it until its timeout.
wineserver --kill 2>/dev/null || true
wineserver --persistent
wine cmd.exe /c exit </dev/null >/dev/null 2>&1

# The XML library has no Windows build in Debian: its Debian sources are compiled with the rest. They
# are fetched with apt through a list of source archives of this build's own, which leaves the
# system's apt configuration alone.
step="fetching the pugixml sources"
if [ ! -f "$build/pugixml/src/pugixml.cpp" ]; then
    apt_dir="$root/$build/apt"
    mkdir -p "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial" "$apt_dir/source"
    echo "deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://deb.debian.org/debian" \
        "$(. /etc/os-release && echo "$VERSION_CODENAME") main" >"$apt_dir/sources.list"
    apt_options=(-o Dir::Etc::SourceList="$apt_dir/sources.list" -o Dir::Etc::SourceParts=/dev/null
                 -o Dir::State::Lists="$apt_dir/lists" -o Dir::Cache="$apt_dir/cache")
    apt-get -qq "${apt_options[@]}" update
    (cd "$apt_dir/source" && apt-get -qq "${apt_options[@]}" source --download-only pugixml 2>/dev/null)
    rm -rf "$build/pugixml" && mkdir -p "$build/pugixml"
    tar -xzf "$apt_dir"/source/pugixml_*.orig.tar.gz -C "$build/pugixml" --strip-components=1
fi

# The Linux program the Windows one is compared with.
step="building the Linux quillmark-cli"
scripts/setup.sh --target quillmark-cli build >/dev/null

step=building
# -O1: at -O3 GCC 12 warns falsely (-Wrestrict) in its own string code, and compiles slower.
cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O1 -DNDEBUG" -DQM_WERROR=ON \
    -DQM_BUILD_GUI=OFF -DQM_BUILD_TESTS=ON -DQM_BUILD_BENCH=OFF -DQM_BUILD_FUZZ=OFF -DQM_SANITIZE=OFF \
    -DQM_GOOGLETEST_SOURCE_DIR=/usr/src/googletest -DQM_LINUX_CLI="$root/build/cli/quillmark-cli" \
    -Dpugixml_DIR="$root/cmake/cross" -DQM_PUGIXML_SOURCE_DIR="$root/$build/pugixml" >/dev/null
cmake --build "$build" -j2

step=testing
log="$build/ctest.log"
ctest --test-dir "$build" --output-on-failure --no-tests=error -j2 -L logic 2>&1 | tee "$log"
passed=$(sed -n 's/^[0-9]*% tests passed, 0 tests failed out of \([0-9]*\)$/\1/p' "$log" | tail -1)
skipped=$(sed -n '/^The following tests did not run:/,$p' "$log" | grep -c '(Skipped)$' || true)
seconds=$(sed -n 's/^Total Test time (real) = *\([0-9]*\).*/\1/p' "$log")
if [ "$skipped" -gt 0 ]; then
    echo "Skipped under Wine, with the reasons the tests give:"
    grep -A1 ': Skipped$' "$build/Testing/Temporary/LastTest.log" | grep -v -e ': Skipped$' -e '^--$' |
        sort | uniq -c
fi

if [ "$package" = yes ]; then
    step=packaging
    version=$(sed -n 's/^project(Quillmark VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
    stage="$build/package/quillmark-cli-$version-win64"
    rm -rf "$build/package" && mkdir -p "$stage"
    x86_64-w64-mingw32-strip -o "$stage/quillmark-cli.exe" "$build/cli/quillmark-cli.exe"
    sed 's/$/\r/' README.md >"$stage/README.md"
    sed 's/$/\r/' resources/windows/LICENSE.txt >"$stage/LICENSE.txt"
    (cd "$build/package" && rm -f "../quillmark-cli-$version-win64.zip" &&
        zip -q -r -X "../quillmark-cli-$version-win64.zip" "quillmark-cli-$version-win64")
    echo "package: $build/quillmark-cli-$version-win64.zip"
fi

step=""
trap - EXIT
wineserver --kill 2>/dev/null || true
echo "windows: passed: $passed tests under Wine, $skipped of them skipped, in ${seconds} s"
