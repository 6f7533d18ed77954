#include "core/calculators/prof_port_calc.h"

#include "core/fields/display_format.h"
#include "core/fields/field_check.h"
#include "core/fields/numbers.h"

#include <cmath>

namespace {
constexpr int16_t MaxStations = 11;
using Stations = std::array<float, MaxStations>;

const Field_Rule Bore =
    Named_Rule(ProfBore, "Cylinder Bore", "Bore",
               Named_Range("Cylinder Bore", Bounds_Of(Form_Key::Profiled_Port, ProfBore),
                           "Enter a value between 5 and 80"));
const Field_Rule Height = Named_Rule(ProfHeight, "Port Height", "Port Height");
const Field_Rule Width = Named_Rule(ProfBridgeWidth, "Bridge Width", "Bridge Width");
const Field_Rule Top = Named_Rule(ProfTopRadius, "Bridge Top Radius", "Top Radius");
const Field_Rule Bottom = Named_Rule(ProfBottomRadius, "Bridge Bottom Radius", "Bottom Radius");
const Field_Rule Intervals =
    Named_Rule(ProfIntervals, "Number of Intervals", "Number of Intervals");

// The port height as a share of the bore, and the bridge's largest width as one.
constexpr float Height_Share_Least = 0.3f;
constexpr float Height_Share_Most = 0.65f;
constexpr double Bridge_Share_Most = 0.2;
// The longest ordinate as a share of the bore: bridged pair, single port.
constexpr double Ordinate_Share_Bridged = 0.6;
constexpr double Ordinate_Share_Single = 0.75;
const Bounds Interval_Counts = Bounds_Of(Form_Key::Profiled_Port, ProfIntervals);
const auto Least_Intervals = static_cast<int16_t>(Interval_Counts.lo);
const auto Most_Intervals = static_cast<int16_t>(Interval_Counts.hi);

std::string Station_Text(int16_t i) {
    return Format_Number(static_cast<double>(i), "#0");
}

// A corner radius of the bridge: not negative, not above the largest bridge width.
std::optional<Field_Failure> Check_Radius(const Field_Rule& rule, const std::string& text,
                                          const char* negativeTitle, const char* largeTitle,
                                          float Wmax, const std::string& WmaxText, float& radius) {
    if (auto f = Check_Field(rule, text, radius))
        return f;
    if (radius < 0.0f)
        return Fail_At(rule.field, negativeTitle, "Enter a positive value");
    if (radius > Wmax)
        return Fail_At(rule.field, largeTitle, "Enter a value less than " + WmaxText);
    return std::nullopt;
}

// The rounded corner of radius R widens the bridge by 2 * e at depth t below its end.
float Corner_Width(float R, float t, float W) {
    const float s = Single(std::sqrt((2.0 * Dbl(R) - Dbl(t)) * Dbl(t)));
    const float e = Single(Dbl(R) - Dbl(s));
    return Single(2.0 * Dbl(e) + Dbl(W));
}
} // namespace

Stations Bridge_Widths(int16_t n, float h, float W, float Rt, float Rb) {
    Stations b{};
    if (n < 1 || n >= MaxStations)
        return b;
    for (int16_t i = 1; i < n; ++i)
        b[i] = W;
    b[0] = Single(2.0 * Dbl(Rt) + Dbl(W));
    for (int16_t i = 1; i < n; ++i) {
        const float t = Single(Dbl(i) * Dbl(h));
        if (!(t < Rt))
            break;
        b[i] = Corner_Width(Rt, t, W);
    }
    b[n] = Single(2.0 * Dbl(Rb) + Dbl(W));
    // Where the corners overlap, the bottom one is kept.
    for (int16_t k = 1; k < n; ++k) {
        const float t = Single(Dbl(k) * Dbl(h));
        if (!(t < Rb))
            break;
        b[n - k] = Corner_Width(Rb, t, W);
    }
    return b;
}

