#include "DdxFakes.h"
#include "ValueTextFakes.h"

#include "core/DataExchange.h"
#include "core/FieldExchange.h"
#include "core/LocaleText.h"
#include "core/NoValue.h"
#include "core/ValueText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace morvel::test;

namespace {

constexpr int Id = 1001;
constexpr double FeetPerMetre = 3.280839895013123;

// A job in the given distance unit, with point P1 at E 100, N 200, Z 50 (metres).
struct ExchangeFixture : ::testing::Test
{
    ExchangeFixture() : scope(&job) { job.points["P1"] = CLocation(100.0, 200.0, 50.0); }

    // Saves one routine over a control holding text; returns the routine's result.
    template <typename F>
    bool SaveText(const std::string& text, F routine)
    {
        dialog.controls.clear();
        dialog.Add(Id, text);
        bool result = false;
        exchangeOk = dialog.Save([&](CDataExchange& dx) { result = routine(&dx); });
        return result;
    }

    FakeJob job;
    ActiveJobScope scope;
    PreferencesScope prefs;
    CLocaleTextOverride locale{".", ","};
    FakeDialog dialog;
    DdxErrorRecorder errors;
    bool exchangeOk = true;
};

TEST_F(ExchangeFixture, DistancesInMetresAndFeet)
{
    double v = NoValue;
    EXPECT_TRUE(SaveText("12.5", [&](CDataExchange* dx) { return DDX_HorizontalDistance(dx, Id, v); }));
    EXPECT_DOUBLE_EQ(v, 12.5);
    EXPECT_EQ(dialog.controls[Id].limit, 64);

    job.units.distance = 1;
    EXPECT_TRUE(SaveText("10", [&](CDataExchange* dx) { return DDX_Distance(dx, Id, v); }));
    EXPECT_NEAR(v, 10 / FeetPerMetre, 1e-12);

    // Loading shows the metres in the job's feet.
    dialog.Load([&](CDataExchange& dx) { DDX_Distance(&dx, Id, v); });
    EXPECT_EQ(dialog.controls[Id].text, "10.0");
}

TEST_F(ExchangeFixture, HorizontalAndSlopeDistanceBounds)
{
    struct Case
    {
        const char* text;
        bool accepted;
    };
    const Case cases[] = {{"0", false}, {"100000", true}, {"100000.0001", false}, {"0.001", true}, {"-5", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        double h = 7, s = 7;
        EXPECT_EQ(SaveText(c.text, [&](CDataExchange* dx) { return DDX_HorizontalDistance(dx, Id, h); }), c.accepted);
        EXPECT_EQ(exchangeOk, c.accepted);
        EXPECT_EQ(SaveText(c.text, [&](CDataExchange* dx) { return DDX_SlopeDistance(dx, Id, s); }), c.accepted);
        if (!c.accepted) {
            EXPECT_EQ(errors.Last(), "Value must be greater than 0.0 and less than 100000.0.");
            EXPECT_EQ(h, 7); // a refusal leaves the variable alone
            EXPECT_EQ(dialog.focused, Id);
        }
    }
}

TEST_F(ExchangeFixture, CoordinateRangeBoundsAreAccepted)
{
    // The number parser refuses anything at or below the no-value limit (-9.99e7), so the lower
    // bound is reached through the predicate only.
    EXPECT_TRUE(IsValidCoordinateValue(-1e10));
    for (const char* text : {"-99899999", "10000000000"}) {
        double v = 0;
        EXPECT_TRUE(SaveText(text, [&](CDataExchange* dx) { return DDX_VerticalDistance(dx, Id, v); })) << text;
        EXPECT_TRUE(SaveText(text, [&](CDataExchange* dx) { return DDX_Station(dx, Id, v); })) << text;
        EXPECT_TRUE(SaveText(text, [&](CDataExchange* dx) { return DDX_Northing(dx, Id, v); })) << text;
        EXPECT_TRUE(SaveText(text, [&](CDataExchange* dx) { return DDX_Easting(dx, Id, v); })) << text;
    }
    double v = 0;
    EXPECT_FALSE(SaveText("10000000001", [&](CDataExchange* dx) { return DDX_Northing(dx, Id, v); }));
    EXPECT_EQ(errors.Last(), "Value must be greater than -10000000000.0 and less than 10000000000.0.");
}

TEST_F(ExchangeFixture, ParseFailureMessagesCarryTheTypedText)
{
    double v = 0;
    struct Case
    {
        std::function<bool(CDataExchange*)> routine;
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {[&](CDataExchange* dx) { return DDX_HorizontalDistance(dx, Id, v); }, "abc",
         "abc is not a valid horizontal distance."},
        {[&](CDataExchange* dx) { return DDX_VerticalDistance(dx, Id, v); }, "", "??? is not a valid vertical distance."},
        {[&](CDataExchange* dx) { return DDX_SlopeDistance(dx, Id, v); }, "x", "x is not a valid slope distance."},
        {[&](CDataExchange* dx) { return DDX_NonZeroDistance(dx, Id, v); }, "q", "q is not a valid distance."},
        {[&](CDataExchange* dx) { return DDX_Station(dx, Id, v); }, "s", "s is not a valid station."},
        {[&](CDataExchange* dx) { return DDX_Angle(dx, Id, v); }, "zz", "zz is not a valid angle."},
        {[&](CDataExchange* dx) { return DDX_ZenithAngle(dx, Id, v); }, "zz", "zz is not a valid zenith angle."},
        {[&](CDataExchange* dx) { return DDX_VerticalAngle(dx, Id, v); }, "zz", "zz is not a valid vertical angle."},
        {[&](CDataExchange* dx) { return DDX_AngleRight(dx, Id, v); }, "zz", "zz is not a valid angle right."},
        {[&](CDataExchange* dx) { return DDX_HorizontalAngleOrBearing(dx, Id, v); }, "zz",
         "zz is not a valid horizontal angle or bearing."},
        {[&](CDataExchange* dx) { return DDX_Grade(dx, Id, v); }, "g", "g is not a valid grade."},
        {[&](CDataExchange* dx) { return DDX_Area(dx, Id, v, false); }, "a", "a is not a valid area."},
        {[&](CDataExchange* dx) { return DDX_Northing(dx, Id, v); }, "n", "Invalid number."},
        {[&](CDataExchange* dx) { return DDX_Double(dx, Id, v, 3); }, "1.2.3", "Invalid number."},
        {[&](CDataExchange* dx) { return DDX_Latitude(dx, Id, v); }, "x", "Invalid Latitude"},
        {[&](CDataExchange* dx) { return DDX_LongitudeDegrees(dx, Id, v); }, "x", "Invalid Longitude"},
        {[&](CDataExchange* dx) { return DDX_NonZeroDistance(dx, Id, v); }, "0.00001", "Invalid Value"},
        {[&](CDataExchange* dx) { return DDX_DoubleInRange99(dx, Id, v); }, "100",
         "Value must be greater than -99.0 and less than 99.0."},
        {[&](CDataExchange* dx) { return DDX_Degrees(dx, Id, v); }, "360.5",
         "Value must be greater than 0.0 and less than 360.0."},
        {[&](CDataExchange* dx) { return DDX_NumberInRange10000(dx, Id, v); }, "0.05",
         "Value must be greater than 0.1 and less than 10000.0."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        EXPECT_FALSE(SaveText(c.text, c.routine));
        EXPECT_FALSE(exchangeOk);
        EXPECT_EQ(errors.Last(), c.message);
    }
}

TEST_F(ExchangeFixture, CoordinateFromPointName)
{
    job.units.distance = 1;
    double n = 0, e = 0, z = 0;
    ASSERT_TRUE(SaveText("=P1", [&](CDataExchange* dx) { return DDX_Northing(dx, Id, n); }));
    EXPECT_EQ(n, 200.0); // in metres already, not converted again
    EXPECT_EQ(dialog.controls[Id].text, FormatCoordinateText(200.0, true));
    ASSERT_TRUE(SaveText("=P1", [&](CDataExchange* dx) { return DDX_Easting(dx, Id, e); }));
    EXPECT_EQ(e, 100.0);
    ASSERT_TRUE(SaveText("=P1", [&](CDataExchange* dx) { return DDX_Elevation(dx, Id, z); }));
    EXPECT_EQ(z, 50.0);

    // A typed number is in feet.
    ASSERT_TRUE(SaveText("328.0839895", [&](CDataExchange* dx) { return DDX_Northing(dx, Id, n); }));
    EXPECT_NEAR(n, 100.0, 1e-7);

    EXPECT_FALSE(SaveText("=P9", [&](CDataExchange* dx) { return DDX_Northing(dx, Id, n); }));
    EXPECT_EQ(errors.Last(), "Point 'P9' not found.");
    EXPECT_FALSE(SaveText("=0", [&](CDataExchange* dx) { return DDX_Easting(dx, Id, e); }));
    EXPECT_EQ(errors.Last(), "Invalid point follows '='.");
}

TEST_F(ExchangeFixture, EmptyElevationAndRequiredElevation)
{
    double z = 5;
    EXPECT_TRUE(SaveText("", [&](CDataExchange* dx) { return DDX_Elevation(dx, Id, z); }));
    EXPECT_EQ(z, NoValue);
    EXPECT_TRUE(errors.messages.empty());

    z = 5;
    EXPECT_FALSE(SaveText("", [&](CDataExchange* dx) { return DDX_RequiredElevation(dx, Id, z); }));
    EXPECT_EQ(errors.Last(), "Elevation missing or invalid.");
    EXPECT_EQ(z, 5); // refused: the elevation it had stays
    EXPECT_FALSE(SaveText("", [&](CDataExchange* dx) { return DDX_RequiredHeight(dx, Id, z); }));
    EXPECT_EQ(errors.Last(), "Height missing or invalid.");
    EXPECT_TRUE(SaveText("-12.5", [&](CDataExchange* dx) { return DDX_RequiredElevation(dx, Id, z); }));
    EXPECT_EQ(z, -12.5);
}

TEST_F(ExchangeFixture, QuietRefusalsShowNothingAndLetTheExchangeGoOn)
{
    double v = 3;
    bool after = false;
    dialog.Add(Id, "abc");
    dialog.Add(Id + 1, "4");
    double w = 0;
    const bool ok = dialog.Save([&](CDataExchange& dx) {
        EXPECT_FALSE(DDX_Distance(&dx, Id, v, true));
        after = DDX_Distance(&dx, Id + 1, w, true);
    });
    EXPECT_TRUE(ok);
    EXPECT_TRUE(after);
    EXPECT_EQ(v, 3);
    EXPECT_EQ(w, 4);
    EXPECT_TRUE(errors.messages.empty());
}

TEST_F(ExchangeFixture, QuietDialogFailsWithoutPopUp)
{
    dialog.quiet = true;
    double v = 3;
    EXPECT_FALSE(SaveText("abc", [&](CDataExchange* dx) { return DDX_Distance(dx, Id, v); }));
    EXPECT_FALSE(exchangeOk);
    EXPECT_TRUE(errors.messages.empty());
    EXPECT_EQ(dialog.focused, Id);
}

TEST_F(ExchangeFixture, FailureStopsTheExchange)
{
    dialog.Add(Id, "bad");
    dialog.Add(Id + 1, "2");
    double a = 1, b = 1;
    const bool ok = dialog.Save([&](CDataExchange& dx) {
        DDX_Distance(&dx, Id, a);
        DDX_Distance(&dx, Id + 1, b);
    });
    EXPECT_FALSE(ok);
    EXPECT_EQ(b, 1);
    EXPECT_EQ(errors.messages.size(), 1u);
    EXPECT_EQ(errors.ids, std::vector<int>{Id});
    EXPECT_EQ(dialog.pagesShown, 1);
}

// A check that names a field exchanged before the last one: the keyboard stays in the field its
// report named, not in the one prepared last. A failure with no report returns to the last one.
TEST_F(ExchangeFixture, TheRefusedFieldKeepsTheKeyboardWhateverOrderTheChecksRun)
{
    dialog.Add(Id, "0");
    dialog.Add(Id + 1, "4");
    double distance = 0, rise = 0;
    EXPECT_FALSE(dialog.Save([&](CDataExchange& dx) {
        DDX_Distance(&dx, Id, distance);
        DDX_VerticalDistance(&dx, Id + 1, rise);
        DDV_NonZero(&dx, Id, 0.0);
    }));
    EXPECT_EQ(errors.ids, std::vector<int>{Id});
    EXPECT_EQ(dialog.focused, Id);

    dialog.focused = 0;
    EXPECT_FALSE(dialog.Save([&](CDataExchange& dx) {
        DDX_Distance(&dx, Id, distance);
        DDX_VerticalDistance(&dx, Id + 1, rise);
        dx.Fail();
    }));
    EXPECT_EQ(dialog.focused, Id + 1);
}

TEST_F(ExchangeFixture, LoadingWritesOnlyChangedText)
{
    FakeControl& control = dialog.Add(Id);
    double v = 12.25;
    dialog.Load([&](CDataExchange& dx) { DDX_Double(&dx, Id, v, 2); });
    dialog.Load([&](CDataExchange& dx) { DDX_Double(&dx, Id, v, 2); });
    EXPECT_EQ(control.text, "12.25");
    EXPECT_EQ(control.setCount, 1);

    std::string longText(300, 'x');
    control.text = longText;
    EXPECT_TRUE(SetWindowTextIfChanged(&control, longText));
    EXPECT_FALSE(SetWindowTextIfChanged(&control, "12.25") && SetWindowTextIfChanged(&control, "12.25"));
}

TEST_F(ExchangeFixture, AnglesInDegreesAndGrads)
{
    double a = 0;
    ASSERT_TRUE(SaveText("90", [&](CDataExchange* dx) { return DDX_Angle(dx, Id, a); }));
    EXPECT_NEAR(a, Pi / 2, 1e-12);
    job.units.angle = 1;
    ASSERT_TRUE(SaveText("100", [&](CDataExchange* dx) { return DDX_Angle(dx, Id, a); }));
    EXPECT_NEAR(a, Pi / 2, 1e-12);

    // Clockwise: typed 90 (grads 100) is stored as three quarters of a turn.
    ASSERT_TRUE(SaveText("100", [&](CDataExchange* dx) { return DDX_ClockwiseAngle(dx, Id, a); }));
    EXPECT_NEAR(a, 3 * Pi / 2, 1e-12);
}

TEST_F(ExchangeFixture, ChecksAndTheirMessages)
{
    auto check = [&](auto routine) { return SaveText("", routine); };
    EXPECT_TRUE(check([](CDataExchange* dx) { return DDV_CurveSegments(dx, Id, 99, 0); }));
    EXPECT_FALSE(check([](CDataExchange* dx) { return DDV_CurveSegments(dx, Id, 98, 1); }));
    EXPECT_EQ(errors.Last(), "The number of segments for arcs plus twice the number of segments for spirals must be "
                             "less than 100. (2*spirals+arcs < 100)");

    EXPECT_FALSE(check([](CDataExchange* dx) { return DDV_MinMaxInt(dx, Id, 10000, 0, 9999); }));
    EXPECT_EQ(errors.Last(), "Value must be greater than 0 and less than 9999.");
    EXPECT_TRUE(check([](CDataExchange* dx) { return DDV_IntRange(dx, Id, 9999, 0, 9999); }));

    EXPECT_FALSE(check([](CDataExchange* dx) { return DDV_GreaterThan(dx, Id, 1.0, 1.5, 3, 2); }));
    EXPECT_EQ(errors.Last(), "Value must be greater than   1.50.");

    EXPECT_FALSE(check([](CDataExchange* dx) { return DDV_AngleBelowHalfTurn(dx, Id, Pi); }));
    EXPECT_EQ(errors.Last(), "The angle must be greater than 0 and less than Pi.");
    EXPECT_FALSE(check([](CDataExchange* dx) { return DDV_AngleBelowFullTurn(dx, Id, 0); }));
    EXPECT_EQ(errors.Last(), "The angle must be greater than 0\u00B000'00\" and less than 360\u00B000'00\"");
    EXPECT_FALSE(check([](CDataExchange* dx) { return DDV_NotEmptyText(dx, Id, "   "); }));
    EXPECT_EQ(errors.Last(), "Enter a value.");
    EXPECT_FALSE(check([](CDataExchange* dx) { return DDV_NonZero(dx, Id, -0.00009); }));
    EXPECT_EQ(errors.Last(), "Invalid Value");

    // Checks never fail while loading.
    bool loaded = false;
    dialog.Load([&](CDataExchange& dx) { loaded = DDV_NonZero(&dx, Id, 0) && DDV_CurveSegments(&dx, Id, 500, 500); });
    EXPECT_TRUE(loaded);
}

TEST_F(ExchangeFixture, ShownValuesReadBackTheSameInEveryUnit)
{
    // What a field shows in the job's units is what saving it stores again, in metres.
    using Routine = bool (*)(CDataExchange*, int, double&, bool);
    const struct
    {
        const char* name;
        Routine routine;
        double metres;
    } cases[] = {
        {"distance", DDX_Distance, 123.456},
        {"horizontal", DDX_HorizontalDistance, 0.25},
        {"station", DDX_Station, 1234.5},
        {"northing", DDX_Northing, -4567.125},
        {"easting", DDX_Easting, 98765.5},
        {"elevation", DDX_Elevation, 12.75},
    };
    for (int unit : {0, 1, 2}) {
        job.units.distance = unit;
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.name) + " unit " + std::to_string(unit));
            dialog.controls.clear();
            dialog.Add(Id);
            double v = c.metres;
            dialog.Load([&](CDataExchange& dx) { c.routine(&dx, Id, v, false); });
            EXPECT_FALSE(dialog.controls[Id].text.empty());
            double back = 0;
            ASSERT_TRUE(dialog.Save([&](CDataExchange& dx) { c.routine(&dx, Id, back, false); }));
            EXPECT_NEAR(back, c.metres, 1e-6);
        }
    }
}

