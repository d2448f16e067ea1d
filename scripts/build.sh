#!/usr/bin/env bash
# Configures and builds Velutra in Release into build/release.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset release >/dev/null
cmake --build build/release
