// Windows-version classification, synthetic item identifiers and the window-menu shift.
#include "menu/os_kind.h"
#include "menu/synthetic_id.h"
#include "menu/window_menu_ids.h"

#include <gtest/gtest.h>

#include <set>

using namespace varnelle;

namespace {

OsKind Nt(uint32_t major, uint32_t minor)
{
    return ClassifyOsKind({false, static_cast<uint8_t>(major), major, minor});
}

OsKind Win9x(uint8_t lowByte, uint32_t major, uint32_t minor)
{
    return ClassifyOsKind({true, lowByte, major, minor});
}

} // namespace

TEST(OsKind, NtReleases)
{
    EXPECT_EQ(Nt(4, 0), kOsWindowsNt4);
    EXPECT_EQ(Nt(4, 10), kOsWindowsNt4); // any NT 4 minor
    EXPECT_EQ(Nt(5, 0), kOsWindows2000);
    EXPECT_EQ(Nt(5, 1), kOsWindowsXp);
    EXPECT_EQ(Nt(5, 2), kOsOtherNt);
    EXPECT_EQ(Nt(3, 51), kOsOtherNt);
    EXPECT_EQ(Nt(6, 2), kOsOtherNt);
    EXPECT_EQ(Nt(10, 0), kOsOtherNt);
    EXPECT_EQ(Nt(0, 0), kOsOtherNt); // GetVersionExA failed
    // The low byte of GetVersion plays no part on NT.
    EXPECT_EQ(ClassifyOsKind({false, 3, 5, 1}), kOsWindowsXp);
}

TEST(OsKind, Win9xFamilyReleases)
{
    EXPECT_EQ(Win9x(3, 3, 10), kOsWin32s);
    EXPECT_EQ(Win9x(3, 4, 10), kOsWin32s); // Win32s is told by GetVersion alone
    EXPECT_EQ(Win9x(0, 0, 0), kOsWin32s);
    EXPECT_EQ(Win9x(4, 4, 10), kOsWindows98);
    EXPECT_EQ(Win9x(4, 4, 90), kOsWindowsMe);
    EXPECT_EQ(Win9x(4, 4, 0), kOsOtherWin9x); // Windows 95
    EXPECT_EQ(Win9x(4, 4, 3), kOsOtherWin9x);
    EXPECT_EQ(Win9x(4, 5, 10), kOsOtherWin9x);
    EXPECT_EQ(Win9x(4, 0, 0), kOsOtherWin9x);
    // 5.0 and 5.1 change nothing outside NT.
    EXPECT_EQ(Win9x(5, 5, 0), kOsOtherWin9x);
    EXPECT_EQ(Win9x(5, 5, 1), kOsOtherWin9x);
}

TEST(OsKind, OnlyWindows2000AndXpPaintTheStyle2MenuBar)
{
    for (int kind = 1; kind <= 8; ++kind)
        EXPECT_EQ(PaintsStyle2MenuBar(kind), kind == 2 || kind == 3) << kind;
}

TEST(SyntheticItemId, ValuesOfTheRule)
{
    for (uint32_t p = 0; p <= 74; ++p) // 0 gives 0xFFFFFF59, 74 gives 0xFFFFFEC5
        EXPECT_EQ(SyntheticItemId(p), 0u - 167u - 2u * p) << p;
    for (uint32_t p = 75; p <= 32211; ++p) // 75 gives 0xFFFFFFFF
        ASSERT_EQ(SyntheticItemId(p), 74u - p) << p;
    for (uint32_t p : {32212u, 0xE000u, 0x80000000u, 0xFFFFFDD3u}) // 32212 gives 0x8000
        EXPECT_EQ(SyntheticItemId(p), p + 556u) << p;
    EXPECT_EQ(SyntheticItemId(100), 0xFFFFFFE6u);
    EXPECT_EQ(SyntheticItemId(1000), 0xFFFFFC62u);
    EXPECT_EQ(SyntheticItemId(0xFFFFFFE6u), 0xFFFFFF8Du);
    EXPECT_EQ(SyntheticItemId(0xFFFFFF59u), 0xFFFFFFC9u);
}

TEST(SyntheticItemId, StalledPredecessorGetsAnIdentifierOfItsOwn)
{
    // p + 241 wraps to 0 here, so the rule's loop would never end. This p follows an
    // id-less item after identifier 37 or 315.
    EXPECT_EQ(SyntheticItemId(37), kStalledPredecessor);
    EXPECT_EQ(SyntheticItemId(315), kStalledPredecessor);
    uint32_t id = SyntheticItemId(kStalledPredecessor);
    EXPECT_EQ(id, 0xFFFF8000u);
    EXPECT_GT(id, 0x7FFFu);
    EXPECT_NE(id, kStalledPredecessor);
    // The run that follows does not come back to the stalled value for a long time.
    for (int i = 0; i < 100000; ++i) {
        id = SyntheticItemId(id);
        ASSERT_NE(id, kStalledPredecessor) << i;
    }
}

// The rule maps one predecessor to itself; it is reached from 176, so every id-less item
// after an item with identifier 176 would share one identifier.
TEST(SyntheticItemId, TheRulesFixedPointGetsAnIdentifierOfItsOwn)
{
    EXPECT_EQ(SyntheticItemId(176), kFixedPredecessor);
    EXPECT_EQ(SyntheticItemId(kFixedPredecessor), kStalledReplacement);
    std::set<uint32_t> run;
    uint32_t id = 176;
    for (int i = 0; i < 10000; ++i) {
        id = SyntheticItemId(id);
        ASSERT_TRUE(run.insert(id).second) << i;
    }
}

TEST(SyntheticItemId, EveryPredecessorAtTheTopGivesAnIdentifierAbove0x7FFF)
{
    // The top of the range is where the loop wraps and runs longest; below 2^32 - 556 the
    // result is plain arithmetic.
    for (uint32_t p = 0xFFFFFDD4u; p != 0; ++p) {
        uint32_t id = SyntheticItemId(p);
        ASSERT_GT(id, 0x7FFFu) << p;
        ASSERT_NE(id, 0u) << p;
    }
    EXPECT_EQ(SyntheticItemId(0xFFFFFF0Eu), 0x8000u);
}

TEST(WindowMenuIds, ThreeCommandsShiftAndComeBack)
{
    EXPECT_EQ(ShiftedWindowMenuId(0xF120), 0xF121u); // SC_RESTORE
    EXPECT_EQ(ShiftedWindowMenuId(0xF060), 0xF061u); // SC_CLOSE
    EXPECT_EQ(ShiftedWindowMenuId(0xF020), 0xF021u); // SC_MINIMIZE
    for (uint32_t id : {0xF030u, 0xF000u, 0xF010u, 0xF140u, 0u, 100u, 0xF121u})
        EXPECT_EQ(ShiftedWindowMenuId(id), id) << id; // SC_MAXIMIZE among them
    for (uint32_t id : {0xF120u, 0xF060u, 0xF020u})
        EXPECT_EQ(RestoredWindowMenuId(ShiftedWindowMenuId(id)), id);
    for (uint32_t id : {0xF031u, 0xF120u, 0xF062u, 0u})
        EXPECT_EQ(RestoredWindowMenuId(id), id) << id;
}