TEST_F(ExchangeFixture, ScaleFactorShowsNineDecimalsAndAnUntouchedBoxKeepsItExactly)
{
    // Each case loads the stored factor, then saves the box as shown (typed null) or retyped. The
    // box drops trailing zeros as every edit box does.
    const struct
    {
        double stored;
        const char* typed;
        const char* shown;
        double saved;
        bool accepted = true;
    } cases[] = {
        {0.99995671, nullptr, "0.99995671", 0.99995671},
        {0.9999567123456, nullptr, "0.999956712", 0.9999567123456}, // finer than the box shows
        {0.9999567123456, "0.999956712", "0.999956712", 0.9999567123456},
        {0.9999567123456, "0.9999567", "0.999956712", 0.9999567},
        {1.0, "0.99995671", "1.0", 0.99995671},
        {1.0, "x", "1.0", 1.0, false}, // the variable keeps its value
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.shown) + " / " + (c.typed ? c.typed : "untouched"));
        dialog.controls.clear();
        FakeControl& box = dialog.Add(Id);
        double v = c.stored;
        dialog.Load([&](CDataExchange& dx) { DDX_ScaleFactor(&dx, Id, v); });
        EXPECT_EQ(box.text, c.shown);
        if (c.typed)
            box.text = c.typed;
        const bool accepted = dialog.Save([&](CDataExchange& dx) { DDX_ScaleFactor(&dx, Id, v); });
        EXPECT_EQ(accepted, c.accepted);
        EXPECT_EQ(v, c.saved);
    }
    EXPECT_EQ(errors.messages, std::vector<std::string>{"Invalid number."});
}

