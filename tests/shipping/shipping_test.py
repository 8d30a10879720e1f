#!/usr/bin/env python3
"""Checks what ships: the install tree, the zip archive and programs built against them.

  install   lay out the install tree of a build in a fresh folder
  layout    the tree holds every file; the DLL is stripped, names its debug file and
            carries the project version; both import libraries name all 22 exports
  package   the zip archive CPack makes holds exactly the install tree
  mingw     the consumer program configured with find_package against the tree, built with
            the build's own toolchain
  msvc      the consumer program compiled by clang in MSVC mode and linked by lld-link
            against lib/Varnelle.lib, with MSVC-format system import libraries and no C
            runtime

Both consumers must import exactly the 22 undecorated names from Varnelle.dll; with --run
they run under Wine and must pass all their checks.
"""
import argparse
import pathlib
import re
import shutil
import struct
import subprocess
import sys
import zipfile
import zlib

HERE = pathlib.Path(__file__).resolve().parent
ROOT = HERE.parent.parent
sys.path.insert(0, str(ROOT / "tests" / "abi"))
from check_abi import EXPORT_TABLE, debuglink  # noqa: E402  EXPORT_TABLE: name -> stdcall argument bytes

CONSUMER_CHECKS = 23
# System functions the consumer calls, with their stdcall argument bytes.
SYSTEM_IMPORTS = {
    "KERNEL32.dll": {"ExitProcess": 4, "GetStdHandle": 4, "WriteFile": 20},
    "GDI32.dll": {"DeleteObject": 4, "GetObjectType": 4},
}
INSTALLED_FILES = [
    "bin/Varnelle.dll",
    "include/varnelle.h",
    "lib/libVarnelle.dll.a",
    "lib/Varnelle.lib",
    "lib/varnelle.def",
    "lib/cmake/Varnelle/VarnelleConfig.cmake",
    "lib/cmake/Varnelle/VarnelleConfigVersion.cmake",
    "README.md",
    "LICENSE",
    "docs/using.md",
    "docs/behaviour.md",
    "docs/gallery/menu-style2-open-xp.png",
    "bindings/csharp/Varnelle.cs",
    "bindings/pascal/Varnelle.pas",
    "bindings/vb/Varnelle.bas",
    "bindings/python/varnelle.py",
    "bin/varnelle-preview.exe",
    "bin/varnelle-preview-helper.dll",
    "samples/varnelle_preview/preview_helper.cpp",
]
# What the preview's helper may import in the program it is loaded into: no C runtime.
PREVIEW_HELPER_IMPORTS = {"KERNEL32.DLL", "USER32.DLL", "GDI32.DLL"}

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)
        print("FAIL:", message)
    return condition


def run(*command, **options):
    print("+", " ".join(str(part) for part in command), flush=True)
    return subprocess.run([str(part) for part in command], check=True, capture_output=True, text=True,
                          **options).stdout


def fresh(folder):
    folder = pathlib.Path(folder)
    shutil.rmtree(folder, ignore_errors=True)
    folder.mkdir(parents=True)
    return folder


def imported_names(objdump, exe):
    """{DLL name (upper case): [imported names]} from the program's import table."""
    imports, current = {}, None
    for line in run(objdump, "-p", exe).splitlines():
        match = re.match(r"\s*DLL Name: (\S+)", line)
        if match:
            current = imports.setdefault(match.group(1).upper(), [])
            continue
        match = re.match(r"\s+[0-9a-f]+\s+(\d+)\s+(\S+)$", line)
        if current is not None and match:
            current.append(match.group(2))
        elif current is not None and not line.strip():
            current = None
    return imports


def check_consumer(exe, objdump, run_it, wine_run):
    names = sorted(imported_names(objdump, exe).get("VARNELLE.DLL", []))
    check(names == sorted(EXPORT_TABLE), f"{exe.name} imports from Varnelle.dll {names}, expected the {len(EXPORT_TABLE)} exports")
    if not run_it:
        return
    result = subprocess.run([str(wine_run), str(exe)], capture_output=True, text=True, cwd=exe.parent)
    print(result.stdout, end="")
    expected = f"consumer: {CONSUMER_CHECKS} passed, 0 failed"
    check(result.returncode == 0 and expected in result.stdout,
          f"{exe.name} exited {result.returncode}; expected the line '{expected}'")


