// The gallery's pictures compared pixel for pixel with the goldens under tests/golden.
// Both DLL widths are compared with the same goldens, so a picture that differs between
// them fails. On a mismatch the actual picture and a difference picture are left in
// golden-mismatch/ beside this program and named in the failure. Only
// scripts/update-goldens writes goldens; this test never does.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "png_io.h"
#include "scenes.h"

using gallery::Picture;

namespace {

std::string GoldenFolder()
{
    std::string folder = VARNELLE_GOLDEN_DIR;
    if (!folder.empty() && folder[0] == '/')
        folder = "Z:" + folder; // the source tree seen from Wine
    return folder;
}

// VARNELLE_GOLDEN_MISMATCH_DIR, where the program's own folder is read-only (the 32-bit
// guest shares the build tree that way).
std::string MismatchFolder()
{
    char path[MAX_PATH] = {};
    std::string folder;
    if (GetEnvironmentVariableA("VARNELLE_GOLDEN_MISMATCH_DIR", path, MAX_PATH) > 0) {
        folder = path;
    } else {
        GetModuleFileNameA(nullptr, path, MAX_PATH);
        folder = path;
        folder = folder.substr(0, folder.find_last_of("\\/") + 1) + "golden-mismatch";
    }
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

// Pixels alike in both pictures dimmed to a third, those that differ (or that only one
// picture has) in magenta.
Picture Difference(const Picture& golden, const Picture& actual)
{
    Picture difference;
    difference.width = std::max(golden.width, actual.width);
    difference.height = std::max(golden.height, actual.height);
    difference.pixels.resize(static_cast<size_t>(difference.width) * difference.height);
    auto at = [](const Picture& picture, int x, int y) -> long long {
        return x < picture.width && y < picture.height ? picture.pixels[static_cast<size_t>(y) * picture.width + x] : -1;
    };
    for (int y = 0; y < difference.height; ++y) {
        for (int x = 0; x < difference.width; ++x) {
            long long expected = at(golden, x, y), seen = at(actual, x, y);
            uint32_t& out = difference.pixels[static_cast<size_t>(y) * difference.width + x];
            if (expected >= 0 && expected == seen) {
                auto dim = [&](int shift) { return ((static_cast<uint32_t>(expected) >> shift & 0xFF) / 3 + 170) << shift; };
                out = dim(16) | dim(8) | dim(0);
            } else {
                out = 0xFF00FF;
            }
        }
    }
    return difference;
}

// The first differing pixel and the count, for the failure message.
std::string Describe(const Picture& golden, const Picture& actual)
{
    if (golden.width != actual.width || golden.height != actual.height)
        return "size " + std::to_string(actual.width) + " x " + std::to_string(actual.height) + ", golden " +
               std::to_string(golden.width) + " x " + std::to_string(golden.height);
    int count = 0;
    std::string first;
    for (int y = 0; y < golden.height; ++y) {
        for (int x = 0; x < golden.width; ++x) {
            size_t i = static_cast<size_t>(y) * golden.width + x;
            if (golden.pixels[i] == actual.pixels[i])
                continue;
            if (count++ == 0) {
                char text[96];
                snprintf(text, sizeof(text), "first at (%d, %d): 0x%06X, golden 0x%06X", x, y, actual.pixels[i],
                         golden.pixels[i]);
                first = text;
            }
        }
    }
    return std::to_string(count) + " pixels differ, " + first;
}

// A path as the reader finds it: Wine's drive Z: is the Unix root.
std::string Shown(std::string path)
{
    if (path.rfind("Z:", 0) != 0)
        return path;
    path.erase(0, 2);
    for (char& c : path)
        if (c == '\\')
            c = '/';
    return path;
}

bool BelongsToThisPart(const std::string& name, gallery::Part part)
{
    return gallery::PartOfPicture(name) == part;
}

} // namespace

// What this process renders depends on the Windows version it sees (the XP copy renders the
// menu bar), so the Windows-version copies run it too.
TEST(GalleryGoldensAcrossVersions, EveryPictureMatchesItsGolden)
{
    const std::string goldens = GoldenFolder();
    const gallery::Part part = gallery::PartOfThisProcess();
    std::set<std::string> rendered;
    std::string error;
    bool completed = gallery::RenderGallery(GetModuleHandleA(nullptr), part, [&](Picture&& actual) {
        rendered.insert(actual.name);
        EXPECT_TRUE(BelongsToThisPart(actual.name, part)) << actual.name;
        Picture golden;
        bool found = gallery::ReadPng(goldens + "\\" + actual.name + ".png", golden);
        if (found && golden.width == actual.width && golden.height == actual.height && golden.pixels == actual.pixels)
            return;
        std::string folder = MismatchFolder();
        std::string actualPath = folder + "\\" + actual.name + ".actual.png";
        gallery::WritePng(actualPath, actual);
        if (!found) {
            ADD_FAILURE() << actual.name << ": no golden in " << goldens << " (scripts/update-goldens writes them)\n"
                          << "  actual: " << Shown(actualPath);
            return;
        }
        std::string differencePath = folder + "\\" + actual.name + ".difference.png";
        gallery::WritePng(differencePath, Difference(golden, actual));
        ADD_FAILURE() << actual.name << ": " << Describe(golden, actual) << "\n  actual: " << Shown(actualPath)
                      << "\n  difference: " << Shown(differencePath);
    }, error);
    ASSERT_TRUE(completed) << error;
    EXPECT_GT(rendered.size(), part == gallery::Part::Languages ? 2u : 8u);

    // Every golden of this part still has its picture.
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((goldens + "\\*.png").c_str(), &found);
    ASSERT_NE(search, INVALID_HANDLE_VALUE) << "no goldens in " << goldens;
    do {
        std::string name = found.cFileName;
        name = name.substr(0, name.size() - 4);
        if (BelongsToThisPart(name, part))
            EXPECT_EQ(rendered.count(name), 1u) << "the golden " << name << ".png has no picture any more";
    } while (FindNextFileA(search, &found));
    FindClose(search);
}
