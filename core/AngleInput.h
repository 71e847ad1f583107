#pragma once

#include <string>

// Typed angles to radians. Kinds: 0 horizontal angle or bearing, 1 vertical angle, 2 angle,
// 3 zenith angle (stored as a vertical angle), 4 angle right, 5 signed angle right.
// Typed numbers are in the job's angle unit (packed D.MMSS or grads).

// Any accepted form, including two or three hyphen-joined point names to measure between.
bool ParseAngle(const std::string& text, double* out, int kind);
// The typed forms only: quadrant bearing, letter bearing, plain angle.
bool ParseAngleText(const std::string& text, double* out, int kind);
// "2 45.3000": quadrant 1 NE, 2 SE, 3 SW, 4 NW, then the angle from the north-south axis.
bool ParseQuadrantBearing(const std::string& text, double* out, int kind);
// "N45°30'E", "s 10 15 20 w".
bool ParseLetterBearing(const std::string& text, double* out, int kind);
bool ParsePlainAngle(const std::string& text, double* out, int kind);
// The first degree sign or '.' becomes the decimal point; minute and second marks are dropped.
void StripAngleMarks(std::string& text);
// Degrees, minutes and seconds with marks or blanks ("12°30'15\"", "12 30 15.5", "30'") to the
// packed form "12.3015"; false (text undefined) when the text is not such an angle.
bool NormalizeAngleText(std::string& text);
// Reads the packed form NormalizeAngleText gives, which always uses '.', whatever the locale.
bool ParsePackedAngleText(double* out, const std::string& packed);
