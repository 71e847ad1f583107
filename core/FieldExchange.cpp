#include "core/FieldExchange.h"

#include "core/AngleFunctions.h"
#include "core/AngleInput.h"
#include "core/DataExchange.h"
#include "core/Format.h"
#include "core/FormatPreferences.h"
#include "core/JobValueSource.h"
#include "core/Location.h"
#include "core/MathConversions.h"
#include "core/NoValue.h"
#include "core/ResourceStrings.h"
#include "core/Utf8.h"
#include "core/ValueText.h"

#include <charconv>
#include <cmath>
#include <functional>

namespace {

constexpr int ValueTextLimit = 64;
constexpr int CoordinateCharsRead = 20;
constexpr int GeographicTextLimit = 20;

constexpr double HorizontalDistanceMax = 100000.0;
constexpr double CoordinateBound = 1e10;
constexpr double NonZeroTolerance = 0.0001;

// What one survey-value routine does in each direction.
struct ValueRoutine
{
    int limit = ValueTextLimit;
    std::function<bool(const std::string& text, double* out)> parse;
    const char* failFormat = nullptr; // "%s" receives the text as typed
    uint32_t failId = 0;              // used when there is no format
    std::function<bool(CDataExchange* dx, int id, double value, bool quiet)> check;
    std::function<void(double* value)> toInternal;
    std::function<std::string(double value)> format;
};

CDdxControl* Prepare(CDataExchange* dx, int id, int limit)
{
    CDdxControl* control = dx->PrepareEditCtrl(id);
    if (control && limit >= 0)
        control->SetTextLimit(limit);
    return control;
}

bool Refuse(CDataExchange* dx, int id, const ValueRoutine& r, const std::string& text, bool quiet)
{
    if (r.failFormat)
        return FailWithFormat(dx, id, r.failFormat, text, quiet);
    return FailWithMessageId(dx, id, r.failId, quiet);
}

bool ExchangeValue(CDataExchange* dx, int id, double& value, const ValueRoutine& r, bool quiet)
{
    CDdxControl* control = Prepare(dx, id, r.limit);
    if (!dx->m_bSaveAndValidate) {
        SetWindowTextIfChanged(control, r.format(value));
        return true;
    }
    const std::string text = ReadControlText(dx, id, r.limit);
    double working = NoValue;
    if (!r.parse(text, &working))
        return Refuse(dx, id, r, text, quiet);
    if (r.check && !r.check(dx, id, working, quiet))
        return false;
    if (r.toInternal)
        r.toInternal(&working);
    value = working;
    return true;
}

void ToMetres(double* v)
{
    ConvertToMetres(v, nullptr);
}

ValueRoutine DistanceRoutine(int kind, const char* failFormat,
                             std::function<bool(CDataExchange*, int, double, bool)> check)
{
    ValueRoutine r;
    r.parse = [kind](const std::string& t, double* out) { return ParseDistance(t, out, kind); };
    r.failFormat = failFormat;
    r.check = std::move(check);
    r.toInternal = ToMetres;
    r.format = [](double v) { return FormatDistanceText(v, true); };
    return r;
}

ValueRoutine AngleRoutine(int kind, const char* failFormat, std::function<std::string(double)> format)
{
    ValueRoutine r;
    r.parse = [kind](const std::string& t, double* out) { return ParseAngle(t, out, kind); };
    r.failFormat = failFormat;
    r.format = std::move(format);
    return r;
}

bool InRange(double v, double lo, double hi)
{
    return v >= lo && v <= hi; // false for NaN
}

// The checks' own coordinate range: the lower bound is open.
bool InSignedRange(double v)
{
    return v > -CoordinateBound && v <= CoordinateBound; // false for NaN
}

bool CheckRange(CDataExchange* dx, int id, bool inRange, double lo, double hi, bool quiet)
{
    if (!dx->m_bSaveAndValidate || inRange)
        return true;
    return FailValueRange(dx, id, lo, hi, quiet);
}

// "%*.*f" with '.', padded on the left to the width.
std::string FixedWidth(double v, int width, int decimals)
{
    char buf[512];
    const auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, std::clamp(decimals, 0, 60));
    std::string text = res.ec == std::errc() ? std::string(buf, res.ptr) : std::string("?");
    if (static_cast<int>(text.size()) < width)
        text.insert(0, static_cast<std::size_t>(width) - text.size(), ' ');
    return text;
}

