#include "core/fields/display_format.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

// A non-negative integer below 2^3712, enough for any double's expansion: 32-bit limbs,
// least significant first, `size` of them in use with no zero limb at the top.
struct Big {
    uint32_t limb[116];
    size_t size = 0;

    explicit Big(uint64_t bits) {
        limb[0] = static_cast<uint32_t>(bits);
        limb[1] = static_cast<uint32_t>(bits >> 32);
        size = limb[1] != 0 ? 2 : limb[0] != 0 ? 1 : 0;
    }

    // this = this * factor.
    void Multiply(uint32_t factor) {
        uint64_t carry = 0;
        for (size_t i = 0; i < size; ++i) {
            const uint64_t p = static_cast<uint64_t>(limb[i]) * factor + carry;
            limb[i] = static_cast<uint32_t>(p);
            carry = p >> 32;
        }
        if (carry != 0)
            limb[size++] = static_cast<uint32_t>(carry);
    }

    // this = this / divisor; returns the remainder.
    uint32_t Divide(uint32_t divisor) {
        uint64_t rem = 0;
        for (size_t i = size; i-- > 0;) {
            const uint64_t cur = (rem << 32) | limb[i];
            limb[i] = static_cast<uint32_t>(cur / divisor);
            rem = cur % divisor;
        }
        while (size > 0 && limb[size - 1] == 0)
            --size;
        return static_cast<uint32_t>(rem);
    }
};

// The decimal digits of n, without leading zeros; empty for zero. Consumes n.
std::string Decimal_Digits(Big& n) {
    char reversed[1200];
    size_t count = 0;
    while (n.size > 0) {
        uint32_t chunk = n.Divide(1000000000u);
        for (int k = 0; k < 9; ++k, chunk /= 10)
            reversed[count++] = static_cast<char>('0' + chunk % 10);
    }
    while (count > 0 && reversed[count - 1] == '0')
        --count;
    std::string out(count, '0');
    for (size_t k = 0; k < count; ++k)
        out[k] = reversed[count - 1 - k];
    return out;
}

// The exact decimal expansion of a finite, non-negative double: every digit of its
// integer part (none when it is zero) and of its fraction (no trailing zeros). A double
// is m 2^e with an integer m below 2^53, so the expansion is finite: a fraction F / 2^s
// has exactly the s decimals of F 5^s.
struct Expansion {
    std::string integer;
    std::string fraction;
};

Expansion Exact_Decimal(double magnitude) {
    int exp2 = 0;
    const double mantissa = std::frexp(magnitude, &exp2);
    const auto m = static_cast<uint64_t>(std::ldexp(mantissa, 53));
    const int e = exp2 - 53;
    Expansion x;
    if (e >= 0) {
        Big n(m);
        for (int k = e; k > 0; k -= 31) // e is at most 971
            n.Multiply(uint32_t{1} << std::min(k, 31));
        x.integer = Decimal_Digits(n);
        return x;
    }
    const int s = -e;
    Big integer(s >= 64 ? 0 : m >> s);
    x.integer = Decimal_Digits(integer);
    const uint64_t fractionBits = s >= 64 ? m : m & ((uint64_t{1} << s) - 1);
    if (fractionBits == 0)
        return x;
    Big f(fractionBits);
    int fives = s;
    for (; fives >= 13; fives -= 13)
        f.Multiply(1220703125u); // 5^13
    for (; fives > 0; --fives)
        f.Multiply(5);
    const std::string digits = Decimal_Digits(f);
    x.fraction = std::string(static_cast<size_t>(s) - digits.size(), '0') + digits;
    while (x.fraction.back() == '0')
        x.fraction.pop_back();
    return x;
}

// Adds one to the last digit of a digit string; true when it carried out of the first.
bool Increment(std::string& digits) {
    for (size_t k = digits.size(); k-- > 0;) {
        if (digits[k] != '9') {
            ++digits[k];
            return false;
        }
        digits[k] = '0';
    }
    return true;
}

} // namespace

