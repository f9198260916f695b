#include "common/Rounding.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

namespace dalvira {

namespace {

// Beyond these the answer no longer changes: a double has at most ~770 significant decimal
// places and no value reaches 10^309.
constexpr int kMaxDecimals = 800;
constexpr int kMinDecimals = -400;

// The value's shortest round-trip form split into its significant digits and the decimal
// exponent of the first digit: 1234.565 -> "1234565", 3.
struct ShortestDigits
{
    bool negative = false;
    std::string digits;
    int exponent = 0;
};

ShortestDigits shortestDigits(double value)
{
    ShortestDigits out;
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific);
    const std::string_view text(buf, std::size_t(res.ptr - buf));
    std::size_t i = 0;
    if (i < text.size() && text[i] == '-') {
        out.negative = true;
        ++i;
    }
    for (; i < text.size() && text[i] != 'e'; ++i) {
        if (text[i] != '.')
            out.digits.push_back(text[i]);
    }
    if (i < text.size()) {
        ++i; // 'e'
        if (i < text.size() && text[i] == '+')
            ++i;
        std::from_chars(text.data() + i, text.data() + text.size(), out.exponent);
    }
    return out;
}

// Adds one unit to a non-empty decimal digit string.
void incrementDigits(std::string &digits)
{
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return;
        }
        *it = '0';
    }
    digits.insert(digits.begin(), '1');
}

std::string roundedText(double value, int decimals)
{
    if (!std::isfinite(value))
        return {};
    decimals = std::clamp(decimals, kMinDecimals, kMaxDecimals);

    // units: the result as a whole number of 10^-decimals.
    std::string units;
    bool negative = false;
    if (value != 0.0) {
        const ShortestDigits sd = shortestDigits(value);
        negative = sd.negative;
        const int n = int(sd.digits.size());
        // How many leading digits have a place value of at least 10^-decimals.
        const int kept = sd.exponent + 1 + decimals;
        if (kept >= n) {
            units = sd.digits + std::string(std::size_t(kept - n), '0');
        } else if (kept >= 0) {
            units = sd.digits.substr(0, std::size_t(kept));
            const char first = sd.digits[std::size_t(kept)];
            const bool restNonZero =
                sd.digits.find_first_not_of('0', std::size_t(kept) + 1) != std::string::npos;
            const bool lastKeptOdd = !units.empty() && ((units.back() - '0') % 2 == 1);
            const bool up = first > '5' || (first == '5' && (restNonZero || lastKeptOdd));
            if (units.empty())
                units = "0";
            if (up)
                incrementDigits(units);
        }
        // kept < 0: the value is below a tenth of a unit, it rounds to zero.
    }
    units.erase(0, std::min(units.find_first_not_of('0'), units.size()));
    if (units.empty()) {
        units = "0";
        negative = false; // never "-0"
    }

    std::string text;
    if (decimals > 0) {
        if (int(units.size()) <= decimals)
            units.insert(0, std::size_t(decimals + 1 - int(units.size())), '0');
        text = units.substr(0, units.size() - std::size_t(decimals)) + '.' +
               units.substr(units.size() - std::size_t(decimals));
    } else if (decimals < 0 && units != "0") {
        text = units + std::string(std::size_t(-decimals), '0');
    } else {
        text = units;
    }
    if (negative)
        text.insert(text.begin(), '-');
    return text;
}

} // namespace

double roundHalfEven(double value, int decimals)
{
    if (!std::isfinite(value))
        return value;
    const std::string text = roundedText(value, decimals);
    double result = 0.0;
    const auto res = std::from_chars(text.data(), text.data() + text.size(), result);
    if (res.ec == std::errc::result_out_of_range) // rounding up past the largest double
        return value < 0 ? -HUGE_VAL : HUGE_VAL;
    return result == 0.0 ? 0.0 : result;
}

QString roundedDecimalText(double value, int decimals)
{
    return QString::fromStdString(roundedText(value, decimals));
}

} // namespace dalvira
