#include "number_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <string>

namespace centrafix {
namespace {

std::string WithSeparator(std::string text, std::string_view decimalSeparator)
{
    const auto dot = text.find('.');
    if (dot != std::string::npos && decimalSeparator != ".")
        text.replace(dot, 1, decimalSeparator);
    return text;
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}
bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

std::string FormatFixed(double value, int decimals, std::string_view decimalSeparator)
{
    if (!std::isfinite(value))
        return std::isnan(value) ? "nan" : (value < 0 ? "-inf" : "inf");
    std::array<char, 400> buffer{};
    const auto result =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed, decimals);
    std::string text(buffer.data(), result.ptr);
    if (!text.empty() && text.front() == '-' && text.find_first_not_of("-0.") == std::string::npos)
        text.erase(0, 1); // "-0.00" reads as a sign error in a spreadsheet
    return WithSeparator(std::move(text), decimalSeparator);
}

namespace {

// The digits a fixed text shows from its first non-zero digit on.
int SignificantDigits(std::string_view text)
{
    int digits = 0;
    bool leading = true;
    for (const char c : text) {
        if (!IsDigit(c))
            continue;
        leading = leading && c == '0';
        digits += leading ? 0 : 1;
    }
    return digits;
}

} // namespace

std::string FormatLength(double value, int decimals, std::string_view decimalSeparator)
{
    constexpr int kSignificant = 4;
    std::string text = FormatFixed(value, decimals, decimalSeparator);
    if (value == 0.0 || !std::isfinite(value) || SignificantDigits(text) >= kSignificant)
        return text;
    // The decimals that put the fourth digit after the leading one at the
    // end, less one (the rounding may carry into a new decade, which then
    // shows four digits with one decimal fewer), less one more for a
    // logarithm that lands on the wrong side of a power of ten.
    const int leading = static_cast<int>(std::floor(std::log10(std::fabs(value))));
    // The smallest double, 4.9E-324, shows four digits at 327 decimals.
    for (int d = std::max(decimals + 1, kSignificant - 1 - leading - 2); d <= 340; ++d) {
        text = FormatFixed(value, d, decimalSeparator);
        if (SignificantDigits(text) >= kSignificant)
            break;
    }
    return text;
}

std::string FormatGeneral(double value, std::string_view decimalSeparator)
{
    if (!std::isfinite(value))
        return std::isnan(value) ? "nan" : (value < 0 ? "-inf" : "inf");
    if (value == 0.0)
        return "0";
    // Like %.15G: exponent form below 1e-4 and from 1e15 on, trailing zeros
    // dropped. The exponent is written without leading zeros ("E-16", "E+20").
    // to_chars rather than snprintf: the loading table formats millions of these.
    std::array<char, 64> buffer{};
    const auto result =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::general, 15);
    std::string text(buffer.data(), result.ptr);
    const auto e = text.find('e');
    if (e != std::string::npos) {
        const std::string mantissa = text.substr(0, e);
        std::string exponent = text.substr(e + 1);
        const char sign = exponent.front();
        exponent.erase(0, 1);
        exponent.erase(0, std::min(exponent.find_first_not_of('0'), exponent.size() - 1));
        text = mantissa + "E" + sign + exponent;
    }
    return WithSeparator(std::move(text), decimalSeparator);
}

namespace {

// A number read from the start of a text, and where the reading stopped.
struct LeadingScan {
    double value = 0.0;
    std::size_t end = 0; // the first character not read
    bool digits = false;
};

// Leading blanks, an optional sign, digits with at most one decimal
// separator ("." or, with `comma`, ","), an optional exponent.
LeadingScan ScanLeadingNumber(std::string_view text, bool comma)
{
    LeadingScan scan;
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    std::string number;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-')
            number += '-';
        ++i;
    }
    bool separator = false;
    while (i < text.size()) {
        const char c = text[i];
        if (IsDigit(c)) {
            scan.digits = true;
            number += c;
        } else if ((c == '.' || (comma && c == ',')) && !separator) {
            separator = true;
            number += '.';
        } else {
            break;
        }
        ++i;
    }
    scan.end = i;
    if (!scan.digits)
        return scan;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        std::string exponent = "e";
        if (j < text.size() && (text[j] == '+' || text[j] == '-'))
            exponent += text[j++];
        if (j < text.size() && IsDigit(text[j])) {
            while (j < text.size() && IsDigit(text[j]))
                exponent += text[j++];
            number += exponent;
            scan.end = j;
        }
    }
    const auto result = std::from_chars(number.data(), number.data() + number.size(), scan.value);
    if (result.ec != std::errc()) {
        // Beyond the doubles ("1e999"): no usable number. An infinite weight
        // would turn every total into NaN.
        scan.value = 0.0;
    }
    return scan;
}

bool CommaLocale(std::string_view localeSeparator)
{
    return localeSeparator == ",";
}

} // namespace

double LeadingNumber(std::string_view text)
{
    return ScanLeadingNumber(text, false).value;
}

std::optional<double> TypedLeadingNumber(std::string_view text, std::string_view localeSeparator)
{
    const LeadingScan scan = ScanLeadingNumber(text, CommaLocale(localeSeparator));
    // "2,5" in a locale that writes 2.5, or "1,000.5" anywhere: the reading
    // would stop at a separator with more digits after it, and cut the
    // number short without anyone noticing.
    const std::size_t stop = scan.end;
    if (stop + 1 < text.size() && (text[stop] == '.' || text[stop] == ',') && IsDigit(text[stop + 1]))
        return std::nullopt;
    return scan.value;
}

std::optional<double> TypedDecimal(std::string_view text, std::string_view localeSeparator)
{
    if (const std::optional<double> value = ParseStrictDecimal(text, "."))
        return value;
    if (CommaLocale(localeSeparator))
        return ParseStrictDecimal(text, ",");
    return std::nullopt;
}

std::optional<double> ParseStrictDecimal(std::string_view text, std::string_view decimalSeparator)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    std::string normalised;
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-')
            normalised += '-';
        ++i;
    }
    bool digits = false;
    bool separator = false;
    while (i < text.size()) {
        if (IsDigit(text[i])) {
            normalised += text[i];
            digits = true;
            ++i;
        } else if (!separator && !decimalSeparator.empty() &&
                   text.substr(i, decimalSeparator.size()) == decimalSeparator) {
            normalised += '.';
            separator = true;
            i += decimalSeparator.size();
        } else {
            break;
        }
    }
    if (!digits)
        return std::nullopt;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        normalised += 'e';
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            normalised += text[i++];
        bool expDigits = false;
        while (i < text.size() && IsDigit(text[i])) {
            normalised += text[i++];
            expDigits = true;
        }
        if (!expDigits)
            return std::nullopt;
    }
    if (i != text.size())
        return std::nullopt;
    double parsed = 0.0;
    const auto result = std::from_chars(normalised.data(), normalised.data() + normalised.size(), parsed);
    if (result.ec != std::errc() || !std::isfinite(parsed))
        return std::nullopt;
    return parsed;
}

} // namespace centrafix
