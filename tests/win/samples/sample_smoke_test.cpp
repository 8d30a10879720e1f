// The sample application: every menu style chosen through its own View menu in the
// system's menu loop, every background and the grayed-item switch through its commands,
// closed, with no GDI object left behind; and the program itself started and closed.
#include <gtest/gtest.h>

#include <string>

#include "common/test_support.h"
#include "sample_window.h"
#include "varnelle.h"

using namespace testing_support;

namespace {

HINSTANCE Instance()
{
    return GetModuleHandleA(nullptr);
}

// Should the keys not reach the loop, the menu is closed rather than left open for good.
void CALLBACK CloseMenu(HWND window, UINT, UINT_PTR id, DWORD)
{
    KillTimer(window, id);
    EndMenu();
}

// Alt+V, down to Menu Style (the first item), right into its submenu, down to the style,
// Enter: the menu loop itself sends the WM_COMMAND, painting the popups on the way in the
// style chosen before.
void ChooseStyleThroughTheMenu(HWND window, int style)
{
    SetForegroundWindow(window);
    PostMessageA(window, WM_SYSCOMMAND, SC_KEYMENU, 'v');
    PostMessageA(window, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageA(window, WM_KEYDOWN, VK_RIGHT, 0);
    for (int i = 0; i < style; ++i)
        PostMessageA(window, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageA(window, WM_KEYDOWN, VK_RETURN, 0);
    SetTimer(window, 77, 3000, CloseMenu);
    PumpMessages(300);
    KillTimer(window, 77);
}

void RunEveryCommand(HWND window)
{
    for (int style : {0, 1, 2, 3, 2}) {
        ChooseStyleThroughTheMenu(window, style);
        EXPECT_EQ(sample::SampleMenuStyle(window), style);
        EXPECT_EQ(GetStyleMenu(GetMenu(window)), style);
    }
    for (UINT id = sample::kBackgroundKind1; id < sample::kBackgroundKind1 + 9; ++id)
        PostMessageA(window, WM_COMMAND, id, 0);
    for (UINT id : {sample::kBackgroundTintBlue, sample::kBackgroundTintGreen, sample::kBackgroundTintNone,
                    sample::kBackgroundGrainCoarse, sample::kBackgroundGrainFine, sample::kViewSelectGrayed,
                    sample::kViewSelectGrayed, sample::kViewToolbar, sample::kViewToolbar})
        PostMessageA(window, WM_COMMAND, id, 0);
    UpdateWindow(window);
    PumpMessages(100);
}

// One life of the main window: made, every command, closed.
void OneLife()
{
    HWND window = sample::CreateSampleWindow(Instance(), SW_SHOW);
    ASSERT_NE(window, nullptr);
    PumpMessages(100);
    RunEveryCommand(window);
    PostMessageA(window, WM_CLOSE, 0, 0);
    PumpMessages(100);
    EXPECT_FALSE(IsWindow(window));
    MSG quit;
    PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE); // the sample ends its loop
}

} // namespace

TEST(SampleApplication, EveryStyleAndCommandThenCloseLeavesNoGdiObject)
{
    ASSERT_TRUE(sample::RegisterSampleClass(Instance()));
    OneLife(); // the system keeps some objects of its own after the first menus and fonts
    int settled = CountFreeGdiHandles();
    OneLife();
    OneLife();
    EXPECT_EQ(CountFreeGdiHandles(), settled);
}

TEST(SampleApplication, TheProgramStartsTakesCommandsAndCloses)
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string program = path;
    program = program.substr(0, program.find_last_of("\\/") + 1) + "varnelle_sample.exe";
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    ASSERT_TRUE(CreateProcessA(program.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                               &process))
        << program;
    WaitForInputIdle(process.hProcess, 20000);
    HWND window = nullptr;
    for (int i = 0; i < 200 && !window; ++i) {
        window = FindWindowA("VarnelleSample", nullptr);
        if (!window)
            Sleep(100);
    }
    EXPECT_NE(window, nullptr);
    if (window) {
        for (UINT id : {sample::kViewStyle0, sample::kViewStyle1, sample::kViewStyle3, sample::kViewSelectGrayed,
                        sample::kBackgroundKind1})
            PostMessageA(window, WM_COMMAND, id, 0);
        PostMessageA(window, WM_CLOSE, 0, 0);
    }
    EXPECT_EQ(WaitForSingleObject(process.hProcess, 30000), WAIT_OBJECT_0);
    DWORD exitCode = 1;
    GetExitCodeProcess(process.hProcess, &exitCode);
    EXPECT_EQ(exitCode, 0u);
    if (!window)
        TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}
