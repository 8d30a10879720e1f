#!/usr/bin/env python3
"""Reads include/varnelle.h and every file in bindings/ and checks that each binding
declares all 22 functions of the header with the header's number of arguments, every
constant with the header's value, and the records' fields in the header's order.

The VB module must do so in each of its three branches (VBA7 64-bit, VBA7 32-bit, VB6);
the C# file in every overload.
"""
import argparse
import importlib.util
import pathlib
import re
import sys

failures = []


def fail(message):
    failures.append(message)
    print("FAIL:", message)


def count(params, separator):
    params = params.strip()
    return 0 if params in ("", "void") else len(params.split(separator))


def strip_c_comments(text):
    return re.sub(r"/\*.*?\*/", "", text, flags=re.S)


def header_interface(path):
    text = strip_c_comments(path.read_text())
    functions = {m.group(1): count(m.group(2), ",")
                 for m in re.finditer(r"VARNELLE_API\s[^;(]*?WINAPI\s+(\w+)\s*\(([^)]*)\)", text)}
    constants = {m.group(1): int(m.group(2), 0) for m in re.finditer(r"#define\s+(VARNELLE_\w+)\s+(0x[0-9A-Fa-f]+|\d+)", text)}
    records = {}
    for m in re.finditer(r"typedef struct (\w+)\s*\{(.*?)\}", text, re.S):
        records[m.group(1)] = re.findall(r"(\w+)\s*;", m.group(2))
    return functions, constants, records


def compare(binding, found, expected, what):
    """found: {name: [argument counts of each declaration]}."""
    for name, arguments in expected.items():
        counts = found.get(name)
        if not counts:
            fail(f"{binding}: {what} does not declare {name}")
        elif any(c != arguments for c in counts):
            fail(f"{binding}: {what} declares {name} with {counts} arguments, the header {arguments}")
    for name in sorted(set(found) - set(expected)):
        fail(f"{binding}: {what} declares {name}, which the header does not")


def check_values(binding, found, expected):
    for name, value in expected.items():
        if found.get(name) != value:
            fail(f"{binding}: constant {name} is {found.get(name)}, the header says {value}")


def check_fields(binding, record, fields, expected):
    if fields != expected:
        fail(f"{binding}: {record} has the fields {fields}, the header {expected}")


def grouped(pairs):
    found = {}
    for name, arguments in pairs:
        found.setdefault(name, []).append(arguments)
    return found


def record_fields(text, start_pattern, end_pattern, field_pattern):
    match = re.search(start_pattern + r"(.*?)" + end_pattern, text, re.S | re.M)
    return re.findall(field_pattern, match.group(1), re.M) if match else None


def check_csharp(path, functions, constants, records):
    text = path.read_text()
    compare(path.name, grouped((m.group(1), count(m.group(2), ","))
                               for m in re.finditer(r"static extern [\w\[\]]+ (\w+)\(([^)]*)\);", text)),
            functions, "the class")
    check_values(path.name, {m.group(1): int(m.group(2), 0)
                             for m in re.finditer(r"const int (\w+) = (0x[0-9A-F]+);", text)}, constants)
    for record, expected in records.items():
        fields = record_fields(text, rf"public struct {record}\s*\{{", r"\n    \}", r"public [\w\[\]]+ (\w+);")
        check_fields(path.name, record, fields, expected)


def check_pascal(path, functions, constants, records):
    text = path.read_text()
    compare(path.name, grouped((m.group(1), count(m.group(2) or "", ";"))
                               for m in re.finditer(r"^function (\w+)(?:\(([^)]*)\))?: \w+; stdcall; external VarnelleLibrary;",
                                                    text, re.M)),
            functions, "the unit")
    if "VarnelleLibrary = 'Varnelle.dll';" not in text:
        fail(f"{path.name}: the functions are not imported from 'Varnelle.dll'")
    check_values(path.name, {m.group(1): int(m.group(2), 16)
                             for m in re.finditer(r"^  (VARNELLE_\w+) = \$([0-9A-F]+);", text, re.M)}, constants)
    names = {"CTRL_STRUCT": "TCtrlStruct", "MenuIconEntry": "TMenuIconEntry"}
    for record, expected in records.items():
        fields = record_fields(text, rf"  {names[record]} = record\n", r"\n  end;", r"^    (\w+): ")
        check_fields(path.name, record, fields, expected)


def check_vb(path, functions, constants, records):
    text = path.read_bytes().decode()
    if "\r\n" not in text:
        fail(f"{path.name}: not CRLF text, as VB expects")
    text = text.replace("\r\n", "\n")
    # The three branches, split at the conditional-compilation lines that separate them.
    vba7 = re.search(r"^#If VBA7 Then\n#If Win64 Then\n(.*?)^#Else\n(.*?)^#End If\n^#Else\n(.*?)^#End If", text, re.S | re.M)
    if not vba7:
        fail(f"{path.name}: no VBA7 / Win64 / VB6 branches")
        return
    for branch, body in zip(("VBA7 64-bit", "VBA7 32-bit", "VB6"), vba7.groups()):
        safe = "" if branch == "VB6" else "PtrSafe "
        compare(path.name, grouped((m.group(1), count(m.group(2), ","))
                                   for m in re.finditer(rf'^Public Declare {safe}Function (\w+) Lib "Varnelle\.dll" \(([^)]*)\)',
                                                        body, re.M)),
                functions, branch)
        for record, expected in records.items():
            fields = record_fields(body, rf"^Public Type {record}\n", r"\nEnd Type", r"^    (\w+) As ")
            check_fields(path.name, f"{record} ({branch})", fields, expected)
    check_values(path.name, {m.group(1): int(m.group(2), 16)
                             for m in re.finditer(r"^Public Const (VARNELLE_\w+) As Long = &H([0-9A-F]+)", text, re.M)},
                 constants)


def check_python(path, functions, constants, records):
    spec = importlib.util.spec_from_file_location("varnelle_binding", path)
    module = importlib.util.module_from_spec(spec)
    spec.loader.exec_module(module)
    compare(path.name, {name: [len(arguments)] for name, (_, arguments, _) in module.PROTOTYPES.items()},
            functions, "PROTOTYPES")
    check_values(path.name, {name: getattr(module, name) for name in dir(module) if name.startswith("VARNELLE_")},
                 constants)
    for record, expected in records.items():
        structure = getattr(module, record, None)
        check_fields(path.name, record, [name for name, _ in structure._fields_] if structure else None, expected)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--header", required=True, type=pathlib.Path)
    parser.add_argument("--bindings", required=True, type=pathlib.Path)
    args = parser.parse_args()
    functions, constants, records = header_interface(args.header)
    if len(functions) != 22:
        fail(f"read {len(functions)} functions from the header, expected 22")
    records = {name: fields for name, fields in records.items() if name in ("CTRL_STRUCT", "MenuIconEntry")}
    checks = {"csharp/Varnelle.cs": check_csharp, "pascal/Varnelle.pas": check_pascal,
              "vb/Varnelle.bas": check_vb, "python/varnelle.py": check_python}
    for relative, check in checks.items():
        path = args.bindings / relative
        if path.is_file():
            check(path, functions, constants, records)
        else:
            fail(f"no binding {relative}")
    print(f"{len(checks)} bindings against {len(functions)} functions, {len(constants)} constants, "
          f"{len(records)} records: {'FAILED' if failures else 'passed'}")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
