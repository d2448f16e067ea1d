#!/usr/bin/env python3
"""Convert the equation-of-state data in data/fluid-data/*.json into our fluid files.

Usage: convert_fluids.py [SOURCE_DIR [TARGET_DIR]]
(default: the repository's data/fluid-data and thermo/fluids)

Keeps only what the property library evaluates: reducing values, gas constant, molar mass, the
ideal-gas and residual terms, the range of validity, the critical point of the equation and the
superancillary Chebyshev expansions used as saturation start values. Units are converted to the
library's own (K, kPa, mol/dm3, g/mol). The enthalpy/entropy offset term of the source files is
dropped: the library sets its reference state itself.
"""
import json
import re
import sys
from pathlib import Path

# Source file, our file name, name, default reference state (IIR for the HFCs and HFOs, NBP for
# the hydrocarbons, as the refrigeration industry quotes them), and the highest temperature (K)
# the library accepts when it lies above the one the equation's authors claim. R32, R1234yf and
# R1234ze(E) claim 435, 410 and 420 K, below the isentropic discharge temperatures of compressors
# working with them (R32 passes 500 K at -60 F evaporating and 160 F condensing); their gas
# phase extrapolates smoothly, and the check values hold such states.
GAS_EXTRAPOLATION_K = 650.0
FLUIDS = [
    ("R134a.json", "R134a.fld", "R134a", "IIR", None),
    ("R152A.json", "R152a.fld", "R152a", "IIR", None),
    ("n-Propane.json", "propane.fld", "propane", "NBP", None),
    ("IsoButane.json", "isobutan.fld", "isobutane", "NBP", None),
    ("R125.json", "R125.fld", "R125", "IIR", None),
    ("R143a.json", "R143a.fld", "R143a", "IIR", None),
    ("R32.json", "R32.fld", "R32", "IIR", GAS_EXTRAPOLATION_K),
    ("R1234yf.json", "R1234yf.fld", "R1234yf", "IIR", GAS_EXTRAPOLATION_K),
    ("R1234ze(E).json", "R1234zee.fld", "R1234ze(E)", "IIR", GAS_EXTRAPOLATION_K),
    ("R22.json", "R22.fld", "R22", "IIR", None),
]

REPOSITORY = Path(__file__).resolve().parents[2]
DEFAULT_SOURCE = REPOSITORY / "data" / "fluid-data"
DEFAULT_TARGET = REPOSITORY / "thermo" / "fluids"

PA_PER_KPA = 1000.0
MOLM3_PER_MOLDM3 = 1000.0


def integers(values, what):
    out = []
    for v in values:
        if float(v) != int(v):
            raise SystemExit(f"non-integer {what} exponent {v}: the library expects integers")
        out.append(int(v))
    return out


def require_reducing_tc(term, tr):
    # The cp0 terms are written in T = Tc / tau; their Tc must be the reducing temperature.
    if abs(term["Tc"] - tr) > 1e-9 * tr:
        raise SystemExit(f"{term['type']} with Tc {term['Tc']} != reducing T {tr}")


def ideal_terms(alpha0, tr):
    out = []
    for term in alpha0:
        kind = term["type"]
        if kind == "IdealGasHelmholtzLead":
            out.append({"type": "lead", "a1": term["a1"], "a2": term["a2"]})
        elif kind == "IdealGasHelmholtzLogTau":
            out.append({"type": "logTau", "a": term["a"]})
        elif kind == "IdealGasHelmholtzPower":
            out.append({"type": "power", "n": term["n"], "t": term["t"]})
        elif kind == "IdealGasHelmholtzPlanckEinstein":
            out.append({"type": "planckEinstein", "n": term["n"], "t": term["t"]})
        elif kind == "IdealGasHelmholtzCP0PolyT":
            require_reducing_tc(term, tr)
            out.append({"type": "cp0PolyT", "c": term["c"], "t": term["t"], "T0": term["T0"]})
        elif kind == "IdealGasHelmholtzCP0Constant":
            # A constant cp0/R is the exponent-0 term of the cp0 polynomial, integrated from the
            # same T0: the library evaluates it as such.
            require_reducing_tc(term, tr)
            out.append({"type": "cp0PolyT", "c": [term["cp_over_R"]], "t": [0], "T0": term["T0"]})
        elif kind == "IdealGasHelmholtzEnthalpyEntropyOffset":
            continue
        else:
            raise SystemExit(f"unsupported ideal-gas term {kind}")
    return out