bool ExchangeGeographic(CDataExchange* dx, int id, double& value, bool north, bool packedText, bool quiet)
{
    ValueRoutine r;
    r.limit = GeographicTextLimit;
    r.parse = [north](const std::string& t, double* out) {
        return north ? ParseNorthSouth(out, t) : ParseEastWest(out, t);
    };
    r.failId = north ? 7572 : 7573;
    r.check = [north](CDataExchange* d, int i, double v, bool q) {
        return north ? DDV_Latitude(d, i, v, q) : DDV_Longitude(d, i, v, q);
    };
    r.toInternal = [](double* v) { *v = DmsToRadians(*v); };
    r.format = [north, packedText](double v) {
        if (!packedText)
            return north ? FormatNorthSouthText(v, true) : FormatEastWestText(v, true);
        std::string text;
        if (north)
            FormatLatitudeText(&text, false, v, true);
        else
            FormatLongitudeText(&text, false, v, true);
        return text;
    };
    return ExchangeValue(dx, id, value, r, quiet);
}

bool ExchangeCoordinate(CDataExchange* dx, int id, double& value, int kind, bool quiet)
{
    CDdxControl* control = Prepare(dx, id, ValueTextLimit);
    const bool elevation = kind == CoordinateElevation;
    if (!dx->m_bSaveAndValidate) {
        SetWindowTextIfChanged(control, elevation ? FormatElevationText(value, true) : FormatCoordinateText(value, true));
        return true;
    }
    const std::string text = ReadControlText(dx, id, CoordinateCharsRead);
    if (elevation && text.empty()) {
        value = NoValue;
        return true;
    }
    const bool fromPoint = !text.empty() && text[0] == '=';
    double working = NoValue;
    if (!DDX_CoordinateValue(dx, id, working, kind, quiet))
        return false;
    const bool inRange = kind == CoordinateNorthing  ? DDV_NorthingRange(dx, id, working, quiet)
                         : kind == CoordinateEasting ? DDV_EastingRange(dx, id, working, quiet)
                                                     : DDV_ElevationRange(dx, id, working, quiet);
    if (!inRange)
        return false;
    // A coordinate copied from a point is in metres already.
    if (!fromPoint)
        ToMetres(&working);
    value = working;
    return true;
}

// The required forms refuse a missing value; the caller's variable changes only when accepted.
bool RequirePresent(CDataExchange* dx, int id, double& value, bool height, bool quiet)
{
    double working = value;
    const bool ok = height ? DDX_Height(dx, id, working, quiet) : DDX_Elevation(dx, id, working, quiet);
    if (!ok)
        return false;
    if (dx->m_bSaveAndValidate && working < NoValueLimit)
        return FailWithMessage(dx, id, height ? "Height missing or invalid." : "Elevation missing or invalid.", quiet);
    value = working;
    return true;
}

} // namespace

std::string ReadControlText(CDataExchange* dx, int id, int maxChars)
{
    CDdxControl* control = dx && dx->m_pDlgWnd ? dx->m_pDlgWnd->GetDdxControl(id) : nullptr;
    if (!control)
        return {};
    std::string text = control->GetText();
    if (maxChars > 0)
        text.resize(Utf8PrefixBytes(text, static_cast<std::size_t>(maxChars)));
    return text;
}

// --- Distances.

bool DDX_HorizontalDistance(CDataExchange* dx, int id, double& value, bool quiet)
{
    return ExchangeValue(dx, id, value,
                         DistanceRoutine(DistanceHorizontal, "%s is not a valid horizontal distance.", DDV_DistanceRange),
                         quiet);
}

