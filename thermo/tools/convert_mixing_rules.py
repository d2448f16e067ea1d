#!/usr/bin/env python3
"""Convert the binary mixing rules of data/fluid-data into our mixing-rule file HMX.BNC.

Usage: convert_mixing_rules.py [SOURCE_DIR [TARGET_FILE]]
(default: the repository's data/fluid-data and thermo/fluids/HMX.BNC)

Reads mixture_binary_pairs.json and mixture_departure_functions.json, keeps every pair of two
fluids we have files for (in the order the source writes them, which is the order their beta
values belong to) and the departure functions those pairs name, and reads the pure-fluid files of
the components for their reducing values. Every pair is written in the GERG reducing-function form
(betaT, gammaT, betaV, gammaV); a pair with F = 0 has no departure function. Lemmon's linear form
    T_r = sum x_i T_r,i + sum x_i x_j xi_ij,   1/rho_r = sum x_i / rho_r,i + sum x_i x_j zeta_ij
is the GERG form with beta = 1 and
    gammaT = (T_r,i + T_r,j + xi) / (2 sqrt(T_r,i T_r,j))
    gammaV = (v_r,i + v_r,j + zeta) / ((1/4) (v_r,i^(1/3) + v_r,j^(1/3))^3),   v_r = 1 / rho_r.
Units: K, dm3/mol.
"""
import json
import math
import sys
from pathlib import Path

PAIRS = "mixture_binary_pairs.json"
DEPARTURES = "mixture_departure_functions.json"
# The component names of the pairs and the source files with their equations of state.
COMPONENTS = {
    "R125": "R125.json",
    "R134a": "R134a.json",
    "R143a": "R143a.json",
    "R32": "R32.json",
    "R1234yf": "R1234yf.json",
    "R1234ze(E)": "R1234ze(E).json",
}
DM3_PER_M3 = 1000.0
REPOSITORY = Path(__file__).resolve().parents[2]
DEFAULT_SOURCE = REPOSITORY / "data" / "fluid-data"
DEFAULT_TARGET = REPOSITORY / "thermo" / "fluids" / "HMX.BNC"


def reducing_values(source):
    out = {}
    for name, file in COMPONENTS.items():
        reducing = json.loads((source / file).read_text())["EOS"][0]["STATES"]["reducing"]
        out[name] = (reducing["T"], DM3_PER_M3 / reducing["rhomolar"])
    return out


def gerg_parameters(pair, reducing):
    t1, v1 = reducing[pair["Name1"]]
    t2, v2 = reducing[pair["Name2"]]
    if "betaT" in pair:
        return pair["betaT"], pair["gammaT"], pair["betaV"], pair["gammaV"]
    zeta = pair["zeta"] * DM3_PER_M3  # m3/mol -> dm3/mol
    gamma_t = (t1 + t2 + pair["xi"]) / (2.0 * math.sqrt(t1 * t2))
    gamma_v = (v1 + v2 + zeta) / (0.25 * (v1 ** (1.0 / 3.0) + v2 ** (1.0 / 3.0)) ** 3)
    return 1.0, gamma_t, 1.0, gamma_v


def departure(function):
    if function["type"] != "Exponential":
        raise SystemExit(f"departure function type {function['type']} is not supported")
    for key in ("d", "l"):
        if any(float(v) != int(v) for v in function[key]):
            raise SystemExit(f"non-integer {key} exponent in {function['Name']}")
    return {
        "type": "power",
        "n": function["n"],
        "t": function["t"],
        "d": [int(v) for v in function["d"]],
        "l": [int(v) for v in function["l"]],
    }


def main():
    if len(sys.argv) > 3:
        raise SystemExit(__doc__)
    source = Path(sys.argv[1]) if len(sys.argv) > 1 else DEFAULT_SOURCE
    target = Path(sys.argv[2]) if len(sys.argv) > 2 else DEFAULT_TARGET
    pairs = json.loads((source / PAIRS).read_text())
    functions = {f["Name"]: f for f in json.loads((source / DEPARTURES).read_text())}
    reducing = reducing_values(source)

    out_pairs = []
    used = set()
    for pair in pairs:
        if pair["Name1"] not in COMPONENTS or pair["Name2"] not in COMPONENTS:
            continue
        beta_t, gamma_t, beta_v, gamma_v = gerg_parameters(pair, reducing)
        entry = {
            "fluids": [pair["Name1"], pair["Name2"]],
            "source": pair["BibTeX"],
            "betaT": beta_t,
            "gammaT": gamma_t,
            "betaV": beta_v,
            "gammaV": gamma_v,
            "F": pair["F"],
        }
        if pair["F"] != 0.0:
            entry["departure"] = pair["function"]
            used.add(pair["function"])
        out_pairs.append(entry)

    document = {
        "format": "velutra mixing rules 1",
        "source": f"{PAIRS}, {DEPARTURES}",
        "pairs": out_pairs,
        "departureFunctions": {name: departure(functions[name]) for name in sorted(used)},
    }
    target.write_text(json.dumps(document, indent=1) + "\n")


if __name__ == "__main__":
    main()
