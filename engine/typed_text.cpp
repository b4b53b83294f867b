#include "typed_text.h"

#include "eval_number.h"

namespace centrafix {
namespace {

// Each character of `text` that is `from[i]` becomes `to[i]`.
std::string Translated(std::string_view text, std::string_view from, std::string_view to)
{
    std::string translated(text);
    for (char& c : translated) {
        if (const std::size_t at = from.find(c); at != std::string_view::npos)
            c = to[at];
    }
    return translated;
}

// Whether `text` read in `separator`'s way gives exactly `value`.
bool ReadsAs(std::string_view text, std::string_view separator, double value)
{
    const Result<double> read = EvalNumber(text, Field::None, separator);
    return read && *read == value;
}

} // namespace

std::string CanonicalNumberText(std::string_view typed, std::string_view localeSeparator)
{
    if (localeSeparator != ",")
        return std::string(typed);
    const std::string translated = Translated(typed, ",;", ".,");
    const Result<double> value = EvalNumber(typed, Field::None, localeSeparator);
    if (!value)
        return translated;
    if (ReadsAs(translated, ".", *value))
        return translated;
    // Typed in the default convention ("max(1.5,2)"), which a comma
    // translation would break.
    return std::string(typed);
}

std::string LocalNumberText(std::string_view canonical, std::string_view localeSeparator)
{
    if (localeSeparator != ",")
        return std::string(canonical);
    const std::string translated = Translated(canonical, ".,", ",;");
    const Result<double> value = EvalNumber(canonical, Field::None, ".");
    if (!value || ReadsAs(translated, localeSeparator, *value))
        return translated;
    return std::string(canonical);
}

} // namespace centrafix
