#pragma once

#include <string>
#include <string_view>

namespace centrafix {

// The value of a numeric field, or why it has none.
struct EvalResult {
    double value = 0.0;
    std::string error; // empty when value holds the result

    bool ok() const { return error.empty(); }
};

// Evaluates a field's text as an arithmetic expression, so that a field may
// hold "1/50" or "2*0.75" as well as a plain number: decimal numbers with ".",
// + - * / ^, parentheses and the usual functions (sqrt, sin, ...). A text that
// cannot be evaluated (empty, a syntax error, several comma-separated values)
// or whose result is not a finite number (1/0) gives an error naming the
// reason, never a silent 0: the caller refuses to go on with it.
EvalResult EvalNumber(std::string_view text);

} // namespace centrafix
