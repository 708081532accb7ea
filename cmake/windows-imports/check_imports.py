#!/usr/bin/env python3
"""Fails when a Windows program imports a function that the oldest Windows it claims lacks.

check_imports.py --objdump OBJDUMP --oldest xp-sp3|vista PROGRAM.exe...

Reads each program's import table and subsystem version (objdump -p) and holds every import
against oldest-windows.tsv beside this script: the function must be listed, and the Windows it
needs must be no newer than the oldest claimed; the subsystem version must be one that Windows
loads. Names each offending function.
"""
import argparse
import os
import re
import subprocess
import sys

ORDER = ["nt4", "2000", "xp", "xp-sp3", "vista", "7", "8", "8.1", "10"]
NAMES = {"nt4": "Windows NT 4.0", "2000": "Windows 2000", "xp": "Windows XP",
         "xp-sp3": "Windows XP SP3", "vista": "Windows Vista", "7": "Windows 7",
         "8": "Windows 8", "8.1": "Windows 8.1", "10": "Windows 10", "x64": "64-bit Windows"}
SUBSYSTEM = {"xp-sp3": (5, 1), "vista": (6, 0)}
X64_CLAIMS = {"vista"}  # what the 64-bit programs claim
TABLE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "oldest-windows.tsv")


def read_table(path):
    table = {}
    with open(path, encoding="utf-8") as rows:
        for line in rows:
            if line.startswith("#") or not line.strip():
                continue
            dll, function, oldest, source = line.rstrip("\n").split("\t")
            table[(dll.lower(), function)] = (oldest, source)
    return table


def read_program(objdump, program):
    """The program's imports as (dll, function) and its subsystem version."""
    text = subprocess.run([objdump, "-p", program], check=True, capture_output=True,
                          text=True).stdout
    major = int(re.search(r"^MajorSubsystemVersion\s+(\d+)", text, re.M).group(1))
    minor = int(re.search(r"^MinorSubsystemVersion\s+(\d+)", text, re.M).group(1))
    imports, dll = [], None
    for line in text.splitlines():
        named = re.match(r"\s*DLL Name: (\S+)", line)
        if named:
            dll = named.group(1).lower()
            continue
        entry = re.match(r"\t[0-9a-f]+\t\s*\d+\s+(\S+)$", line)
        if entry and dll:
            imports.append((dll, entry.group(1)))
    return imports, (major, minor)


def supported(oldest, claimed):
    if oldest == "x64":  # in every 64-bit Windows and no 32-bit one
        return claimed in X64_CLAIMS
    return ORDER.index(oldest) <= ORDER.index(claimed)


def check(objdump, claimed, programs, table):
    faults, count = [], 0
    for program in programs:
        name = os.path.basename(program)
        imports, subsystem = read_program(objdump, program)
        if subsystem > SUBSYSTEM[claimed]:
            faults.append(f"{name}: subsystem version {subsystem[0]}.{subsystem[1]}, which "
                          f"{NAMES[claimed]} refuses to load")
        for dll, function in imports:
            count += 1
            row = table.get((dll, function))
            if row is None:
                faults.append(f"{name} imports {function} from {dll}, which {TABLE} does not "
                              "list: add it with the minimum supported client of its "
                              "documentation")
            elif not supported(row[0], claimed):
                faults.append(f"{name} imports {function} from {dll}, which {NAMES[claimed]} "
                              f"lacks: it needs {NAMES[row[0]]} ({row[1]})")
    return faults, count


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--objdump", required=True)
    parser.add_argument("--oldest", required=True, choices=sorted(SUBSYSTEM))
    parser.add_argument("programs", nargs="+")
    args = parser.parse_args()
    faults, count = check(args.objdump, args.oldest, args.programs, read_table(TABLE))
    for fault in faults:
        print(fault, file=sys.stderr)
    if faults:
        return 1
    print(f"{len(args.programs)} programs, {count} imports: all in {NAMES[args.oldest]} "
          "and later")
    return 0


if __name__ == "__main__":
    sys.exit(main())
