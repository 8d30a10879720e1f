// CreateFillBmp through the DLL's export: both bitmaps read back with GetDIBits and
// compared pixel by pixel with what the system makes of the literal model's image (on a
// screen of any depth), the random sequence of a fresh process, bad sizes, and the
// caller's ownership of the handles.
#include "common/test_support.h"
#include "varnelle.h"
#include "../../native/fillbmp_reference.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

using namespace testing_support;

namespace {

constexpr uint32_t kFreshSeed = 12345678u;
constexpr COLORREF kShadow = RGB(0x40, 0x50, 0x60);
constexpr COLORREF kFace = RGB(0xB0, 0xC0, 0xD0);
constexpr COLORREF kHilite = RGB(0xF8, 0xF0, 0xE8);

// The DLL's generator state as this process has advanced it: every call of this file
// that draws goes through Expect(), which moves the copy on as the DLL moves its own.
uint32_t g_seed = kFreshSeed;

ScopedSysColors* KnownColours()
{
    return new ScopedSysColors({{COLOR_BTNSHADOW, kShadow}, {COLOR_BTNFACE, kFace}, {COLOR_BTNHIGHLIGHT, kHilite}});
}

// Pixels of a bitmap as 0x00RRGGBB, top line first.
std::vector<uint32_t> ReadBack(HBITMAP bitmap, int width, int height)
{
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * height, 0xFFFFFFFFu);
    BITMAPINFO info = TopDown32Info(width, height);
    HDC screen = GetDC(nullptr);
    int lines = GetDIBits(screen, bitmap, 0, height, pixels.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(lines, height);
    for (uint32_t& pixel : pixels)
        pixel &= 0xFFFFFF;
    return pixels;
}

// The bitmap the system makes of the model's 8-bit image in these colours with one
// CreateDIBitmap on the screen DC, as CreateFillBmp has always made it: on every screen
// depth the library's bitmaps must hold exactly its pixels.
HBITMAP SystemBitmap(const fill_reference::Image& model, const std::vector<uint8_t>& palette)
{
    std::vector<uint8_t> info(sizeof(BITMAPINFOHEADER) + 1024);
    auto* header = reinterpret_cast<BITMAPINFOHEADER*>(info.data());
    *header = {sizeof(BITMAPINFOHEADER), model.width, model.height, 1, 8, BI_RGB,
               static_cast<DWORD>(model.pixels.size()), 0, 0, 0, 0};
    std::copy(palette.begin(), palette.end(), info.begin() + sizeof(BITMAPINFOHEADER));
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateDIBitmap(screen, header, CBM_INIT, model.pixels.data(),
                                    reinterpret_cast<BITMAPINFO*>(info.data()), DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    return bitmap;
}

// Compares a bitmap with the system's bitmap of the model's pixels in a palette: format
// and every pixel.
void ExpectPixels(HBITMAP bitmap, const fill_reference::Image& model, const std::vector<uint8_t>& palette)
{
    HBITMAP reference = SystemBitmap(model, palette);
    ASSERT_NE(reference, nullptr);
    BITMAP ours = {}, system = {};
    ASSERT_EQ(GetObjectType(bitmap), static_cast<DWORD>(OBJ_BITMAP));
    ASSERT_EQ(GetObjectA(bitmap, sizeof ours, &ours), static_cast<int>(sizeof ours));
    GetObjectA(reference, sizeof system, &system);
    EXPECT_EQ(ours.bmBitsPixel, system.bmBitsPixel);
    EXPECT_EQ(ours.bmPlanes, system.bmPlanes);
    ASSERT_EQ(ours.bmWidth, model.width);
    ASSERT_EQ(ours.bmHeight, model.height);
    std::vector<uint32_t> pixels = ReadBack(bitmap, model.width, model.height);
    std::vector<uint32_t> expected = ReadBack(reference, model.width, model.height);
    DeleteObject(reference);
    int mismatches = 0;
    for (size_t i = 0; i < pixels.size(); ++i)
        if (pixels[i] != expected[i] && ++mismatches <= 5)
            ADD_FAILURE() << "pixel " << i % model.width << "," << i / model.width << ": " << std::hex << pixels[i]
                          << " instead of " << expected[i];
    EXPECT_EQ(mismatches, 0);
}

struct Call {
    int kind;
    int width;
    int height;
    int noise;
    int highlight;
    int tint;
    COLORREF tintColour;
};

// Calls the export and checks both halves of the result against the model; returns the
// result for the caller to delete.
unsigned __int64 Expect(const Call& call)
{
    SCOPED_TRACE(testing::Message() << "kind " << call.kind << " " << call.width << "x" << call.height << " n "
                                    << call.noise << " highlight " << call.highlight << " tint " << call.tint);
    RECT rect = {100, -7, 100 + call.width, -7 + call.height}; // only the size counts
    unsigned __int64 result =
        CreateFillBmp(call.kind, &rect, call.noise, call.highlight, call.tint, call.tintColour);
    fill_reference::Image model(call.width, call.height);
    g_seed = fill_reference::Draw(call.kind, call.noise, model, g_seed);
    fill_reference::Palettes palettes =
        fill_reference::BuildPalettes(kShadow, kFace, kHilite, call.highlight, call.tint, call.tintColour);

    HBITMAP plain = VarnelleFillBmpPlain(result);
    HBITMAP lighter = VarnelleFillBmpHighlighted(result);
    EXPECT_NE(plain, nullptr);
    ExpectPixels(plain, model, palettes.plain);
    if ((call.highlight & 0xFF) == 0) {
        EXPECT_EQ(result >> 32, 0u);
    } else {
        EXPECT_NE(lighter, plain);
        ExpectPixels(lighter, model, palettes.highlighted);
    }
    return result;
}

void DeleteBoth(unsigned __int64 result)
{
    EXPECT_TRUE(DeleteObject(VarnelleFillBmpPlain(result)));
    if (result >> 32)
        EXPECT_TRUE(DeleteObject(VarnelleFillBmpHighlighted(result)));
}

} // namespace

TEST(FillBitmap, EveryKindWithAndWithoutTintAndHighlight)
{
    std::unique_ptr<ScopedSysColors> colours(KnownColours());
    const Call variations[] = {
        {0, 37, 23, 10, 0, 0, 0},
        {0, 37, 23, 10, 60, 40, RGB(0x20, 0x90, 0x40)},
        {0, 37, 23, 10, 0x100, 0, 0},                     // highlight 0x100 counts as 0
        {0, 37, 23, 10, 150, 0, 0},                       // above 100 counts as 100
        {0, 37, 23, 10, 0, 100, RGB(0x12, 0x34, 0x56)},   // the palette becomes one colour
        {0, 37, 23, 25, 35, 0x1F0, 0xFF3060A0},           // top byte of the tint colour read as blue
    };
    for (int kind = 0; kind <= 10; ++kind)
        for (Call call : variations) {
            call.kind = kind;
            DeleteBoth(Expect(call));
        }
}

TEST(FillBitmap, SizesNoisesAndKind8Rims)
{
    std::unique_ptr<ScopedSysColors> colours(KnownColours());
    const Call calls[] = {
        {1, 1, 1, 10, 0, 0, 0},   {9, 1, 1, 10, 30, 0, 0},   {8, 1, 2, 10, 0, 0, 0}, {3, 1, 40, 0, 0, 0, 0},
        {6, 40, 1, 100, 0, 0, 0}, {8, 60, 20, 10, 50, 0, 0}, {2, 61, 13, 7, 0, 0, 0}, {9, 300, 5, 10, 0, 0, 0},
        // Noise above 16383 would divide the grain by 0; it gets the widest grain.
        {1, 37, 23, 20000, 0, 0, 0}, {9, 37, 23, 0x7FFFFFFF, 0, 0, 0}, {7, 20, 9, -50, 0, 0, 0},
        // Images taller than one band of the working block, and wider than it holds.
        {9, 1000, 61, 10, 30, 0, 0}, {8, 512, 100, 10, 0, 20, 0x204060}, {3, 20000, 3, 10, 40, 0, 0},
    };
    for (const Call& call : calls)
        DeleteBoth(Expect(call));
}

TEST(FillBitmap, SuccessiveCallsGiveDifferentGrain)
{
    std::unique_ptr<ScopedSysColors> colours(KnownColours());
    unsigned __int64 first = Expect({1, 32, 16, 10, 0, 0, 0});
    unsigned __int64 second = Expect({1, 32, 16, 10, 0, 0, 0});
    EXPECT_NE(ReadBack(VarnelleFillBmpPlain(first), 32, 16), ReadBack(VarnelleFillBmpPlain(second), 32, 16));
    DeleteBoth(first);
    DeleteBoth(second);
}

TEST(FillBitmap, BadSizesMakeNothing)
{
    std::unique_ptr<ScopedSysColors> colours(KnownColours());
    int before = CountFreeGdiHandles();
    const RECT bad[] = {
        {0, 0, 0, 10},       {0, 0, 10, 0},          {10, 10, 5, 20},           {0, 10, 10, 5},
        {0, 0, 32768, 1},    {0, 0, 1, 32768},       {-20000, 0, 20000, 1},     {LONG_MIN, 0, LONG_MAX, 1},
        {0, LONG_MIN, 1, LONG_MAX},
    };
    for (int kind : {1, 8, 9, 0})
        for (const RECT& rect : bad)
            EXPECT_EQ(CreateFillBmp(kind, &rect, 10, 50, 50, 0), 0u) << kind << " " << rect.right - rect.left;
    EXPECT_EQ(CreateFillBmp(1, nullptr, 10, 50, 50, 0), 0u);
    RECT oneLine = {0, 0, 60, 1};
    EXPECT_EQ(CreateFillBmp(8, &oneLine, 10, 50, 50, 0), 0u); // kind 8's rims need two lines
    EXPECT_EQ(CountFreeGdiHandles(), before);
    // Nothing was drawn: the next call continues the sequence where it was.
    DeleteBoth(Expect({8, 60, 2, 10, 0, 0, 0}));
    DeleteBoth(Expect({5, 60, 1, 10, 0, 0, 0}));
}

TEST(FillBitmap, CallerDeletesBothHandlesWithoutLeaks)
{
    std::unique_ptr<ScopedSysColors> colours(KnownColours());
    RECT rect = {0, 0, 48, 32};
    // Warm up whatever the system creates once.
    DeleteBoth(CreateFillBmp(4, &rect, 10, 40, 0, 0));
    fill_reference::Image skipped(48, 32);
    g_seed = fill_reference::Draw(4, 10, skipped, g_seed);

    int before = CountFreeGdiHandles();
    int blocks = CountProcessHeapBlocks();
    for (int i = 0; i < 300; ++i) {
        int kind = 1 + i % 9;
        unsigned __int64 result = CreateFillBmp(kind, &rect, 10, i % 2 ? 40 : 0, i % 3 ? 20 : 0, RGB(9, 99, 199));
        fill_reference::Image drawn(48, 32);
        g_seed = fill_reference::Draw(kind, 10, drawn, g_seed);
        HBITMAP plain = VarnelleFillBmpPlain(result);
        HBITMAP lighter = VarnelleFillBmpHighlighted(result);
        ASSERT_EQ(GetObjectType(plain), static_cast<DWORD>(OBJ_BITMAP));
        ASSERT_EQ(lighter == nullptr, i % 2 == 0);
        DeleteBoth(result);
        EXPECT_EQ(GetObjectType(plain), 0u);
    }
    EXPECT_EQ(CountProcessHeapBlocks(), blocks); // the working block is freed every time
    EXPECT_EQ(CountFreeGdiHandles(), before);
}

TEST(FillBitmap, UnpackHelpersSignExtendEachHalf)
{
    unsigned __int64 pair = (0x80001234ull << 32) | 0x00005678u;
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(VarnelleFillBmpPlain(pair)), 0x5678);
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(VarnelleFillBmpHighlighted(pair)), static_cast<LONG>(0x80001234u));
    EXPECT_EQ(VarnelleFillBmpHighlighted(0x5678), nullptr);
    pair = 0xFFFFFFFF00000000ull;
    EXPECT_EQ(VarnelleFillBmpPlain(pair), nullptr);
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(VarnelleFillBmpHighlighted(pair)), -1);
}

