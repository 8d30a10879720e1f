#!/usr/bin/env python3
"""Imports bindings/python/varnelle.py and checks its records against the header's layouts
in this interpreter's width, and the helpers that unpack CreateFillBmp's result."""
import ctypes
import pathlib
import sys

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parents[2] / "bindings" / "python"))
import varnelle  # noqa: E402

OFFSETS = {  # field: (32-bit offset, 64-bit offset)
    "hIcon": (0, 0), "hIconHover": (4, 8), "dwFlat": (8, 16), "dwIconAlign": (12, 20), "dwEdge": (16, 24),
    "crTextHover": (20, 28), "crTextPressed": (24, 32), "crText": (28, 36), "hFont": (32, 40),
    "hFontHover": (36, 48), "hCursorHover": (40, 56), "pSoundHover": (44, 64), "hBmp": (48, 72),
    "hBmpHover": (52, 80), "hBmpPressed": (56, 88),
}
passed = failed = 0


def expect(actual, expected, what):
    global passed, failed
    if actual == expected:
        passed += 1
    else:
        failed += 1
        print(f"FAILED: {what} is {actual}, expected {expected}")


wide = ctypes.sizeof(ctypes.c_void_p) == 8
expect(ctypes.sizeof(varnelle.CTRL_STRUCT), 96 if wide else 60, "sizeof(CTRL_STRUCT)")
for field, offsets in OFFSETS.items():
    expect(getattr(varnelle.CTRL_STRUCT, field).offset, offsets[wide], f"offset of {field}")
expect(ctypes.sizeof(varnelle.MenuIconEntry), 8, "sizeof(MenuIconEntry)")
expect(varnelle.MenuIconEntry.imageIndex.offset, 4, "offset of imageIndex")
expect(varnelle.fill_bmp_plain(0xFFFFFFFE00001234), 0x1234, "fill_bmp_plain")
expect(varnelle.fill_bmp_highlighted(0xFFFFFFFE00001234), -2, "fill_bmp_highlighted (sign-extended)")
expect(len(varnelle.PROTOTYPES), 22, "number of prototypes")
print(f"python: {passed} passed, {failed} failed")
sys.exit(1 if failed else 0)