def residual_terms(alphar):
    out = []
    for term in alphar:
        kind = term["type"]
        if kind in ("ResidualHelmholtzPower", "ResidualHelmholtzLemmon2005"):
            entry = {
                "type": "power",
                "n": term["n"],
                "d": integers(term["d"], "d"),
                "t": term["t"],
                "l": integers(term["l"], "l"),
            }
            if "m" in term:
                entry["m"] = term["m"]
            out.append(entry)
        elif kind == "ResidualHelmholtzGaussian":
            out.append({
                "type": "gaussian",
                "n": term["n"],
                "d": integers(term["d"], "d"),
                "t": term["t"],
                "eta": term["eta"],
                "epsilon": term["epsilon"],
                "beta": term["beta"],
                "gamma": term["gamma"],
            })
        else:
            raise SystemExit(f"unsupported residual term {kind}")
    return out


def expansions(items, scale):
    return [{"Tmin": e["xmin"], "Tmax": e["xmax"], "coef": [c / scale for c in e["coef"]]} for e in items]


def chebyshev_at_upper_end(coef):
    # T_k(1) = 1 for every k.
    return sum(coef)


def convert(source, name, reference, extrapolation):
    data = json.loads(source.read_text())
    eos = data["EOS"][0]
    reducing = eos["STATES"]["reducing"]
    sa = eos["SUPERANCILLARY"]
    meta = sa["meta"]
    p_items = sa["jexpansions_p"]
    limits = {"Ttriple": eos["Ttriple"], "Tmax": eos["T_max"], "pMax": eos["p_max"] / PA_PER_KPA}
    if extrapolation is not None:
        if extrapolation <= eos["T_max"]:
            raise SystemExit(f"{name}: extrapolation limit {extrapolation} K not above T_max {eos['T_max']} K")
        limits["TmaxExtrapolated"] = extrapolation
    return {
        "name": name,
        "source": f"{source.name}, EOS {eos['BibTeX_EOS']}",
        "molarMass": eos["molar_mass"] * 1000.0,
        "gasConstant": eos["gas_constant"],
        "reducing": {"T": reducing["T"], "rho": reducing["rhomolar"] / MOLM3_PER_MOLDM3},
        "critical": {
            "T": meta["Tcrittrue / K"],
            "rho": meta["rhocrittrue / mol/m^3"] / MOLM3_PER_MOLDM3,
            "p": chebyshev_at_upper_end(p_items[-1]["coef"]) / PA_PER_KPA,
        },
        "limits": limits,
        "defaultReference": reference,
        "alpha0": ideal_terms(eos["alpha0"], reducing["T"]),
        "alphar": residual_terms(eos["alphar"]),
        "superancillary": {
            "p": expansions(p_items, PA_PER_KPA),
            "rhoL": expansions(sa["jexpansions_rhoL"], MOLM3_PER_MOLDM3),
            "rhoV": expansions(sa["jexpansions_rhoV"], MOLM3_PER_MOLDM3),
        },
    }


def dump(fluid):
    """Indented JSON with every list of numbers on one line, so the files stay readable."""
    text = json.dumps(fluid, indent=1)
    return re.sub(r"\[[^\[\]{}]*\]", lambda m: " ".join(m.group(0).split()), text)


def main():
    if len(sys.argv) > 3:
        raise SystemExit(__doc__)
    source_dir = Path(sys.argv[1]) if len(sys.argv) > 1 else DEFAULT_SOURCE
    target_dir = Path(sys.argv[2]) if len(sys.argv) > 2 else DEFAULT_TARGET
    target_dir.mkdir(parents=True, exist_ok=True)
    for source, target, name, reference, extrapolation in FLUIDS:
        fluid = convert(source_dir / source, name, reference, extrapolation)
        (target_dir / target).write_text(dump(fluid) + "\n")


if __name__ == "__main__":
    main()
