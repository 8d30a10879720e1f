// Other parties' hooks survive: a procedure subclassed on top of the library's keeps its
// window to the end, and no library property outlives a window.
#include "reliability/host_testing.h"
#include "varnelle.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

using namespace host_testing;
using namespace testing_support;

namespace {

// Another party's subclass (a control library, an accessibility tool): it counts what
// reaches it and takes itself out on WM_NCDESTROY, as well-behaved subclasses do.
// It also notes the library's properties left once the window's last message has passed.
std::map<HWND, WNDPROC> thirdPartyPrevious;
std::map<UINT, int> thirdPartySaw;
std::map<HWND, std::vector<std::string>> propertiesLeft;
LRESULT CALLBACK ThirdPartyProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    ++thirdPartySaw[message];
    WNDPROC previous = thirdPartyPrevious[hwnd];
    if (message != WM_NCDESTROY)
        return CallWindowProcA(previous, hwnd, message, wParam, lParam);
    SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
    thirdPartyPrevious.erase(hwnd);
    LRESULT result = CallWindowProcA(previous, hwnd, message, wParam, lParam);
    propertiesLeft[hwnd] = LibraryPropertyNames(hwnd);
    return result;
}

// Every library property is gone by the end of the window's last message.
void ExpectNoPropertiesLeft(HWND hwnd)
{
    ASSERT_EQ(propertiesLeft.count(hwnd), 1u) << "the window's last message was not seen";
    EXPECT_TRUE(propertiesLeft[hwnd].empty()) << propertiesLeft[hwnd][0];
}

void SubclassAsThirdParty(HWND hwnd)
{
    thirdPartyPrevious[hwnd] = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ThirdPartyProc)));
}



std::map<UINT, int> applicationSaw;
std::optional<LRESULT> WatchApplication(HWND, UINT message, WPARAM, LPARAM)
{
    ++applicationSaw[message];
    return std::nullopt;
}

} // namespace

// The menu hook does not rewrite the window procedure from under the party above it on
// WM_DESTROY: that party still gets WM_NCDESTROY, and the hook's properties are gone by
// the application's last message. With both library hooks and a button under the party.
TEST(ForeignHooks, APartyAboveTheLibrarySeesTheWindowToItsEnd)
{
    for (int layout = 0; layout < 3; ++layout) {
        SCOPED_TRACE(layout);
        HWND hwnd = MakeHostWindow(false);
        FileBar menu;
        HMENU popup = menu.file;
        SetMenu(hwnd, menu.bar);
        HWND button = MakePushButton(hwnd, 5);
        CTRL_STRUCT record = {};
        record.dwEdge = 1;
        if (layout >= 1)
            ASSERT_TRUE(RedrawButton(button, &record));
        ASSERT_EQ(RedrawMenu(hwnd, menu.bar, 2), 1);
        if (layout == 2)
            ASSERT_TRUE(RedrawButton(button, &record)); // the button hook already sits on the parent
        SubclassAsThirdParty(hwnd);
        SubclassAsThirdParty(button);

        // The chain works through the party: the library still measures the popup.
        measureItemsSeen = 0;
        TrackMenu(hwnd, popup);
        EXPECT_GE(measureItemsSeen, 2);

        thirdPartySaw.clear();
        applicationSaw.clear();
        propertiesLeft.clear();
        onMessage = WatchApplication;
        DestroyWindow(hwnd);
        onMessage = nullptr;
        EXPECT_EQ(thirdPartySaw[WM_DESTROY], 2); // the window and its button
        EXPECT_EQ(thirdPartySaw[WM_NCDESTROY], 2);
        EXPECT_EQ(applicationSaw[WM_DESTROY], 1);
        EXPECT_EQ(applicationSaw[WM_NCDESTROY], 1);
        ExpectNoPropertiesLeft(hwnd);
        ExpectNoPropertiesLeft(button);
        EXPECT_TRUE(thirdPartyPrevious.empty());
    }
}

// A party that subclassed on top and leaves again before the window goes: the library's
// procedure is on top once more and takes itself out on WM_DESTROY as usual.
TEST(ForeignHooks, APartyThatLeavesFirstLeavesTheLibraryWorking)
{
    HWND hwnd = MakeHostWindow(false);
    FileBar menu;
    HMENU popup = menu.file;
    SetMenu(hwnd, menu.bar);
    ASSERT_EQ(RedrawMenu(hwnd, menu.bar, 1), 1);
    WNDPROC libraryProc = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hwnd, GWLP_WNDPROC));
    SubclassAsThirdParty(hwnd);
    SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(thirdPartyPrevious[hwnd]));
    thirdPartyPrevious.erase(hwnd);
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hwnd, GWLP_WNDPROC)), libraryProc);
    measureItemsSeen = 0;
    TrackMenu(hwnd, popup);
    EXPECT_GE(measureItemsSeen, 2);
    ObserveLastMessage(hwnd);
    DestroyWindow(hwnd);
    EXPECT_TRUE(propertiesAfterLastMessage.empty()) << propertiesAfterLastMessage[0];
}

// A button left hooked when its parent is destroyed, and a parent that outlives its
// skinned buttons: each loses its library properties with its last message.
TEST(ForeignHooks, ButtonsAndParentsLoseTheirPropertiesWhenDestroyed)
{
    HWND hwnd = MakeHostWindow(false);
    HWND first = MakePushButton(hwnd, 5);
    CTRL_STRUCT record = {};
    record.dwEdge = 1;
    ASSERT_TRUE(RedrawButton(first, &record));
    SubclassAsThirdParty(first);
    propertiesLeft.clear();
    DestroyWindow(first);
    ExpectNoPropertiesLeft(first);
    EXPECT_FALSE(LibraryPropertyNames(hwnd).empty()); // the parent keeps its hook for other buttons

    HWND second = MakePushButton(hwnd, 5);
    ASSERT_TRUE(RedrawButton(second, &record));
    SubclassAsThirdParty(hwnd);
    SubclassAsThirdParty(second);
    DestroyWindow(hwnd);
    ExpectNoPropertiesLeft(hwnd);
    ExpectNoPropertiesLeft(second);
}
