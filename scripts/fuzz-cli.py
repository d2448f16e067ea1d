#!/usr/bin/env python3
"""Feeds mutated maps, tables, compressor files and coefficient files through velutra-cli.

Seeds: the published maps in data/maps (CSV), the example tables and compressor files in Maps/,
and coefficient files (JSON and CSV) that `velutra-cli coefficients` makes from them at the start.
Each case mutates one seed and runs one command on it: analyze, export-tab, coefficients,
from-coefficients or import. A case fails when

  - the run crashes: killed by a signal, a sanitizer report on standard error, or a hang;
  - it exits 0 with "nan" or "inf" (any case, as a number) on standard output;
  - a file it wrote holds "nan" or "inf" as a number, whatever the exit status;
  - it fails and leaves its output file, or a temporary file of it, behind.

`analyze` prints the analysis itself, so NaN on its output is the analysis's to fix; such cases
are counted apart and fail the run only with --analysis. The same seed gives the same cases.

    scripts/fuzz-cli.py --cli build/release/src/cli/velutra-cli --cases 2000 [--seed 22] [--analysis]
"""

import argparse
import collections
import json
import os
import random
import re
import shutil
import subprocess
import sys
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))

# "nan", "-nan", "inf", "-Infinity" standing as a number, not inside a word.
NON_FINITE = re.compile(rb"(?<![A-Za-z0-9_.])[-+]?(?:nan|inf(?:inity)?)(?![A-Za-z0-9_])", re.IGNORECASE)
CRASH_MARKS = (b"AddressSanitizer", b"UndefinedBehaviorSanitizer", b"runtime error:", b"LeakSanitizer")
SMOOTHINGS = ["original", "linear", "quadratic", "two-variable"]
REFRIGERANTS = ["R134a", "R152a", "R290", "R404A", "R507A", "R600a", "R32", "R1234yf", "R1234ze(E)", "R454B",
                "R454C", "R513A", "R448A", "R449A"]
# Values a careless or hostile file holds where a number belongs.
HOSTILE = ["", "0", "-0", "0.0", "-1", "-340.5", "nan", "NaN", "-nan", "inf", "-inf", "Infinity", "1e400",
           "-1e400", "1e-400", "1e38", "3.5e38", "1e300", "340abc", "3.4.5", "1,5", "0x1F", " ", "abc",
           "9" * 400, "1" + "0" * 60, "\t12\t", "+5", ".", "-", "e5", "1e", "\x00", "\xff\xfe"]
NUMBER = re.compile(r"[-+]?(?:\d+\.?\d*|\.\d+)(?:[eE][-+]?\d+)?")


def run(cli, args, cwd, timeout):
    try:
        done = subprocess.run([cli] + args, cwd=cwd, capture_output=True, timeout=timeout)
        return done.returncode, done.stdout, done.stderr
    except subprocess.TimeoutExpired:
        return None, b"", b"timeout"


# --- mutations ------------------------------------------------------------------------------------

def mutate_numbers(text, rng):
    """Replaces, scales or removes some of the numbers of a text file."""
    spans = [m.span() for m in NUMBER.finditer(text)]
    if not spans:
        return text
    for _ in range(rng.choice([1, 1, 1, 2, 3])):
        start, end = rng.choice(spans)
        old = text[start:end]
        kind = rng.random()
        if kind < 0.55:
            new = rng.choice(HOSTILE)
        elif kind < 0.8:
            try:
                new = repr(float(old) * rng.choice([-1.0, 1e-12, 1e6, 1e12, 1e30, 1e200, 0.0]))
            except ValueError:
                new = "nan"
        else:
            new = old + rng.choice(["abc", ".5", "e999", "e-999", ",", "0000"])
        text = text[:start] + new + text[end:]
        spans = [m.span() for m in NUMBER.finditer(text)]
        if not spans:
            break
    return text


