/*
 * An application's view of the shipped library: varnelle.h, an import library and
 * Varnelle.dll, every export called once through the import table. It uses no C runtime,
 * so an MSVC-style toolchain without runtime libraries links it too (entry point
 * ConsumerEntry). Prints a line per failed check and "consumer: N passed, N failed"; the
 * exit code is the number failed.
 */
#include <windows.h>
#include "varnelle.h"

static int passed;
static int failed;

static void Write(const char *text)
{
    DWORD length = 0, written;
    while (text[length])
        ++length;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text, length, &written, NULL);
}

static void WriteNumber(int number)
{
    char digits[12];
    int at = sizeof digits - 1;
    digits[at] = 0;
    do {
        digits[--at] = (char)('0' + number % 10);
        number /= 10;
    } while (number > 0 && at > 0);
    Write(digits + at);
}

static void Check(int condition, const char *what)
{
    if (condition) {
        ++passed;
    } else {
        ++failed;
        Write("FAILED: ");
        Write(what);
        Write("\n");
    }
}

static int WINAPI BandPainter(HMENU menu, HDC dc, RECT *rect)
{
    (void)menu, (void)dc, (void)rect;
    return 20;
}

static int RunChecks(void)
{
    RECT small = {0, 0, 8, 6};
    unsigned __int64 pair;
    HBITMAP plain, highlighted;
    MenuIconEntry entry = {1, 0};
    int previous;

    Check(LightenColor(128, 0) == 0x808080, "LightenColor(128, black)");
    Check(DarkenColor(128, 0xFFFFFF) == 0x7F7F7F, "DarkenColor(128, white)");
    Check(MixedColor(0xFFFFFF, 0) == 0xDBDBDB, "MixedColor(white, black)");
    Check(MidColor(0xFFFFFF, 0) == 0xB3B3B3, "MidColor(white, black)");
    Check((GetXpHighlightColor() >> 24) == 0, "GetXpHighlightColor has a zero top byte");
    Check(GrayColor(0x808080) == 128, "GrayColor(gray 128)");
    Check(NumColorBits() > 0, "NumColorBits");

    Check(Gradient_Fill(NULL, &small, 0, 0xFFFFFF, 1) == 0, "Gradient_Fill without a DC");
    Check(!DrawGradient(NULL, &small, 0, 0xFFFFFF, 1), "DrawGradient without a DC");
    Check(DrawIcn(NULL, &small, NULL, 3, 0) != 0, "DrawIcn without a DC");
    Check(DrawIcnRect(NULL, &small, NULL, 0, 0) != 0, "DrawIcnRect without a DC");
    Check(DrawDDB(NULL, &small, NULL) != 0, "DrawDDB without a DC");

    /* Both halves of the 64-bit result, highlighted bitmap requested. */
    pair = CreateFillBmp(1, &small, 10, 50, 0, 0);
    plain = VarnelleFillBmpPlain(pair);
    highlighted = VarnelleFillBmpHighlighted(pair);
    Check(GetObjectType(plain) == OBJ_BITMAP, "CreateFillBmp's plain bitmap");
    Check(GetObjectType(highlighted) == OBJ_BITMAP, "CreateFillBmp's highlighted bitmap");
    DeleteObject(plain);
    DeleteObject(highlighted);

    Check(RedrawMenu(NULL, NULL, 2) == 0, "RedrawMenu without a window");
    Check(GetStyleMenu(NULL) == 0, "GetStyleMenu without a menu");
    previous = SetDisableSelect(0);
    Check(SetDisableSelect(previous) == 0, "SetDisableSelect returns the previous flag");
    Check(SetMenuItemIcon(NULL, 1, NULL) == 0, "SetMenuItemIcon without a menu");
    Check(SetMenuIcon(NULL, NULL, 1, &entry) == 0, "SetMenuIcon without a menu");
    Check(AddLeftBorder(NULL, BandPainter, 1) == 0, "AddLeftBorder without a menu");
    Check(RemoveLeftBorder(NULL) == 0, "RemoveLeftBorder without a menu");
    Check(RedrawButton(NULL, NULL) == 0, "RedrawButton without a window");
    Check(SetColorMode(7) == VARNELLE_COLORS_SYSTEM, "SetColorMode out of range keeps the system colours");

    Write("consumer: ");
    WriteNumber(passed);
    Write(" passed, ");
    WriteNumber(failed);
    Write(" failed\n");
    return failed;
}

#ifdef VARNELLE_CONSUMER_NO_CRT
void __cdecl ConsumerEntry(void)
{
    ExitProcess((UINT)RunChecks());
}
#else
int main(void)
{
    return RunChecks();
}
#endif