TEST_F(ExchangeFixture, LargeAreasAreTypedInTheLargeUnit)
{
    double area = 0;
    ASSERT_TRUE(SaveText("2", [&](CDataExchange* dx) { return DDX_Area(dx, Id, area, true); }));
    EXPECT_DOUBLE_EQ(area, 20000.0); // two hectares in square metres
    job.units.distance = 1;
    ASSERT_TRUE(SaveText("1", [&](CDataExchange* dx) { return DDX_Area(dx, Id, area, true); }));
    EXPECT_DOUBLE_EQ(area, 43560.0); // one acre in square feet
}

TEST(RangePredicates, BoundsAndNaN)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_FALSE(IsValidHorizontalDistanceValue(0));
    EXPECT_TRUE(IsValidHorizontalDistanceValue(100000));
    EXPECT_TRUE(IsValidElevationValue(NoValue));
    EXPECT_TRUE(IsValidElevationValue(-1e10));
    EXPECT_TRUE(IsValidElevationValue(-1.5e10)); // below the limit counts as no value
    EXPECT_FALSE(IsValidElevationValue(1.5e10));
    for (auto predicate : {IsValidHorizontalDistanceValue, IsValidCoordinateValue, IsValidDegrees360Value,
                           IsValidLatitudeValue, IsValidLongitudeValue, IsValidRange01To10000Value,
                           IsValidRange99Value})
        EXPECT_FALSE(predicate(nan));
}

} // namespace

