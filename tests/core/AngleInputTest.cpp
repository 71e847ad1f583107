#include "ValueTextFakes.h"

#include "core/AngleFunctions.h"
#include "core/AngleInput.h"
#include "core/ValueText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace morvel::test;

namespace {

const std::string Deg = "\xC2\xB0";

struct NormalizeCase
{
    std::string typed;
    const char* packed; // null: refused
};

TEST(NormalizeAngleText, AcceptedAndRefusedForms)
{
    const NormalizeCase cases[] = {
        {"12" + Deg + "30'15\"", "12.3015"},
        {"12 30 15", "12.3015"},
        {"12  30   15", "12.3015"},
        {"12 30 15.5", "12.30155"},
        {"30'", "0.30"},
        {"30'15\"", "0.3015"},
        {"12" + Deg + "15\"", "12.0015"},
        {"45" + Deg + "30'05\"", "45.3005"},
        {"12" + Deg + "30'15.5\"", "12.30155"},
        {"12" + Deg + "30'", "12.30"},
        {"12" + Deg + "5", "12.05"},
        {"-7 5 3", "-7.0503"},
        {"5\"", "0.0005"},
        {"5.3\"", "0.00053"},
        {"125", "125.0"},
        {"-125", "-125.0"},
        {"12.3015", "12.3015"},
        {"007 05", "7.05"},
        {"12" + Deg, nullptr},             // empty minutes
        {"12.", nullptr},
        {"12" + Deg + " 30'", nullptr},    // a blank after a mark
        {"12 30.5", nullptr},              // a point in the minutes
        {"12.30 15", nullptr},             // a blank after the point of the degrees
        {"12" + Deg + "30.5", nullptr},
        {"12 30 15\"", nullptr},           // second mark after blank-separated fields
        {"12 30 15 16", nullptr},          // a fourth field
        {"12" + Deg + "30'15\"16", nullptr},
        {"12 300", nullptr},               // three digits of minutes
        {"12" + Deg + "30" + Deg, nullptr},
        {"12" + Deg + "30'15'", nullptr},
        {"12x", nullptr},
        {"", nullptr},
        {"   ", nullptr},
        {"nan", nullptr},
    };
    for (const NormalizeCase& c : cases) {
        std::string text = c.typed;
        const bool ok = NormalizeAngleText(text);
        if (c.packed) {
            EXPECT_TRUE(ok) << c.typed;
            if (ok) {
                EXPECT_EQ(text, c.packed) << c.typed;
            }
        } else {
            EXPECT_FALSE(ok) << c.typed << " gave " << text;
        }
    }
}

TEST(StripAngleMarks, FirstPointOnly)
{
    std::string a = "12" + Deg + "30'15\"";
    StripAngleMarks(a);
    EXPECT_EQ(a, "12.3015");
    std::string b = "12.30.15";
    StripAngleMarks(b);
    EXPECT_EQ(b, "12.3015");
    std::string c = "12 30 15";
    StripAngleMarks(c);
    EXPECT_EQ(c, "12 30 15");
}

class AngleInputTest : public ::testing::Test
{
protected:
    AngleInputTest()
    {
        job.points["BS"] = CLocation(0, 10, 0);
        job.points["V"] = CLocation(0, 0, 0);
        job.points["FS"] = CLocation(10, 0, 0);
        job.points["UP"] = CLocation(10, 0, 10);
        job.points["FLAT"] = CLocation(5, 5, NoValue);
    }
    double Dms(double packed) { return DmsToRadians(packed); }

