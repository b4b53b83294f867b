#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace centrafix {

// Number texts as users see them and as the settings keep them.

// The fixed patterns "0", "0.0", "0.00", "0.0000", "0.000000": at least one
// digit before the separator, `decimals` digits after it (rounded), a leading
// minus for negative values, no grouping. A value that rounds to zero is shown
// without a minus sign. Infinite or NaN values (which the run never produces)
// come out as "inf"/"nan" rather than as a misleading number.
std::string FormatFixed(double value, int decimals, std::string_view decimalSeparator = ".");

// A length or an area as the grid and the report show it: FormatFixed with
// `decimals`, unless a value that is not zero would then show fewer than four
// significant digits ("0.00" for an area of 0.0004 m², "0.2" for a centroid
// 0.2 m from the origin); then with as many more decimals as it takes to show
// four ("0.0004000", "0.2000"). Zero stays in the pattern.
std::string FormatLength(double value, int decimals, std::string_view decimalSeparator = ".");

// The general format: the shortest text with up to 15 significant digits,
// exponent form ("1.22464679914735E-16") for very small or very large
// magnitudes. Used for weights (with ".") and the loading table (with the
// locale's separator).
std::string FormatGeneral(double value, std::string_view decimalSeparator = ".");

// The lenient reading of a number at the start of a text: leading blanks, an
// optional sign, digits with at most one ".", an optional exponent, up to the
// first other character. A text without digits, or with a number beyond
// the range of a double, gives 0.
double LeadingNumber(std::string_view text);

// Numbers as users type them: "." is a decimal point in every locale; where
// the locale's separator (localeSeparator) is ",", a "," is one too. A text
// that can be read only one way is read that way.

// A plain decimal number and nothing else, with either separator the locale
// allows. Empty when the text is no such number.
std::optional<double> TypedDecimal(std::string_view text, std::string_view localeSeparator);

// The lenient reading of LeadingNumber with either separator the locale
// allows. Empty when the reading would stop at a separator followed by a
// digit ("2,5" where "," is no decimal separator, "1,000.5"): the number would
// be cut short.
std::optional<double> TypedLeadingNumber(std::string_view text, std::string_view localeSeparator);

// A plain decimal number and nothing else (surrounding blanks allowed), with the
// given decimal separator; no grouping, no expressions. Empty when the text is
// not such a number or its value is not finite.
std::optional<double> ParseStrictDecimal(std::string_view text, std::string_view decimalSeparator);

} // namespace centrafix
