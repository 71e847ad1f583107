#pragma once

// The quick operations of the distance and angle fields' menus, on stored values (metres,
// radians). Horizontal angles and zenith angles turn the other way from angles right, so a
// quarter turn added to one is subtracted from the other.
enum class AngleFieldKind { HorizontalAngle, Zenith, AngleRight, SignedAngleRight, PlainAngle };

double AddQuarterTurn(AngleFieldKind kind, double value);
double SubtractQuarterTurn(AngleFieldKind kind, double value);
double AddHalfTurn(double value);
// No value stays no value; a missing offset leaves the value as it is.
double AddAngleOffset(AngleFieldKind kind, double value, double offset);
// The job's factor only when the job says a scale factor is in use; no value stays no value.
double ApplyScaleFactor(double value, bool factorInUse, double factor);

// What a menu operation starts from when the field's text does not read: an empty field is
// no value for the scale factor and 0 for the angle operations; anything else is an error the
// exchange reports (false).
bool MenuStartValueForUnreadText(bool textEmpty, bool scaleOperation, double* value);
