// DrawIcn centres in the icon cell that menu measurement leaves in the thread's state;
// here the cell is set directly.
#include "colour/drawing_pictures.h"
#include "common/test_support.h"
#include "core/exports.h"
#include "core/thread_state.h"

#include <gtest/gtest.h>

using namespace testing_support;
using namespace drawing_pictures;

namespace {

constexpr COLORREF kBackground = RGB(0x11, 0x22, 0x33);
constexpr int kSurface = 48;

class IconCell : public ::testing::Test {
protected:
    HICON icon_ = MakeTestIcon();
    DibSurface surface_{kSurface, kSurface, kBackground};

    ~IconCell() override
    {
        DestroyIcon(icon_);
        varnelle::ThreadState().IconCellWidth = 0;
        varnelle::ThreadState().IconCellHeight = 0;
    }

    void setCell(int width, int height)
    {
        varnelle::ThreadState().IconCellWidth = width;
        varnelle::ThreadState().IconCellHeight = height;
    }
};

} // namespace

TEST_F(IconCell, OffsetsAreHalvedToTheEvenNeighbour)
{
    // Cells 24, 23, 25, 21 against a 16-pixel icon: 4, 3.5 -> 4, 4.5 -> 4, 2.5 -> 2.
    for (auto [size, offset] : {std::pair{24, 4}, {23, 4}, {25, 4}, {21, 2}, {0, -8}, {16, 0}, {15, 0}, {13, -2}}) {
        setCell(size, size);
        surface_.fill(kBackground);
        RECT cell = {10, 12, 11, 13}; // right and bottom are not read
        DrawIcn(surface_.dc(), &cell, icon_, 3, 0);
        Picture expected(kSurface, kSurface, kBackground);
        expected.icon(10 + offset, 12 + offset);
        EXPECT_TRUE(expected.matches(surface_)) << "cell " << size;
    }
}

TEST_F(IconCell, WidthAndHeightAreCentredApart)
{
    setCell(26, 19); // 5 and 1.5 -> 2
    RECT cell = {3, 4, 0, 0};
    DrawIcn(surface_.dc(), &cell, icon_, 0, 0);
    Picture expected(kSurface, kSurface, kBackground);
    expected.icon(8, 6);
    EXPECT_TRUE(expected.matches(surface_));
}

TEST_F(IconCell, RaisedLookReachesOnePixelBeyondTheCellSquare)
{
    setCell(24, 24);
    RECT cell = {10, 10, 0, 0}; // centred square at (14, 14)
    DrawIcn(surface_.dc(), &cell, icon_, 2, 0);
    Picture expected(kSurface, kSurface, kBackground);
    expected.silhouette(15, 15, GetSysColor(COLOR_GRAYTEXT), true);
    expected.icon(13, 13);
    EXPECT_TRUE(expected.matches(surface_));
}