bool DDX_VerticalDistance(CDataExchange* dx, int id, double& value, bool quiet)
{
    return ExchangeValue(dx, id, value,
                         DistanceRoutine(DistanceVertical, "%s is not a valid vertical distance.", DDV_SignedDistanceRange), quiet);
}

bool DDX_SlopeDistance(CDataExchange* dx, int id, double& value, bool quiet)
{
    return ExchangeValue(dx, id, value,
                         DistanceRoutine(DistanceSlope, "%s is not a valid slope distance.", DDV_DistanceRange),
                         quiet);
}

bool DDX_Distance(CDataExchange* dx, int id, double& value, bool quiet)
{
    return ExchangeValue(dx, id, value, DistanceRoutine(DistanceHorizontal, "%s is not a valid distance.", DDV_SignedDistanceRange),
                         quiet);
}

bool DDX_NonZeroDistance(CDataExchange* dx, int id, double& value, bool quiet)
{
    auto check = [](CDataExchange* d, int i, double v, bool q) {
        return DDV_SignedDistanceRange(d, i, v, q) && DDV_NonZero(d, i, v, q);
    };
    return ExchangeValue(dx, id, value, DistanceRoutine(DistanceHorizontal, "%s is not a valid distance.", check), quiet);
}

bool DDX_Station(CDataExchange* dx, int id, double& value, bool quiet)
{
    ValueRoutine r;
    r.parse = [](const std::string& t, double* out) { return ParseStation(out, t); };
    r.failFormat = "%s is not a valid station.";
    r.check = DDV_SignedDistanceRange;
    r.toInternal = ToMetres;
    r.format = [](double v) { return FormatStationText(v, true); };
    return ExchangeValue(dx, id, value, r, quiet);
}

// --- Angles.

bool DDX_HorizontalAngleOrBearing(CDataExchange* dx, int id, double& value, bool quiet)
{
    return ExchangeValue(dx, id, value,
                         AngleRoutine(0, "%s is not a valid horizontal angle or bearing.",
                                      [](double v) { return FormatAzimuthText(v, true); }),
                         quiet);
}

bool DDX_VerticalAngle(CDataExchange* dx, int id, double& value, bool quiet)
{
    return ExchangeValue(dx, id, value,
                         AngleRoutine(1, "%s is not a valid vertical angle.",
                                      [](double v) { return FormatVerticalAngleText(v, true); }),
                         quiet);
}

bool DDX_ZenithAngle(CDataExchange* dx, int id, double& value, bool quiet)
{
    return ExchangeValue(dx, id, value,
                         AngleRoutine(3, "%s is not a valid zenith angle.",
                                      [](double v) { return FormatAngleText(VerticalAngleToZenith(v), true); }),
                         quiet);
}

bool DDX_AngleRightVertical(CDataExchange* dx, int id, double& value, bool quiet)
{
    return ExchangeValue(dx, id, value,
                         AngleRoutine(5, "%s is not a valid angle right.",
                                      [](double v) { return FormatVerticalAngleText(v, true); }),
                         quiet);
}

bool DDX_AngleRight(CDataExchange* dx, int id, double& value, bool quiet)
{
    return ExchangeValue(dx, id, value,
                         AngleRoutine(4, "%s is not a valid angle right.", [](double v) { return FormatAngleText(v, true); }),
                         quiet);
}

bool DDX_Angle(CDataExchange* dx, int id, double& value, bool quiet)
{
    return ExchangeValue(dx, id, value,
                         AngleRoutine(2, "%s is not a valid angle.", [](double v) { return FormatAngleText(v, true); }),
                         quiet);
}

bool DDX_AngleOrBearing(CDataExchange* dx, int id, double& value, bool showAsAngle, bool quiet)
{
    return ExchangeValue(dx, id, value,
                         AngleRoutine(0, "%s is not a valid horizontal angle or bearing.",
                                      [showAsAngle](double v) {
                                          return showAsAngle ? FormatAngleText(v, true) : FormatBearingText(v, true);
                                      }),
                         quiet);
}

