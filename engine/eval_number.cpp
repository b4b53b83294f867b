#include "eval_number.h"

#include <muParser.h>

#include <cmath>

namespace centrafix {
namespace {

constexpr Message kEndsEarly{"endet, bevor der Ausdruck vollständig ist",
                             "ends before the expression is complete"};
constexpr Message kMissingParenthesis{"hat zu wenige schließende Klammern",
                                      "lacks a closing parenthesis"};
constexpr Message kUnknownToken{"enthält an Stelle %1 \"%2\", weder Zahl noch Rechenzeichen noch Funktion",
                                "has \"%2\" at position %1, which is no number, operator or function"};
constexpr Message kArgumentCount{"gibt der Funktion an Stelle %1 zu viele oder zu wenige Werte",
                                 "gives the function at position %1 too many or too few values"};
constexpr Message kUnexpected{"enthält an Stelle %1 ein unerwartetes \"%2\"",
                              "has an unexpected \"%2\" at position %1"};

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

} // namespace

Result<double> EvalNumber(std::string_view text, Field field)
{
    if (text.find_first_not_of(" \t\r\n") == std::string_view::npos)
        return FieldError(ErrorKind::Empty, field, text);
    try {
        mu::Parser parser;
        parser.SetExpr(std::string(text));
        int count = 0;
        const double* values = parser.Eval(count);
        // muparser reads "0,5" as two results; a user who typed a decimal
        // comma must not silently get 5.
        if (count != 1)
            return FieldError(ErrorKind::SeveralValues, field, text);
        if (!std::isfinite(values[0]))
            return FieldError(ErrorKind::NotFinite, field, text);
        return values[0];
    } catch (const mu::Parser::exception_type& e) {
        Error error = FieldError(ErrorKind::Unevaluable, field, text);
        error.position = e.GetPos();
        error.token = e.GetToken();
        error.reason = &ReasonOf(e.GetCode());
        error.args = {std::to_string(error.position + 1), error.token};
        return error;
    }
}

} // namespace centrafix
