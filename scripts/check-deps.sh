#!/usr/bin/env bash
# Fails when the build found a CMake package under /usr whose Debian package the install list
# does not bring in: a package installed by hand would otherwise hide a missing install step
# until a fresh machine fails to configure. Run after configure.
# Usage: scripts/check-deps.sh [BUILD_DIR]   (default build/release)
set -euo pipefail
cd "$(dirname "$0")/.."
cache="${1:-build/release}/CMakeCache.txt"
[ -f "$cache" ] || { echo "check-deps: no $cache; configure first." >&2; exit 2; }

# The install list is the packages=( ... ) array of install-deps.sh.
mapfile -t wanted < <(sed -n '/^packages=(/,/^)/p' scripts/install-deps.sh \
  | sed 's/#.*//; s/packages=(//; s/)//' | tr -s ' \t' '\n' | grep -E '^[a-z0-9][a-z0-9.+-]+$')
[ ${#wanted[@]} -gt 0 ] || { echo "check-deps: no package list in scripts/install-deps.sh" >&2; exit 2; }

# Everything those packages pull in (hard dependencies only, which is what a fresh install gets).
closure=$(apt-cache depends --recurse --no-recommends --no-suggests --no-conflicts --no-breaks \
  --no-replaces --no-enhances "${wanted[@]}" | grep -v '^ ' | sed 's/:.*//' | sort -u)
[ -n "$closure" ] || { echo "check-deps: apt-cache knows none of the packages (run apt-get update)" >&2; exit 2; }

missing=0
checked=0
while IFS='=' read -r key dir; do
  # The package's own config file (Qt keeps its plugins' config files in the same folders).
  name=${key%_DIR}
  config="$dir/${name}Config.cmake"
  [ -f "$config" ] || config="$dir/$(tr '[:upper:]' '[:lower:]' <<<"$name")-config.cmake"
  [ -f "$config" ] || continue
  owner=$(dpkg -S "$config" 2>/dev/null | head -n 1 | cut -d: -f1) || true
  [ -n "$owner" ] || continue
  checked=$((checked + 1))
  if ! grep -qx "$owner" <<<"$closure"; then
    echo "Missing install step: the build uses ${key%%:*} from Debian package $owner," \
      "which scripts/install-deps.sh does not bring in; add it to the list."
    missing=1
  fi
done < <(grep -E '^[A-Za-z0-9_]+_DIR:[A-Z]+=/usr' "$cache" | sed -E 's/:[A-Z]+=/=/')

[ "$missing" -eq 0 ] || exit 1
echo "Dependencies: all $checked CMake packages come from the install list."
