#pragma once
// Every stored quantity of the calculations is a single; the arithmetic between two stores
// is done in double precision. These two spell out the conversions where they happen.

// x rounded to the nearest single-precision value.
inline float Single(double x) {
    return static_cast<float>(x);
}

// A stored single taken into double-precision arithmetic (exact).
inline double Dbl(float x) {
    return static_cast<double>(x);
}
