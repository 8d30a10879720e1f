// The text rules of menu items on hostile texts: unpaired surrogates, combining marks,
// zero-width and right-to-left characters, labels of only "&" and TABs, labels longer than
// the 128-character buffer. Run under ASan: nothing is read past a text's length.
#include "core/text_core.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

using namespace varnelle;

namespace {

// The text in a block of exactly its length, so ASan sees any read past its end.
std::unique_ptr<char16_t[]> Exact(const std::u16string& text)
{
    auto block = std::make_unique<char16_t[]>(text.size() ? text.size() : 1);
    std::copy(text.begin(), text.end(), block.get());
    return block;
}

struct TextCase {
    const char* name;
    std::u16string text;
    int32_t tab;       // first TAB
    int32_t cutLength; // WholeCharacterLength when the text filled the buffer
};

} // namespace

TEST(TextCore, HostileTexts)
{
    const std::u16string longLabel(4000, u'\u0416');
    const TextCase cases[] = {
        {"ascii", u"&Open\tCtrl+O", 5, 12},
        {"cyrillic", u"\u0421\u043E\u0437\u0434\u0430\u0442\u044C\tCtrl+N", 7, 14},
        {"pair at the end", u"Note \U0001F600", -1, 7},
        {"first half at the end", u"cut \xD83D", -1, 4},
        {"second half alone", u"\xDE00 lone", -1, 6},
        {"combining marks", u"e\u0301\u0302\u0303\t", 4, 5},
        {"zero width", u"\u200B\u200D\uFEFF&x", -1, 5},
        {"right to left", u"\u05E9\u05DC\u05D5\u05DD\t\u0661\u0662", 4, 7},
        {"only ampersands and tabs", u"&&&\t\t&\t", 3, 7},
        {"only a tab", u"\t", 0, 1},
        {"empty", u"", -1, 0},
        {"4000 characters", longLabel, -1, 4000},
    };
    for (const TextCase& c : cases) {
        SCOPED_TRACE(c.name);
        const int32_t length = static_cast<int32_t>(c.text.size());
        const auto exact = Exact(c.text);
        EXPECT_EQ(FindTab(exact.get(), length), c.tab);
        EXPECT_EQ(WholeCharacterLength(exact.get(), length, length + 1), c.cutLength);
        // A text that fitted with room to spare is the application's as it stands.
        EXPECT_EQ(WholeCharacterLength(exact.get(), length, length + 2), length);
    }
}

TEST(TextCore, TabsAreLookedForWithinTheLengthOnly)
{
    const std::string late = std::string(127, 'x') + "\tAccel";
    EXPECT_EQ(FindTab(late.c_str(), 127), -1);
    EXPECT_EQ(FindTab(late.c_str(), 128), 127);
    EXPECT_EQ(FindTab("a\tb\tc", 5), 1);
    EXPECT_EQ(FindTab(static_cast<const char*>(nullptr), 5), -1);
    EXPECT_EQ(FindTab(u"x\t", -3), -1);
    EXPECT_EQ(WholeCharacterLength(static_cast<const char16_t*>(nullptr), 5, 6), 0);
    EXPECT_EQ(WholeCharacterLength(u"abc", -1, 128), 0);
}

TEST(TextCore, MnemonicMarksAreDroppedAsDrawTextHidesThem)
{
    const struct {
        std::u16string text;
        std::u16string shown;
    } cases[] = {
        {u"&Open", u"Open"},
        {u"Save &&As", u"Save &As"},
        {u"&&&x", u"&x"},
        {u"Tail&", u"Tail"},
        {u"&", u""},
        {u"&\t&Accel", u"\tAccel"},
        {u"\u0421&\u043E", u"\u0421\u043E"},
        {u"", u""},
    };
    for (const auto& c : cases) {
        const auto exact = Exact(c.text);
        std::u16string out(c.text.size(), u'?');
        const int32_t length = WithoutMnemonicMarks(exact.get(), static_cast<int32_t>(c.text.size()), out.data());
        EXPECT_EQ(out.substr(0, static_cast<size_t>(length)), c.shown);
        // In place, as the painters do it.
        std::u16string inPlace = c.text;
        const int32_t again = WithoutMnemonicMarks(inPlace.data(), static_cast<int32_t>(inPlace.size()), inPlace.data());
        EXPECT_EQ(inPlace.substr(0, static_cast<size_t>(again)), c.shown);
    }
    char ansi[] = "E&xit";
    EXPECT_EQ(WithoutMnemonicMarks(ansi, 5, ansi), 4);
    EXPECT_EQ(std::string(ansi, 4), "Exit");
    EXPECT_EQ(WithoutMnemonicMarks(static_cast<const char*>(nullptr), 3, ansi), 0);
}