std::string Format_Number(double value, std::string_view picture) {
    if (!std::isfinite(value))
        return std::string();

    // Layout of the picture: required integer digits, required and optional decimals.
    const size_t point = picture.find('.');
    const std::string_view intPart = picture.substr(0, point);
    const std::string_view fracPart =
        point == std::string_view::npos ? std::string_view() : picture.substr(point + 1);
    size_t intMin = 0;
    for (char c : intPart)
        intMin += c == '0';
    size_t fracReq = 0;
    size_t fracOpt = 0;
    for (char c : fracPart) {
        fracReq += c == '0';
        fracOpt += c == '#';
    }
    const size_t decimals = fracReq + fracOpt;

    // The exact decimal expansion of the magnitude, cut after the decimals shown.
    const Expansion exact = Exact_Decimal(std::fabs(value));
    std::string fraction = exact.fraction;
    fraction.resize(std::max(fraction.size(), decimals + 1), '0');
    std::string digits =
        (exact.integer.empty() ? "0" : exact.integer) + fraction.substr(0, decimals);
    const char next = fraction[decimals];

    // Round half away from zero: on the magnitude, a dropped part of half or more goes up.
    if (next >= '5' && Increment(digits))
        digits.insert(digits.begin(), '1');
    const size_t intLen = digits.size() - decimals;
    std::string intStr = digits.substr(0, intLen);
    std::string fracStr = digits.substr(intLen);

    // Integer digits: no leading zeros beyond the required count.
    size_t firstSig = 0;
    while (firstSig < intStr.size() && intStr[firstSig] == '0')
        ++firstSig;
    std::string intShown = intStr.substr(firstSig);
    while (intShown.size() < intMin)
        intShown.insert(intShown.begin(), '0');

    // Optional decimals drop their trailing zeros.
    size_t fracLen = fracStr.size();
    while (fracLen > fracReq && fracStr[fracLen - 1] == '0')
        --fracLen;
    fracStr.resize(fracLen);

    const bool zero = digits.find_first_not_of('0') == std::string::npos;
    std::string out;
    if (value < 0 && !zero)
        out += '-';
    out += intShown;
    if (!fracStr.empty())
        out += '.' + fracStr;
    return out;
}

std::string Significant_Text(double value, int significant) {
    if (!std::isfinite(value) || significant < 1)
        return std::string();
    const Expansion exact = Exact_Decimal(std::fabs(value));
    const std::string all = exact.integer + exact.fraction;
    const std::string sign = std::signbit(value) ? "-" : "";
    const size_t first = all.find_first_not_of('0');
    if (first == std::string::npos)
        return sign + "0";

    // The leading digits, rounded on what follows them.
    const auto n = static_cast<size_t>(significant);
    std::string kept = all.substr(first, n);
    kept.resize(n, '0');
    const std::string rest = first + n < all.size() ? all.substr(first + n) : std::string();
    long long exponent =
        static_cast<long long>(exact.integer.size()) - static_cast<long long>(first) - 1;
    // Up when what follows is above one half, or exactly one half after an odd digit.
    const bool half = !rest.empty() && rest[0] == '5';
    const bool aboveHalf =
        !rest.empty() &&
        (rest[0] > '5' || (half && rest.find_first_not_of('0', 1) != std::string::npos));
    if ((aboveHalf || (half && (kept.back() - '0') % 2 == 1)) && Increment(kept)) {
        kept.insert(kept.begin(), '1');
        kept.pop_back();
        ++exponent;
    }
    std::string out = sign + kept.substr(0, 1);
    if (n > 1)
        out += '.' + kept.substr(1);
    return out + 'e' + std::to_string(exponent);
}

std::string Fixed(double v, int decimals) {
    // The picture formats, so that the decimal point is a point whatever the locale.
    std::string picture = "0";
    if (decimals > 0)
        picture += "." + std::string(static_cast<size_t>(decimals), '0');
    return Format_Number(v, picture);
}

std::string Short_Fixed(double v, int decimals) {
    std::string s = Fixed(v, decimals);
    if (s.find('.') != std::string::npos) {
        while (s.back() == '0')
            s.pop_back();
        if (s.back() == '.')
            s.pop_back();
    }
    return s == "-0" ? "0" : s;
}

std::string Xml_Text(const std::string& s) {
    std::string out;
    for (char c : s)
        out += c == '&'   ? "&amp;"
               : c == '<' ? "&lt;"
               : c == '>' ? "&gt;"
               : c == '"' ? "&quot;"
                          : std::string(1, c);
    return out;
}
