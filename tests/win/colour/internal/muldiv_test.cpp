// The colour arithmetic computes MulDiv inline; it must agree with KERNEL32's MulDiv for
// every argument the colour functions can form.
#include "core/rounding.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <random>

using varnelle::MulDivKernel;

TEST(MulDivKernel, AgreesWithKernel32OnTheColourArguments)
{
    // LightenColor: MulDiv(255 - x, amount, 255); DarkenColor: MulDiv(x, 255 - amount, 255);
    // channels reach 0xFFFF through the unmasked blue.
    std::mt19937 random(12345);
    std::uniform_int_distribution<int32_t> anyInt(INT32_MIN, INT32_MAX);
    std::uniform_int_distribution<int32_t> channel(0, 0xFFFF);
    int compared = 0;
    for (int32_t x = 0; x <= 0xFFFF; x += 7) {
        for (int32_t amount : {0, 1, 127, 128, 255, 256, -1, -255, 1 << 20, INT32_MAX, INT32_MIN}) {
            ASSERT_EQ(MulDivKernel(255 - x, amount, 255), MulDiv(255 - x, amount, 255)) << x << " " << amount;
            int32_t inverse = static_cast<int32_t>(255u - static_cast<uint32_t>(amount));
            ASSERT_EQ(MulDivKernel(x, inverse, 255), MulDiv(x, inverse, 255)) << x << " " << amount;
            compared += 2;
        }
        for (int32_t numerator : {86, 14}) {
            ASSERT_EQ(MulDivKernel(numerator, x, 100), MulDiv(numerator, x, 100));
        }
        for (int32_t numerator : {7, 3}) {
            ASSERT_EQ(MulDivKernel(numerator, x, 10), MulDiv(numerator, x, 10));
        }
    }
    for (int i = 0; i < 2000000; ++i) {
        int32_t x = channel(random);
        int32_t amount = anyInt(random);
        int32_t inverse = static_cast<int32_t>(255u - static_cast<uint32_t>(amount));
        ASSERT_EQ(MulDivKernel(255 - x, amount, 255), MulDiv(255 - x, amount, 255)) << x << " " << amount;
        ASSERT_EQ(MulDivKernel(x, inverse, 255), MulDiv(x, inverse, 255)) << x << " " << amount;
        compared += 2;
    }
    EXPECT_GT(compared, 4000000);
}

TEST(MulDivKernel, AgreesWithKernel32OnHalvesAndSigns)
{
    std::mt19937 random(777);
    std::uniform_int_distribution<int32_t> small(-100000, 100000);
    std::uniform_int_distribution<int32_t> divisor(-1000, 1000);
    for (int i = 0; i < 1000000; ++i) {
        int32_t a = small(random), b = small(random), c = divisor(random);
        ASSERT_EQ(MulDivKernel(a, b, c), MulDiv(a, b, c)) << a << " " << b << " " << c;
    }
}
