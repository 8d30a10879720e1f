#!/usr/bin/env python3
"""varnelle-preview given what is not a window with a menu bar: it says why and ends with
the documented exit code (2: nothing was started; 3: the program gave nothing to skin),
or, with --buttons and push buttons but no menu bar, skins the buttons alone.

  preview_refusals.py --build BUILD --work FOLDER
"""
import argparse
import pathlib
import shutil
import subprocess
import sys

from preview_test import WINE_RUN, windows_path

failures = []


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--build", required=True, type=pathlib.Path)
    parser.add_argument("--work", required=True, type=pathlib.Path)
    args = parser.parse_args()
    work = args.work
    shutil.rmtree(work, ignore_errors=True)
    work.mkdir(parents=True)
    tool = args.build / "varnelle-preview.exe"
    target = windows_path(args.build / "preview_target.exe")
    text = work / "text.exe"
    text.write_text("not a program\n")
    lonely = work / "lonely"
    lonely.mkdir()
    shutil.copy(tool, lonely)
    thirty_two = work / "thirty-two.exe"
    subprocess.run(["i686-w64-mingw32-gcc", "-mwindows", "-x", "c", "-", "-o", str(thirty_two)], check=True,
                   input="#include <windows.h>\nint WINAPI WinMain(HINSTANCE i, HINSTANCE p, LPSTR c, int s) "
                         "{ return 0; }\n", text=True)

    # name, the tool, its arguments, exit code, words its output must hold
    cases = [
        ("no program", tool, [], 2, "no program given"),
        ("help", tool, ["--help"], 0, "A development tool"),
        ("a style out of range", tool, ["notepad.exe", "--style", "7"], 2, "the style is a number from 0 to 3"),
        ("an unknown option", tool, ["notepad.exe", "--colour"], 2, "unknown option --colour"),
        ("a program that is not there", tool, ["no-such-program.exe"], 2,
         "cannot find the program no-such-program.exe"),
        ("a console program", tool, ["reg.exe"], 2, "is a console program"),
        ("a file that is no program", tool, [windows_path(text)], 2, "is not a Windows program"),
        ("a program of the other width", tool, [windows_path(thirty_two)], 2, "is not a 64-bit program"),
        ("the helper not beside the tool", lonely / tool.name, ["notepad.exe"], 2,
         "varnelle-preview-helper.dll (it belongs beside varnelle-preview.exe)"),
        ("a program that ends at once", tool, [target, "--", "exit", "7"], 3,
         "the program ended (exit code 7) before it showed a window"),
        ("a window without a menu bar", tool, [target, "--", "plain", "3000"], 3,
         "has no menu bar, so there is nothing to skin"),
        ("push buttons without a menu bar", tool, [target, "--buttons", "--", "plain", "3000"], 0,
         "no menu bar, 1 push button skinned"),
    ]
    for name, program, arguments, code, words in cases:
        result = subprocess.run([str(WINE_RUN), str(program)] + arguments, capture_output=True, text=True,
                                timeout=120)
        output = result.stdout + result.stderr
        right = result.returncode == code and words in output
        print(f"{'ok  ' if right else 'FAIL'} {name}: exit code {result.returncode}"
              f"{'' if right else f', expected {code} and the words {words!r}'}")
        lines = output.strip().splitlines()
        for line in lines if not right else lines[:1]:
            print("     " + line)
        if not right:
            failures.append(name)
    print(f"preview_refusals: {len(cases) - len(failures)} passed, {len(failures)} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
