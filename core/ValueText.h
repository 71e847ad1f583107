#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class CFormat;
class CGenericFormat;

// Typed text to numbers, and the value-to-text facade the data-entry fields use. Parsers return
// true when the text is accepted; on false their outputs are undefined. Numbers are read with
// the user's decimal and thousands separators mapped explicitly, never through the C locale.

// "e+-0123456789" followed by the locale decimal and thousands separators.
std::string GetNumberCharacters();

// The whole text (blanks and tabs around it allowed) must be one finite decimal number.
bool ScanDouble(double* out, const std::string& text);
// The whole text must be one 32-bit integer; "-0" and "+0" are refused.
bool ScanLong(int32_t* out, const std::string& text);
// The common number entry: locale separators mapped, thousands separators removed. An empty text
// gives NoValue with allowEmpty and fails without it; without it the value must be present.
bool ParseDouble(double* out, const std::string& text, bool allowEmpty);
bool ParseInt(int* out, const std::string& text);
bool ParseWholeNumber(int* out, const std::string& text);
// True unless c is the (single-character) separator.
bool IsNotSeparator(char c, const std::string& separator);
// Trims the text and accepts it when it is a valid point name.
bool ParsePointName(std::string* out, std::string_view text);
// Reads count point names joined by single hyphens ("A1-B7", "1 - 2 - 3"); the names must be
// distinct and name points of the open job.
bool SplitValueFields(const std::string& text, int count, std::vector<std::string>* out);

// Typed values in the job's display units. Two point names give the distance of the kind
// between them.
inline constexpr int DistanceSlope = 0;
inline constexpr int DistanceVertical = 1;
inline constexpr int DistanceHorizontal = 2;
bool ParseDistance(const std::string& text, double* out, int distanceKind);
bool ParseDistanceText(const std::string& text, double* out);
// Inches and an optional fraction ("6 1/2") after the feet, in a job measured in feet; feet
// gets the inches as feet and rest is emptied.
bool ParseFeetAndInches(double* feet, std::string& rest);
// Grade as a ratio: "5%" and "5" give 0.05; two point names give rise over run between them.
bool ParseGrade(const std::string& text, double* out);
bool ParseGradeText(const std::string& text, double* out);
bool ParseArea(const std::string& text, double* out);
// "12+34.5" (the '+' standing for two or three digits by the station format), or a plain number.
bool ParseStation(double* out, const std::string& text);
// Latitude and longitude as signed packed D.MMSS; a hemisphere letter may lead or trail.
bool ParseNorthSouth(double* out, const std::string& text);
bool ParseEastWest(double* out, const std::string& text);
// 00:00:00 to 23:59:59, and 24:00:00.
bool IsValidTime(int hours, int minutes, int seconds);
// A real calendar day from 1 January 1900 to 31 December 3000.
bool IsValidDate(int year, int month, int day);
// Display units of the open job (and of units, when given) to metres, in place; and back.
void ConvertToMetres(double* value, const CGenericFormat* units);
void ConvertFromMetres(double* value, const CGenericFormat* units);

// Facade: the text of one formatter operation; a null format means the active job's formatter.
std::string FormatCoordinateText(double value, bool edit, const CFormat* format = nullptr);
std::string FormatElevationText(double value, bool edit, const CFormat* format = nullptr);
std::string FormatHeightText(double value, bool edit, const CFormat* format = nullptr);
std::string FormatNorthSouthText(double value, bool edit, const CFormat* format = nullptr);
std::string FormatEastWestText(double value, bool edit, const CFormat* format = nullptr);
// Without the unit suffix.
std::string FormatDistanceText(double value, bool edit, const CFormat* format = nullptr);
std::string FormatAzimuthText(double value, bool edit, const CFormat* format = nullptr);
std::string FormatAngleText(double value, bool edit, const CFormat* format = nullptr);
std::string FormatVerticalAngleText(double value, bool edit, const CFormat* format = nullptr);
std::string FormatBearingText(double value, bool edit, const CFormat* format = nullptr);
std::string FormatStationText(double value, bool edit, const CFormat* format = nullptr);
std::string FormatGradeText(double value, bool edit, const CFormat* format = nullptr);
std::string FormatSmallAreaText(double value, bool edit, const CFormat* format = nullptr);
std::string FormatPointNameText(const std::string& name, bool edit, const CFormat* format = nullptr);
// The value in the job's display area unit, shown in its large unit (hectares or acres).
std::string FormatLargeAreaText(double value, bool edit);

// Geographic values with '.' and nine decimals: packed D.MMSS (rounded to five decimals of
// seconds) or decimal degrees; " N"/" S" (" E"/" W") follow in display form.
void FormatLatitudeText(std::string* out, bool decimalDegrees, double radians, bool edit);
void FormatLongitudeText(std::string* out, bool decimalDegrees, double radians, bool edit);
