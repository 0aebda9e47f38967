// Numbers written as "%f" writes them, without printf: the digits must be
// printf's to the last one, ties and the ends of the integer route included.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <string>

#include "common/text.h"

namespace {

std::string printed(double value)
{
    char text[512];
    std::snprintf(text, sizeof text, "%f", value);
    return text;
}

TEST(FixedText, WritesWhatPrintfWrites)
{
    const double inf = std::numeric_limits<double>::infinity();
    for (const double value :
         {0.0, -0.0, 1.0, -1.5, 0.0000005, -0.0000005, 0.00000049999999999999996, 2.5e-7, 1.0 / 128, 3.0 / 128,
          -5.0 / 1024, 0.1 + 0.2, 1e-300, -5e-324, 123456789.123456789, 9007199254740993.0,
          std::ldexp(1.0, 64), std::nextafter(std::ldexp(1.0, 64), 0.0), -std::ldexp(1.0, 63), 1e308, inf, -inf,
          std::numeric_limits<double>::quiet_NaN()})
        EXPECT_EQ(tovex::fixed6(value), printed(value)) << std::hexfloat << value;

    // Random bit patterns, and values scattered over the magnitudes where
    // the sixth decimal is decided.
    std::mt19937_64 random(3);
    for (int i = 0; i < 20000; ++i) {
        const std::uint64_t bits = random();
        double value = 0.0;
        std::memcpy(&value, &bits, sizeof value);
        if (std::isfinite(value)) {
            EXPECT_EQ(tovex::fixed6(value), printed(value)) << std::hexfloat << value;
        }
        const double scaled = std::ldexp(static_cast<double>(random() >> 11), static_cast<int>(random() % 100) - 80);
        EXPECT_EQ(tovex::fixed6(scaled), printed(scaled)) << std::hexfloat << scaled;
    }
}

}  // namespace
