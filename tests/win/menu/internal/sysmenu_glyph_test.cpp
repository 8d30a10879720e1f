// DrawSysMenuGlyph painted into DIB sections and compared with the Marlett characters
// drawn by the test itself in the icon cell.
#include "colour/colour_math.h"
#include "common/test_support.h"
#include "core/thread_state.h"
#include "menu/menu_font_scope.h"
#include "menu/marlett_font.h"
#include "menu/menu_measure.h"
#include "menu/menu_paint.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

using namespace testing_support;
using namespace varnelle;
using menu_testing::ScopedMenuFont;

namespace {

constexpr COLORREF kPaper = RGB(255, 255, 255);
constexpr COLORREF kInk = RGB(0x10, 0x20, 0xF0);
constexpr COLORREF kGrayText = RGB(0x90, 0x60, 0x30);
const RECT kItem = {5, 2, 75, 30};
constexpr int kCell = 22;

HBITMAP Code(int value)
{
    return reinterpret_cast<HBITMAP>(static_cast<INT_PTR>(value));
}

struct Stroke {
    COLORREF colour;
    int dx;
    int dy;
};

class SysMenuGlyph : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(font_.active());
        saved_ = ThreadState();
        ThreadState().IconCellWidth = kCell;
    }
    void TearDown() override { ThreadState() = saved_; }

    static void Prepare(const DibSurface& surface)
    {
        SetTextColor(surface.dc(), kInk);
        SetBkColor(surface.dc(), RGB(0, 255, 0));
        SetBkMode(surface.dc(), OPAQUE);
    }

    std::vector<uint32_t> Library(HBITMAP code, BYTE mode)
    {
        DibSurface surface(80, 32, kPaper);
        Prepare(surface);
        DrawSysMenuGlyph(surface.dc(), &kItem, code, mode);
        return surface.snapshot();
    }

    // The character drawn by the test in the given face, one stroke after the other.
    std::vector<uint32_t> Reference(char glyph, std::initializer_list<Stroke> strokes, const char* face = "Marlett")
    {
        DibSurface surface(80, 32, kPaper);
        LOGFONTA logFont = font_.font();
        logFont.lfCharSet = DEFAULT_CHARSET;
        std::memset(logFont.lfFaceName, 0, sizeof(logFont.lfFaceName));
        std::strcpy(logFont.lfFaceName, face);
        HFONT font = CreateFontIndirectA(&logFont);
        HGDIOBJ previous = SelectObject(surface.dc(), font);
        SetBkMode(surface.dc(), TRANSPARENT);
        for (const Stroke& stroke : strokes) {
            RECT cell = {kItem.left + stroke.dx, kItem.top + stroke.dy, kItem.left + kCell + stroke.dx,
                         kItem.bottom + stroke.dy};
            SetTextColor(surface.dc(), stroke.colour);
            char text[2] = {glyph, 0};
            DrawTextA(surface.dc(), text, 1, &cell, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        }
        SelectObject(surface.dc(), previous);
        DeleteObject(font);
        return surface.snapshot();
    }

    ScopedMenuFont font_{"Tahoma", -16};
    ThreadStateFields saved_ = {};
};

int Changed(const std::vector<uint32_t>& pixels, uint32_t paper, int width, const RECT& inside, bool countInside)
{
    int count = 0;
    for (size_t i = 0; i < pixels.size(); ++i) {
        int x = static_cast<int>(i) % width;
        int y = static_cast<int>(i) / width;
        bool in = x >= inside.left && x < inside.right && y >= inside.top && y < inside.bottom;
        if (in == countInside && pixels[i] != paper)
            ++count;
    }
    return count;
}

} // namespace

TEST_F(SysMenuGlyph, TheFourPicturesAreMarlettCharactersCentredInTheIconCell)
{
    const uint32_t paper = 0xFFFFFF;
    const RECT cell = {kItem.left, kItem.top, kItem.left + kCell, kItem.bottom};
    std::vector<std::vector<uint32_t>> pictures;
    const char glyphs[] = {'r', '2', '1', '0'};
    for (int code = 8; code <= 11; ++code) {
        std::vector<uint32_t> drawn = Library(Code(code), 3);
        EXPECT_EQ(drawn, Reference(glyphs[code - 8], {{kInk, 0, 0}})) << "code " << code;
        EXPECT_GT(Changed(drawn, paper, 80, cell, true), 10) << "code " << code;
        EXPECT_EQ(Changed(drawn, paper, 80, cell, false), 0) << "code " << code;
        for (const auto& other : pictures)
            EXPECT_NE(drawn, other);
        pictures.push_back(drawn);
    }
    // Marlett, not the menu face.
    EXPECT_NE(pictures[0], Reference('r', {{kInk, 0, 0}}, "Tahoma"));
}

