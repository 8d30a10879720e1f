// The colour functions through the DLL's exports.
#include "common/test_support.h"
#include "varnelle.h"

#include <gtest/gtest.h>

using namespace testing_support;

TEST(ColourExports, WorkedValues)
{
    EXPECT_EQ(LightenColor(128, 0x000000), 0x808080u);
    EXPECT_EQ(LightenColor(128, 0x808080), 0xC0C0C0u);
    EXPECT_EQ(LightenColor(0, 0x123456), 0x123456u);
    EXPECT_EQ(LightenColor(255, 0x123456), 0xFFFFFFu);
    EXPECT_EQ(DarkenColor(128, 0xFFFFFF), 0x7F7F7Fu);
    EXPECT_EQ(DarkenColor(16, 0xD4D0C8), 0xC7C3BBu);
    EXPECT_EQ(DarkenColor(255, 0x123456), 0u);
    EXPECT_EQ(MixedColor(0xFFFFFF, 0x000000), 0xDBDBDBu);
    EXPECT_EQ(MixedColor(0x000000, 0xFFFFFF), 0x242424u);
    EXPECT_EQ(MidColor(0xFFFFFF, 0x000000), 0xB3B3B3u);
    EXPECT_EQ(MidColor(0xFFFFFF, 0xC56A31), 0xEED3C2u);
    EXPECT_EQ(MidColor(0xFFFFFF, 0xFFFFFF), 0xFFFFFFu);
    EXPECT_EQ(GrayColor(0xFFFFFF), 255);
    EXPECT_EQ(GrayColor(0x000000), 0);
    EXPECT_EQ(GrayColor(0x0000FF), 77);
    EXPECT_EQ(GrayColor(0x00FF00), 151);
    EXPECT_EQ(GrayColor(0xFF0000), 28);
    EXPECT_EQ(GrayColor(0x808080), 128);
    EXPECT_EQ(GrayColor(0xD4D0C8), 206);
    EXPECT_EQ(GrayColor(0x000113), 6);
    EXPECT_EQ(GrayColor(0x010214), 8);
}

TEST(ColourExports, TopByteAndAsymmetry)
{
    EXPECT_EQ(LightenColor(128, 0x01000000), 0xFF8080u);
    EXPECT_EQ(DarkenColor(0, 0xFF123456), 0x123456u);
    EXPECT_NE(MixedColor(0xFFFFFF, 0), MixedColor(0, 0xFFFFFF));
    EXPECT_NE(MidColor(0xFFFFFF, 0), MidColor(0, 0xFFFFFF));
}

TEST(ColourExports, NumColorBitsMatchesTheScreen)
{
    HDC screen = GetDC(nullptr);
    int bits = GetDeviceCaps(screen, BITSPIXEL);
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(NumColorBits(), bits == -1 ? 8 : bits);
    EXPECT_GT(NumColorBits(), 8);
}

TEST(ColourExports, XpHighlightFollowsTheSystemColours)
{
    {
        ScopedSysColors colours({{COLOR_WINDOW, 0xFFFFFF}, {COLOR_HIGHLIGHT, 0xC56A31}});
        EXPECT_EQ(GetXpHighlightColor(), 0xEED3C2u);
    }
    {
        ScopedSysColors colours({{COLOR_WINDOW, 0x000000}, {COLOR_HIGHLIGHT, 0xFFFFFF}});
        EXPECT_EQ(GetXpHighlightColor(), 0x4D4D4Du);
    }
    {
        ScopedSysColors colours({{COLOR_WINDOW, 0xFFFFFF}, {COLOR_HIGHLIGHT, 0xFFFFFF}});
        EXPECT_EQ(GetXpHighlightColor(), 0xFFFFFFu);
    }
}

static DWORD WINAPI ColourWorker(void* out)
{
    *static_cast<DWORD*>(out) = MixedColor(0xFFFFFF, 0) == 0xDBDBDB && GrayColor(0x808080) == 128;
    return 0;
}

TEST(ColourExports, SafeFromAnyThread)
{
    DWORD result = 0;
    HANDLE thread = CreateThread(nullptr, 0, ColourWorker, &result, 0, nullptr);
    ASSERT_NE(thread, nullptr);
    WaitForSingleObject(thread, 5000);
    CloseHandle(thread);
    EXPECT_EQ(result, 1u);
}
