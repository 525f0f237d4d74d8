#!/usr/bin/env bash
# Renders the editor's main window, with the example EDS imported and one index selected, to a PNG
# file without a display (Qt's offscreen platform).
# Usage: scripts/screenshot.sh [build-dir] [output.png]
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir=${1:-build}
output=${2:-docs/screenshot.png}

cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQM_WERROR=ON >/dev/null
cmake --build "$build_dir" --target quillmark

export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR="$PWD/$build_dir/xdg-runtime"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
mkdir -p "$(dirname "$output")"
"$build_dir/ui/quillmark" --screenshot "$output" --select 2001 examples/io_device.eds 2>/dev/null
echo "Screenshot written to $output"
