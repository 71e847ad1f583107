#include "ValueTextFakes.h"

#include "core/AngleFunctions.h"
#include "core/GenericFormat.h"
#include "core/NoValue.h"
#include "core/RawDataFormat.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <limits>
#include <utility>
#include <vector>

using namespace morvel::test;

namespace {

const std::string Deg = "\xC2\xB0";

double Radians(double degrees)
{
    return degrees * Pi / 180.0;
}

class JobFormatTest : public ::testing::Test
{
protected:
    CLocaleTextOverride locale{".", ","};
    PreferencesScope defaults;
    FakeJob job;
    ActiveJobScope active{&job};
    const CFormat& format = job.GetDataFileFormat();
};

TEST_F(JobFormatTest, LengthsInMetres)
{
    EXPECT_EQ(format.FormatCoordinate(1234567.25, false, false), "1,234,567.250");
    EXPECT_EQ(format.FormatCoordinate(1234567.25, true, false), "1234567.25");
    EXPECT_EQ(format.FormatCoordinate(12.5, false, true), "12.500 m");
    EXPECT_EQ(format.FormatElevation(NoValue, false, true), "---");
    EXPECT_EQ(format.FormatHeight(NoValue, true), "");
    EXPECT_EQ(format.FormatDistance(-9.99e7, false, false), "-99,900,000.000");
}

TEST_F(JobFormatTest, ArchitecturalUnitsInAFeetJob)
{
    job.units.distance = 1;
    FormatPreferences prefs;
    prefs.iUseArchetecturalUnits = true;
    PreferencesScope scope(prefs);
    const double metres = 10.5 * 0.3048;
    EXPECT_EQ(format.FormatDistance(metres, false, false), "10' 6\"");
    EXPECT_EQ(format.FormatDistance(metres, false, true), "10' 6\""); // no suffix for feet-inches
    EXPECT_EQ(format.FormatDistance(metres, true, true), "10.5");
    job.units.distance = 2;
    EXPECT_EQ(format.GetDistanceUnitSuffix(), "");
    // In metres the flag only drops the decimals setting and the grouping.
    job.units.distance = 0;
    EXPECT_EQ(format.FormatDistance(1234.5, false, true), "1234.500000 m");
}

TEST_F(JobFormatTest, UnitSuffixesFollowTheJob)
{
    EXPECT_EQ(format.GetDistanceUnitSuffix(), " m");
    job.units.distance = 1;
    EXPECT_EQ(format.GetDistanceUnitSuffix(), " ft");
    job.units.distance = 2;
    EXPECT_EQ(format.GetDistanceUnitSuffix(), " usft");
    EXPECT_EQ(format.FormatDistance(1.0, false, true), "3.281 usft");
    job.units.distance = 9;
    EXPECT_EQ(format.GetDistanceUnitSuffix(), "");
    EXPECT_EQ(format.GetAngleUnitSuffix(), " dms");
    job.units.angle = 1;
    EXPECT_EQ(format.GetAngleUnitSuffix(), " grad");
}

struct StationCase
{
    int stationFormat;
    int decimals;
    double value;
    bool edit;
    const char* expected;
};

TEST_F(JobFormatTest, Stations)
{
    const StationCase cases[] = {
        {0, 3, 1234.567, false, "12+34.567"},
        {0, 3, 5.2, false, "0+05.200"},
        {1, 3, 1234.567, false, "1+234.567"},
        {1, 3, 5.2, false, "0+005.200"},
        {0, 3, -1234.5, false, "-12+34.500"},
        {0, 0, 1234, false, "1234"},
        {0, 0, -1234, false, "-1234"},
        {0, 3, 1234.5, true, "12+34.5"},
        {2, 3, 1234.5, false, "1,234.500"}, // plain distance, grouping included
        {0, 3, NoValue, false, "---"},
    };
    for (const StationCase& c : cases) {
        FormatPreferences prefs;
        prefs.iJobStationFormat = c.stationFormat;
        prefs.iJobDistance = c.decimals;
        PreferencesScope scope(prefs);
        EXPECT_EQ(format.FormatStation(c.value, c.edit), c.expected) << c.value;
    }
}

TEST_F(JobFormatTest, GradesAreasAndNames)
{
    EXPECT_EQ(format.FormatGrade(0.05, false), "5.000%");
    EXPECT_EQ(format.FormatGrade(0.05, true), "5.0");
    EXPECT_EQ(format.FormatRatio(0.05, false), "0.050");
    EXPECT_EQ(format.FormatLargeArea(12345.5, false), "12,345.500");
    job.units.distance = 1;
    EXPECT_EQ(format.FormatSmallArea(1.0, false), "10.764");

    EXPECT_EQ(format.FormatPointName("1234567", false), "1,234,567");
    EXPECT_EQ(format.FormatPointName("1234567", true), "1234567");
    EXPECT_EQ(format.FormatPointName("  A12 ", false), "A12");
    EXPECT_EQ(format.FormatPointName("  A12 ", true), "A12");
    EXPECT_EQ(format.FormatPointName(" 1234", false), " 1,234"); // blanks count in the grouping
    EXPECT_EQ(format.FormatPointName("123", false), "123");
    EXPECT_EQ(format.FormatPointName("", false), "");
}

struct AngleCase
{
    double packed; // packed D.MMSS
    int decimals;
    bool edit;
    const char* expected;
};

TEST_F(JobFormatTest, HorizontalAnglesRoundAndCarry)
{
    const AngleCase cases[] = {
        {45.3012, 0, false, "45°30'12\""},
        {45.301234, 2, false, "45°30'12.34\""},
        {10.595999, 0, false, "11°00'00\""},
        {359.595999, 0, false, "0°00'00\""},
        {12.305999, 0, false, "12°31'00\""},
        {45.0, 0, true, "45.000000"},
        {12.30155, 1, true, "12.3015500"},
        {45.3012, INT32_MIN, true, "45.301200"}, // a hand-edited profile
    };
    for (const AngleCase& c : cases) {
        FormatPreferences prefs;
        prefs.iJobAngle = c.decimals;
        PreferencesScope scope(prefs);
        EXPECT_EQ(format.FormatHorizontalAngle(DmsToRadians(c.packed), c.edit), c.expected) << c.packed;
    }
    FormatPreferences huge;
    huge.iJobAngle = INT32_MAX;
    PreferencesScope scope(huge);
    // 15 places in all, the most the number text shows.
    EXPECT_THAT(format.FormatHorizontalAngle(DmsToRadians(45.3012), false),
                ::testing::AllOf(::testing::StartsWith("45°30'12.00000000"), ::testing::SizeIs(22)));
}

TEST_F(JobFormatTest, AzimuthsAndVerticalAngles)
{
    EXPECT_EQ(format.FormatAzimuth(Pi / 4, true), "45.000000");
    EXPECT_EQ(format.FormatAzimuth(0.0, false), "90" + Deg + "00'00\"");
    job.units.azimuth = 1; // south azimuths
    EXPECT_EQ(format.FormatAzimuth(0.0, false), "270" + Deg + "00'00\"");
    EXPECT_EQ(format.FormatVerticalAngle(-DmsToRadians(10.3), false), "-10" + Deg + "30'00\"");
    EXPECT_EQ(format.FormatReducedVerticalAngle(Pi, false), "0" + Deg + "00'00\"");
    EXPECT_EQ(format.FormatAngle(DmsToRadians(1.0203), false, 1), "1" + Deg + "02'03.0\"");
    EXPECT_EQ(format.FormatAzimuth(NoValue, false), "---");
    EXPECT_EQ(format.FormatAzimuth(NoValue, true), "");
}

TEST_F(JobFormatTest, GradsJob)
{
    job.units.angle = 1;
    FormatPreferences prefs;
    prefs.iJobAngle = 4;
    PreferencesScope scope(prefs);
    EXPECT_EQ(format.FormatAzimuth(Pi / 2 - 123.4567 * Pi / 200, false), "123.4567");
    EXPECT_EQ(format.FormatHorizontalAngle(400 * Pi / 200 - 1e-12, false), "0.0000");
    prefs.iJobAngle = 0;
    PreferencesScope whole(prefs);
    EXPECT_EQ(format.FormatAzimuth(Pi / 2 - 123 * Pi / 200, false), "123.0000");
    // North/south angles keep the packed number without marks.
    EXPECT_EQ(format.FormatNorthSouthAngle(Radians(12.5), false), "12.300000000 N");
}

// "iJobAngle" counts decimals of seconds; in grads the texts keep at least the four decimals
// whole seconds are worth, in the job's and the raw data's formatters alike.
TEST_F(JobFormatTest, GradsKeepTheirDecimalsWhateverTheSecondsSetting)
{
    job.units.angle = 1;
    FakeSetup setup;
    setup.angleCode = 1;
    const double angle = 107.9916 * Pi / 200;
    const struct {
        int jobAngle;
        const char* text;
    } cases[] = {{0, "107.9916"}, {3, "107.9916"}, {4, "107.9916"}, {6, "107.991600"}};
    for (const auto& c : cases) {
        FormatPreferences prefs;
        prefs.iJobAngle = c.jobAngle;
        PreferencesScope scope(prefs);
        CRawDataFormat raw(&setup, true);
        EXPECT_EQ(format.FormatVerticalAngle(angle, false), c.text) << c.jobAngle;
        EXPECT_EQ(format.FormatAngle(angle, false, -1), c.text) << c.jobAngle;
        EXPECT_EQ(raw.FormatVerticalAngle(angle, false), c.text) << c.jobAngle;
    }
    FormatPreferences prefs;
    PreferencesScope scope(prefs);
    EXPECT_EQ(format.FormatBearing(Pi / 2 - 7.9916 * Pi / 200, false), "N7.9916E");
    // Degrees still count decimals of seconds.
    job.units.angle = 0;
    EXPECT_EQ(format.FormatVerticalAngle(Radians(10.5), false), "10" + Deg + "30'00\"");
}

TEST_F(JobFormatTest, NorthSouthAndEastWest)
{
    EXPECT_EQ(format.FormatNorthSouthAngle(-Radians(12.5), false), "12" + Deg + "30'00.00000\" S");
    EXPECT_EQ(format.FormatNorthSouthAngle(0.0, false), "0" + Deg + "00'00.00000\" N");
    EXPECT_EQ(format.FormatNorthSouthAngle(-Radians(12.5), true), "-12.30000000000");
    EXPECT_EQ(format.FormatEastWestAngle(-Radians(120.25), false), "120" + Deg + "15'00.00000\" W");
    EXPECT_EQ(format.FormatEastWestAngle(Radians(1.0), false), "1" + Deg + "00'00.00000\" E");
}

struct BearingCase
{
    double direction;
    const char* expected;
};

TEST_F(JobFormatTest, BearingsInEveryQuadrantAndOnTheAxes)
{
    const BearingCase cases[] = {
        {Pi / 4, "N45°00'00\"E"},
        {3 * Pi / 4, "N45°00'00\"W"},
        {5 * Pi / 4, "S45°00'00\"W"},
        {7 * Pi / 4, "S45°00'00\"E"},
        {0.0, "S90°00'00\"E"},
        {Pi / 2, "N0°00'00\"E"},
        {Pi, "N90°00'00\"W"},
        {3 * Pi / 2, "S0°00'00\"W"},
        {-Pi / 4, "S45°00'00\"E"},
        {-1e-17, "S90°00'00\"E"}, // rounds to a full turn when reduced: still due east
        {Pi / 2 - DmsToRadians(45.3005), "N45°30'05\"E"},
    };
    for (const BearingCase& c : cases)
        EXPECT_EQ(format.FormatBearing(c.direction, false), c.expected) << c.direction;

    EXPECT_EQ(format.FormatBearing(Pi / 4, true), "N45.000000E");
    FormatPreferences prefs;
    prefs.iDirectionUnits = 1;
    PreferencesScope scope(prefs);
    EXPECT_EQ(format.FormatAzimuth(3 * Pi / 4, false), "N45°00'00\"W");
}

TEST_F(JobFormatTest, CommaLocaleAngles)
{
    CLocaleTextOverride comma(",", ".");
    EXPECT_EQ(format.FormatHorizontalAngle(DmsToRadians(45.301234), false), "45" + Deg + "30'12\"");
    FormatPreferences prefs;
    prefs.iJobAngle = 2;
    PreferencesScope scope(prefs);
    EXPECT_EQ(format.FormatHorizontalAngle(DmsToRadians(45.301234), false), "45" + Deg + "30'12,34\"");
}

// Every slot of a formatter, one value in, the text out.
std::vector<std::pair<const char*, std::string>> EverySlot(const CFormat& f, double v, bool edit)
{
    return {
        {"coordinate", f.FormatCoordinate(v, edit, true)},
        {"elevation", f.FormatElevation(v, edit, true)},
        {"north-south", f.FormatNorthSouthAngle(v, edit)},
        {"east-west", f.FormatEastWestAngle(v, edit)},
        {"height", f.FormatHeight(v, edit)},
        {"distance", f.FormatDistance(v, edit, true)},
        {"azimuth", f.FormatAzimuth(v, edit)},
        {"horizontal angle", f.FormatHorizontalAngle(v, edit)},
        {"angle", f.FormatAngle(v, edit, 2)},
        {"vertical angle", f.FormatVerticalAngle(v, edit)},
        {"reduced vertical angle", f.FormatReducedVerticalAngle(v, edit)},
        {"bearing", f.FormatBearing(v, edit)},
        {"station", f.FormatStation(v, edit)},
        {"grade", f.FormatGrade(v, edit)},
        {"ratio", f.FormatRatio(v, edit)},
        {"plain distance", f.FormatPlainDistance(v, edit)},
        {"large area", f.FormatLargeArea(v, edit)},
        {"small area", f.FormatSmallArea(v, edit)},
    };
}

TEST_F(JobFormatTest, NanFormatsExactlyAsNoValue)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(CFormat::FormatNumber(nan, 3, false, true), "---");
    EXPECT_EQ(CFormat::FormatNumber(nan, 3, true, false), "");
    EXPECT_EQ(FormatNumber3(nan, false), "---");
    EXPECT_EQ(format.FormatBearing(nan, false), "---");
    EXPECT_EQ(format.FormatBearing(nan, true), "");

