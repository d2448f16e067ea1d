#!/usr/bin/env python3
"""Runs the converters of thermo/tools on data/fluid-data into a temporary folder and fails
unless the result is thermo/fluids byte for byte: every fluid file and the mixing-rule file in
the repository are what the converters make of the data in the repository, and none is missing
or extra."""
import subprocess
import sys
import tempfile
from pathlib import Path

THERMO = Path(__file__).resolve().parents[1]
SOURCE = THERMO.parent / "data" / "fluid-data"
FLUIDS = THERMO / "fluids"


def main():
    with tempfile.TemporaryDirectory() as folder:
        out = Path(folder)
        subprocess.run([sys.executable, THERMO / "tools" / "convert_fluids.py", SOURCE, out], check=True)
        subprocess.run(
            [sys.executable, THERMO / "tools" / "convert_mixing_rules.py", SOURCE, out / "HMX.BNC"], check=True
        )
        made = {p.name for p in out.iterdir()}
        kept = {p.name for p in FLUIDS.iterdir() if p.suffix in (".fld", ".BNC")}
        problems = [f"{name}: in thermo/fluids, but no converter makes it" for name in sorted(kept - made)]
        problems += [f"{name}: made by a converter, missing from thermo/fluids" for name in sorted(made - kept)]
        for name in sorted(made & kept):
            if (out / name).read_bytes() != (FLUIDS / name).read_bytes():
                problems.append(f"{name}: differs from what the converter makes of data/fluid-data")
    for problem in problems:
        print(problem, file=sys.stderr)
    if problems:
        return 1
    print(f"all {len(made)} files regenerate byte for byte")
    return 0


if __name__ == "__main__":
    sys.exit(main())
