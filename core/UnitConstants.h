#pragma once

// Unit conversion factors. The US survey foot factors are kept as these literals rather than
// computed from 1200/3937, so stored values convert to exactly what they always converted to.

inline constexpr double MetresToInternationalFeet = 3.280839895013123;
inline constexpr double MetresToUsSurveyFeet = 3.280833333333333;
inline constexpr double InternationalFeetToMetres = 0.3048;
inline constexpr double UsSurveyFeetToMetres = 0.30480060960121924;

inline constexpr double RadiansToArcSeconds = 206264.80624709636;
inline constexpr double RadiansToCentesimalSeconds = 636619.7723675814;
inline constexpr double ArcSecondsToRadians = 4.84813681109536e-06;
inline constexpr double CentesimalSecondsToRadians = 1.5707963267948967e-06;

inline constexpr double SquareMetresToHectares = 0.0001;
inline constexpr double SquareFeetToAcres = 2.295684113865932e-05;
inline constexpr double HectaresToSquareMetres = 10000.0;
inline constexpr double AcresToSquareFeet = 43560.0;