namespace {
// Trapezoid rule over the n equal intervals of the projected widths c.
float Width_Sum(const Stations& c, int16_t n) {
    float S = Single((Dbl(c[0]) + Dbl(c[n])) / 2.0);
    for (int16_t i = 1; i < n; ++i)
        S = Single(Dbl(S) + Dbl(c[i]));
    return S;
}

// The ordinates can be negative; with enough of them, or with a bridge wider than the
// ordinates can make up for, the area comes out below zero (or undefined for an infinite
// ordinate). The focus goes to the first negative ordinate, or else to the narrowest.
Field_Failure No_Port_Area(const Stations& y, int16_t n) {
    int16_t at = -1;
    for (int16_t i = 0; i <= n && at < 0; ++i) {
        if (y[i] < 0.0f)
            at = i;
    }
    if (at < 0) {
        at = 0;
        for (int16_t i = 1; i <= n; ++i) {
            if (y[i] < y[at])
                at = i;
        }
    }
    return Fail_At(at, "The Port Area is Negative",
                   std::string("These ordinates leave the port no open area") + CrLf +
                       "Enter a larger value for Ordinate #" + Station_Text(at),
                   FieldKind::Ordinate);
}
} // namespace

Outcome<ProfPrt_Values> Calc_ProfPrt(const ProfPrt_Inputs& in) {
    Outcome<ProfPrt_Values> out;
    ProfPrt_Values& v = out.value;
    auto fail = [&out](Field_Failure f) {
        out.failure = std::move(f);
        return out;
    };
    const float P = Single(std::atan(1.0)); // quarter pi

    float D = 0;
    if (auto f = Check_Field(Bore, in.ProfTxt[ProfBore], D))
        return fail(*f);

    float H = 0;
    if (auto f = Check_Field(Height, in.ProfTxt[ProfHeight], H))
        return fail(*f);
    const float ratio = Single(Dbl(H) / Dbl(D));
    if (ratio < Height_Share_Least)
        return fail(Fail_At(ProfHeight, "Port Height Out of Range", "Enter a larger value"));
    if (ratio > Height_Share_Most)
        return fail(Fail_At(ProfHeight, "Port Height Out of Range", "Enter a smaller value"));

    float W = 0;
    float Rt = 0;
    float Rb = 0;
    if (in.BridgedPair) {
        if (auto f = Check_Field(Width, in.ProfTxt[ProfBridgeWidth], W))
            return fail(*f);
        // The largest bridge width is a fifth of the bore, as the user sees it: two decimals.
        const std::string WmaxText =
            Format_Number(Dbl(Single(Bridge_Share_Most * Dbl(D))), "#0.00");
        const float Wmax = Number_Value(WmaxText);
        if (Outside(W, 1.0f, Wmax))
            return fail(Fail_At(ProfBridgeWidth, "Bridge Width Out of Range",
                                "Enter a value between 1 and " + WmaxText));
        if (auto f = Check_Radius(Top, in.ProfTxt[ProfTopRadius], "Negative Value for Top Radius",
                                  "Top Radius too large", Wmax, WmaxText, Rt))
            return fail(*f);
        if (auto f = Check_Radius(Bottom, in.ProfTxt[ProfBottomRadius],
                                  "Negative Value for Bottom Radius", "Bottom Radius too large",
                                  Wmax, WmaxText, Rb))
            return fail(*f);
    }

    float intervals = 0;
    if (auto f = Check_Field(Intervals, in.ProfTxt[ProfIntervals], intervals))
        return fail(*f);
    v.NumIntervals = Round_To_Int16(intervals);
    if (!v.NumIntervals || *v.NumIntervals < Least_Intervals || *v.NumIntervals > Most_Intervals)
        return fail(Fail_At(ProfIntervals, "Number of Intervals Out of Range",
                            "Enter a value between 4 and 10"));
    const int16_t n = *v.NumIntervals;

    // Every ordinate must be set and numeric before any of them is judged.
    Stations y{};
    for (int16_t i = 0; i <= n; ++i) {
        const std::string prompt = "Enter a value for Ordinate #" + Station_Text(i);
        const Field_Rule ordinate{i,      "Ordinate Not Set", "Ordinate Incorrectly Set",
                                  prompt, std::nullopt,       FieldKind::Ordinate};
        if (auto f = Check_Field(ordinate, in.OrdTxt[static_cast<size_t>(i)], y[i]))
            return fail(*f);
    }
    const float L =
        Single(Dbl(D) * (in.BridgedPair ? Ordinate_Share_Bridged : Ordinate_Share_Single));
    for (int16_t i = 0; i <= n; ++i) {
        if (y[i] > L)
            return fail(Fail_At(i, "Ordinate #" + Station_Text(i) + " too large",
                                in.BridgedPair ? "Length Exceeds 60% of the bore"
                                               : "Length Exceeds 75% of the bore",
                                FieldKind::Ordinate));
    }

    const float h = Single(Dbl(H) / Dbl(static_cast<float>(n)));
    Stations c{};

    if (!in.BridgedPair) {
        for (int16_t i = 0; i <= n; ++i)
            c[i] = Single(Dbl(D) * std::sin(Dbl(Single(Dbl(y[i]) / Dbl(D)))));
        const float A = Single(Dbl(Width_Sum(c, n)) * Dbl(h));
        if (!std::isfinite(A) || A < 0.0f)
            return fail(No_Port_Area(y, n));
        v.d = Single(std::sqrt(Dbl(A) / Dbl(P)));
        return out;
    }

    const Stations b = Bridge_Widths(n, h, W, Rt, Rb);
    // The bridge and the port beside it must fit in a quarter of the bore's circumference.
    const float Q = Single(Dbl(P) * Dbl(D));
    for (int16_t i = 0; i <= n; ++i) {
        if (Single(Dbl(b[i]) / 2.0 + Dbl(y[i])) > Q)
            return fail(Fail_At(i, "Ordinate #" + Station_Text(i) + " too large",
                                "Total Width with Bridge exceeds the bore", FieldKind::Ordinate));
    }

    // Constant duct section: each port projected on the plane across the bridge, measured
    // from the bridge edge.
    const float R = Single(Dbl(D) / 2.0);
    for (int16_t i = 0; i <= n; ++i) {
        const float half = Single(Dbl(b[i]) / 2.0);
        c[i] = Single(Dbl(R) * std::sin((2.0 * Dbl(y[i]) + Dbl(b[i])) / Dbl(D)) - Dbl(half));
    }
    const float AC = Single(2.0 * Dbl(Width_Sum(c, n)) * Dbl(h));
    if (!std::isfinite(AC) || AC < 0.0f)
        return fail(No_Port_Area(y, n));

    // Widened duct section: the straight chord of each ordinate's arc.
    for (int16_t i = 0; i <= n; ++i)
        c[i] = Single(Dbl(D) * std::sin(Dbl(Single(Dbl(y[i]) / Dbl(D)))));
    const float AW = Single(2.0 * Dbl(Width_Sum(c, n)) * Dbl(h));
    if (!std::isfinite(AW) || AW < 0.0f)
        return fail(No_Port_Area(y, n));

    v.dC = Single(std::sqrt(Dbl(AC) / Dbl(P)));
    v.dW = Single(std::sqrt(Dbl(AW) / Dbl(P)));
    return out;
}

std::optional<int16_t> Intervals_Value(const std::string& text) {
    const std::string trimmed = Trim_Blanks(text);
    if (!Is_Plain_Number(trimmed))
        return 0;
    return Round_To_Int16(Number_Value(trimmed));
}

std::optional<int16_t> Intervals_Shown(const std::string& text) {
    const auto n = Intervals_Value(text);
    if (!n || *n < Least_Intervals || *n > Most_Intervals)
        return std::nullopt;
    return n;
}

std::string ProfPrt_Single_Text(float d) {
    return "The Equivalent Diameter of the Port is " + Format_Number(Dbl(d), "#0.0#") + " mm";
}

std::string ProfPrt_Constant_Text(float dC) {
    return "For a Constant Duct Section adjacent to the Port: " + Format_Number(Dbl(dC), "#0.0#") +
           " mm";
}

std::string ProfPrt_Widened_Text(float dW) {
    return "For a Widened Duct Section adjacent to the Port: " + Format_Number(Dbl(dW), "#0.0#") +
           " mm";
}
