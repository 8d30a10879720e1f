#!/usr/bin/env python3
"""A real program skinned through varnelle-preview, used as a person would use it.

  preview_test.py --build BUILD --program notepad.exe --style N [--buttons]
                  [--lang ru_RU.UTF-8] --work FOLDER

Starts the program under Wine in the given locale through varnelle-preview.exe (with
--report, so the program itself tells where its menu items are and what they say), opens
every enabled menu of the menu bar with the mouse (xdotool), takes the screen
(ImageMagick's import) while the menu is open and closes the menu again. Then:
  - every enabled text item on the screen shows its own label (preview_check compare: the
    label drawn with DrawTextW in the menu font has the screen's inked pixels),
  - the program is alive afterwards (its window answers), and
  - it closes normally when asked, and varnelle-preview ends with its exit code 0.
The system's menu font is given the character set of a Western installation (ANSI_CHARSET,
--menu-charset) for the run and then its own again: a Wine prefix made in a Russian locale
has RUSSIAN_CHARSET, whose code page is the Russian program's ANSI code page, and text that
went through the ANSI code page would then come out right by chance. Screens, reports and
failure pictures stay in FOLDER. Needs DISPLAY (an Xvfb display
without a window manager, as scripts/test and scripts/dev-test give), xdotool, ImageMagick
and the locale (scripts/install-deps --for test).
"""
import argparse
import os
import pathlib
import shutil
import subprocess
import sys
import time

ROOT = pathlib.Path(__file__).resolve().parent.parent.parent
WINE_RUN = ROOT / "scripts" / "wine-run"
MFS_DISABLED = 0x3
MFT_SEPARATOR_OR_BITMAP = 0x800 | 0x4

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)
        print("FAIL:", message, flush=True)
    return condition


def windows_path(path):
    """Wine sees the Unix root as drive Z:."""
    return "Z:" + str(path).replace("/", "\\")


def unescape(field):
    out, i = [], 0
    while i < len(field):
        if field[i] == "\\" and i + 1 < len(field):
            out.append({"s": " ", "t": "\t", "n": "\n", "r": "\r"}.get(field[i + 1], field[i + 1]))
            i += 2
        else:
            out.append(field[i])
            i += 1
    return "".join(out)


def read_report(path):
    """The report's lines as lists of fields, or None while it is missing or incomplete."""
    try:
        lines = [line.split(" ") for line in path.read_text(encoding="utf-8").splitlines() if line]
    except (OSError, UnicodeDecodeError):
        return None
    if not lines or lines[0] != ["varnelle-preview-report", "1"] or lines[-1][0] != "end":
        return None
    return lines


def field(report, kind):
    return next((line for line in report if line[0] == kind), None)


def sequence(report):
    return int(field(report, "sequence")[1])


def bar_items(report):
    items = []
    for line in report:
        if line[0] != "bar":
            continue
        position, item_type, state, popup = (int(value) for value in line[1:5])
        left, top, right, bottom = (int(value) for value in line[5:9])
        items.append({"position": position, "type": item_type, "state": state, "popup": popup,
                      "rect": (left, top, right, bottom), "label": unescape(line[9]) if len(line) > 9 else ""})
    return items


def open_bar_positions(report):
    return [int(line[2]) for line in report if line[0] == "open"]


def wait_for(what, condition, timeout, launcher=None):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        result = condition()
        if result:
            return result
        if launcher is not None and launcher.poll() is not None:
            check(False, f"varnelle-preview ended (exit code {launcher.returncode}) while waiting for {what}")
            return None
        time.sleep(0.1)
    check(False, f"timed out after {timeout} s waiting for {what}")
    return None


def run(command, env, **options):
    print("+", " ".join(str(part) for part in command), flush=True)
    return subprocess.run([str(part) for part in command], env=env, capture_output=True, text=True, **options)


def click(x, y):
    subprocess.run(["xdotool", "mousemove", str(x), str(y), "click", "1"], check=True)


def centre(rect):
    left, top, right, bottom = rect
    return (left + right) // 2, (top + bottom) // 2


def take_screen(png, bmp):
    subprocess.run(["import", "-window", "root", str(png)], check=True)
    subprocess.run(["convert", str(png), f"BMP3:{bmp}"], check=True)