bool DDX_ClockwiseAngle(CDataExchange* dx, int id, double& value, bool quiet)
{
    double shown = TwoPi - value;
    if (!DDX_Angle(dx, id, shown, quiet))
        return false;
    if (dx->m_bSaveAndValidate) {
        double v = std::fmod(TwoPi - shown, TwoPi);
        if (v < 0)
            v += TwoPi;
        value = v;
    }
    return true;
}

bool DDX_DirectionAsAzimuth(CDataExchange* dx, int id, double& value, bool quiet)
{
    double shown = TwoPi - (value - Pi / 2);
    if (!DDX_Angle(dx, id, shown, quiet))
        return false;
    if (dx->m_bSaveAndValidate)
        value = TwoPi + Pi / 2 - shown;
    return true;
}

bool DDX_DmsNumberAngle(CDataExchange* dx, int id, double& value, int decimals, bool quiet)
{
    ValueRoutine r;
    r.parse = [](const std::string& t, double* out) { return ParseDouble(out, t, false); };
    r.failFormat = "%s is not a valid angle.";
    r.toInternal = [](double* v) { *v = DmsToDecimalUnreduced(*v) * Pi / 180.0; };
    r.format = [decimals](double v) {
        return CFormat::FormatNumber(DecimalToDmsUnreduced(v * 360.0 / TwoPi), decimals + 4, true, false);
    };
    return ExchangeValue(dx, id, value, r, quiet);
}

// --- Grades and areas.

bool DDX_Grade(CDataExchange* dx, int id, double& value, bool quiet)
{
    ValueRoutine r;
    r.parse = [](const std::string& t, double* out) { return ParseGrade(t, out); };
    r.failFormat = "%s is not a valid grade.";
    r.format = [](double v) { return FormatGradeText(v, true); };
    return ExchangeValue(dx, id, value, r, quiet);
}

bool DDX_Area(CDataExchange* dx, int id, double& value, bool largeArea, bool quiet)
{
    ValueRoutine r;
    r.parse = [](const std::string& t, double* out) { return ParseArea(t, out); };
    r.failFormat = "%s is not a valid area.";
    if (largeArea)
        r.toInternal = [](double* v) { *v = GetActiveJobMathConversions()->LargeAreaToDisplayArea(*v); };
    r.format = [largeArea](double v) { return largeArea ? FormatLargeAreaText(v, true) : FormatSmallAreaText(v, true); };
    return ExchangeValue(dx, id, value, r, quiet);
}

// --- Coordinates.

bool DDX_Northing(CDataExchange* dx, int id, double& value, bool quiet)
{
    return ExchangeCoordinate(dx, id, value, CoordinateNorthing, quiet);
}

bool DDX_Easting(CDataExchange* dx, int id, double& value, bool quiet)
{
    return ExchangeCoordinate(dx, id, value, CoordinateEasting, quiet);
}

bool DDX_Elevation(CDataExchange* dx, int id, double& value, bool quiet)
{
    return ExchangeCoordinate(dx, id, value, CoordinateElevation, quiet);
}

bool DDX_Height(CDataExchange* dx, int id, double& value, bool quiet)
{
    return ExchangeCoordinate(dx, id, value, CoordinateElevation, quiet);
}

bool DDX_RequiredElevation(CDataExchange* dx, int id, double& value, bool quiet)
{
    return RequirePresent(dx, id, value, false, quiet);
}

bool DDX_RequiredHeight(CDataExchange* dx, int id, double& value, bool quiet)
{
    return RequirePresent(dx, id, value, true, quiet);
}