// The checks the survey-value fields run when a dialog is saved, at the edges of their ranges.
TEST_F(ExchangeFixture, ValueChecksAtTheirBounds)
{
    using Check = bool (*)(CDataExchange*, int, double, bool);
    const std::string coordinateMessage = "Value must be greater than -10000000000.0 and less than 10000000000.0.";
    const std::string distanceMessage = "Value must be greater than 0.0 and less than 100000.0.";
    const struct
    {
        const char* name;
        Check check;
        double value;
        const char* message; // null when the value passes
    } cases[] = {
        {"distance 0", DDV_DistanceRange, 0.0, distanceMessage.c_str()},
        {"distance 100000", DDV_DistanceRange, 100000.0, nullptr},
        {"distance 100000.01", DDV_DistanceRange, 100000.01, distanceMessage.c_str()},
        {"northing 1e10", DDV_NorthingRange, 1e10, nullptr},
        {"northing -1e10", DDV_NorthingRange, -1e10, coordinateMessage.c_str()},
        {"easting -1e10", DDV_EastingRange, -1e10, coordinateMessage.c_str()},
        {"easting above", DDV_EastingRange, 1.0000001e10, coordinateMessage.c_str()},
        {"signed distance -1e10", DDV_SignedDistanceRange, -1e10, coordinateMessage.c_str()},
        {"signed distance just inside", DDV_SignedDistanceRange, -9.999999e9, nullptr},
        {"elevation absent", DDV_ElevationRange, NoValue, nullptr},
        {"elevation 1e10", DDV_ElevationRange, 1e10, nullptr},
        {"elevation above", DDV_ElevationRange, 1.5e10, coordinateMessage.c_str()},
        {"non-zero 0.00009", DDV_NonZero, 0.00009, "Invalid Value"},
        {"non-zero -0.0001", DDV_NonZero, -0.0001, nullptr},
        {"NaN northing", DDV_NorthingRange, std::numeric_limits<double>::quiet_NaN(), coordinateMessage.c_str()},
    };
    // The limits keep '.' whatever the user's separators.
    CLocaleTextOverride comma{",", "."};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        errors.messages.clear();
        dialog.focused = 0;
        const bool passes = c.message == nullptr;
        EXPECT_EQ(SaveText("", [&](CDataExchange* dx) { return c.check(dx, Id, c.value, false); }), passes);
        EXPECT_EQ(exchangeOk, passes);
        if (!passes) {
            EXPECT_EQ(errors.messages, std::vector<std::string>{c.message});
            EXPECT_EQ(dialog.focused, Id);
        }

        // Quiet: the same answer, no pop-up, and the exchange goes on.
        errors.messages.clear();
        EXPECT_EQ(SaveText("", [&](CDataExchange* dx) { return c.check(dx, Id, c.value, true); }), passes);
        EXPECT_TRUE(exchangeOk);
        EXPECT_TRUE(errors.messages.empty());

        // Filling the dialog checks nothing.
        bool loaded = false;
        EXPECT_TRUE(dialog.Load([&](CDataExchange& dx) { loaded = c.check(&dx, Id, c.value, false); }));
        EXPECT_TRUE(loaded);
        EXPECT_TRUE(errors.messages.empty());
    }
}