def blank_cells(text, rng):
    """Empties cells of a CSV map: a whole column in both blocks (a valid blank cell), or one side."""
    lines = text.split("\n")
    rows = [i for i, line in enumerate(lines) if line.startswith(("capacity,", "power,"))]
    if not rows:
        return text
    column = rng.randrange(2, 10)
    both = rng.random() < 0.6
    chosen = rows if both else [rng.choice(rows)]
    for i in chosen:
        fields = lines[i].split(",")
        if column < len(fields):
            fields[column] = ""
            lines[i] = ",".join(fields)
    return "\n".join(lines)


def mutate_lines(text, rng):
    lines = text.split("\n")
    if not lines:
        return text
    i = rng.randrange(len(lines))
    kind = rng.randrange(6)
    if kind == 0:
        del lines[i]
    elif kind == 1:
        lines.insert(i, lines[rng.randrange(len(lines))])
    elif kind == 2:
        j = rng.randrange(len(lines))
        lines[i], lines[j] = lines[j], lines[i]
    elif kind == 3:
        lines[i] = lines[i] + "," + rng.choice(HOSTILE)
    elif kind == 4:
        lines.insert(i, rng.choice(["#", "", "x" * (1 << 20), "capacity," + "1," * 20, "\x00\x01", "key,value"]))
    else:
        lines[i] = lines[i][: rng.randrange(len(lines[i]) + 1)]
    return "\n".join(lines)


def mutate_json(text, rng):
    """Changes values of a JSON coefficient file; falls back to text mutation for broken JSON."""
    try:
        data = json.loads(text)
    except ValueError:
        return mutate_numbers(text, rng)
    paths = []

    def walk(node, path):
        if isinstance(node, dict):
            for key, value in node.items():
                walk(value, path + [key])
        elif not isinstance(node, list):
            paths.append(path)

    walk(data, [])
    for _ in range(rng.choice([1, 1, 2])):
        path = rng.choice(paths)
        parent = data
        try:
            for key in path[:-1]:
                parent = parent[key]
            old = parent[path[-1]]
        except (KeyError, TypeError, IndexError):
            continue  # an earlier change of this round removed or replaced the value
        kind = rng.random()
        if kind < 0.3 and isinstance(old, (int, float)):
            parent[path[-1]] = old * rng.choice([1e300, -1e300, 1e10, -1.0, 0.0, 1e-300])
        elif kind < 0.5:
            parent[path[-1]] = rng.choice([None, "nan", "", True, [], {}, 1e308, -1e308, 0])
        elif kind < 0.6:
            del parent[path[-1]]
        else:
            raw = json.dumps(data)
            return mutate_numbers(raw, rng) if rng.random() < 0.7 else raw.replace(
                json.dumps(old), rng.choice(["1e400", "-1e400", "NaN", "Infinity", "\"x\"" * 1000]), 1)
    return json.dumps(data, indent=2)


def mutate_bytes(data, rng):
    data = bytearray(data)
    for _ in range(rng.choice([1, 2, 4, 8])):
        if not data:
            break
        kind = rng.randrange(4)
        i = rng.randrange(len(data))
        if kind == 0:
            data[i] = rng.randrange(256)
        elif kind == 1:
            del data[i:i + rng.randrange(1, 16)]
        elif kind == 2:
            data[i:i] = bytes(rng.randrange(256) for _ in range(rng.randrange(1, 8)))
        else:
            data = data[:i]
    return bytes(data)


def mutate(kind, data, rng):
    if kind == "cmp":
        return mutate_bytes(data, rng)
    if rng.random() < 0.1:
        return mutate_bytes(data, rng)
    text = data.decode("latin-1")
    choice = rng.random()
    if kind == "map" and choice < 0.25:
        text = blank_cells(text, rng)
        if rng.random() < 0.5:
            text = mutate_numbers(text, rng)
    elif kind == "json" and choice < 0.6:
        text = mutate_json(text, rng)
    elif choice < 0.8:
        text = mutate_numbers(text, rng)
    else:
        text = mutate_lines(text, rng)
    return text.encode("latin-1", "replace")


