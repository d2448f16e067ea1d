#!/usr/bin/env python3
"""Turns a compressor map in CSV form (as in data/maps) into a DOS compressor table (.tab).

CSV lines: "refrigerant,NAME", "units,English|SI", "evaporating,T1,T2,...", "capacity,TC,V1,V2,..." and
"power,TC,V1,V2,..."; lines starting with "#" are comments. The table has the layout that Velutra's
table export writes and its import reads, with CR LF line ends. The refrigerant is printed on stdout,
since the table itself has no place for it.
"""
import csv
import sys


def read_map(path):
    rows = {"capacity": [], "power": []}
    refrigerant, english, evaporating = "", True, []
    with open(path, newline="", encoding="utf-8") as f:
        for fields in csv.reader(line for line in f if line.strip() and not line.startswith("#")):
            key, values = fields[0].strip(), [v.strip() for v in fields[1:]]
            if key == "refrigerant":
                refrigerant = values[0]
            elif key == "units":
                english = values[0].lower() == "english"
            elif key == "evaporating":
                evaporating = [float(v) for v in values]
            elif key in rows:
                rows[key].append((float(values[0]), [float(v) for v in values[1:]]))
            else:
                sys.exit(f"{path}: unknown line kind {key!r}")
    if not evaporating or not rows["capacity"] or len(rows["capacity"]) != len(rows["power"]):
        sys.exit(f"{path}: needs an evaporating line and as many capacity rows as power rows")
    if len(evaporating) > 8:
        sys.exit(f"{path}: at most 8 evaporating temperatures fit in a table")
    for _, values in rows["capacity"] + rows["power"]:
        if len(values) != len(evaporating):
            sys.exit(f"{path}: every row needs one value per evaporating temperature")
    return refrigerant, english, evaporating, rows


def table_lines(english, evaporating, rows):
    unit = "F" if english else "C"
    heading = f"COND TEMP, {unit}            EVAPORATING TEMPERATURE, {unit}"
    axis = " " * 9 + "".join(f"{int(t):12d}" for t in evaporating)

    def block(kind):
        return [heading, axis] + [f"{int(tc):10d}" + "".join(f"{v:12.1f}" for v in values) for tc, values in rows[kind]]

    return [
        "Manufacturer, Model, Description",
        "",
        "   0.0        MASS FLOW AT STANDARD RATING POINT (not used)",
        f"     {len(evaporating)}        NUMBER OF DATA POINTS ALONG EVAPORATING TEMPERATURE AXIS",
        f"     {len(rows['capacity'])}        NUMBER OF DATAPOINTS ALONG CONDENSING TEMPERATURE AXIS",
        "     1        COMPRESSOR TYPE (not used)",
        f"     {1 if english else 2}        UNITS FOR CAPACITY, TEMPERATURE DATA, AND MASS FLOW",
        "              (1 - BTU/HR, DEG F, LB/HR; 2 - KCAL/HR, DEG C, KG/HR)",
        "              POWER DATA MUST BE IN WATTS",
        "",
        "                        CAPACITY DATA, " + ("BTU/HR" if english else "KCAL/HR"),
        "",
        *block("capacity"),
        "",
        "",
        "                        COMPRESSOR POWER, WATTS",
        "",
        *block("power"),
    ]


def main():
    if len(sys.argv) != 3:
        sys.exit("usage: csv-to-tab.py MAP.csv OUT.tab")
    refrigerant, english, evaporating, rows = read_map(sys.argv[1])
    with open(sys.argv[2], "w", newline="", encoding="ascii") as out:
        out.write("".join(line + "\r\n" for line in table_lines(english, evaporating, rows)))
    print(refrigerant)


if __name__ == "__main__":
    main()
