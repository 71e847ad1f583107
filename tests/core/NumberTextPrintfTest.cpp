#include "core/DecimalText.h"
#include "core/Format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

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

// The compact text of raw lines, printf's "%f" with trailing zeros dropped down to one, and the
// value it reads back as: the
// table's values, values whose seventh decimal is an exact or a near tie on both sides, and
// random values of every size either side of where the six-decimal shortcut stops.
TEST(NumberTextPrintf, CompactTextIsPrintfsTrimmed)
{
    auto reference = [](double v) {
        std::string text = Printf("%f", v);
        if (text.size() > 20)
            return Printf("%.6e", v);
        while (text.size() >= 3 && text.back() == '0' && text[text.size() - 2] != '.')
            text.pop_back();
        return text == "-0.0" ? std::string("0.0") : text;
    };
    std::vector<double> values = {0.0,       -0.0,         0.5,       2.5,        0.0000005,  -0.0000005,
                                  0.0000015, 0.0000025,    1e-7,      -1e-7,      1.0 / 128,  3.0 / 128,
                                  -5.0 / 256, 1e-300,      -4e-324,   3999999999.9999995, 4e9, -4e9,
                                  4e9 - 0.0000005, 8999999999.9999995, 1e15, -99899999.9999995, 538542.57,
                                  1455644.371, 1234.5678905, 12345678.1234565, 0.3333333333, 1e159};
    for (int k = -3000; k <= 3000; ++k) {
        values.push_back(k / 128.0);
        const double tie = (k * 7919 + 0.5) * 1e-6;
        values.insert(values.end(), {tie, std::nextafter(tie, -1e10), std::nextafter(tie, 1e10)});
    }
    std::mt19937_64 random(45);
    std::uniform_real_distribution<double> mantissa(0.0, 1.0);
    for (int i = 0; i < 60000; ++i)
        values.push_back((i % 2 ? -1 : 1) * mantissa(random) * std::pow(10.0, int(random() % 26) - 13));
    for (double v : values) {
        if (!(v > -9.99e7))
            continue;
        const std::string text = FormatDoubleCompact(v);
        ASSERT_EQ(text, reference(v)) << Printf("%.17g", v);
        // Raw lines are filed by the value their text reads back as.
        double readBack = 0, read = 0;
        if (CompactTextValue(v, &readBack)) {
            ASSERT_TRUE(ReadDecimalDouble(text, read)) << text;
            ASSERT_EQ(Printf("%a", readBack), Printf("%a", read)) << text;
        }
        // Written and answered in one go, the import's lines get the same text and value.
        std::string both = "x";
        double once = 0;
        ASSERT_EQ(AppendDoubleCompact(both, v, &once), CompactTextValue(v, &read)) << text;
        ASSERT_EQ(both, "x" + text);
        if (CompactTextValue(v, &read))
            ASSERT_EQ(Printf("%a", once), Printf("%a", readBack)) << text;
    }
}

} // namespace

namespace {

// Short plain decimals are read by one exact division; the value must be the one strtod gives,
// bit for bit, at the edges of that path (digit counts, 2^53, signs, bare points) and past them.
TEST(NumberTextPrintf, ReadsAsStrtod)
{
    std::vector<std::string> texts = {"0.5", "-0", "-0.0", "+0.25", "5.", "-5.", ".5", "-.5", "+.5", "0.1",
                                      "2.675", "  680.1", "\t-1e-7", "0.0000001", "1e15", "9007199254740992",
                                      "9007199254740993", "900719925474099.35", "1234567890123456789",
                                      "12345678901234567890", "0.0000000000000000000001", "00000000000000000001.5",
                                      "0.30000000000000004", "538542.5700000000001", "1455644.371"};
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> mantissa(0.0, 1.0);
    for (int i = 0; i < 20000; ++i) {
        const double v = (i % 2 ? -1 : 1) * mantissa(random) * std::pow(10.0, int(random() % 20) - 8);
        texts.push_back(Printf(i % 3 ? "%.6f" : "%.17g", v));
    }
    for (const std::string& text : texts) {
        double read = 0;
        ASSERT_TRUE(ReadDecimalDouble(text, read)) << text;
        ASSERT_EQ(Printf("%a", read), Printf("%a", std::strtod(text.c_str(), nullptr))) << text;
    }
    for (const char* bad : {"", "-", "+", ".", "-.", "1.2.3", "1,5", "1-", "--1", "1 ", "0x10", "inf", "nan", "1e"}) {
        double read = 42;
        EXPECT_FALSE(ReadDecimalDouble(bad, read)) << bad;
    }
}

// A line walk reads a number where it stands: the reader stops at the first character that cannot
// go on with it, and the value is the one strtod gives the text up to there, for digit runs of
// every length on either side of the point, whatever follows.
TEST(NumberTextPrintf, ReadsPlainDecimalInPlace)
{
    std::mt19937_64 random(11);
    const char* const stops[] = {",", " ", "\r\n", "e5", "x", "..", "-1", "\t"};
    for (int i = 0; i < 30000; ++i) {
        const size_t whole = random() % 21, fraction = random() % 21;
        std::string number = i % 3 == 0 ? "-" : i % 3 == 1 ? "+" : "";
        for (size_t d = 0; d < whole; ++d)
            number += char('0' + random() % 10);
        if (i % 4 != 0 || whole == 0) {
            number += '.';
            for (size_t d = 0; d < fraction; ++d)
                number += char('0' + random() % 10);
        }
        const std::string text = number + stops[i % std::size(stops)] + "12345678";
        double read = 42;
        const char* stop = ReadPlainDecimal(text.data(), text.data() + text.size(), read);
        const size_t digits = number.size() - (number[0] == '-' || number[0] == '+') - (number.find('.') != std::string::npos);
        if (digits >= 1 && digits <= 15)
            ASSERT_NE(stop, nullptr) << text;
        if (!stop) {
            ASSERT_EQ(read, 42) << text;
            continue;
        }
        ASSERT_EQ(stop - text.data(), std::ptrdiff_t(number.size())) << text;
        ASSERT_EQ(Printf("%a", read), Printf("%a", std::strtod(number.c_str(), nullptr))) << text;
    }
}

} // namespace
