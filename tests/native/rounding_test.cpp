#include "core/rounding.h"
#include "core/memory_routines.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>

using namespace varnelle;

TEST(DivRound, HalvesGoToTheEvenNeighbourForBothSigns)
{
    EXPECT_EQ(DivRound(7, 2), 4);
    EXPECT_EQ(DivRound(5, 2), 2);
    EXPECT_EQ(DivRound(9, 2), 4);
    EXPECT_EQ(DivRound(3, 2), 2);
    EXPECT_EQ(DivRound(-5, 2), -2);
    EXPECT_EQ(DivRound(-3, 2), -2);
    EXPECT_EQ(DivRound(-7, 2), -4);
    EXPECT_EQ(DivRound(-1, 2), 0);
    EXPECT_EQ(DivRound(1, 3), 0);
    EXPECT_EQ(DivRound(2, 3), 1);
    EXPECT_EQ(DivRound(-2, 3), -1);
    EXPECT_EQ(DivRound(1664, 256), 6);  // 6.5
    EXPECT_EQ(DivRound(1920, 256), 8);  // 7.5
}

TEST(DivRound, ResultsOutsideTheRangeGiveIntegerIndefinite)
{
    EXPECT_EQ(DivRound(1, 0), INT32_MIN);
    EXPECT_EQ(DivRound(0, 0), INT32_MIN);
    EXPECT_EQ(DivRound(INT32_MIN, -1), INT32_MIN);
}

TEST(MulRound, ExactProductsAndOverflow)
{
    EXPECT_EQ(MulRound(255, 77), 19635);
    EXPECT_EQ(MulRound(-4, 6), -24);
    EXPECT_EQ(MulRound(65535, 28), 1834980);
    EXPECT_EQ(MulRound(65536, 65536), INT32_MIN);
}

TEST(MulDivKernel, HalvesRoundAwayFromZeroWithEitherSign)
{
    EXPECT_EQ(MulDivKernel(5, 1, 2), 3);
    EXPECT_EQ(MulDivKernel(-5, 1, 2), -3);
    EXPECT_EQ(MulDivKernel(5, -1, 2), -3);
    EXPECT_EQ(MulDivKernel(5, 1, -2), -3);
    EXPECT_EQ(MulDivKernel(-5, -1, -2), -3);
    EXPECT_EQ(MulDivKernel(255, 127, 255), 127);
    EXPECT_EQ(MulDivKernel(7, 255, 10), 179);  // 178.5
    EXPECT_EQ(MulDivKernel(1, 1, 0), -1);
    EXPECT_EQ(MulDivKernel(INT32_MAX, 2, 1), -1);
    EXPECT_EQ(MulDivKernel(INT32_MIN, 1, 1), -1);
    EXPECT_EQ(MulDivKernel(-INT32_MAX, 1, 1), -INT32_MAX);
}

TEST(FillDwords, WritesExactlyTheCountedWords)
{
    for (uint32_t count : {0u, 4u, 24u, 28u, 32u, 36u, 64u, 68u}) {
        uint32_t words[24];
        std::memset(words, 0xAB, sizeof words);
        FillDwords(words + 1, count, 0x12345678u);
        EXPECT_EQ(words[0], 0xABABABABu) << count;
        for (uint32_t i = 0; i < count / 4; ++i)
            EXPECT_EQ(words[1 + i], 0x12345678u) << count << " word " << i;
        EXPECT_EQ(words[1 + count / 4], 0xABABABABu) << count;
    }
}

TEST(CopyBytes, CopiesWordsThenTheRestAndNothingPast)
{
    unsigned char source[70];
    for (int i = 0; i < 70; ++i)
        source[i] = static_cast<unsigned char>(i + 1);
    for (uint32_t count : {0u, 1u, 3u, 4u, 5u, 40u, 60u, 63u}) {
        unsigned char destination[72];
        std::memset(destination, 0xEE, sizeof destination);
        CopyBytes(source, destination + 1, count);
        EXPECT_EQ(destination[0], 0xEE) << count;
        EXPECT_EQ(std::memcmp(destination + 1, source, count), 0) << count;
        EXPECT_EQ(destination[1 + count], 0xEE) << count;
    }
}

TEST(CopyString, CopiesThroughTheTerminator)
{
    char face[32];
    std::memset(face, 'x', sizeof face);
    CopyString("Marlett", face);
    EXPECT_STREQ(face, "Marlett");
    EXPECT_EQ(face[7], 0);
    EXPECT_EQ(face[8], 'x');
}
