#include "ValueTextFakes.h"

#include "core/GenericFormat.h"
#include "core/NoValue.h"
#include "core/ValueText.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace morvel::test;

namespace {

TEST(ParseDouble, LocaleSeparators)
{
    double v = 0;
    {
        CLocaleTextOverride locale(".", ",");
        ASSERT_TRUE(ParseDouble(&v, "1,234.5", false));
        EXPECT_EQ(v, 1234.5);
        ASSERT_TRUE(ParseDouble(&v, "  -12.25\t ", false));
        EXPECT_EQ(v, -12.25);
    }
    {
        CLocaleTextOverride locale(",", ".");
        ASSERT_TRUE(ParseDouble(&v, "1.234,5", false));
        EXPECT_EQ(v, 1234.5);
        ASSERT_TRUE(ParseDouble(&v, "0,25", false));
        EXPECT_EQ(v, 0.25);
    }
    {
        CLocaleTextOverride locale(",", "\xC2\xA0"); // no-break space, one character
        ASSERT_TRUE(ParseDouble(&v, "1\xC2\xA0" "234,5", false));
        EXPECT_EQ(v, 1234.5);
    }
}

TEST(ParseDouble, RefusedAndEmptyTexts)
{
    CLocaleTextOverride locale(".", ",");
    double v = 0;
    EXPECT_TRUE(ParseDouble(&v, "", true));
    EXPECT_EQ(v, NoValue);
    EXPECT_FALSE(ParseDouble(&v, "", false));
    EXPECT_FALSE(ParseDouble(&v, "   ", true)); // blanks are not empty
    EXPECT_FALSE(ParseDouble(&v, "12abc", false));
    EXPECT_TRUE(ParseDouble(&v, "12  ", false));
    EXPECT_FALSE(ParseDouble(&v, "-1e8", false)); // below the no-value limit
    EXPECT_TRUE(ParseDouble(&v, "-1e8", true));
    for (const char* text : {"nan", "inf", "-inf", "infinity", "0x10", "1e999", "1e", "."})
        EXPECT_FALSE(ParseDouble(&v, text, true)) << text;
}

TEST(ParseInt, ZeroSignAndRange)
{
    CLocaleTextOverride locale(".", ",");
    int v = -1;
    EXPECT_TRUE(ParseInt(&v, "0"));
    EXPECT_EQ(v, 0);
    EXPECT_FALSE(ParseInt(&v, "-0"));
    EXPECT_FALSE(ParseInt(&v, "+0"));
    EXPECT_FALSE(ParseInt(&v, ""));
    EXPECT_TRUE(ParseInt(&v, "1,234"));
    EXPECT_EQ(v, 1234);
    EXPECT_TRUE(ParseInt(&v, "-2147483648"));
    EXPECT_EQ(v, INT32_MIN);
    EXPECT_FALSE(ParseInt(&v, "2147483648"));
    EXPECT_FALSE(ParseInt(&v, "12.5"));
}

class JobTextTest : public ::testing::Test
{
protected:
    JobTextTest()
    {
        job.points["3"] = CLocation(0, 0, 10);
        job.points["7"] = CLocation(3, 4, 22);
        job.points["A1"] = CLocation(100, 100, NoValue);
        job.points["B1"] = CLocation(100, 200, NoValue);
    }
    CLocaleTextOverride locale{".", ","};
    PreferencesScope defaults;
    FakeJob job;
    ActiveJobScope active{&job};
};

TEST_F(JobTextTest, SplitValueFields)
{
    std::vector<std::string> f;
    EXPECT_TRUE(SplitValueFields("A1-B1", 2, &f));
    EXPECT_EQ(f, (std::vector<std::string>{"A1", "B1"}));
    EXPECT_TRUE(SplitValueFields("  A1 -  B1 ", 2, &f));
    EXPECT_TRUE(SplitValueFields("3-7-A1", 3, &f));
    EXPECT_FALSE(SplitValueFields("A1-A1", 2, &f));
    EXPECT_FALSE(SplitValueFields("A1--B1", 2, &f));
    EXPECT_FALSE(SplitValueFields("A1 B1", 2, &f));
    EXPECT_FALSE(SplitValueFields("A1-C9", 2, &f)); // no such point
    EXPECT_FALSE(SplitValueFields("3-7-3", 3, &f));
    SetActiveJobValueSource(nullptr);
    EXPECT_FALSE(SplitValueFields("A1-B1", 2, &f));
}

TEST_F(JobTextTest, DistancesBetweenPoints)
{
    double d = 0;
    ASSERT_TRUE(ParseDistance("3-7", &d, DistanceHorizontal));
    EXPECT_DOUBLE_EQ(d, 5.0);
    ASSERT_TRUE(ParseDistance("3-7", &d, DistanceSlope));
    EXPECT_DOUBLE_EQ(d, 13.0);
    ASSERT_TRUE(ParseDistance("3-7", &d, DistanceVertical));
    EXPECT_DOUBLE_EQ(d, 12.0);
    EXPECT_FALSE(ParseDistance("A1-B1", &d, DistanceSlope)); // no elevations: no fall-back to numbers
    ASSERT_TRUE(ParseDistance("A1-B1", &d, DistanceHorizontal));
    EXPECT_DOUBLE_EQ(d, 100.0);
    EXPECT_FALSE(ParseDistance("3-9", &d, DistanceHorizontal)); // 9 missing: read as a number, which fails
    job.units.distance = 1;
    ASSERT_TRUE(ParseDistance("3-7", &d, DistanceHorizontal));
    EXPECT_DOUBLE_EQ(d, 5.0 * 3.280839895013123);

    double g = 0;
    ASSERT_TRUE(ParseGrade("3-7", &g));
    EXPECT_DOUBLE_EQ(g, 12.0 / 5.0);
    EXPECT_FALSE(ParseGrade("A1-B1", &g));
}

struct DistanceCase
{
    int units;
    const char* text;
    bool ok;
    double value;
};

TEST_F(JobTextTest, DistanceTextAndFeetInches)
{
    const DistanceCase cases[] = {
        {0, "12.5", true, 12.5},
        {0, "  12.5  ", true, 12.5},
        {0, "5 6", false, 0},     // inches only in a feet job
        {1, "5 6", true, 5.5},
        {1, "5 6 1/2", true, 5 + 6.5 / 12},
        {2, "5 6 0", true, 5.5},
        {1, "-5 6", true, -5.5},  // the inches take the sign of the feet
        {1, "-0 6", true, -0.5},
        {1, "5 6 1/0", false, 0},
        {1, "5 6 1", false, 0},
        {1, "5 6 0/0", true, 5.5},
        {1, "5 6 0/x", false, 0},
        {1, "5 6 1/2 3", false, 0},
        {1, "5 x", false, 0},
        {1, "5 ft", false, 0},    // no unit words
        {0, "5 m", false, 0},
        {0, "12abc", false, 0},
        {0, "", false, 0},
    };
    for (const DistanceCase& c : cases) {
        job.units.distance = c.units;
        double v = 0;
        const bool ok = ParseDistanceText(c.text, &v);
        EXPECT_EQ(ok, c.ok) << c.text;
        if (ok && c.ok) {
            EXPECT_DOUBLE_EQ(v, c.value) << c.text;
        }
    }
}

TEST_F(JobTextTest, GradesAreasAndStations)
{
    double v = 0;
    for (const char* text : {"5%", "5", "5 %", " 5"}) {
        ASSERT_TRUE(ParseGrade(text, &v)) << text;
        EXPECT_DOUBLE_EQ(v, 0.05);
    }
    EXPECT_FALSE(ParseGrade("5 pct", &v));
    EXPECT_FALSE(ParseGrade("5%%", &v));
    ASSERT_TRUE(ParseArea(" 1,234.5 ", &v));
    EXPECT_EQ(v, 1234.5);
    EXPECT_FALSE(ParseArea("12 sq", &v));

    struct StationCase
    {
        int format;
        const char* text;
        bool ok;
        double value;
    };
    const StationCase stations[] = {
        {0, "12+34.5", true, 1234.5}, {0, "-1+20", true, -120}, {0, "1+", false, 0},
        {0, "1+150", false, 0},       {0, "1+100", true, 200},  {0, "250.5", true, 250.5},
        {1, "1+234.5", true, 1234.5}, {1, "1+1000", true, 2000}, {1, "1+1001", false, 0},
        {0, "12+3x", false, 0},       {0, "+5", false, 0},
        {1, "1e306+5", false, 0}, // beyond the range of a double once multiplied
    };
    for (const StationCase& c : stations) {
        FormatPreferences prefs;
        prefs.iJobStationFormat = c.format;
        PreferencesScope scope(prefs);
        const bool ok = ParseStation(&v, c.text);
        EXPECT_EQ(ok, c.ok) << c.text;
        if (ok && c.ok) {
            EXPECT_DOUBLE_EQ(v, c.value) << c.text;
        }
    }
}

TEST_F(JobTextTest, StationTextReadsBack)
{
    FormatPreferences prefs;
    PreferencesScope scope(prefs);
    for (double s : {1234.567, 5.2, -1234.5, 0.0, 99.999}) {
        double v = 0;
        ASSERT_TRUE(ParseStation(&v, FormatStationText(s, true))) << s;
        EXPECT_NEAR(v, s, 1e-9);
    }
}

TEST(ParseNorthSouth, HemisphereLetters)
{
    CLocaleTextOverride locale(".", ",");
    double v = 0;
    ASSERT_TRUE(ParseNorthSouth(&v, "S 12.3000"));
    EXPECT_DOUBLE_EQ(v, -12.3);
    ASSERT_TRUE(ParseNorthSouth(&v, "12.3000s"));
    EXPECT_DOUBLE_EQ(v, -12.3);
    ASSERT_TRUE(ParseNorthSouth(&v, "n12\xC2\xB0" "30'15\""));
    EXPECT_DOUBLE_EQ(v, 12.3015);
    ASSERT_TRUE(ParseEastWest(&v, "W 120 15 30.5"));
    EXPECT_DOUBLE_EQ(v, -120.15305);
    EXPECT_FALSE(ParseNorthSouth(&v, ""));
    EXPECT_FALSE(ParseNorthSouth(&v, "N"));
    EXPECT_FALSE(ParseEastWest(&v, "E 12 x"));
}

TEST(ParseNorthSouth, CommaLocaleKeepsThePackedPoint)
{
    CLocaleTextOverride locale(",", ".");
    double v = 0;
    ASSERT_TRUE(ParseNorthSouth(&v, "S 12 30 15"));
    EXPECT_DOUBLE_EQ(v, -12.3015);
}

TEST(DateAndTime, CalendarAndClock)
{
    EXPECT_TRUE(IsValidTime(0, 0, 0));
    EXPECT_TRUE(IsValidTime(23, 59, 59));
    EXPECT_TRUE(IsValidTime(24, 0, 0));
    EXPECT_FALSE(IsValidTime(24, 59, 59));
    EXPECT_FALSE(IsValidTime(24, 0, 1));
    EXPECT_FALSE(IsValidTime(12, 60, 0));
    EXPECT_FALSE(IsValidTime(-1, 0, 0));

    EXPECT_FALSE(IsValidDate(1899, 12, 31));
    EXPECT_TRUE(IsValidDate(1900, 1, 1));
    EXPECT_FALSE(IsValidDate(2023, 2, 31));
    EXPECT_FALSE(IsValidDate(2023, 2, 29));
    EXPECT_TRUE(IsValidDate(2024, 2, 29));
    EXPECT_FALSE(IsValidDate(1900, 2, 29)); // not a leap year
    EXPECT_TRUE(IsValidDate(2000, 2, 29));
    EXPECT_FALSE(IsValidDate(2023, 4, 31));
    EXPECT_TRUE(IsValidDate(2023, 12, 31));
    EXPECT_FALSE(IsValidDate(2023, 13, 1));
    EXPECT_FALSE(IsValidDate(2023, 1, 0));
}

TEST_F(JobTextTest, ConvertToAndFromMetres)
{
    job.units.distance = 1;
    double v = 10.0;
    ConvertToMetres(&v, nullptr);
    EXPECT_DOUBLE_EQ(v, 3.048);
    ConvertFromMetres(&v, nullptr);
    EXPECT_DOUBLE_EQ(v, 10.0);
    job.units.distance = 0;
    CGenericFormat units;
    units.SetDistanceUnits(2);
    v = 1.0;
    ConvertToMetres(&v, &units);
    EXPECT_DOUBLE_EQ(v, 0.30480060960121924);
    v = NoValue;
    ConvertToMetres(&v, &units);
    EXPECT_FALSE(HasValue(v));
}

TEST_F(JobTextTest, FacadeUsesTheJobFormat)
{
    EXPECT_EQ(FormatDistanceText(1234.5, false), "1,234.500"); // no unit suffix
    EXPECT_EQ(FormatDistanceText(1234.5, true), "1234.5");
    EXPECT_EQ(FormatCoordinateText(NoValue, false), "---");
    EXPECT_EQ(FormatPointNameText("1234", false), "1,234");
    EXPECT_EQ(FormatGradeText(0.1, false), "10.000%");
    EXPECT_EQ(FormatLargeAreaText(25000.0, false), "2.500"); // hectares
    job.units.distance = 1;
    EXPECT_EQ(FormatLargeAreaText(43560.0, false), "1.000"); // acres
    CGenericFormat other;
    EXPECT_EQ(FormatDistanceText(1.0, false, &other), "1.000");
}

// NaN comes out of failed arithmetic; every formatter must show it as no value, never "nan".
TEST_F(JobTextTest, NaNIsFormattedAsNoValue)
{
    using Formatter = std::string (*)(double, bool, const CFormat*);
    const Formatter formatters[] = {FormatCoordinateText, FormatElevationText, FormatHeightText,
                                    FormatNorthSouthText, FormatEastWestText,  FormatDistanceText,
                                    FormatAzimuthText,    FormatAngleText,     FormatVerticalAngleText,
                                    FormatBearingText,    FormatStationText,   FormatGradeText,
                                    FormatSmallAreaText};
    const double nan = std::nan("");
    for (bool edit : {false, true}) {
        for (Formatter f : formatters)
            EXPECT_EQ(f(nan, edit, nullptr), f(NoValue, edit, nullptr));
        EXPECT_EQ(FormatLargeAreaText(nan, edit), FormatLargeAreaText(NoValue, edit));
        for (bool decimal : {false, true}) {
            std::string text, empty;
            FormatLatitudeText(&text, decimal, nan, edit);
            FormatLatitudeText(&empty, decimal, NoValue, edit);
            EXPECT_EQ(text, empty);
            FormatLongitudeText(&text, decimal, -nan, edit);
            FormatLongitudeText(&empty, decimal, NoValue, edit);
            EXPECT_EQ(text, empty);
        }
    }
}

TEST(GeographicText, LatitudeAndLongitude)
{
    CLocaleTextOverride locale(",", ".");
    std::string text;
    FormatLatitudeText(&text, false, -DmsToRadians(12.30155), false);
    EXPECT_EQ(text, "-12.301550000 S");
    FormatLatitudeText(&text, true, 0.5 * Pi / 180, true);
    EXPECT_EQ(text, "0.500000000");
    FormatLongitudeText(&text, false, 0.0, false);
    EXPECT_EQ(text, "0.000000000 E");
    FormatLongitudeText(&text, false, NoValue, false);
    EXPECT_EQ(text, "---");
    FormatLongitudeText(&text, false, NoValue, true);
    EXPECT_EQ(text, "");
}

} // namespace
