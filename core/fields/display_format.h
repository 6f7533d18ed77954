#pragma once
// Numeric picture formats: "#0.0", "##0.0", "###0.0", "#0.00", "##0.00", "#0.0#", "#0".
// A "0" is a digit always shown, a "#" a digit shown only when significant; the value is
// rounded to the last decimal place shown, halves away from zero, on its exact binary
// value. The decimal point is always a point, whatever the locale.

#include <string>
#include <string_view>

std::string Format_Number(double value, std::string_view picture);

// The value rounded to `significant` digits, halves to even, on its exact binary value, as
// a plain decimal number in exponent form ("8.48150024e2", "-0"); empty for infinities
// and NaN. The digits of printf's "%.*g" at that precision, whatever the locale.
std::string Significant_Text(double value, int significant);

// Text with two decimals, or `decimals`, as the patterns show figures: rounded half away
// from zero, with a decimal point whatever the locale, and never "-0.00".
std::string Fixed(double v, int decimals = 2);

// The text as XML character data or an attribute's value: &, <, > and " escaped.
std::string Xml_Text(const std::string& s);

// Up to `decimals` decimals without trailing zeros ("12.5", "3"): how the drawing files
// write coordinates. Never "-0".
std::string Short_Fixed(double v, int decimals);