bool DDX_CoordinateValue(CDataExchange* dx, int id, double& value, int kind, bool quiet)
{
    const FormatPreferences prefs = GetFormatPreferences();
    const int decimals = kind == CoordinateNorthing || kind == CoordinateEasting ? prefs.iJobNorthingEasting
                         : kind == CoordinateElevation                           ? prefs.iJobElevation
                                                                                 : 4;
    const std::string text = dx->m_bSaveAndValidate ? ReadControlText(dx, id, CoordinateCharsRead) : std::string();
    if (!text.empty() && text[0] == '=')
        return DDX_CoordinateFromPoint(dx, id, value, decimals, kind, quiet);
    return DDX_Number(dx, id, value, decimals, quiet);
}

bool DDX_CoordinateFromPoint(CDataExchange* dx, int id, double& value, int decimals, int kind, bool quiet)
{
    if (!dx->m_bSaveAndValidate)
        return true;
    CDdxControl* control = Prepare(dx, id, -1);
    const std::string text = ReadControlText(dx, id, CoordinateCharsRead);
    std::string name;
    if (text.empty() || !ParsePointName(&name, text.substr(1))) {
        if (!quiet) {
            ShowDdxErrorId(dx, id, 1019);
            dx->Fail();
        }
        return false;
    }
    CJobValueSource* job = GetActiveJobValueSource();
    CLocation location;
    if (!job || !job->FindPointLocation(name, &location)) {
        std::string message = "Point '%s' not found.";
        message.replace(message.find("%s"), 2, name);
        return FailWithText(dx, id, message, quiet);
    }
    const double v = kind == CoordinateNorthing ? location.y : kind == CoordinateEasting ? location.x : location.z;
    SetWindowTextIfChanged(control, kind == CoordinateElevation ? FormatElevationText(v, true)
                                                                 : FormatCoordinateText(v, true));
    value = v;
    return true;
}

// --- Latitudes and longitudes.

bool DDX_Latitude(CDataExchange* dx, int id, double& value, bool quiet)
{
    return ExchangeGeographic(dx, id, value, true, false, quiet);
}

bool DDX_LatitudeDegrees(CDataExchange* dx, int id, double& value, bool quiet)
{
    return ExchangeGeographic(dx, id, value, true, true, quiet);
}

bool DDX_Longitude(CDataExchange* dx, int id, double& value, bool quiet)
{
    return ExchangeGeographic(dx, id, value, false, false, quiet);
}

bool DDX_LongitudeDegrees(CDataExchange* dx, int id, double& value, bool quiet)
{
    return ExchangeGeographic(dx, id, value, false, true, quiet);
}

// --- Plain numbers.

bool DDX_Double(CDataExchange* dx, int id, double& value, int decimals, bool quiet)
{
    ValueRoutine r;
    r.parse = [](const std::string& t, double* out) { return ParseDouble(out, t, false); };
    r.failId = 1018;
    r.format = [decimals](double v) { return CFormat::FormatNumber(v, decimals, true, true); };
    return ExchangeValue(dx, id, value, r, quiet);
}

bool DDX_DoubleDefaultPrecision(CDataExchange* dx, int id, double& value, bool quiet)
{
    return DDX_Double(dx, id, value, 6, quiet);
}

bool DDX_ScaleFactor(CDataExchange* dx, int id, double& value, bool quiet)
{
    constexpr int Decimals = 9;
    // The box shows the factor rounded: an OK on an untouched box must not store the rounding.
    if (dx->m_bSaveAndValidate) {
        Prepare(dx, id, ValueTextLimit);
        if (ReadControlText(dx, id, ValueTextLimit) == CFormat::FormatNumber(value, Decimals, true, true))
            return true;
    }
    return DDX_Double(dx, id, value, Decimals, quiet);
}

bool DDX_Number(CDataExchange* dx, int id, double& value, int decimals, bool quiet)
{
    ValueRoutine r;
    r.parse = [](const std::string& t, double* out) { return ParseDistanceText(t, out); };
    r.failId = 1018;
    r.format = [decimals](double v) { return CFormat::FormatNumber(v, decimals, true, true); };
    return ExchangeValue(dx, id, value, r, quiet);
}