    FormatPreferences bearings;
    bearings.iDirectionUnits = DirectionUnitsBearings;
    PreferencesScope scope(bearings);
    CGenericFormat generic;
    FakeSetup setup;
    CRawDataFormat raw(&setup, true);
    const std::pair<const char*, const CFormat*> formatters[] = {{"job", &format}, {"generic", &generic}, {"raw", &raw}};
    for (const auto& [name, f] : formatters) {
        for (bool edit : {false, true}) {
            const auto expected = EverySlot(*f, NoValue, edit);
            const auto got = EverySlot(*f, nan, edit);
            for (std::size_t i = 0; i < got.size(); ++i) {
                SCOPED_TRACE(std::string(name) + " " + got[i].first + (edit ? " edit" : " display"));
                EXPECT_EQ(got[i].second, expected[i].second);
            }
        }
    }
}

TEST(DefaultJobFormat, NeverNull)
{
    CLocaleTextOverride locale(".", ",");
    PreferencesScope defaults;
    SetActiveJobValueSource(nullptr);
    ASSERT_NE(GetActiveJobFormat(), nullptr);
    ASSERT_NE(GetActiveJobMathConversions(), nullptr);
    EXPECT_EQ(GetActiveJobFormat()->FormatDistance(1234.5, false, true), "1,234.500 m");
    EXPECT_EQ(GetActiveJobMathConversions()->MetresToDisplay(2.0), 2.0);
}

