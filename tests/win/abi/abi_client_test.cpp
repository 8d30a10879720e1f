// A client that loads Varnelle.dll at run time, finds every export by name and by
// ordinal, and calls it with harmless arguments, as a language that declares DLL
// functions by name would.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

namespace {

struct ExportRow {
    const char* name;
    WORD ordinal;
    std::function<void(FARPROC)> call;
};

template <typename Signature>
Signature As(FARPROC procedure)
{
    return reinterpret_cast<Signature>(reinterpret_cast<void*>(procedure));
}

using U = uintptr_t;

const ExportRow kExports[] = {
    {"AddLeftBorder", 1, [](FARPROC p) { EXPECT_EQ(As<int(WINAPI*)(HMENU, void*, int)>(p)(nullptr, nullptr, 1), 0); }},
    {"CreateFillBmp", 2,
     [](FARPROC p) {
         RECT empty = {0, 0, 0, 0};
         EXPECT_EQ(As<uint64_t(WINAPI*)(int, const RECT*, int, int, int, COLORREF)>(p)(1, &empty, 10, 0, 0, 0), 0u);
     }},
    {"DarkenColor", 3, [](FARPROC p) { EXPECT_EQ(As<COLORREF(WINAPI*)(int, COLORREF)>(p)(128, 0xFFFFFF), 0x7F7F7Fu); }},
    {"DrawDDB", 4, [](FARPROC p) { As<BOOL(WINAPI*)(HDC, const RECT*, HBITMAP)>(p)(nullptr, nullptr, nullptr); }},
    {"DrawGradient", 5,
     [](FARPROC p) { As<BOOL(WINAPI*)(HDC, const RECT*, COLORREF, COLORREF, int)>(p)(nullptr, nullptr, 0, 0, 1); }},
    {"DrawIcn", 6, [](FARPROC p) { As<BOOL(WINAPI*)(HDC, const RECT*, HICON, int, int)>(p)(nullptr, nullptr, nullptr, 3, 0); }},
    {"DrawIcnRect", 7,
     [](FARPROC p) { As<BOOL(WINAPI*)(HDC, const RECT*, HICON, int, int)>(p)(nullptr, nullptr, nullptr, 0, 0); }},
    {"GetStyleMenu", 8, [](FARPROC p) { EXPECT_EQ(As<int(WINAPI*)(HMENU)>(p)(nullptr), 0); }},
    {"GetXpHighlightColor", 9, [](FARPROC p) { EXPECT_EQ(As<COLORREF(WINAPI*)()>(p)() >> 24, 0u); }},
    {"Gradient_Fill", 10,
     [](FARPROC p) { EXPECT_EQ((As<int(WINAPI*)(HDC, const RECT*, COLORREF, COLORREF, int)>(p)(nullptr, nullptr, 0, 0, 0)), 0); }},
    {"GrayColor", 11, [](FARPROC p) { EXPECT_EQ(As<int(WINAPI*)(COLORREF)>(p)(0x808080), 128); }},
    {"LightenColor", 12, [](FARPROC p) { EXPECT_EQ(As<COLORREF(WINAPI*)(int, COLORREF)>(p)(128, 0), 0x808080u); }},
    {"MidColor", 13, [](FARPROC p) { EXPECT_EQ(As<COLORREF(WINAPI*)(COLORREF, COLORREF)>(p)(0xFFFFFF, 0), 0xB3B3B3u); }},
    {"MixedColor", 14, [](FARPROC p) { EXPECT_EQ(As<COLORREF(WINAPI*)(COLORREF, COLORREF)>(p)(0xFFFFFF, 0), 0xDBDBDBu); }},
    {"NumColorBits", 15, [](FARPROC p) { EXPECT_GT(As<int(WINAPI*)()>(p)(), 0); }},
    {"RedrawButton", 16, [](FARPROC p) { EXPECT_EQ(As<BOOL(WINAPI*)(HWND, const void*)>(p)(nullptr, nullptr), 0); }},
    {"RedrawMenu", 17, [](FARPROC p) { EXPECT_EQ(As<int(WINAPI*)(HWND, HMENU, int)>(p)(nullptr, nullptr, 2), 0); }},
    {"RemoveLeftBorder", 18, [](FARPROC p) { EXPECT_EQ(As<int(WINAPI*)(HMENU)>(p)(nullptr), 0); }},
    {"SetDisableSelect", 19,
     [](FARPROC p) {
         auto set = As<int(WINAPI*)(int)>(p);
         int previous = set(1);
         EXPECT_EQ(set(previous), 1);
     }},
    {"SetMenuIcon", 20,
     [](FARPROC p) { As<int(WINAPI*)(HMENU, void*, int, const void*)>(p)(nullptr, nullptr, 0, nullptr); }},
    {"SetMenuItemIcon", 21, [](FARPROC p) { EXPECT_EQ(As<int(WINAPI*)(HMENU, UINT, HICON)>(p)(nullptr, 1, nullptr), 0); }},
    // Out of range: the current mode back, nothing changed.
    {"SetColorMode", 22, [](FARPROC p) { EXPECT_EQ(As<DWORD(WINAPI*)(DWORD)>(p)(0xFFFFFFFF), 0u); }},
};

} // namespace

TEST(AbiClient, EveryExportByNameAndByOrdinal)
{
    HMODULE library = LoadLibraryA("Varnelle.dll");
    ASSERT_NE(library, nullptr);
    int present = 0;
    for (const ExportRow& row : kExports) {
        SCOPED_TRACE(row.name);
        FARPROC byName = GetProcAddress(library, row.name);
        FARPROC byOrdinal = GetProcAddress(library, MAKEINTRESOURCEA(row.ordinal));
        EXPECT_EQ(byName, byOrdinal);
        if (!byName)
            continue;
        ++present;
        row.call(byName);
    }
    EXPECT_EQ(present, 22);
    EXPECT_TRUE(FreeLibrary(library));
}

static DWORD WINAPI ReturnSeven(void*)
{
    return 7;
}

TEST(AbiClient, LoadingAndUnloadingRunsNoCode)
{
    // The entry point does nothing, so the library can be loaded and freed at will,
    // also from another thread.
    for (int i = 0; i < 20; ++i) {
        HMODULE library = LoadLibraryA("Varnelle.dll");
        ASSERT_NE(library, nullptr);
        EXPECT_TRUE(FreeLibrary(library));
    }
    HANDLE thread = CreateThread(nullptr, 0, ReturnSeven, nullptr, 0, nullptr);
    WaitForSingleObject(thread, 5000);
    DWORD code = 0;
    GetExitCodeThread(thread, &code);
    CloseHandle(thread);
    EXPECT_EQ(code, 7u);
}