TEST_F(SysMenuGlyph, GrayedAndSelectedLooks)
{
    ScopedSysColors colours({{COLOR_GRAYTEXT, kGrayText}});
    const COLORREF grey = DarkenColour(8, kGrayText);
    EXPECT_EQ(Library(Code(8), 1), Reference('r', {{grey, 0, 0}}));
    std::vector<uint32_t> selected = Library(Code(8), 2);
    EXPECT_EQ(selected, Reference('r', {{grey, 1, 1}, {kInk, -1, -1}}));
    EXPECT_NE(selected, Reference('r', {{kInk, -1, -1}, {grey, 1, 1}}));
    // Only the low two bits of the mode count.
    EXPECT_EQ(Library(Code(8), 6), selected);
    EXPECT_EQ(Library(Code(9), 7), Reference('2', {{kInk, 0, 0}}));
}

TEST_F(SysMenuGlyph, OtherCodesAndModeZeroDrawNothing)
{
    std::vector<uint32_t> blank = DibSurface(80, 32, kPaper).snapshot();
    for (int code : {0, 7, 12, 0x10008}) {
        DibSurface surface(80, 32, kPaper);
        Prepare(surface);
        HGDIOBJ font = GetCurrentObject(surface.dc(), OBJ_FONT);
        DrawSysMenuGlyph(surface.dc(), &kItem, Code(code), 3);
        EXPECT_EQ(surface.snapshot(), blank) << code;
        EXPECT_EQ(GetBkMode(surface.dc()), OPAQUE) << code;
        EXPECT_EQ(GetTextColor(surface.dc()), kInk) << code;
        EXPECT_EQ(GetCurrentObject(surface.dc(), OBJ_FONT), font) << code;
    }
    EXPECT_EQ(Library(Code(8), 0), blank);
    EXPECT_EQ(Library(Code(8), 4), blank);
    DrawSysMenuGlyph(nullptr, &kItem, Code(8), 3);
    DibSurface surface(80, 32, kPaper);
    DrawSysMenuGlyph(surface.dc(), nullptr, Code(8), 3);
    EXPECT_EQ(surface.snapshot(), blank);
}

TEST_F(SysMenuGlyph, LeavesTheTextColourAndFontAsFoundAndReleasesItsFont)
{
    ScopedSysColors colours({{COLOR_GRAYTEXT, kGrayText}});
    DibSurface surface(80, 32, kPaper);
    Prepare(surface);
    HGDIOBJ font = GetCurrentObject(surface.dc(), OBJ_FONT);
    DrawSysMenuGlyph(surface.dc(), &kItem, Code(11), 2);
    EXPECT_EQ(GetTextColor(surface.dc()), kInk);
    EXPECT_EQ(GetCurrentObject(surface.dc(), OBJ_FONT), font);
    EXPECT_EQ(GetBkMode(surface.dc()), TRANSPARENT);

    int before = CountFreeGdiHandles();
    for (int i = 0; i < 200; ++i)
        DrawSysMenuGlyph(surface.dc(), &kItem, Code(8 + i % 4), static_cast<BYTE>(1 + i % 3));
    EXPECT_EQ(CountFreeGdiHandles(), before);
}

TEST_F(SysMenuGlyph, MarlettTakesTheMenuFontsSizeAndWeight)
{
    LOGFONTA menuFont = {};
    menuFont.lfHeight = -21;
    menuFont.lfWeight = FW_BOLD;
    menuFont.lfItalic = TRUE;
    menuFont.lfCharSet = ANSI_CHARSET;
    std::strcpy(menuFont.lfFaceName, "Tahoma");
    unique_hfont marlett = CreateMarlettFont(&menuFont);
    LOGFONTA made = {};
    ASSERT_EQ(GetObjectA(marlett.get(), sizeof(made), &made), static_cast<int>(sizeof(made)));
    EXPECT_STREQ(made.lfFaceName, "Marlett");
    EXPECT_EQ(made.lfCharSet, DEFAULT_CHARSET);
    EXPECT_EQ(made.lfHeight, -21);
    EXPECT_EQ(made.lfWeight, FW_BOLD);
    EXPECT_EQ(made.lfItalic, TRUE);

    // Without the menu font (the metrics could not be read): Marlett in the default size.
    unique_hfont fallback = CreateMarlettFont(nullptr);
    ASSERT_EQ(GetObjectA(fallback.get(), sizeof(made), &made), static_cast<int>(sizeof(made)));
    EXPECT_STREQ(made.lfFaceName, "Marlett");
    EXPECT_EQ(made.lfCharSet, DEFAULT_CHARSET);
    EXPECT_EQ(made.lfHeight, 0);

    // The system's own menu font is the one read for the glyphs.
    const PaintFont current = CreateMenuMarlettFont();
    ASSERT_EQ(GetObjectA(current.get(), sizeof(made), &made), static_cast<int>(sizeof(made)));
    EXPECT_EQ(made.lfHeight, -16);
}
