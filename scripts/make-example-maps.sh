#!/usr/bin/env bash
# Rebuilds the example tables and compressor files in Maps/ from their CSV maps, through the
# table import of velutra-cli. Usage: scripts/make-example-maps.sh [path/to/velutra-cli]
set -euo pipefail
cd "$(dirname "$0")/.."
cli="${1:-build/release/src/cli/velutra-cli}"
shared="data/maps"

make_example() { # CSV NAME [import options...]
  local csv="$1" name="$2" refrigerant
  shift 2
  refrigerant="$(scripts/csv-to-tab.py "$csv" "Maps/$name.tab")"
  "$cli" import "Maps/$name.tab" "Maps/$name.cmp" --refrigerant "$refrigerant" "$@"
}

make_example scripts/example-maps/example-r134a.csv Example-R134a --manufacturer "Example" \
  --model "R134a 1/3 hp LBP" --rating-capacity "820" --rating-eer "4.1"
make_example "$shared/copeland-cs20k6e-r404a.csv" Copeland-CS20K6E-R404A --manufacturer "Copeland" \
  --model "CS20K6E-TF5" --voltage "208-230" --speed "3500"
make_example "$shared/secop-xv72-r600a-2000rpm.csv" Secop-XV72-R600A-2000rpm --manufacturer "Secop" \
  --model "XV7.2KX" --speed "2000" --voltage "230" --rated cecomaf --displacement 7.48
