// Pictures the sample and the gallery draw with: small icons drawn from code (so the
// programs need no resource files), the band and separator callbacks they hand to the
// menus, and the hover sound of the sample's buttons.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <vector>

namespace sample_art {

// The header of a top-down 32-bit DIB of width x height (no colour table).
BITMAPINFO TopDown32Info(int width, int height);

enum class Icon { Page, Folder, Disk, Scissors, Copy, Paste, Toolbar, Help, Palette, Star, Count };

// A 16 x 16 icon with a transparent mask; the caller destroys it with DestroyIcon.
HICON MakeIcon(Icon icon);

// An image list of every Icon, in enumeration order (for SetMenuIcon).
HIMAGELIST MakeImageList();

// A face bitmap for a skinned button: a vertical gradient from `top` to `bottom` with a
// one-pixel rim, `width` x `height`; the caller deletes it.
HBITMAP MakeFaceBitmap(int width, int height, COLORREF top, COLORREF bottom);

// The left border band: a vertical gradient in the highlight colour with the product name
// written bottom to top (a SeparatorCallback).
int WINAPI PaintBand(HMENU menu, HDC dc, RECT* rect);

// A separator painted by the application: a dotted line fading into the menu colour.
int WINAPI PaintDottedSeparator(HMENU menu, HDC dc, RECT* rect);

// Appends a separator painted by PaintDottedSeparator. Items are found by command
// identifier when they are measured and painted, so it takes an identifier of its own:
// with 0 it would be taken for the band, whose identifier is 0.
void AppendPaintedSeparator(HMENU menu, UINT id);

// A complete WAVE file image of a short soft click, 8 kHz mono 8-bit.
std::vector<unsigned char> MakeClickSound();

} // namespace sample_art
