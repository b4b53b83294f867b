#include "eval_number.h"

#include "number_text.h"

#include <muParser.h>

#include <algorithm>
#include <cmath>

namespace centrafix {
namespace {

constexpr Message kEndsEarly{"endet, bevor der Ausdruck vollständig ist", "ends before the expression is complete"};
constexpr Message kMissingParenthesis{"hat zu wenige schließende Klammern", "lacks a closing parenthesis"};
constexpr Message kUnknownToken{"enthält an Stelle %1 \"%2\", weder Zahl noch Rechenzeichen noch Funktion",
                                "has \"%2\" at position %1, which is no number, operator or function"};
constexpr Message kArgumentCount{"gibt der Funktion an Stelle %1 zu viele oder zu wenige Werte",
                                 "gives the function at position %1 too many or too few values"};
constexpr Message kUnexpected{"enthält an Stelle %1 ein unerwartetes \"%2\"",
                              "has an unexpected \"%2\" at position %1"};
constexpr Message kBadCharacter{"enthält an Stelle %1 \"%2\", das in einer Zahl oder Rechnung nicht vorkommt",
                                "has \"%2\" at position %1, which has no place in a number or calculation"};
constexpr Message kAmbiguous{"kann %1 oder %2 bedeuten; Funktionswerte mit \";\" trennen",
                             "can mean %1 or %2; separate function values with \";\""};

const Message& ReasonOf(mu::EErrorCodes code)
{
    switch (code) {
    case mu::ecUNEXPECTED_EOF: return kEndsEarly;
    case mu::ecMISSING_PARENS: return kMissingParenthesis;
    case mu::ecUNASSIGNABLE_TOKEN: return kUnknownToken;
    case mu::ecTOO_MANY_PARAMS:
    case mu::ecTOO_FEW_PARAMS: return kArgumentCount;
    default: return kUnexpected;
    }
}

Error AtPosition(Field field, std::string_view text, const Message& reason, int position, std::string token)
{
    Error error = FieldError(ErrorKind::Unevaluable, field, text);
    error.position = position;
    error.token = std::move(token);
    error.reason = &reason;
    error.args = {std::to_string(position + 1), error.token};
    return error;
}

// Only what arithmetic needs reaches the evaluator: its logical and
// comparison operators would turn "1e10&&1" into an integer conversion that
// overflows inside the library.
Result<double> CheckCharacters(std::string_view text, Field field)
{
    const auto allowed = [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
               std::string_view(" \t\r\n._,;+-*/^()").find(c) != std::string_view::npos;
    };
    const auto bad = std::find_if_not(text.begin(), text.end(), allowed);
    if (bad == text.end())
        return 0.0;
    const auto at = static_cast<int>(bad - text.begin());
    return AtPosition(field, text, kBadCharacter, at, std::string(1, *bad));
}

// One reading of `text`, as muparser's default convention has it ("." for
// decimals, "," between arguments). `original` is what the user typed, for
// the message: the comma reading hands over a translated text of the same
// length.
Result<double> Evaluate(const std::string& text, std::string_view original, Field field)
{
    try {
        mu::Parser parser;
        parser.SetExpr(text);
        int count = 0;
        const double* values = parser.Eval(count);
        // muparser reads "0,5" as two results; a user who typed a decimal
        // comma must not silently get 5.
        if (count != 1)
            return FieldError(ErrorKind::SeveralValues, field, original);
        if (!std::isfinite(values[0]))
            return FieldError(ErrorKind::NotFinite, field, original);
        return values[0];
    } catch (const mu::Parser::exception_type& e) {
        const int position = std::clamp(e.GetPos(), 0, static_cast<int>(original.size()));
        std::string token(original.substr(static_cast<std::size_t>(position), e.GetToken().size()));
        while (!token.empty() && token.back() == ' ')
            token.pop_back();
        return AtPosition(field, original, ReasonOf(e.GetCode()), position, std::move(token));
    }
}

// The comma convention as the default one: "," becomes "." and ";" becomes
// ",". (muparser's own separator setting is one process-wide locale, which
// two evaluations on two threads must not fight over.)
std::string CommaToDot(std::string_view text)
{
    std::string translated(text);
    for (char& c : translated) {
        if (c == ',')
            c = '.';
        else if (c == ';')
            c = ',';
    }
    return translated;
}

} // namespace

Result<double> EvalNumber(std::string_view text, Field field, std::string_view localeSeparator)
{
    if (text.find_first_not_of(" \t\r\n") == std::string_view::npos)
        return FieldError(ErrorKind::Empty, field, text);
    if (const Result<double> checked = CheckCharacters(text, field); !checked)
        return checked;
    Result<double> dot = Evaluate(std::string(text), text, field);
    if (localeSeparator != "," || text.find_first_of(",;") == std::string_view::npos)
        return dot;
    Result<double> comma = Evaluate(CommaToDot(text), text, field);
    if (dot && comma && *dot != *comma) {
        Error error = FieldError(ErrorKind::Unevaluable, field, text);
        error.reason = &kAmbiguous;
        error.args = {FormatGeneral(*comma, ","), FormatGeneral(*dot, ",")};
        return error;
    }
    if (dot)
        return dot;
    return comma;
}

} // namespace centrafix