TEST(RawDataFormat, SetupUnitsAndDecimals)
{
    CLocaleTextOverride locale(".", ",");
    PreferencesScope defaults;
    SetActiveJobValueSource(nullptr);
    FakeSetup setup;
    setup.distanceCode = 0;
    setup.label = "ft";
    CRawDataFormat raw(&setup, true); // no job open: 6 decimals
    EXPECT_EQ(raw.FormatDistance(1.0, false, true), "3.280840ft");
    EXPECT_EQ(raw.FormatGrade(0.05, false), "5.000%");
    EXPECT_EQ(raw.FormatAzimuth(Pi / 4, false), "45" + Deg + "00'00.000000\"");
    EXPECT_EQ(raw.FormatBearing(-1e-17, false), "S90" + Deg + "00'00.000000\"E");
    // Slots that need the active job give nothing without one.
    EXPECT_EQ(raw.FormatStation(100.0, false), "");
    EXPECT_EQ(raw.FormatAngle(1.0, false, 0), "");
    EXPECT_EQ(raw.FormatStation(NoValue, false), "---");

    setup.angleCode = 1;
    EXPECT_EQ(raw.FormatAzimuth(Pi / 4, false), "50.000000"); // no marks for grads
    setup.angleCode = -1;
    EXPECT_EQ(raw.FormatAzimuth(Pi / 4, false), "---");
    EXPECT_EQ(raw.FormatAzimuth(Pi / 4, true), "---");
    EXPECT_EQ(raw.GetAngleUnitSuffix(), "");
    setup.distanceCode = -1;
    EXPECT_EQ(raw.FormatDistance(1.0, true, false), "");
}

