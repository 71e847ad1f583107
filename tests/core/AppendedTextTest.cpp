// The append-style number and angle texts against the routines they stand beside: the same
// characters for every value, form, unit and separator, after text already in the buffer.
#include "ValueTextFakes.h"

#include "core/AngleFunctions.h"
#include "core/FormatHelpers.h"
#include "core/NoValue.h"
#include "core/RawDataFormat.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

using namespace morvel::test;

namespace {

// Text already in the buffer holds every character the routines look for.
const std::string kLead = "-e.1,0 ";

std::vector<double> AwkwardValues()
{
    std::vector<double> values = {0.0,        -0.0,      0.5,        -0.5,         2.5,       1e-7,
                                  -1e-7,      0.0000005, -0.0004999, 359.99995,    359.5959995, 359.59595,
                                  -359.99995, 0.00005,   -0.00005,   10.3,         45.3015,   92.153,
                                  89.5959999, 123.456789, 399.99999995, 400.0,     -400.0,    799.9999999,
                                  999.9995,   1234.5678, -12345.5,   1e15,         1e15 + 0.5, 1e20,
                                  -1e21,      1e160,     -9.99e7,    NoValue,      std::numeric_limits<double>::quiet_NaN(),
                                  std::numeric_limits<double>::infinity()};
    // Ties and near ties at each number of decimals.
    for (int d = 0; d <= 8; ++d) {
        const double tie = 12.5 * std::pow(10.0, -d) + 0.3;
        values.insert(values.end(), {tie, std::nextafter(tie, 0.0), std::nextafter(tie, 100.0), -tie});
    }
    return values;
}

TEST(AppendedText, NumbersAsFormatNumber)
{
    auto expectSame = [](double v, int decimals) {
        for (bool edit : {false, true})
            for (bool group : {false, true}) {
                std::string out = kLead;
                CFormat::AppendNumber(out, v, decimals, edit, group);
                ASSERT_EQ(out, kLead + CFormat::FormatNumber(v, decimals, edit, group))
                    << v << " " << decimals << " " << edit << group;
            }
    };
    const std::pair<const char*, const char*> separators[] = {{",", "."}, {".", ""}, {"\xC2\xB7", "\xC2\xA0"}, {".", ","}};
    for (const auto& [decimal, thousands] : separators) {
        SCOPED_TRACE(decimal);
        CLocaleTextOverride locale(decimal, thousands);
        for (double v : AwkwardValues())
            for (int decimals : {-1, 0, 1, 3, 6, 9, 10, 15, 20})
                expectSame(v, decimals);
    }
    // Exact ties in binary, the edge of the short numbers' range, and random values of every size.
    std::vector<double> values = {999999999.4999999, 999999999.5, -999999999.9999999, 1e9, -1e9, 4e-324, 2.2e-308};
    for (int k = -500; k <= 500; ++k)
        values.insert(values.end(), {k / 128.0, k * 1e6 + 0.5, k / 1024.0 + 999999000.0, k / 65536.0 + 9999.0, k / 65536.0});
    std::mt19937_64 random(45);
    std::uniform_real_distribution<double> mantissa(0.0, 1.0);
    for (int i = 0; i < 3000; ++i)
        values.push_back((i % 2 ? -1 : 1) * mantissa(random) * std::pow(10.0, int(random() % 24) - 12));
    CLocaleTextOverride locale(".", ",");
    for (double v : values)
        for (int decimals : {0, 2, 3, 6, 9, 10, 12, 15})
            expectSame(v, decimals);
}

TEST(AppendedText, AnglesAsAngleText)
{
    const std::pair<const char*, const char*> separators[] = {{".", ","}, {",", "."}, {"", ","}, {"::", " "}};
    for (const auto& [decimal, thousands] : separators) {
        CLocaleTextOverride locale(decimal, thousands);
        for (double v : AwkwardValues())
            for (int decimals : {-1, 0, 1, 2, 4, 5, 6, 11, 15, 16})
                for (int unit : {AngleUnitDegrees, AngleUnitGrads, 2})
                    for (int flags = 0; flags < 8; ++flags) {
                        const bool edit = flags & 1, forceDms = flags & 2, marks = flags & 4;
                        std::string out = kLead;
                        format_detail::AppendAngleText(out, v, edit, decimals, unit, forceDms, marks);
                        ASSERT_EQ(out, kLead + format_detail::AngleText(v, edit, decimals, unit, forceDms, marks))
                            << v << " " << decimals << " unit " << unit << " flags " << flags << " '" << decimal
                            << "'";
                    }
    }
}

// The raw formatter's azimuth and angle with and without a job open (its decimals), in each
// angle unit, north and south azimuths, and with azimuths shown as bearings.
TEST(AppendedText, RawAzimuthsAndAnglesAsTheirFormatters)
{
    CLocaleTextOverride locale(".", ",");
    FakeJob job;
    for (bool open : {false, true})
        for (int jobAngle : {0, 1, 3, 6})
            for (int directions : {DirectionUnitsAzimuths, DirectionUnitsBearings}) {
                ActiveJobScope active(open ? &job : nullptr);
                FormatPreferences prefs;
                prefs.iJobAngle = jobAngle;
                prefs.iDirectionUnits = directions;
                PreferencesScope scope(prefs);
                for (int angleCode : {-1, 0, 1})
                    for (int zero : {0, 1}) {
                        FakeSetup setup;
                        setup.angleCode = angleCode;
                        setup.zeroAzimuth = zero;
                        const CRawDataFormat raw(&setup, true);
                        for (double degrees : AwkwardValues()) {
                            const double radians = HasValue(degrees) ? degrees * Pi / 180.0 : degrees;
                            std::string out = kLead;
                            raw.AppendAzimuth(out, radians);
                            ASSERT_EQ(out, kLead + raw.FormatAzimuth(radians, false)) << degrees;
                            out = kLead;
                            raw.AppendHorizontalAngle(out, radians);
                            ASSERT_EQ(out, kLead + raw.FormatHorizontalAngle(radians, false)) << degrees;
                        }
                    }
            }
}

} // namespace
