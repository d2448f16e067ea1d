#!/usr/bin/env bash
# Fails when a core file (record, files, props, analysis, interchange) includes the GUI layers (app, forms,
# grid) or a Qt header: the core is built and tested without a display, and the arrows between
# the layers point one way. Usage: scripts/check-core-includes.sh [SOURCE_DIR]
set -euo pipefail
cd "${1:-$(dirname "$0")/..}"

core=(src/record src/files src/props src/analysis src/interchange)
pattern='^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]((app|forms|grid)/|Q[A-Za-z]*([>.]|$)|Qt[A-Za-z]*/)'

found=$(grep -rnE "$pattern" --include='*.h' --include='*.cpp' "${core[@]}" 2>/dev/null || true)
if [ -n "$found" ]; then
  echo "The core includes from the GUI layers or Qt:"
  echo "$found"
  exit 1
fi
echo "Core includes: clean ($(find "${core[@]}" -name '*.h' -o -name '*.cpp' | wc -l) files)."