# --- commands -------------------------------------------------------------------------------------

def axis_option(rng):
    values = sorted(rng.uniform(-60, 160) for _ in range(rng.randrange(1, 5)))
    return ",".join(f"{v:.1f}" for v in values)


def command_for(kind, name, rng):
    """(command, arguments, output file or None) for an input of the given kind."""
    if kind == "json" or kind == "coef-csv":
        args = ["from-coefficients", name, "out.cmp"]
        if rng.random() < 0.3:
            args += ["--evap", axis_option(rng)]
        if rng.random() < 0.3:
            args += ["--cond", axis_option(rng)]
        return "from-coefficients", args, "out.cmp"
    commands = ["analyze", "export-tab", "coefficients"] + (["import"] if kind == "tab" else [])
    command = rng.choice(commands)
    smoothing = ["--smoothing", rng.choice(SMOOTHINGS)]
    if command == "analyze":
        args = ["analyze", name] + smoothing
        extra = rng.random()
        if extra < 0.3:
            args.append("--json")
        elif extra < 0.45:
            args += ["--convert-to", rng.choice(REFRIGERANTS)]
        elif extra < 0.55:
            args.append("--compare")
        elif extra < 0.65:
            args.append("--summary")
        return command, args, None
    if command == "export-tab":
        return command, ["export-tab", name, "out.tab"] + smoothing[:2 if smoothing[1] != "two-variable" else 0], \
            "out.tab"
    if command == "import":
        return command, ["import", name, "out.cmp", "--refrigerant", rng.choice(REFRIGERANTS)], "out.cmp"
    output = rng.choice([None, "out.json", "out.csv"])
    args = ["coefficients", name] + smoothing + (["-o", output] if output else [])
    if rng.random() < 0.3:
        args += ["--units", rng.choice(["ahri540", "en12900"])]
    return command, args, output


def non_finite_in_file(cli, path, timeout):
    """Whether a written file holds NaN or infinity. A compressor file is binary: its map texts
    (read back with `show --json`) are what could hold them."""
    if path.endswith(".cmp"):
        status, out, _ = run(cli, ["show", path, "--json"], os.path.dirname(path), timeout)
        if status != 0:
            return False  # not readable back: a refusal of its own, checked by the round trip tests
        fields = json.loads(out)
        texts = [t for row in fields["capacityText"] + fields["powerText"] for t in row]
        return any(NON_FINITE.search(t.encode()) for t in texts)
    with open(path, "rb") as f:
        return NON_FINITE.search(f.read()) is not None


# --- seeds ----------------------------------------------------------------------------------------

