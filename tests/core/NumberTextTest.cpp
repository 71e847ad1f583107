#include "core/Format.h"
#include "core/LocaleText.h"
#include "core/NoValue.h"

#include <gtest/gtest.h>

namespace {

struct NumberCase
{
    double value;
    int decimals;
    bool edit;
    bool group;
    const char* expected;
};

TEST(FormatNumber, ExactTexts)
{
    CLocaleTextOverride locale(".", ",");
    const NumberCase cases[] = {
        {-9.99e7, 3, false, true, "-99,900,000.000"}, // the limit itself is a value
        {-9.99e7 - 1, 3, false, true, "---"},
        {-9.99e7 - 1, 3, true, true, ""},
        {NoValue, 3, true, false, ""},
        {3.0, 0, true, false, "3.0"},      // edit form: 6 decimals, trimmed to one
        {5.25, 2, true, false, "5.25"},
        {2.0, 0, true, true, "2.0"},       // no grouping in edit form
        {1234567.0, 2, true, true, "1234567.0"},
        {-0.0001, 3, false, true, "0.000"}, // a rounded zero has no sign
        {-0.0001, 3, true, false, "-0.0001"},
        {-123456.5, 1, false, true, "-123,456.5"},
        {-123.0, 1, false, true, "-123.0"},
        {-123456.0, 0, false, true, "-123,456"},
        {999.0, 0, false, true, "999"},
        {1000.0, 0, false, true, "1,000"},
        {1e160, 2, false, true, "1.00e+160"},
        {12345678901234567.0, 3, false, true, "1.235e+16"}, // fixed text over 20 characters
        {1.5, 40, false, false, "1.500000000000000"},        // decimals clamped to 15
        {2.4, -3, false, false, "2"},
    };
    for (const NumberCase& c : cases)
        EXPECT_EQ(CFormat::FormatNumber(c.value, c.decimals, c.edit, c.group), c.expected)
            << c.value << " decimals " << c.decimals << " edit " << c.edit;
}

TEST(FormatNumber, HugeValuesStayBounded)
{
    CLocaleTextOverride locale(".", ",");
    EXPECT_EQ(CFormat::FormatNumber(1.7976931348623157e308, 15, false, true), "1.797693134862316e+308");
    EXPECT_LE(CFormat::FormatNumber(9.9e159, 15, true, false).size(), 32u);
}

TEST(FormatNumber, UsesTheLocaleSeparators)
{
    CLocaleTextOverride locale(",", ".");
    EXPECT_EQ(CFormat::FormatNumber(1234567.891, 2, false, true), "1.234.567,89");
    EXPECT_EQ(CFormat::FormatNumber(2.5, 1, true, false), "2,5");
    EXPECT_EQ(CFormat::FormatNumber(1e160, 1, false, true), "1,0e+160");
    // Texts meant to be read back keep '.' and no grouping.
    EXPECT_EQ(FormatDoubleFull(1234.5), "1234.500000000");
    EXPECT_EQ(FormatPpm(0.00005, true), "50.0000 ppm");
}

TEST(FormatNumber, MultiByteThousandsSeparator)
{
    CLocaleTextOverride locale(",", "\xE2\x80\xAF"); // narrow no-break space
    EXPECT_EQ(CFormat::FormatNumber(1234567.5, 1, false, true), "1\xE2\x80\xAF" "234\xE2\x80\xAF" "567,5");
}

TEST(IntegerText, GroupsAwayFromTheSign)
{
    CLocaleTextOverride locale(".", ",");
    EXPECT_EQ(FormatLong(-1234567, true), "-1,234,567");
    EXPECT_EQ(FormatLong(-123, true), "-123");
    EXPECT_EQ(FormatLong(-123456, true), "-123,456");
    EXPECT_EQ(FormatLong(INT32_MIN, false), "-2147483648");
    EXPECT_EQ(FormatULong(4294967295u, true), "4,294,967,295");
    EXPECT_EQ(FormatUShort(65535, true), "65,535");
    EXPECT_EQ(FormatInt(100, true), "100");
}

TEST(FormatByteSize, Boundaries)
{
    CLocaleTextOverride locale(",", ".");
    EXPECT_EQ(FormatByteSize(0), "0 bytes");
    EXPECT_EQ(FormatByteSize(921), "921 bytes");
    EXPECT_EQ(FormatByteSize(922), "0.90 KB"); // '.' whatever the locale
    EXPECT_EQ(FormatByteSize(5000), "4.88 KB");
    EXPECT_EQ(FormatByteSize(50000), "48.8 KB");
    EXPECT_EQ(FormatByteSize(2000000), "1.953 KB");
    EXPECT_EQ(FormatByteSize(4294967295u), "4.194.304 KB");
}

TEST(ValueTextsForFiles, NoValueAndPpm)
{
    CLocaleTextOverride locale(".", ",");
    EXPECT_EQ(FormatDoubleFull(-9.99e7), ""); // here the limit counts as no value
    EXPECT_EQ(FormatDoubleFull(-9.99e7 + 1), "-99899999.000000000");
    EXPECT_EQ(FormatPpm(NoValue, true), "");
    EXPECT_EQ(FormatScaleFactorPpm(0.99995, false), "-50.0000");
    EXPECT_EQ(FormatScaleFactorPpm(1.0, true), "0.0000 ppm");
    EXPECT_EQ(FormatNumber3(NoValue, false), "---");
    EXPECT_EQ(FormatNumber3(1234.5, false), "1,234.500");
}

struct FeetCase
{
    const char* text;
    const char* expected;
};

TEST(FormatFeetInchesText, NearestSixteenthAndCarries)
{
    CLocaleTextOverride locale(".", ",");
    const FeetCase cases[] = {
        {"5.5", "5' 6\""},
        {"5.0625", "5' 0-3/4\""},
        {"5.041666667", "5' 0-1/2\""}, // lowest terms, not 8/16
        {"-0.5", "0' -6\""},
        {"-5.5", "-5' 6\""},
        {"5.999", "6' 0\""},       // rounds up to the next foot
        {"0.9999", "1' 0\""},
        {"0", "0' 0\""},
        {"---", "---"},
        {"", ""},
        {"12abc", "12abc"},
        {"nan", "nan"},
    };
    for (const FeetCase& c : cases)
        EXPECT_EQ(CFormat::FormatFeetInchesText(c.text), c.expected) << c.text;
}

TEST(FormatFeetInchesText, ReadsTheLocaleDecimalSeparator)
{
    CLocaleTextOverride locale(",", ".");
    EXPECT_EQ(CFormat::FormatFeetInchesText("10,500000"), "10' 6\"");
}

} // namespace