TEST(RawDataFormat, CopiesJobDecimalsOnce)
{
    CLocaleTextOverride locale(".", ",");
    FakeJob job;
    ActiveJobScope active(&job);
    FormatPreferences prefs;
    prefs.iJobDistance = 2;
    prefs.iJobStationFormat = 1;
    PreferencesScope scope(prefs);
    FakeSetup setup;
    CRawDataFormat raw(&setup, true);
    prefs.iJobDistance = 4;
    PreferencesScope later(prefs);
    EXPECT_EQ(raw.FormatDistance(1.0, false, false), "1.00");
    EXPECT_EQ(raw.FormatStation(1234.5, false), "1+234.5000"); // station reads the preferences now
    EXPECT_EQ(raw.FormatVerticalAngle(Radians(-10.5), false), "-10" + Deg + "30'00\"");
}

TEST(GenericFormat, OwnUnits)
{
    CLocaleTextOverride locale(".", ",");
    CGenericFormat generic;
    EXPECT_EQ(generic.FormatDistance(1.0, false, true), "1.000m");
    generic.SetDistanceUnits(2);
    EXPECT_EQ(generic.FormatDistance(1.0, false, true), "3.281USft");
    EXPECT_DOUBLE_EQ(generic.FromDisplayUnits(generic.ToDisplayUnits(123.0)), 123.0);
    generic.SetDistanceUnits(7); // unknown unit: no value
    EXPECT_EQ(generic.FormatDistance(1.0, false, true), "---");
    EXPECT_EQ(generic.FormatCoordinate(1.0, true, false), "");

    generic.SetAnglePrecision(0);
    EXPECT_EQ(generic.FormatAzimuth(Pi / 4, false), "45" + Deg + "00'00\"");
    generic.SetAzimuthFormat(1);
    EXPECT_EQ(generic.FormatAzimuth(Pi / 4, false), "225" + Deg + "00'00\"");
    generic.SetAzimuthFormat(5);
    EXPECT_EQ(generic.FormatAzimuth(Pi / 4, false), "---");
    generic.SetAngleUnits(1);
    EXPECT_EQ(generic.FormatHorizontalAngle(Pi, false), "200");
    EXPECT_EQ(generic.FormatBearing(Pi / 4, false), "N50E");
}

} // namespace