TEST_F(ExchangeFixture, TypedCoordinatesGoThroughTheirChecks)
{
    double v = 5;
    EXPECT_TRUE(SaveText("10000000000", [&](CDataExchange* dx) { return DDX_Northing(dx, Id, v); }));
    EXPECT_DOUBLE_EQ(v, 1e10);
    EXPECT_FALSE(SaveText("10000000000.5", [&](CDataExchange* dx) { return DDX_Easting(dx, Id, v); }));
    EXPECT_EQ(errors.Last(), "Value must be greater than -10000000000.0 and less than 10000000000.0.");
    EXPECT_DOUBLE_EQ(v, 1e10);
    // An empty elevation is no value, not a refusal.
    EXPECT_TRUE(SaveText("", [&](CDataExchange* dx) { return DDX_Elevation(dx, Id, v); }));
    EXPECT_FALSE(HasValue(v));
    // A zero distance where one is needed: the non-zero check speaks, quietly or not.
    EXPECT_FALSE(SaveText("0.00009", [&](CDataExchange* dx) { return DDX_NonZeroDistance(dx, Id, v); }));
    EXPECT_EQ(errors.Last(), "Invalid Value");
    const size_t shown = errors.messages.size();
    EXPECT_FALSE(SaveText("0", [&](CDataExchange* dx) { return DDX_NonZeroDistance(dx, Id, v, true); }));
    EXPECT_TRUE(exchangeOk);
    EXPECT_EQ(errors.messages.size(), shown);
}

TEST(DialogFlag, NoDialogAnswersSoItIsZero)
{
    EXPECT_EQ(QueryDdxDialogFlag(nullptr), 0);
    CDataExchange none(nullptr, true);
    EXPECT_EQ(QueryDdxDialogFlag(&none), 0);
    FakeDialog dialog;
    CDataExchange dx(&dialog, false);
    EXPECT_EQ(QueryDdxDialogFlag(&dx), 0);
}
