#include "balance_fields.h"

#include "aero/balance.h"
#include "eval_number.h"
#include "number_text.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string>

namespace centrafix {
namespace {

using aero::SurfaceRole;

constexpr Message kRoleWing{"Flügel", "wing"};
constexpr Message kRoleTail{"Höhenleitwerk", "tailplane"};
constexpr Message kRoleCanard{"Ente", "canard"};
constexpr Message kRoleFuselage{"Rumpf", "fuselage"};
constexpr Message kRoleOther{"Sonstiges", "other"};

constexpr Message kAboveTwo{"ist nicht größer als 0 und höchstens 2", "is not above 0 and at most 2"};
constexpr Message kMarginOutside{"liegt nicht zwischen %1 und %2", "is not between %1 and %2"};
constexpr Message kLowAboveHigh{"hat den unteren Wert %1 über dem oberen %2",
                                "has its lower value %1 above the upper %2"};

struct RoleWord {
    std::string_view word; // lower case
    SurfaceRole role;
};

constexpr std::array<RoleWord, 16> kRoleWords{{
    {"wing", SurfaceRole::Wing},
    {"tail", SurfaceRole::Tail},
    {"tailplane", SurfaceRole::Tail},
    {"canard", SurfaceRole::Canard},
    {"fuselage", SurfaceRole::Fuselage},
    {"other", SurfaceRole::Other},
    {"flügel", SurfaceRole::Wing},
    {"fluegel", SurfaceRole::Wing},
    {"leitwerk", SurfaceRole::Tail},
    {"höhenleitwerk", SurfaceRole::Tail},
    {"hoehenleitwerk", SurfaceRole::Tail},
    {"ente", SurfaceRole::Canard},
    {"rumpf", SurfaceRole::Fuselage},
    {"sonstiges", SurfaceRole::Other},
    {"sonstige", SurfaceRole::Other},
    {"andere", SurfaceRole::Other},
}};

// Lower case for ASCII letters and the German capitals Ä, Ö, Ü in UTF-8.
std::string Lowered(std::string_view text)
{
    std::string out(text);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const auto c = static_cast<unsigned char>(out[i]);
        if (c < 0x80) {
            out[i] = static_cast<char>(std::tolower(c));
        } else if (c == 0xC3 && i + 1 < out.size()) {
            const auto d = static_cast<unsigned char>(out[i + 1]);
            if (d == 0x84 || d == 0x96 || d == 0x9C) // Ä Ö Ü
                out[i + 1] = static_cast<char>(d + 0x20);
            ++i;
        }
    }
    return out;
}

std::string_view Trimmed(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

Error OutOfRange(Field field, std::string_view text, const Message& reason, std::vector<ErrorArg> args = {})
{
    Error error = FieldError(ErrorKind::Described, field, text);
    error.reason = &reason;
    error.args = std::move(args);
    return error;
}

std::string Plain(double value)
{
    return FormatGeneral(value, ".");
}

} // namespace

const Message& RoleName(SurfaceRole role)
{
    switch (role) {
    case SurfaceRole::Wing: return kRoleWing;
    case SurfaceRole::Tail: return kRoleTail;
    case SurfaceRole::Canard: return kRoleCanard;
    case SurfaceRole::Fuselage: return kRoleFuselage;
    case SurfaceRole::Other: break;
    }
    return kRoleOther;
}

std::string_view RoleKey(SurfaceRole role)
{
    switch (role) {
    case SurfaceRole::Wing: return "wing";
    case SurfaceRole::Tail: return "tail";
    case SurfaceRole::Canard: return "canard";
    case SurfaceRole::Fuselage: return "fuselage";
    case SurfaceRole::Other: break;
    }
    return "other";
}

std::optional<SurfaceRole> ParseRole(std::string_view text)
{
    const std::string word = Lowered(Trimmed(text));
    for (const RoleWord& known : kRoleWords)
        if (known.word == word)
            return known.role;
    return std::nullopt;
}

Result<double> ReadHeight(std::string_view text, std::string_view localeSeparator)
{
    return EvalNumber(text, Field::Height, localeSeparator);
}

Result<double> ReadCgPosition(std::string_view text, std::string_view localeSeparator)
{
    return EvalNumber(text, Field::CgPosition, localeSeparator);
}

Result<double> ReadTailEfficiency(std::string_view text, std::string_view localeSeparator)
{
    Result<double> eta = EvalNumber(text, Field::TailEfficiency, localeSeparator);
    if (eta && !(*eta > 0.0 && *eta <= 2.0))
        return OutOfRange(Field::TailEfficiency, text, kAboveTwo);
    return eta;
}

Result<std::pair<double, double>> ReadStaticMargins(std::string_view low, std::string_view high,
                                                    std::string_view localeSeparator)
{
    const Result<double> lo = EvalNumber(low, Field::StaticMargin, localeSeparator);
    if (!lo)
        return lo.error();
    const Result<double> hi = EvalNumber(high, Field::StaticMargin, localeSeparator);
    if (!hi)
        return hi.error();
    for (const auto& [value, text] : {std::pair{*lo, low}, std::pair{*hi, high}})
        if (value < aero::kMarginLowest || value > aero::kMarginHighest)
            return OutOfRange(Field::StaticMargin, text, kMarginOutside,
                              {Plain(aero::kMarginLowest), Plain(aero::kMarginHighest)});
    if (*lo > *hi)
        return OutOfRange(Field::StaticMargin, std::string(low) + "," + std::string(high), kLowAboveHigh,
                          {Plain(*lo), Plain(*hi)});
    return std::pair{*lo, *hi};
}

} // namespace centrafix
