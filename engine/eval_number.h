#pragma once

#include "error.h"

#include <string_view>

namespace centrafix {

// Evaluates a field's text as an arithmetic expression, so that a field may
// hold "1/50" or "2*0.75" as well as a plain number: decimal numbers, + - * /
// ^, parentheses and the usual functions (sqrt, sin, ...).
//
// "." is a decimal point in every locale, with "," between function
// arguments. Where the locale's separator (localeSeparator) is ",", the text
// may also be written that way, with ";" between arguments as in
// spreadsheets; a text that reads only one way is read that way, one that
// gives two different values is refused as ambiguous.
//
// A text that cannot be evaluated (empty, a syntax error, several values)
// or whose result is not a finite number (1/0) gives an error naming `field`,
// never a silent 0: the caller refuses to go on with it.
Result<double> EvalNumber(std::string_view text, Field field, std::string_view localeSeparator = ".");

} // namespace centrafix