def version_resource(dll):
    """(file version, product version, file type, {string name: value}) of the DLL."""
    data = pathlib.Path(dll).read_bytes()
    at = data.find(struct.pack("<I", 0xFEEF04BD))
    if at < 0:
        return None
    fields = struct.unpack_from("<13I", data, at)
    def words(high, low):
        return (high >> 16, high & 0xFFFF, low >> 16, low & 0xFFFF)
    strings = {}
    for key in ("FileDescription", "FileVersion", "ProductName", "ProductVersion", "OriginalFilename"):
        encoded = (key + "\0").encode("utf-16-le")
        start = data.find(encoded, at)
        if start < 0:
            continue
        value_length = struct.unpack_from("<H", data, start - 4)[0]
        value_at = (start + len(encoded) + 3) & ~3
        strings[key] = data[value_at:value_at + 2 * value_length].decode("utf-16-le").rstrip("\0")
    return words(fields[2], fields[3]), words(fields[4], fields[5]), fields[9], strings


def check_preview(prefix, args):
    """The preview tool of the tree: its helper needs nothing but system DLLs, exports its
    one entry, and the tool finds the helper and the DLL beside itself."""
    helper = prefix / "bin" / "varnelle-preview-helper.dll"
    if not helper.is_file():
        return
    imports = set(imported_names(args.objdump, helper))
    check(imports <= PREVIEW_HELPER_IMPORTS, f"the preview helper imports {sorted(imports - PREVIEW_HELPER_IMPORTS)}")
    exports = run(args.objdump, "-p", helper)
    check(re.search(r"\]\s+PreviewStart\b", exports) is not None, "the preview helper does not export PreviewStart")
    if not args.run:
        return
    result = subprocess.run([str(ROOT / "scripts" / "wine-run"), str(prefix / "bin" / "varnelle-preview.exe"),
                             "no-such-program.exe"], capture_output=True, text=True)
    output = result.stdout + result.stderr  # wine-run gives the program's output on stdout
    check(result.returncode == 2 and "cannot find the program no-such-program.exe" in output,
          f"the installed varnelle-preview did not get as far as looking for the program: {output.strip()}")


def command_install(args):
    prefix = fresh(args.prefix)
    run("cmake", "--install", args.build, "--prefix", prefix)


def command_layout(args):
    prefix = pathlib.Path(args.prefix)
    for name in INSTALLED_FILES:
        check((prefix / name).is_file(), f"the install tree has no {name}")
    dll = prefix / "bin" / "Varnelle.dll"
    if not dll.is_file():
        return
    symbols = subprocess.run([args.nm, str(dll)], capture_output=True, text=True)
    check(not symbols.stdout.strip(), "the installed DLL still has a symbol table")
    link = debuglink(args.objdump, dll)
    debug_file = pathlib.Path(args.build) / "Varnelle.dll.debug"
    if check(link is not None, "the installed DLL names no debug file (.gnu_debuglink)"):
        check(link[0] == "Varnelle.dll.debug", f"the DLL names the debug file {link[0]}")
        if check(debug_file.is_file(), f"the build keeps no {debug_file}"):
            check(link[1] == zlib.crc32(debug_file.read_bytes()), "the debug file's checksum differs from the DLL's link")
            entry = "_DllEntry@12" if args.width == 32 else "DllEntry"
            check(entry in run(args.nm, debug_file), f"the debug file has no symbol {entry}")

    version = tuple(int(part) for part in args.version.split(".")) + (0,)
    resource = version_resource(dll)
    if check(resource is not None, "the DLL has no version resource"):
        file_version, product_version, file_type, strings = resource
        check(file_version == version, f"file version {file_version}, expected {version}")
        check(product_version == version, f"product version {product_version}, expected {version}")
        check(file_type == 2, f"file type {file_type}, expected 2 (a DLL)")
        for key in ("FileVersion", "ProductVersion"):
            check(strings.get(key) == args.version, f"{key} string {strings.get(key)!r}, expected {args.version}")
        check(bool(strings.get("FileDescription")), "the version resource has no FileDescription")
        check(strings.get("OriginalFilename") == "Varnelle.dll", "OriginalFilename is not Varnelle.dll")

    check_preview(prefix, args)

    for library in ("libVarnelle.dll.a", "Varnelle.lib"):
        path = prefix / "lib" / library
        if not path.is_file():
            continue
        defined = set(run(args.nm, "--defined-only", path).split())
        for name, size in EXPORT_TABLE.items():
            symbol = f"__imp__{name}@{size}" if args.width == 32 else f"__imp_{name}"
            check(symbol in defined, f"{library} does not define {symbol}")