    CLocaleTextOverride locale{".", ","};
    FakeJob job;
    ActiveJobScope active{&job};
};

struct BearingInput
{
    std::string text;
    double direction;
};

TEST_F(AngleInputTest, QuadrantAndLetterBearings)
{
    const double a = DmsToRadians(45.3);
    const BearingInput cases[] = {
        {"1 45.3000", Pi / 2 - a},
        {"2 45.3000", 3 * Pi / 2 + a},
        {"3 45" + Deg + "30'", 3 * Pi / 2 - a},
        {"4 45.30", Pi / 2 + a},
        {"n 45.3000 e", Pi / 2 - a},
        {"N45" + Deg + "30'E", Pi / 2 - a},
        {"N45" + Deg + "30'W", Pi / 2 + a},
        {"S 10 15 20 W", 3 * Pi / 2 - DmsToRadians(10.152)},
        {"s45.3e", 3 * Pi / 2 + a},
        {"N0E", Pi / 2},
        {"N90W", Pi},
        {"2", Pi / 2 - DmsToRadians(2.0)}, // an azimuth of 2 degrees
    };
    for (const BearingInput& c : cases) {
        double v = 0;
        ASSERT_TRUE(ParseAngle(c.text, &v, 0)) << c.text;
        EXPECT_NEAR(NormalizeAngle(v), NormalizeAngle(c.direction), 1e-12) << c.text;
    }
    double v = 0;
    for (const char* refused : {"5 10", "N 95 E", "E 45 N", "12 45", "1 95", "N45", "1 45 x", ""})
        EXPECT_FALSE(ParseAngle(refused, &v, 0)) << refused;
    EXPECT_FALSE(ParseQuadrantBearing("2 45", &v, 1)); // bearings only in kind 0
    EXPECT_FALSE(ParseLetterBearing("N45E", &v, 2));
}

TEST_F(AngleInputTest, BearingTextsReadBack)
{
    const CFormat& format = job.GetDataFileFormat();
    for (double direction : {0.3, 1.2, 2.0, 3.5, 4.0, 5.5, 6.0, Pi / 2, Pi, 3 * Pi / 2}) {
        double v = 0;
        const std::string shown = format.FormatBearing(direction, false);
        ASSERT_TRUE(ParseAngle(shown, &v, 0)) << shown;
        EXPECT_NEAR(NormalizeAngle(v), NormalizeAngle(direction), DmsToRadians(0.0001)) << shown;
        const std::string edit = format.FormatAzimuth(direction, true);
        ASSERT_TRUE(ParseAngle(edit, &v, 0)) << edit;
        EXPECT_NEAR(NormalizeAngle(v), NormalizeAngle(direction), 3e-8) << edit; // 0.005"
    }
}

TEST_F(AngleInputTest, PlainAnglesByKind)
{
    double v = 0;
    ASSERT_TRUE(ParseAngle("12" + Deg + "30'15\"", &v, 2));
    EXPECT_NEAR(v, Dms(12.3015), 1e-12);
    ASSERT_TRUE(ParseAngle("-10.30", &v, 1));
    EXPECT_NEAR(v, -Dms(10.3), 1e-12);
    ASSERT_TRUE(ParseAngle("-10.30", &v, 5));
    EXPECT_NEAR(v, -Dms(10.3), 1e-12);
    ASSERT_TRUE(ParseAngle("-90", &v, 4)); // normalised into one turn
    EXPECT_NEAR(v, 3 * Pi / 2, 1e-12);
    ASSERT_TRUE(ParseAngle("90", &v, 3));  // zenith 90: level
    EXPECT_NEAR(v, 0.0, 1e-12);
    ASSERT_TRUE(ParseAngle("80", &v, 3));
    EXPECT_NEAR(v, Pi / 18, 1e-12);
    EXPECT_FALSE(ParseAngle("-5", &v, 3));
    EXPECT_FALSE(ParseAngle("12 30 15", &v, 2)); // blanks are not a plain angle
    EXPECT_FALSE(ParseAngle("12", &v, 6));

    job.units.angle = 1;
    ASSERT_TRUE(ParseAngle("100", &v, 2));
    EXPECT_NEAR(v, Pi / 2, 1e-12);
    for (int kind = 0; kind <= 5; ++kind) // unreduced grads that overflow radians
        EXPECT_FALSE(ParseAngle("1.7e308", &v, kind)) << kind;
    ASSERT_TRUE(ParseAngle("N50E", &v, 0));
    EXPECT_NEAR(v, Pi / 4, 1e-12);
}

TEST_F(AngleInputTest, AnglesBetweenPoints)
{
    double v = 0;
    ASSERT_TRUE(ParseAngle("V-BS", &v, 0));
    EXPECT_NEAR(NormalizeAngle(v), Pi / 2, 1e-12);
    ASSERT_TRUE(ParseAngle("V-UP", &v, 1));
    EXPECT_NEAR(v, Pi / 4, 1e-12);
    ASSERT_TRUE(ParseAngle("V-UP", &v, 3)); // stored as a vertical angle
    EXPECT_NEAR(v, Pi / 4, 1e-12);
    EXPECT_FALSE(ParseAngle("V-FLAT", &v, 1)); // no elevation, no fall-back

    // From BS (north) to FS (east) at V: angle right 90, angle left 270.
    ASSERT_TRUE(ParseAngle("BS-V-FS", &v, 4));
    EXPECT_NEAR(v, Pi / 2, 1e-12);
    ASSERT_TRUE(ParseAngle("FS-V-BS", &v, 4));
    EXPECT_NEAR(v, 3 * Pi / 2, 1e-12);
    ASSERT_TRUE(ParseAngle("FS-V-BS", &v, 5)); // 270 right is -90 signed
    EXPECT_NEAR(v, -Pi / 2, 1e-12);
    ASSERT_TRUE(ParseAngle("FS-V-BS", &v, 2)); // the smaller of the two
    EXPECT_NEAR(v, Pi / 2, 1e-12);
    EXPECT_FALSE(ParseAngle("V-BS", &v, 2)); // three names needed
    EXPECT_FALSE(ParseAngle("BS-V-V", &v, 4));
}

TEST(AngleInputNoJob, TypedFormsStillWork)
{
    CLocaleTextOverride locale(".", ",");
    SetActiveJobValueSource(nullptr);
    double v = 0;
    ASSERT_TRUE(ParseAngle("90", &v, 0));
    EXPECT_NEAR(v, 0.0, 1e-12);
    EXPECT_FALSE(ParseAngle("A-B", &v, 0));
}

TEST(AngleInputLocale, CommaDecimalLocale)
{
    CLocaleTextOverride locale(",", ".");
    SetActiveJobValueSource(nullptr);
    double v = 0;
    ASSERT_TRUE(ParseAngle("12" + Deg + "30'15\"", &v, 2));
    EXPECT_NEAR(v, DmsToRadians(12.3015), 1e-12);
    ASSERT_TRUE(ParseAngle("12,3015", &v, 2));
    EXPECT_NEAR(v, DmsToRadians(12.3015), 1e-12);
    ASSERT_TRUE(ParseAngle("N45" + Deg + "30'E", &v, 0));
    EXPECT_NEAR(v, Pi / 2 - DmsToRadians(45.3), 1e-12);

    // What the formatters write with the user's separator: display and edit bearings, packed
    // texts with a sign and hemisphere angles.
    ASSERT_TRUE(ParseAngle("N45" + Deg + "30'12,34\"E", &v, 0));
    EXPECT_NEAR(v, Pi / 2 - DmsToRadians(45.301234), 1e-12);
    ASSERT_TRUE(ParseAngle("N45,30123400E", &v, 0));
    EXPECT_NEAR(v, Pi / 2 - DmsToRadians(45.301234), 1e-12);
    std::string packed = "-45,301234";
    ASSERT_TRUE(NormalizeAngleText(packed));
    EXPECT_EQ(packed, "-45.301234");
    ASSERT_TRUE(ParseNorthSouth(&v, "45" + Deg + "30'12,34567\" S"));
    EXPECT_DOUBLE_EQ(v, -45.3012345670);
    // The point typed by hand still reads in the hemisphere and bearing texts.
    ASSERT_TRUE(ParseAngle("n 45.3000 e", &v, 0));
    EXPECT_NEAR(v, Pi / 2 - DmsToRadians(45.3), 1e-12);
}

TEST(AngleInputLocale, WholeGradsBearingWithItsDegreeSign)
{
    CLocaleTextOverride locale(".", ",");
    FakeJob job;
    ActiveJobScope active(&job);
    double v = 0;
    // A degrees job writes minutes after the sign, so there the sign alone stays refused.
    EXPECT_FALSE(ParseAngle("N81" + Deg + "E", &v, 0));
    job.units.angle = 1;
    ASSERT_TRUE(ParseAngle("N81" + Deg + "E", &v, 0));
    EXPECT_NEAR(v, Pi / 2 - 81 * Pi / 200, 1e-12);
    EXPECT_FALSE(ParseAngle("N" + Deg + "E", &v, 0));
    EXPECT_FALSE(ParseAngle("N81" + Deg + Deg + "E", &v, 0));
}

// The smallest difference between two directions, whatever turns they are given in.
double TurnDifference(double a, double b)
{
    const double d = std::fabs(NormalizeAngle(a) - NormalizeAngle(b));
    return std::min(d, TwoPi - d);
}

TEST(AngleInputLocale, EveryAngleTextTheFormattersWriteReadsBack)
{
    struct Slot
    {
        const char* name;
        std::string (*format)(const CFormat&, double, bool);
        // Reads the text back into radians; false when refused.
        bool (*parse)(const std::string&, double*);
        bool isDirection; // compared modulo a turn
        bool hemisphere = false; // always degrees, five decimals of seconds on show
    };
    const Slot slots[] = {
        {"azimuth", [](const CFormat& f, double v, bool e) { return f.FormatAzimuth(v, e); },
         [](const std::string& t, double* v) { return ParseAngle(t, v, 0); }, true},
        {"bearing", [](const CFormat& f, double v, bool e) { return f.FormatBearing(v, e); },
         [](const std::string& t, double* v) { return ParseAngle(t, v, 0); }, true},
        {"horizontal angle", [](const CFormat& f, double v, bool e) { return f.FormatHorizontalAngle(v, e); },
         [](const std::string& t, double* v) { return ParseAngle(t, v, 2); }, true},
        {"angle", [](const CFormat& f, double v, bool e) { return f.FormatAngle(v, e, 3); },
         [](const std::string& t, double* v) { return ParseAngle(t, v, 1); }, false},
        {"vertical angle", [](const CFormat& f, double v, bool e) { return f.FormatVerticalAngle(v, e); },
         [](const std::string& t, double* v) { return ParseAngle(t, v, 1); }, false},
        {"north-south", [](const CFormat& f, double v, bool e) { return f.FormatNorthSouthAngle(v, e); },
         [](const std::string& t, double* v) {
             const bool ok = ParseNorthSouth(v, t);
             *v = DmsToRadians(*v);
             return ok;
         },
         false, true},
        {"east-west", [](const CFormat& f, double v, bool e) { return f.FormatEastWestAngle(v, e); },
         [](const std::string& t, double* v) {
             const bool ok = ParseEastWest(v, t);
             *v = DmsToRadians(*v);
             return ok;
         },
         false, true},
    };
    struct Separators { const char* decimal; const char* thousands; };
    const Separators locales[] = {{".", ","}, {",", "."}};
    const double values[] = {0.3, 1.2, DmsToRadians(45.301234), 2.0, 4.0, 5.5, 6.2};

    FakeJob job;
    ActiveJobScope active(&job);
    const CFormat& format = job.GetDataFileFormat();
    for (const Separators& sep : locales) {
        CLocaleTextOverride locale(sep.decimal, sep.thousands);
        for (int angleUnit : {0, 1}) {
            job.units.angle = angleUnit;
            for (int decimals : {0, 2}) {
                for (int directions : {DirectionUnitsAzimuths, DirectionUnitsBearings}) {
                    FormatPreferences prefs;
                    prefs.iJobAngle = decimals;
                    prefs.iDirectionUnits = directions;
                    PreferencesScope scope(prefs);
                    for (const Slot& slot : slots) {
                        for (bool edit : {false, true}) {
                            for (double value : values) {
                                // Signed slots get values on both sides of zero.
                                const double v = slot.isDirection ? value : value - Pi;
                                const std::string text = slot.format(format, v, edit);
                                SCOPED_TRACE(std::string(slot.name) + " \"" + text + "\" locale " + sep.decimal +
                                             " unit " + std::to_string(angleUnit) + " decimals " +
                                             std::to_string(decimals) + (edit ? " edit" : " display"));
                                double back = NoValue;
                                if (!slot.parse(text, &back)) {
                                    ADD_FAILURE() << "refused";
                                    continue;
                                }
                                // Half a unit of the last shown digit: seconds or grads.
                                const double unitRadians = angleUnit == 0 ? DmsToRadians(0.0001) : Pi / 200;
                                const bool hemisphere = slot.hemisphere;
                                const int shown = edit ? decimals + 2 : (hemisphere ? 5 : decimals);
                                const double tolerance =
                                    (hemisphere ? DmsToRadians(0.0001) : unitRadians) * 0.51 * std::pow(10.0, -shown) + 1e-12;
                                const double error = slot.isDirection ? TurnDifference(back, v) : std::fabs(back - v);
                                EXPECT_LE(error, tolerance);
                            }
                        }
                    }
                }
            }
        }
    }
}

} // namespace
