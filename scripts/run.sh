#!/usr/bin/env bash
# Installs what is missing, builds, and starts Velutra on an example compressor file.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
example="Maps/Example-R134a.cmp"
if [ -f "$example" ]; then
  exec build/release/src/app/velutra "$example"
fi
exec build/release/src/app/velutra
