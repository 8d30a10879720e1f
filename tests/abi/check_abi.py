#!/usr/bin/env python3
"""Checks Varnelle.dll's binary interface against the library's export table.

- every export of the DLL is a name of the table, undecorated, at its ordinal (1..21 in
  the alphabetical order of the first exports, later ones appended from 22), and the DLL
  exports exactly the names of the module-definition file;
- the DLL imports only USER32, GDI32, KERNEL32, COMCTL32, MSIMG32 and WINMM;
- in the 32-bit build every export is defined as a stdcall symbol _Name@bytes with the
  argument byte count of its row;
- the DLL's entry point is the library's own module entry (no C runtime start-up); a
  stripped DLL's symbols are read from the debug file its .gnu_debuglink section names.
With --require-all the table must be complete.
"""
import argparse
import pathlib
import re
import struct
import subprocess
import sys

# name: argument bytes (4 per 32-bit argument)
EXPORT_TABLE = {
    "AddLeftBorder": 12,
    "CreateFillBmp": 24,
    "DarkenColor": 8,
    "DrawDDB": 12,
    "DrawGradient": 20,
    "DrawIcn": 20,
    "DrawIcnRect": 20,
    "GetStyleMenu": 4,
    "GetXpHighlightColor": 0,
    "Gradient_Fill": 20,
    "GrayColor": 4,
    "LightenColor": 8,
    "MidColor": 8,
    "MixedColor": 8,
    "NumColorBits": 0,
    "RedrawButton": 8,
    "RedrawMenu": 12,
    "RemoveLeftBorder": 4,
    "SetDisableSelect": 4,
    "SetMenuIcon": 16,
    "SetMenuItemIcon": 12,
}
# Appended after the first 21, in the order they came: an ordinal never changes.
LATER_EXPORTS = [("SetColorMode", 4)]
ORDINALS = {name: index + 1 for index, name in enumerate(sorted(EXPORT_TABLE))}
for name, arguments in LATER_EXPORTS:
    ORDINALS[name] = len(ORDINALS) + 1
    EXPORT_TABLE[name] = arguments
ALLOWED_IMPORTS = {"USER32.DLL", "GDI32.DLL", "KERNEL32.DLL", "COMCTL32.DLL", "MSIMG32.DLL", "WINMM.DLL"}

failures = []


def fail(message):
    failures.append(message)
    print("FAIL:", message)


def run(*command):
    return subprocess.run(command, check=True, capture_output=True, text=True).stdout


def def_file_exports(path):
    exports = {}
    in_exports = False
    for raw in pathlib.Path(path).read_text().splitlines():
        line = raw.split(";", 1)[0].strip()
        if not line:
            continue
        if line.upper() == "EXPORTS":
            in_exports = True
            continue
        if in_exports:
            match = re.fullmatch(r"(\w+)\s+@(\d+)", line)
            if not match:
                fail(f"unexpected line in the .def file: {raw!r}")
                continue
            exports[match.group(1)] = int(match.group(2))
    return exports


def dll_exports(objdump, dll):
    """Returns ({name: ordinal}, [ordinals in the address table], {imported DLL names}, entry RVA)."""
    text = run(objdump, "-p", dll)
    base_match = re.search(r"Ordinal Base\s+(\d+)", text)
    base = int(base_match.group(1)) if base_match else 1
    names = {}
    table = re.search(r"\[Ordinal/Name Pointer\] Table\n(.*?)(?:\n\s*\n|\Z)", text, re.S)
    if table:
        for line in table.group(1).splitlines():
            match = re.match(r"\s*\[\s*(\d+)\]\s+(\S+)\s*$", line)
            if match:
                names[match.group(2)] = int(match.group(1)) + base
    addresses = [int(m.group(1)) for m in re.finditer(r"\+base\[\s*(\d+)\]", text)]
    imports = set(m.upper() for m in re.findall(r"DLL Name: (\S+)", text))
    entry = re.search(r"AddressOfEntryPoint\s+([0-9a-fA-F]+)", text)
    image_base = re.search(r"ImageBase\s+([0-9a-fA-F]+)", text)
    entry_address = int(entry.group(1), 16) + int(image_base.group(1), 16) if entry and image_base else None
    relocations = re.search(r"Entry 5 [0-9a-fA-F]+ ([0-9a-fA-F]+) Base Relocation", text)
    has_relocations = bool(relocations and int(relocations.group(1), 16) > 0)
    return names, addresses, imports, entry_address, has_relocations