bool DDX_Int(CDataExchange* dx, int id, int32_t& value, bool quiet)
{
    CDdxControl* control = Prepare(dx, id, ValueTextLimit);
    if (!dx->m_bSaveAndValidate) {
        SetWindowTextIfChanged(control, FormatLong(value, true));
        return true;
    }
    const std::string text = ReadControlText(dx, id, ValueTextLimit);
    int parsed = 0;
    if (!ParseInt(&parsed, text))
        return FailWithMessageId(dx, id, 1018, quiet);
    value = parsed;
    return true;
}

bool DDX_DoubleInRange99(CDataExchange* dx, int id, double& value, bool quiet)
{
    double v = value;
    if (!DDX_Double(dx, id, v, GetFormatPreferences().iJobElevation, quiet) || !DDV_Range99(dx, id, v, quiet))
        return false;
    value = v;
    return true;
}

bool DDX_NumberInRange10000(CDataExchange* dx, int id, double& value, bool quiet)
{
    double v = value;
    if (!DDX_Number(dx, id, v, 6, quiet) || !DDV_Range01To10000(dx, id, v, quiet))
        return false;
    value = v;
    return true;
}

bool DDX_DoubleInRange10000(CDataExchange* dx, int id, double& value, bool quiet)
{
    double v = value;
    if (!DDX_Double(dx, id, v, 9, quiet) || !DDV_Range01To10000(dx, id, v, quiet))
        return false;
    value = v;
    return true;
}

bool DDX_Degrees(CDataExchange* dx, int id, double& value, bool quiet)
{
    double v = value;
    if (!DDX_Double(dx, id, v, GetFormatPreferences().iJobAngle + 4, quiet) || !DDV_Degrees360(dx, id, v, quiet))
        return false;
    value = v;
    return true;
}

// --- Checks.

bool DDV_GreaterThan(CDataExchange* dx, int id, double value, double limit, int integerDigits, int decimals,
                     bool quiet)
{
    if (!dx->m_bSaveAndValidate || value > limit)
        return true;
    std::string message = LoadResourceString(44);
    message.replace(message.find("%*.*f"), 5, FixedWidth(limit, integerDigits + decimals + 1, decimals));
    return FailWithText(dx, id, message, quiet);
}

bool DDV_DoubleRange(CDataExchange* dx, int id, double value, double minimum, double maximum, bool quiet)
{
    return CheckRange(dx, id, InRange(value, minimum, maximum), minimum, maximum, quiet);
}

bool DDV_IntRange(CDataExchange* dx, int id, int32_t value, int32_t minimum, int32_t maximum, bool quiet)
{
    if (!dx->m_bSaveAndValidate || (value >= minimum && value <= maximum))
        return true;
    std::string message = LoadResourceString(1563);
    message.replace(message.find("%1"), 2, std::to_string(minimum));
    message.replace(message.find("%2"), 2, std::to_string(maximum));
    return FailWithText(dx, id, message, quiet);
}

bool DDV_MinMaxInt(CDataExchange* dx, int id, int32_t value, int32_t minimum, int32_t maximum, bool quiet)
{
    return DDV_IntRange(dx, id, value, minimum, maximum, quiet);
}

bool DDV_AngleBelowHalfTurn(CDataExchange* dx, int id, double value, bool quiet)
{
    if (!dx->m_bSaveAndValidate || (value > 0 && value < Pi))
        return true;
    return FailWithText(dx, id, "The angle must be greater than 0 and less than Pi.", quiet);
}

bool DDV_AngleBelowFullTurn(CDataExchange* dx, int id, double value, bool quiet)
{
    if (!dx->m_bSaveAndValidate || (value > 0 && value < TwoPi))
        return true;
    return FailWithText(dx, id, "The angle must be greater than 0\u00B000'00\" and less than 360\u00B000'00\"", quiet);
}

