#!/usr/bin/env bash
# Installs what is missing, builds, checks that the install list covers what the build found,
# and runs every test (GUI tests offscreen).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
scripts/check-deps.sh build/release
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build/release --output-on-failure -j "$(nproc)"