def debuglink(objdump, dll):
    """(file name, CRC) recorded in the DLL's .gnu_debuglink section, or None."""
    dump = subprocess.run([objdump, "-s", "-j", ".gnu_debuglink", str(dll)], capture_output=True, text=True).stdout
    raw = b""
    for line in dump.splitlines():
        match = re.match(r"\s[0-9a-f]{4,} ((?:[0-9a-f]{2,8} ?)+)", line)
        if match:
            raw += bytes.fromhex(match.group(1).replace(" ", ""))
    if b"\0" not in raw:
        return None
    name = raw[:raw.index(b"\0")].decode()
    crc_at = (len(name) + 1 + 3) & ~3
    return name, struct.unpack_from("<I", raw, crc_at)[0]


def symbol_file(objdump, dll):
    link = debuglink(objdump, dll)
    return pathlib.Path(dll).parent / link[0] if link else dll


def symbol_address(nm, dll, symbol):
    for line in run(nm, dll).splitlines():
        parts = line.split()
        if len(parts) == 3 and parts[2] == symbol:
            return int(parts[0], 16)
    return None


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--dll", required=True)
    parser.add_argument("--def", dest="deffile", required=True)
    parser.add_argument("--objects", required=True, nargs="+", help="the library's object files")
    parser.add_argument("--objdump", required=True)
    parser.add_argument("--nm", required=True)
    parser.add_argument("--width", type=int, required=True)
    parser.add_argument("--require-all", action="store_true")
    args = parser.parse_args()

    declared = def_file_exports(args.deffile)
    for name, ordinal in declared.items():
        if name not in EXPORT_TABLE:
            fail(f".def exports {name}, which is not in the export table")
        elif ordinal != ORDINALS[name]:
            fail(f".def gives {name} ordinal {ordinal}, the table says {ORDINALS[name]}")
    if args.require_all:
        for name in EXPORT_TABLE:
            if name not in declared:
                fail(f"{name} is not exported")

    exports, addresses, imports, entry_address, has_relocations = dll_exports(args.objdump, args.dll)
    for name, ordinal in exports.items():
        if name not in declared:
            fail(f"the DLL exports {name}, which the .def file does not name")
        elif ordinal != declared[name]:
            fail(f"the DLL exports {name} at ordinal {ordinal}, expected {declared[name]}")
    for name in declared:
        if name not in exports:
            fail(f"the DLL does not export {name}")
    unnamed = sorted(set(addresses) - set(exports.values()))
    if unnamed:
        fail(f"the DLL exports ordinals without names: {unnamed}")
    for imported in sorted(imports - ALLOWED_IMPORTS):
        fail(f"the DLL imports {imported}")
    entry_symbol = "_DllEntry@12" if args.width == 32 else "DllEntry"
    entry_symbol_address = symbol_address(args.nm, symbol_file(args.objdump, args.dll), entry_symbol)
    if entry_address is None or entry_symbol_address is None or entry_address != entry_symbol_address:
        fail(f"the entry point is not the library's own {entry_symbol}")
    if args.width == 32 and not has_relocations:
        fail("the 32-bit DLL has no base relocations, so it cannot be loaded at another address")

    objects = args.objects
    missing = [obj for obj in objects if not pathlib.Path(obj).is_file()]
    if missing:
        fail(f"object files not found: {missing}")
        objects = [obj for obj in objects if obj not in missing]
    defined = set()
    for obj in objects:
        for line in run(args.nm, "-g", "--defined-only", str(obj)).splitlines():
            parts = line.split()
            if len(parts) == 3 and parts[1] == "T":
                defined.add(parts[2])
    for name in declared:
        expected = f"_{name}@{EXPORT_TABLE[name]}" if args.width == 32 else name
        if expected not in defined:
            fail(f"{name} is not defined as {expected} in the {args.width}-bit objects")
        if args.width == 32:
            wrong = [s for s in defined if re.fullmatch(rf"_{name}(@\d+)?", s) and s != expected]
            for symbol in wrong:
                fail(f"{name} is also defined as {symbol}")

    print(f"checked {len(declared)} of {len(EXPORT_TABLE)} exports, {len(imports)} imported DLLs: "
          f"{', '.join(sorted(imports))}")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
