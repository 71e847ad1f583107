#pragma once

#include <cstdint>
#include <string>

// The value formatter interface: one operation per kind of survey value, each taking an internal
// value (metres, radians, plain ratios, square metres) and returning display or edit text.
// Display form: configured decimals, grouping, unit marks, "---" for no value. Edit form: at
// least 6 decimals with trailing zeros trimmed, no grouping, an empty text for no value.
class CFormat
{
public:
    virtual ~CFormat() = default;

    virtual std::string FormatCoordinate(double value, bool edit, bool withUnit) const = 0;
    virtual std::string FormatElevation(double value, bool edit, bool withUnit) const = 0;
    virtual std::string FormatNorthSouthAngle(double angle, bool edit) const = 0;
    virtual std::string FormatEastWestAngle(double angle, bool edit) const = 0;
    virtual std::string FormatHeight(double value, bool edit) const = 0;
    virtual std::string FormatDistance(double value, bool edit, bool withUnit) const = 0;
    virtual std::string FormatAzimuth(double direction, bool edit) const = 0;
    virtual std::string FormatHorizontalAngle(double angle, bool edit) const = 0;
    virtual std::string FormatAngle(double angle, bool edit, int decimals) const = 0;
    virtual std::string FormatVerticalAngle(double angle, bool edit) const = 0;
    virtual std::string FormatReducedVerticalAngle(double angle, bool edit) const = 0;
    virtual std::string FormatBearing(double direction, bool edit) const = 0;
    virtual std::string FormatStation(double station, bool edit) const = 0;
    virtual std::string FormatGrade(double ratio, bool edit) const = 0;
    virtual std::string FormatRatio(double value, bool edit) const = 0;
    virtual std::string FormatPlainDistance(double value, bool edit) const = 0;
    virtual std::string FormatLargeArea(double area, bool edit) const = 0;
    virtual std::string FormatSmallArea(double area, bool edit) const = 0;
    virtual std::string FormatPointName(const std::string& name, bool edit) const = 0;
    virtual std::string GetDistanceUnitSuffix() const = 0;
    virtual std::string GetAngleUnitSuffix() const = 0;
    virtual std::string FormatFeetInches(const std::string& decimalFeet) const = 0;
    virtual bool UsesArchitecturalUnits() const = 0;

    // The one number-to-text routine. Decimals are clamped to 0..15 (at least 6 in edit form);
    // values that would need more than 20 characters in fixed notation come out in exponent form.
    static std::string FormatNumber(double value, int decimals, bool editForm, bool group);
    // The same text added to the end of `out`, for texts built in one piece without temporaries.
    static void AppendNumber(std::string& out, double value, int decimals, bool editForm, bool group);

    // Decimal feet as feet, inches and the nearest sixteenth ("5' 6-1/2\""); a text that does
    // not start with a number comes back unchanged.
    static std::string FormatFeetInchesText(const std::string& decimalFeet);
};

std::string FormatNumberToString(double value, int decimals, bool editForm, bool group);

// Integer texts, optionally grouped by three with the locale thousands separator.
std::string FormatLong(int32_t value, bool group);
std::string FormatUShort(uint16_t value, bool group);
std::string FormatInt(int value, bool group);
std::string FormatULong(uint32_t value, bool group);

// Size text for file lists: "921 bytes", "0.90 KB", "1,953 KB".
std::string FormatByteSize(uint32_t bytes);

// Three decimals, grouped; "---" (display) or empty (edit) for no value.
std::string FormatNumber3(double value, bool editForm);

// "%.9f" with '.', for texts that are read back by the program; empty unless above -9.99e7.
std::string FormatDoubleFull(double value);
// Six decimals with trailing zeros dropped down to one ("1.5", "2.0"), '.' and no grouping
// whatever the locale; empty unless above -9.99e7. Raw data lines are written with it.
std::string FormatDoubleCompact(double value);
// The same text added to the end of `out`, for lines built in one piece.
void AppendDoubleCompact(std::string& out, double value);
// The value that text reads back as, without reading it, where it has six decimals (above the
// no-value limit and below 4e9 in size); false elsewhere.
bool CompactTextValue(double value, double* readBack);
// Both at once: appends the text and answers as CompactTextValue does.
bool AppendDoubleCompact(std::string& out, double value, double* readBack);
// The same text written at `to` (room for 24 characters) where it has six decimals: the text's
// end, with the value it reads back as. Null, with nothing written, elsewhere.
char* WriteDoubleCompact(char* to, double value, double* readBack);

// Parts per million with four decimals and '.', optionally followed by " ppm".
std::string FormatPpm(double fraction, bool withUnit);
std::string FormatScaleFactorPpm(double scaleFactor, bool withUnit);
