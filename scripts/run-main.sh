#!/usr/bin/env bash
# The main job: builds Quillmark and generates the stack sources from the example EDS.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh build -DQM_BUILD_TESTS=OFF -DQM_BUILD_BENCH=OFF
mkdir -p out
build/cli/quillmark-cli generate examples/io_device.eds out/objdict.c
echo "Generated: out/objdict.c out/objdict.h out/obdcfg.h"