bool DDV_Range99(CDataExchange* dx, int id, double value, bool quiet)
{
    return CheckRange(dx, id, IsValidRange99Value(value), -99, 99, quiet);
}

bool DDV_Range01To10000(CDataExchange* dx, int id, double value, bool quiet)
{
    return CheckRange(dx, id, IsValidRange01To10000Value(value), 0.1, 10000, quiet);
}

bool DDV_Longitude(CDataExchange* dx, int id, double value, bool quiet)
{
    return CheckRange(dx, id, IsValidLongitudeValue(value), -180, 180, quiet);
}

bool DDV_Latitude(CDataExchange* dx, int id, double value, bool quiet)
{
    return CheckRange(dx, id, IsValidLatitudeValue(value), -90, 90, quiet);
}

bool DDV_Degrees360(CDataExchange* dx, int id, double value, bool quiet)
{
    return CheckRange(dx, id, IsValidDegrees360Value(value), 0, 360, quiet);
}

bool DDV_NotEmptyText(CDataExchange* dx, int id, const std::string& text, bool quiet)
{
    if (!dx->m_bSaveAndValidate || text.find_first_not_of(" \t") != std::string::npos)
        return true;
    return FailWithText(dx, id, "Enter a value.", quiet);
}

bool DDV_CurveSegments(CDataExchange* dx, int id, int32_t arcSegments, int32_t spiralSegments, bool quiet)
{
    if (!dx->m_bSaveAndValidate || static_cast<int64_t>(arcSegments) + 2 * static_cast<int64_t>(spiralSegments) <= 99)
        return true;
    return FailWithText(dx, id,
                        "The number of segments for arcs plus twice the number of segments for spirals must be less "
                        "than 100. (2*spirals+arcs < 100)",
                        quiet);
}

bool DDV_DistanceRange(CDataExchange* dx, int id, double value, bool quiet)
{
    return CheckRange(dx, id, IsValidHorizontalDistanceValue(value), 0, HorizontalDistanceMax, quiet);
}

bool DDV_SignedDistanceRange(CDataExchange* dx, int id, double value, bool quiet)
{
    return CheckRange(dx, id, InSignedRange(value), -CoordinateBound, CoordinateBound, quiet);
}

bool DDV_NorthingRange(CDataExchange* dx, int id, double value, bool quiet)
{
    return DDV_SignedDistanceRange(dx, id, value, quiet);
}

bool DDV_EastingRange(CDataExchange* dx, int id, double value, bool quiet)
{
    return DDV_SignedDistanceRange(dx, id, value, quiet);
}

bool DDV_ElevationRange(CDataExchange* dx, int id, double value, bool quiet)
{
    return CheckRange(dx, id, !HasValue(value) || InSignedRange(value), -CoordinateBound, CoordinateBound, quiet);
}

bool DDV_NonZero(CDataExchange* dx, int id, double value, bool quiet)
{
    if (!dx->m_bSaveAndValidate || std::fabs(value) >= NonZeroTolerance)
        return true;
    return FailWithMessage(dx, id, "Invalid Value", quiet);
}

// --- Predicates.

bool IsValidHorizontalDistanceValue(double v)
{
    return v > 0 && v <= HorizontalDistanceMax;
}

bool IsValidCoordinateValue(double v)
{
    return InRange(v, -CoordinateBound, CoordinateBound);
}

bool IsValidElevationValue(double v)
{
    return v < NoValueLimit || InRange(v, -CoordinateBound, CoordinateBound);
}

bool IsValidDegrees360Value(double v)
{
    return InRange(v, 0, 360);
}

bool IsValidLatitudeValue(double v)
{
    return InRange(v, -90, 90);
}

bool IsValidLongitudeValue(double v)
{
    return InRange(v, -180, 180);
}

bool IsValidRange01To10000Value(double v)
{
    return InRange(v, 0.1, 10000);
}

bool IsValidRange99Value(double v)
{
    return InRange(v, -99, 99);
}