// Run by FreshProcessDrawsTheSameFirstBitmap in a new process of this program: the
// first call of that process, its pixels written to the file named in the environment.
TEST(FillBitmapChild, WritesTheFirstBitmap)
{
    const char* path = std::getenv("VARNELLE_FILL_CHILD_OUTPUT");
    if (!path)
        GTEST_SKIP() << "only run as a child process";
    std::unique_ptr<ScopedSysColors> colours(KnownColours());
    RECT rect = {0, 0, 37, 23};
    unsigned __int64 result = CreateFillBmp(9, &rect, 10, 30, 20, RGB(200, 100, 50));
    std::vector<uint32_t> plain = ReadBack(VarnelleFillBmpPlain(result), 37, 23);
    std::vector<uint32_t> lighter = ReadBack(VarnelleFillBmpHighlighted(result), 37, 23);
    DeleteBoth(result);
    FILE* file = std::fopen(path, "wb");
    ASSERT_NE(file, nullptr);
    std::fwrite(plain.data(), 4, plain.size(), file);
    std::fwrite(lighter.data(), 4, lighter.size(), file);
    std::fclose(file);
}

namespace {

// A new file in the temporary folder: the program's own folder may be read-only (the
// 32-bit guest shares the build tree that way).
std::string TemporaryFile()
{
    char folder[MAX_PATH] = {};
    char path[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    GetTempFileNameA(folder, "vfb", 0, path);
    return path;
}

std::vector<uint32_t> RunChild(const std::string& output)
{
    char program[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, program, MAX_PATH);
    std::string command = std::string("\"") + program + "\" --gtest_filter=FillBitmapChild.WritesTheFirstBitmap";
    SetEnvironmentVariableA("VARNELLE_FILL_CHILD_OUTPUT", output.c_str());
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::vector<char> line(command.begin(), command.end());
    line.push_back('\0');
    BOOL started = CreateProcessA(program, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process);
    SetEnvironmentVariableA("VARNELLE_FILL_CHILD_OUTPUT", nullptr);
    EXPECT_TRUE(started);
    if (!started)
        return {};
    WaitForSingleObject(process.hProcess, 60000);
    DWORD exitCode = 1;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    EXPECT_EQ(exitCode, 0u);
    std::vector<uint32_t> pixels(2 * 37 * 23);
    FILE* file = std::fopen(output.c_str(), "rb");
    EXPECT_NE(file, nullptr);
    if (file) {
        EXPECT_EQ(std::fread(pixels.data(), 4, pixels.size(), file), pixels.size());
        std::fclose(file);
    }
    std::remove(output.c_str());
    return pixels;
}

} // namespace

TEST(FillBitmap, FreshProcessDrawsTheSameFirstBitmap)
{
    std::vector<uint32_t> first = RunChild(TemporaryFile());
    std::vector<uint32_t> second = RunChild(TemporaryFile());
    ASSERT_EQ(first.size(), 2u * 37 * 23);
    EXPECT_EQ(first, second);

    // Both are the first bitmap of the sequence that starts at 12345678.
    fill_reference::Image model(37, 23);
    fill_reference::Draw(9, 10, model, kFreshSeed);
    fill_reference::Palettes palettes = fill_reference::BuildPalettes(kShadow, kFace, kHilite, 30, 20, RGB(200, 100, 50));
    std::vector<uint32_t> expected;
    for (const std::vector<uint8_t>* palette : {&palettes.plain, &palettes.highlighted}) {
        HBITMAP reference = SystemBitmap(model, *palette);
        std::vector<uint32_t> pixels = ReadBack(reference, 37, 23);
        DeleteObject(reference);
        expected.insert(expected.end(), pixels.begin(), pixels.end());
    }
    EXPECT_EQ(first, expected);
}
