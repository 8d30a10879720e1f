#!/usr/bin/env python3
"""Compiles a binding with its language's compiler together with a small check program and
runs the program on this host (which checks the records' layout in the host's width).

  compile_and_run.py csharp WORK    mcs (mono's C# compiler), then mono
  compile_and_run.py pascal WORK    fpc; the program does not call the DLL, so an empty
                                    library stands in for Varnelle.dll when linking
"""
import pathlib
import shutil
import subprocess
import sys

ROOT = pathlib.Path(__file__).resolve().parents[2]
HERE = ROOT / "tests" / "bindings"


def run(*command, cwd):
    print("+", " ".join(str(part) for part in command), flush=True)
    return subprocess.run([str(part) for part in command], cwd=cwd).returncode == 0


def csharp(work):
    exe = work / "SizeCheck.exe"
    return (run("mcs", "-warnaserror", "-nologo", f"-out:{exe}", ROOT / "bindings" / "csharp" / "Varnelle.cs",
                HERE / "SizeCheck.cs", cwd=work)
            and run("mono", exe, cwd=work))


def pascal(work):
    # The unit alone, warnings as errors, then the check program.
    if not run("fpc", "-Sew", "-vewn", f"-FU{work}", ROOT / "bindings" / "pascal" / "Varnelle.pas", cwd=work):
        return False
    run("ar", "rc", work / "libVarnelle.dll.a", cwd=work)
    return (run("fpc", "-vew", f"-FU{work}", f"-FE{work}", f"-Fl{work}", f"-Fu{ROOT / 'bindings' / 'pascal'}",
                HERE / "size_check.pas", cwd=work)
            and run(work / "size_check", cwd=work))


def main():
    language, work = sys.argv[1], pathlib.Path(sys.argv[2])
    shutil.rmtree(work, ignore_errors=True)
    work.mkdir(parents=True)
    return 0 if {"csharp": csharp, "pascal": pascal}[language](work) else 1


if __name__ == "__main__":
    sys.exit(main())
