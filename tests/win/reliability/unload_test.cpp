// An application that calls FreeLibrary while its windows are still hooked: once the
// library has hooked a window it stays loaded for the rest of the process, so the windows
// keep working to their end; a library that never hooked a window unloads as usual.
#include "reliability/host_testing.h"
#include "varnelle.h"

#include <gtest/gtest.h>

#include <string>

using namespace host_testing;
using namespace testing_support;

namespace {

using RedrawMenuFunction = int(WINAPI*)(HWND, HMENU, int);
using RedrawButtonFunction = BOOL(WINAPI*)(HWND, const CTRL_STRUCT*);

// A private copy of the DLL under its own name: the copy the test executable imports can
// never be unloaded, this one can.
class LoadedCopy {
public:
    explicit LoadedCopy(const char* name) : name_(name)
    {
        // In the temporary folder: the build folder may be read-only (the emulated guest).
        char path[MAX_PATH] = {};
        GetModuleFileNameA(GetModuleHandleA("Varnelle.dll"), path, MAX_PATH);
        char folder[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, folder);
        std::string copy = std::string(folder) + name;
        CopyFileA(path, copy.c_str(), FALSE);
        module_ = LoadLibraryA(copy.c_str());
    }
    HMODULE module() const { return module_; }
    template <typename Function>
    Function get(const char* export_) const
    {
        return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module_, export_)));
    }
    bool loaded() const { return GetModuleHandleA(name_) != nullptr; }

private:
    const char* name_;
    HMODULE module_;
};


} // namespace

TEST(UnloadWhileHooked, AMenuWindowKeepsWorkingAfterFreeLibrary)
{
    ASSERT_EQ(GetStyleMenu(nullptr), 0); // the executable's own copy is loaded and stays
    for (int style : {0, 2}) {
        SCOPED_TRACE(style);
        LoadedCopy library(style == 0 ? "VarnelleUnloadMenu0.dll" : "VarnelleUnloadMenu2.dll");
        ASSERT_NE(library.module(), nullptr);
        auto redrawMenu = library.get<RedrawMenuFunction>("RedrawMenu");
        ASSERT_NE(redrawMenu, nullptr);
        HWND hwnd = MakeHostWindow(false);
        FileBar menu;
        HMENU popup = menu.file;
        SetMenu(hwnd, menu.bar);
        ASSERT_EQ(redrawMenu(hwnd, menu.bar, style), 1);

        FreeLibrary(library.module());
        EXPECT_TRUE(library.loaded());
        // Messages, the menu loop and a repaint run the library's procedure.
        SendMessageA(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Still here"));
        measureItemsSeen = 0;
        TrackMenu(hwnd, popup);
        if (style != 0)
            EXPECT_GE(measureItemsSeen, 2);
        RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
        PumpMessages(30);
        EXPECT_TRUE(library.loaded());

        DestroyWindow(hwnd);
        PumpMessages(50);
        // Pinned: even a second FreeLibrary leaves it in place.
        FreeLibrary(library.module());
        EXPECT_TRUE(library.loaded());
    }
}

// Loaded and freed without ever hooking a window, the library leaves the process.
TEST(UnloadWhileHooked, ALibraryThatNeverHookedAWindowUnloads)
{
    LoadedCopy library("VarnelleUnloadUnused.dll");
    ASSERT_NE(library.module(), nullptr);
    auto redrawMenu = library.get<RedrawMenuFunction>("RedrawMenu");
    ASSERT_NE(redrawMenu, nullptr);
    EXPECT_EQ(redrawMenu(nullptr, nullptr, 1), 0);
    FreeLibrary(library.module());
    EXPECT_FALSE(library.loaded());
}

TEST(UnloadWhileHooked, ButtonsAndTheirParentKeepWorkingAfterFreeLibrary)
{
    LoadedCopy library("VarnelleUnloadButton.dll");
    ASSERT_NE(library.module(), nullptr);
    auto redrawButton = library.get<RedrawButtonFunction>("RedrawButton");
    ASSERT_NE(redrawButton, nullptr);
    HWND parent = MakeHostWindow(false);
    HWND button = MakePushButton(parent, 5);
    CTRL_STRUCT record = {};
    record.dwEdge = 1;
    ASSERT_TRUE(redrawButton(button, &record));
    // The skin comes off again, but the parent stays hooked for other buttons.
    ASSERT_TRUE(redrawButton(button, nullptr));
    ASSERT_TRUE(redrawButton(button, &record));

    FreeLibrary(library.module());
    EXPECT_TRUE(library.loaded());
    SendMessageA(button, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    RedrawWindow(parent, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    SendMessageA(button, WM_MOUSELEAVE, 0, 0);
    SendMessageA(button, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(3, 3));
    ReleaseCapture();
    PumpMessages(30);
    EXPECT_TRUE(library.loaded());

    DestroyWindow(button); // the parent still carries the library's procedure
    PumpMessages(100);
    EXPECT_TRUE(library.loaded());
    DestroyWindow(parent);
    EXPECT_TRUE(library.loaded());
}

namespace {

WNDPROC partyBelow = nullptr;
LRESULT CALLBACK PartyAbove(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return CallWindowProcA(partyBelow, window, message, wParam, lParam);
}

} // namespace

// With another party's procedure on top the menu hook stays in the chain until the
// window's last message, which the library still handles.
TEST(UnloadWhileHooked, APassThroughHookWorksToTheLastMessageAfterFreeLibrary)
{
    LoadedCopy library("VarnelleUnloadPassThrough.dll");
    auto redrawMenu = library.get<RedrawMenuFunction>("RedrawMenu");
    ASSERT_NE(redrawMenu, nullptr);
    HWND hwnd = MakeHostWindow(false);
    FileBar menu;
    HMENU popup = menu.file;
    SetMenu(hwnd, menu.bar);
    ASSERT_EQ(redrawMenu(hwnd, menu.bar, 1), 1);
    partyBelow = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(PartyAbove)));
    FreeLibrary(library.module());
    bool loadedAtNcDestroy = false;
    onMessage = [&](HWND, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (message == WM_NCDESTROY)
            loadedAtNcDestroy = library.loaded();
        return std::nullopt;
    };
    DestroyWindow(hwnd);
    onMessage = nullptr;
    EXPECT_TRUE(loadedAtNcDestroy);
    EXPECT_TRUE(library.loaded());
}