def command_package(args):
    work = fresh(args.work)
    run("cpack", "--config", pathlib.Path(args.build) / "CPackConfig.cmake", "-B", work)
    top = f"varnelle-{args.version}-win{args.width}"
    archive = work / f"{top}.zip"
    if not check(archive.is_file(), f"cpack wrote no {archive.name}"):
        return
    with zipfile.ZipFile(archive) as zipped:
        packed = sorted(name for name in zipped.namelist() if not name.endswith("/"))
    prefix = pathlib.Path(args.prefix)
    installed = sorted(f"{top}/{path.relative_to(prefix).as_posix()}" for path in prefix.rglob("*") if path.is_file())
    check(packed == installed, f"the archive differs from the install tree: only packed "
          f"{sorted(set(packed) - set(installed))}, only installed {sorted(set(installed) - set(packed))}")


def command_mingw(args):
    work = fresh(args.work)
    run("cmake", "-S", ROOT / "tests" / "consumer", "-B", work, "-G", "Ninja",
        f"-DCMAKE_TOOLCHAIN_FILE={args.toolchain}", f"-DCMAKE_PREFIX_PATH={pathlib.Path(args.prefix).resolve()}",
        "-DCMAKE_BUILD_TYPE=Release")
    run("cmake", "--build", work)
    check_consumer(work / "consumer.exe", args.objdump, args.run, ROOT / "scripts" / "wine-run")


def command_msvc(args):
    work = fresh(args.work)
    prefix = pathlib.Path(args.prefix).resolve()
    arch, machine = ("i686", "i386") if args.width == 32 else ("x86_64", "i386:x86-64")
    libraries = [prefix / "lib" / "Varnelle.lib"]
    for dll, functions in SYSTEM_IMPORTS.items():
        stem = dll.split(".")[0].lower()
        lines = [f"LIBRARY {dll}", "EXPORTS"]
        lines += [f"    {name}@{size}" if args.width == 32 else f"    {name}" for name, size in functions.items()]
        (work / f"{stem}.def").write_text("\n".join(lines) + "\n")
        run(args.dlltool, "-m", machine, *(["-k"] if args.width == 32 else []),
            "-d", work / f"{stem}.def", "-l", work / f"{stem}.lib")
        libraries.append(work / f"{stem}.lib")
    # The mingw-w64 headers stand in for the Windows SDK: they expect GCC's predefined
    # macros, which clang in MSVC mode does not give without these.
    target = f"--target={arch}-pc-windows-msvc"
    headers = ["-fgnuc-version=4.2.1", "-isystem", f"/usr/{arch}-w64-mingw32/include"]
    if args.width == 32:
        headers.append("-D_X86_")
    run(args.clang, target, *headers, "-I", prefix / "include", "-DVARNELLE_CONSUMER_NO_CRT", "-fno-builtin",
        "-O2", "-Wall", "-Werror", "-c", ROOT / "tests" / "consumer" / "consumer.c", "-o", work / "consumer.obj")
    exe = work / "consumer.exe"
    run(args.clang, target, "-fuse-ld=lld", "-nostdlib", "-Wl,/entry:ConsumerEntry", "-Wl,/subsystem:console",
        work / "consumer.obj", *libraries, "-o", exe)
    shutil.copy(prefix / "bin" / "Varnelle.dll", work)
    check_consumer(exe, args.objdump, args.run, ROOT / "scripts" / "wine-run")


def main():
    parser = argparse.ArgumentParser()
    commands = parser.add_subparsers(dest="command", required=True)
    for name in ("install", "layout", "package", "mingw", "msvc"):
        sub = commands.add_parser(name)
        sub.add_argument("--prefix", required=True, help="the install tree")
        sub.add_argument("--build", help="the build tree")
        sub.add_argument("--work", help="a folder of the test's own")
        sub.add_argument("--width", type=int, choices=(32, 64))
        sub.add_argument("--version")
        sub.add_argument("--objdump")
        sub.add_argument("--nm")
        sub.add_argument("--toolchain")
        sub.add_argument("--clang", default="clang")
        sub.add_argument("--dlltool", default="llvm-dlltool")
        sub.add_argument("--run", action="store_true", help="run the program under Wine")
    args = parser.parse_args()
    globals()[f"command_{args.command}"](args)
    print(f"{args.command}: {'FAILED' if failures else 'passed'}")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
