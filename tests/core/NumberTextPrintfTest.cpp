#include "core/Format.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

std::string Printf(const char* format, double value)
{
    char buffer[512];
    std::snprintf(buffer, sizeof buffer, format, value);
    return buffer;
}

// Raw lines and files have always carried printf's texts; the numbers now go through to_chars,
// which must give the same characters for every value, including the ones rounding tests first.
TEST(NumberTextPrintf, SameTextsAsPrintf)
{
    const double values[] = {0.0,          -0.0,          0.5,           -0.5,           2.5,
                             0.125,        1.0000005,     1.0000015,     0.0000005,      -0.0000005,
                             1e-7,         -1e-7,         1e-10,         0.1,            0.3,
                             1234.5678905, 538000.12345,  1455000.0005,  99999999.9999995, 1e15,
                             -12345678.9999999995, 1e15 + 0.5,    123456789.123456789, 4503599627370495.5,
                             9.999999995,  1e20,          -9.99e7 + 1,   680.1,          2.675};
    for (double v : values) {
        EXPECT_EQ(FormatDoubleFull(v), Printf("%.9f", v)) << v;
        // The fixed form up to 20 characters; a zero keeps no sign.
        const std::string fixed = Printf("%.3f", v);
        if (fixed.size() <= 20)
            EXPECT_EQ(CFormat::FormatNumber(v, 3, false, false), fixed == "-0.000" ? "0.000" : fixed) << v;
    }
    // Past the fixed form's width the exponent form is printf's too. Values at or below the
    // no-value limit give no text at all, so the table keeps above it.
    for (double v : {1e160, 2.5e200, 1.7976931348623157e308})
        EXPECT_EQ(FormatDoubleCompact(v), Printf("%.6e", v)) << v;
}

} // namespace
