#pragma once
// Numbers as the calculations store them: every named quantity is a single, the arithmetic
// between two stores is done in double precision. Single and Dbl spell out the conversions
// where they happen.

// x rounded to the nearest single-precision value.
inline float Single(double x) {
    return static_cast<float>(x);
}

// A stored single taken into double-precision arithmetic (exact).
inline double Dbl(float x) {
    return static_cast<double>(x);
}

// Pi in double precision, for geometry outside the checked calculations (flat patterns).
// The calculations take theirs from the arc tangent of 1, stored as a single.
inline constexpr double Pi = 3.14159265358979323846;
