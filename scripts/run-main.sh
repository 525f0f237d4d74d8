#!/usr/bin/env bash
# The main job: builds Quillmark and opens the editor on the example EDS. Without a display the
# editor renders its window with the example to out/quillmark.png instead and ends.
set -euo pipefail
cd "$(dirname "$0")/.."

# The same configuration as the test command's, so neither undoes the other; only the two programs
# are built here.
scripts/setup.sh --target quillmark --target quillmark-cli build
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    exec build/ui/quillmark examples/io_device.eds
fi
mkdir -p out build/xdg-runtime && chmod 700 build/xdg-runtime
QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$PWD/build/xdg-runtime" \
    build/ui/quillmark --screenshot out/quillmark.png examples/io_device.eds
echo "No display: the editor with examples/io_device.eds was rendered to out/quillmark.png"
