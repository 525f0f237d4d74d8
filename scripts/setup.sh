#!/usr/bin/env bash
# Installs what the build and the tests need on a Debian 12 machine (as root), then configures and
# builds. Every option of the build is set on each call, so a build folder ends up configured the
# same way whatever an earlier call left in its cache; options given after the folder override them.
# Usage: scripts/setup.sh [--target TARGET]... [build-dir] [cmake options...]
# Quick when nothing changed: packages already present are not touched, ninja rebuilds nothing.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(cmake g++ ninja-build pkg-config qt6-base-dev qt6-svg-dev libgtest-dev libgmock-dev
          libbenchmark-dev libpugixml-dev xvfb xauth clang libclang-rt-14-dev clang-tidy locales
          # the client the interoperability test reads our exports with
          python3 python3-can
          # the Debian package and the install test
          dpkg-dev file desktop-file-utils shared-mime-info libglib2.0-bin groff-base)
scripts/install-packages.sh "${packages[@]}"
# A locale with a decimal comma, so the test that numbers keep their point runs instead of skipping.
if ! locale -a | grep -qix 'de_DE\.utf-\?8'; then
    sed -i 's/^# *\(de_DE\.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    locale-gen >/dev/null
fi

targets=()
while [ "${1:-}" = --target ]; do
    targets+=(--target "$2")
    shift 2
done
build_dir=${1:-build}
shift || true
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQM_WERROR=ON \
    -DQM_BUILD_GUI=ON -DQM_BUILD_TESTS=ON -DQM_BUILD_BENCH=ON -DQM_BUILD_FUZZ=OFF -DQM_SANITIZE=OFF \
    "$@" >/dev/null
cmake --build "$build_dir" "${targets[@]}"
