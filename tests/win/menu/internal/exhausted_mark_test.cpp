// Check marks, radio bullets and window-menu pictures are characters of Marlett. When GDI
// cannot make the font (the process has used up its objects), the mark is left out: the
// DC's own font would draw a letter in its place. The box around a mark is still drawn,
// and the DC is left as it was.
#include "common/test_support.h"
#include "core/thread_state.h"
#include "menu/menu_paint.h"
#include "reliability/gdi_testing.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>

using namespace gdi_testing;
using namespace testing_support;
using namespace varnelle;

namespace {

constexpr COLORREF kPaper = RGB(255, 0, 255);
// The DC's text colour; style 1 draws its marks in black.
constexpr uint32_t kInkPixel = 0x010203;
constexpr uint32_t kBlackPixel = 0x000000;
const RECT kItem = {2, 2, 40, 26};

struct MarkCase {
    const char* name;
    std::function<void(HDC)> paint;
};

void PrintTo(const MarkCase& mark, std::ostream* out)
{
    *out << mark.name;
}

const MarkCase kMarks[] = {
    {"CheckStyle1", [](HDC dc) { DrawCheckStyle1(dc, &kItem, kDrawNormal, 0); }},
    {"RadioStyle1", [](HDC dc) { DrawCheckStyle1(dc, &kItem, kDrawNormal, 1); }},
    {"CheckStyle2", [](HDC dc) { DrawCheckStyle2(dc, &kItem, kDrawNormal, 0); }},
    {"RadioStyle2", [](HDC dc) { DrawCheckStyle2(dc, &kItem, kDrawSelected, 1); }},
    {"CheckStyle3", [](HDC dc) { DrawCheckStyle3(dc, &kItem, kDrawNormal, 0); }},
    {"RadioStyle3", [](HDC dc) { DrawCheckStyle3(dc, &kItem, kDrawNormal, 1); }},
    {"WindowMenuClose", [](HDC dc) { DrawSysMenuGlyph(dc, &kItem, HBMMENU_POPUP_CLOSE, kDrawNormal); }},
    {"WindowMenuRestore", [](HDC dc) { DrawSysMenuGlyph(dc, &kItem, HBMMENU_POPUP_RESTORE, kDrawSelected); }},
};

int InkPixels(const std::vector<uint32_t>& pixels)
{
    int ink = 0;
    for (uint32_t pixel : pixels)
        ink += pixel == kInkPixel || pixel == kBlackPixel;
    return ink;
}

class ExhaustedMark : public ::testing::TestWithParam<MarkCase> {
protected:
    void SetUp() override
    {
        saved_ = ThreadState();
        ThreadState().IconCellWidth = 22;
        ThreadState().IconCellHeight = 22;
    }
    void TearDown() override { ThreadState() = saved_; }
    ThreadStateFields saved_ = {};
};

} // namespace

TEST_P(ExhaustedMark, IsLeftOutWithoutMarlett)
{
    DibSurface surface(44, 28, kPaper);
    ApplicationDcState application(surface.dc());
    GetParam().paint(surface.dc());
    EXPECT_GT(InkPixels(surface.snapshot()), 0) << "no mark with objects to spare";
    const DcState state = ReadDcState(surface.dc());
    const int freeBefore = CountFreeGdiHandles();
    {
        GdiFill fill(0);
        surface.fill(kPaper);
        GetParam().paint(surface.dc());
        EXPECT_EQ(InkPixels(surface.snapshot()), 0) << "a letter of the DC's font in place of the mark";
        const DcState after = ReadDcState(surface.dc());
        EXPECT_TRUE(after == state) << DcChanges(state, after);
        fill.release();
    }
    EXPECT_EQ(CountFreeGdiHandles(), freeBefore);
}

INSTANTIATE_TEST_SUITE_P(Marks, ExhaustedMark, ::testing::ValuesIn(kMarks),
                         [](const ::testing::TestParamInfo<MarkCase>& info) { return info.param.name; });