def make_seeds(cli, work, timeout):
    seeds = []
    maps = os.path.join(ROOT, "data", "maps")
    for name in sorted(os.listdir(maps)):
        if name.endswith(".csv"):
            seeds.append(("map", os.path.join(maps, name)))
    examples = os.path.join(ROOT, "Maps")
    for name in sorted(os.listdir(examples)):
        if name.endswith(".tab"):
            seeds.append(("tab", os.path.join(examples, name)))
        elif name.endswith(".cmp"):
            seeds.append(("cmp", os.path.join(examples, name)))
    made = os.path.join(work, "seeds")
    os.makedirs(made)
    for kind, path in list(seeds):
        if kind == "cmp":
            continue
        base = os.path.splitext(os.path.basename(path))[0]
        for smoothing in ("original", "quadratic", "two-variable"):
            for suffix, key in ((".json", "json"), (".csv", "coef-csv")):
                out = os.path.join(made, f"{base}-{smoothing}{suffix}")
                status, _, err = run(cli, ["coefficients", path, "--smoothing", smoothing, "-o", out], made, timeout)
                if status == 0:
                    seeds.append((key, out))
    return seeds


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--cli", required=True, help="path of velutra-cli")
    parser.add_argument("--cases", type=int, default=300)
    parser.add_argument("--seed", type=int, default=22)
    parser.add_argument("--timeout", type=float, default=30.0, help="seconds before a run counts as a hang")
    parser.add_argument("--analysis", action="store_true",
                        help="also fail on NaN or infinity that analyze prints with exit 0")
    parser.add_argument("--keep", help="copy the input of each failing case into this folder")
    parser.add_argument("--verbose", action="store_true")
    options = parser.parse_args()
    cli = os.path.abspath(options.cli)

    rng = random.Random(options.seed)
    work = tempfile.mkdtemp(prefix="velutra-fuzz-")
    counts = collections.defaultdict(collections.Counter)
    failures = []
    try:
        seeds = make_seeds(cli, work, options.timeout)
        kinds = sorted({kind for kind, _ in seeds})
        if not {"json", "coef-csv"} <= set(kinds):
            print("fuzz-cli: no coefficient files could be made from the seeds", file=sys.stderr)
            return 2
        for case in range(options.cases):
            kind = rng.choice(kinds)
            seed_path = rng.choice([p for k, p in seeds if k == kind])
            with open(seed_path, "rb") as f:
                data = mutate(kind, f.read(), rng)
            folder = os.path.join(work, f"case{case}")
            os.makedirs(folder)
            extension = {"map": ".csv", "tab": ".tab", "cmp": ".cmp", "json": ".json", "coef-csv": ".csv"}[kind]
            name = "input" + extension
            with open(os.path.join(folder, name), "wb") as f:
                f.write(data)
            command, args, output = command_for(kind, name, rng)
            status, out, err = run(cli, args, folder, options.timeout)
            tally = counts[command]
            tally["cases"] += 1
            tally[f"exit {status}"] += 1
            problems = []
            if status is None or status < 0 or any(mark in err for mark in CRASH_MARKS):
                problems.append("crash")
            if status == 0 and NON_FINITE.search(out):
                problems.append("nan-success (analysis output)" if command == "analyze" else "nan-success")
            leftovers = [n for n in os.listdir(folder) if n != name]
            if output and status not in (0, 3) and output in leftovers:
                problems.append("partial file")
            if any(".tmp" in n for n in leftovers):
                problems.append("temporary file left")
            if output and output in leftovers and non_finite_in_file(cli, os.path.join(folder, output),
                                                                      options.timeout):
                problems.append("nan written")
            for problem in problems:
                tally[problem] += 1
            failing = [p for p in problems if options.analysis or p != "nan-success (analysis output)"]
            if failing:
                failures.append((case, kind, seed_path, args, status, failing, err[-300:]))
                if options.keep:
                    os.makedirs(options.keep, exist_ok=True)
                    shutil.copy(os.path.join(folder, name), os.path.join(options.keep, f"case{case}{extension}"))
            if options.verbose and problems:
                print(f"case {case}: {' '.join(args)} -> {status}: {', '.join(problems)}")
            shutil.rmtree(folder)
    finally:
        shutil.rmtree(work, ignore_errors=True)

    print(f"fuzz-cli: {options.cases} cases, seed {options.seed}")
    for command in sorted(counts):
        tally = counts[command]
        details = ", ".join(f"{key} {value}" for key, value in sorted(tally.items()) if key != "cases")
        print(f"  {command}: {tally['cases']} cases; {details}")
    for case, kind, seed_path, args, status, problems, err in failures[:20]:
        print(f"FAIL case {case} ({kind} from {os.path.basename(seed_path)}): velutra-cli {' '.join(args)} "
              f"-> {status}: {', '.join(problems)}\n    {err.decode('utf-8', 'replace').strip()}")
    if failures:
        print(f"fuzz-cli: {len(failures)} failing cases")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
