#include "common/display_format.h"

#include <charconv>
#include <cmath>
#include <vector>

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

    // The exact decimal expansion of the magnitude: 1100 places hold every digit of any
    // double, and to_chars, unlike printf, ignores the locale.
    std::vector<char> buf(1500);
    const auto res = std::to_chars(buf.data(), buf.data() + buf.size(), std::fabs(value),
                                   std::chars_format::fixed, 1100);
    const std::string exact(buf.data(), res.ptr);
    const size_t dot = exact.find('.');
    std::string digits = exact.substr(0, dot) + exact.substr(dot + 1, decimals);
    const char next = exact[dot + 1 + decimals];

    // Round half away from zero: on the magnitude, a dropped part of half or more goes up.
    if (next >= '5') {
        size_t k = digits.size();
        while (k > 0) {
            --k;
            if (digits[k] == '9') {
                digits[k] = '0';
            } else {
                ++digits[k];
                break;
            }
            if (k == 0) {
                digits.insert(digits.begin(), '1');
                break;
            }
        }
    }
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
