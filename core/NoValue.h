#pragma once

// A double that holds no value is set to NoValue; it counts as present only when strictly
// greater than NoValueLimit. NaN compares false, so it counts as absent too.
inline constexpr double NoValue = -9.99e27;
inline constexpr double NoValueLimit = -9.99e7;

inline constexpr bool HasValue(double v)
{
    return v > NoValueLimit;
}

// What the formatters show as no value: below the limit, or NaN. The limit itself still formats
// as a number.
inline constexpr bool IsNoValue(double v)
{
    return !(v >= NoValueLimit);
}