def open_every_menu(report_path, launcher, work, env, check_program):
    """Opens each enabled popup of the menu bar by clicking its title; returns the screens."""
    report = wait_for("the first report", lambda: read_report(report_path), 60, launcher)
    if not report:
        return None, []
    skinned = field(report, "skinned")
    check(skinned is not None and skinned[2] == "1", f"RedrawMenu did not take the menu bar: {skinned}")
    menus = [item for item in bar_items(report)
             if item["popup"] and not item["state"] & MFS_DISABLED and not item["type"] & MFT_SEPARATOR_OR_BITMAP]
    check(len(menus) > 0, "the menu bar has no enabled menu to open")
    screens = []
    for item in menus:
        before = sequence(report)
        x, y = centre(item["rect"])
        print(f"opening menu bar item {item['position']} {item['label']!r} at ({x}, {y})", flush=True)
        click(x, y)
        opened = wait_for(f"the menu {item['label']!r} to open and go idle",
                          lambda: (lambda r: r if r and sequence(r) > before and
                                   item["position"] in open_bar_positions(r) else None)(read_report(report_path)),
                          15, launcher)
        if not opened:
            return report, screens
        time.sleep(0.5)  # Wine shows what the menu painted on its next flush
        index = len(screens)
        png, bmp, copy = work / f"screen-{index}.png", work / f"screen-{index}.bmp", work / f"report-{index}.txt"
        take_screen(png, bmp)
        shutil.copy(report_path, copy)
        screens.append((item["label"], png, bmp, copy))
        before = sequence(opened)
        click(x, y)  # the title again closes the menu
        report = wait_for(f"the menu {item['label']!r} to close",
                          lambda: (lambda r: r if r and sequence(r) > before and not open_bar_positions(r) else None)(
                              read_report(report_path)), 15, launcher)
        if not report:
            return opened, screens
    return report, screens


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--build", required=True, type=pathlib.Path)
    parser.add_argument("--program", required=True)
    parser.add_argument("--style", required=True, type=int)
    parser.add_argument("--buttons", action="store_true")
    parser.add_argument("--lang", default="ru_RU.UTF-8")
    parser.add_argument("--work", required=True, type=pathlib.Path)
    parser.add_argument("--menu-charset", type=int, default=0, help="0: ANSI_CHARSET")
    args = parser.parse_args()

    for tool in ("xdotool", "import", "convert"):
        if not shutil.which(tool):
            print(f"preview_test: {tool} is missing (scripts/install-deps --for test)")
            return 1
    if not os.environ.get("DISPLAY"):
        print("preview_test: no DISPLAY; run under scripts/test or scripts/dev-test")
        return 1
    locales = subprocess.run(["locale", "-a"], capture_output=True, text=True).stdout.lower().split()
    if args.lang.lower().replace("utf-8", "utf8") not in locales:
        print(f"preview_test: the locale {args.lang} is not generated, so Wine would fall back to English "
              "(scripts/install-deps --for test generates it)")
        return 1

    work = args.work
    shutil.rmtree(work, ignore_errors=True)
    work.mkdir(parents=True)
    report_path = work / "report.txt"
    env = dict(os.environ, LANG=args.lang, LC_ALL=args.lang)
    env.setdefault("WINEPREFIX", str(args.build / "wineprefix"))
    check_program = args.build / "preview_check.exe"
    pinned = run([WINE_RUN, check_program, "menu-charset", args.menu_charset], env)
    if not check(pinned.returncode == 0 and pinned.stdout.startswith("previous "),
                 f"could not set the menu font's character set: {pinned.stdout}"):
        return 1
    previous_charset = pinned.stdout.split()[1]
    command = [WINE_RUN, args.build / "varnelle-preview.exe", args.program, "--style", str(args.style),
               "--report", windows_path(report_path)] + (["--buttons"] if args.buttons else [])
    print("+", " ".join(str(part) for part in command), flush=True)
    launcher_output = open(work / "varnelle-preview.log", "w+")
    launcher = subprocess.Popen([str(part) for part in command], env=env, stdout=launcher_output,
                                stderr=subprocess.STDOUT)
    window, screens = None, []
    try:
        report, screens = open_every_menu(report_path, launcher, work, env, check_program)
        if report:
            window = field(report, "window")[1]
        for label, png, bmp, copy in screens:
            compare = [WINE_RUN, check_program, "compare", windows_path(copy), windows_path(bmp),
                       "--pictures", windows_path(work)]
            result = run(compare, env)
            if result.returncode != 0 and not result.stdout:
                # The checker never got to compare (a Wine start-up failure on a loaded
                # machine, seen once): say what it printed and run it once more.
                print(f"preview_check exited with {result.returncode} before comparing: {result.stderr}", flush=True)
                result = run(compare, env)
            print(result.stdout, end="", flush=True)
            if result.returncode != 0:
                print(result.stderr, end="", flush=True)
            check(result.returncode == 0, f"the menu {label!r} does not show its own labels (screen {png.name})")
        if window:
            result = run([WINE_RUN, check_program, "alive", window], env)
            print(result.stdout, end="")
            check(result.returncode == 0 and launcher.poll() is None,
                  "the program is not alive after its menus were opened")
    finally:
        if window:
            closed = run([WINE_RUN, check_program, "close", window], env)
            print(closed.stdout, end="")
            check(closed.returncode == 0, "the program did not close when its window was asked to")
        try:
            launcher.wait(timeout=30)
        except subprocess.TimeoutExpired:
            launcher.kill()
            launcher.wait()
        run([WINE_RUN, check_program, "menu-charset", previous_charset], env)
        launcher_output.seek(0)
        print(launcher_output.read(), end="")
        launcher_output.close()
    check(launcher.returncode == 0, f"varnelle-preview exited with {launcher.returncode}; the program should "
                                    "have closed normally (exit code 0)")
    for picture in sorted(work.glob("*-mismatch-*.bmp")):
        subprocess.run(["convert", str(picture), str(picture.with_suffix(".png"))])
    name = f"{args.program} style {args.style}{' with buttons' if args.buttons else ''} in {args.lang}"
    print(f"preview_test: {name}: {len(screens) if window else 0} menus opened; "
          f"{'FAILED' if failures else 'passed'} (pictures in {work})")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
