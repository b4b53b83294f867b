#include "eval_number.h"

#include <muParser.h>

#include <cmath>

namespace centrafix {

EvalResult EvalNumber(std::string_view text)
{
    EvalResult result;
    if (text.find_first_not_of(" \t\r\n") == std::string_view::npos) {
        result.error = "is empty";
        return result;
    }
    try {
        mu::Parser parser;
        parser.SetExpr(std::string(text));
        int count = 0;
        const double* values = parser.Eval(count);
        if (count != 1) {
            // muparser reads "0,5" as two results; a user who typed a decimal
            // comma must not silently get 5.
            result.error = "holds several values separated by \",\" (use \".\" as the decimal point)";
            return result;
        }
        const double value = values[0];
        if (!std::isfinite(value)) {
            result.error = "does not give a finite number";
            return result;
        }
        result.value = value;
    } catch (const mu::Parser::exception_type& e) {
        result.error = "cannot be evaluated: " + e.GetMsg();
    }
    return result;
}

} // namespace centrafix
