#include "number_text.h"

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

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

} // namespace

std::string FormatFixed(double value, int decimals, std::string_view decimalSeparator)
{
    if (!std::isfinite(value))
        return std::isnan(value) ? "nan" : (value < 0 ? "-inf" : "inf");
    std::array<char, 400> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::fixed, decimals);
    std::string text(buffer.data(), result.ptr);
    if (!text.empty() && text.front() == '-' &&
        text.find_first_not_of("-0.") == std::string::npos)
        text.erase(0, 1); // "-0.00" reads as a sign error in a spreadsheet
    return WithSeparator(std::move(text), decimalSeparator);
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
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::general, 15);
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

double LeadingNumber(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    const std::size_t start = i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    bool digits = false;
    bool dot = false;
    while (i < text.size()) {
        if (IsDigit(text[i])) {
            digits = true;
        } else if (text[i] == '.' && !dot) {
            dot = true;
        } else {
            break;
        }
        ++i;
    }
    if (!digits)
        return 0.0;
    std::size_t end = i;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-'))
            ++j;
        if (j < text.size() && IsDigit(text[j])) {
            while (j < text.size() && IsDigit(text[j]))
                ++j;
            end = j;
        }
    }
    std::string number(text.substr(start, end - start));
    if (number.front() == '+')
        number.erase(0, 1);
    double value = 0.0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec != std::errc()) {
        // Beyond the doubles ("1e999"): no usable number. An infinite weight
        // would turn every total into NaN.
        value = 0.0;
    }
    return value;
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
    const auto result =
        std::from_chars(normalised.data(), normalised.data() + normalised.size(), parsed);
    if (result.ec != std::errc() || !std::isfinite(parsed))
        return std::nullopt;
    return parsed;
}

} // namespace centrafix
