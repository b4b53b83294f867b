#pragma once

#include "message.h"

#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace centrafix {

// The input an error is about.
enum class Field {
    None,
    Tolerance,
    ScaleFactor,
    Altitude,
    Mach,
    Weight,
    Origin,
    Length,
    CleanUpThreshold,
    Role,
    Height,
    StaticMargin,
    TailEfficiency,
    CgPosition,
};

// What is wrong with it.
enum class ErrorKind {
    Empty,         // nothing but blanks where a number belongs
    NotANumber,    // not a plain decimal number
    Unevaluable,   // the expression evaluator refuses it (position and token say where)
    SeveralValues, // a comma made two values of it
    NotFinite,     // 1/0, sqrt(-1), or beyond the range of a double
    NotAboveZero,
    BelowSmallest,    // above 0, but below the smallest value taken (the first argument)
    AboveModel,       // an altitude at or above the top of the atmosphere model
    OutsideModel,     // an altitude the model has no air for
    NoFriction,       // Reynolds numbers outside the friction laws
    NotFiniteResults, // a value that makes some result infinite
    Described,        // anything else: its reason says what
    OutOfMemory,      // the machine could not hold it; a reason, when given, says what
    OutputClosed,     // the reader of an output stopped reading; its reason says how
};

// An argument of a reason: a text shown as it is (a number, a name), or a
// named message with arguments of its own, put in the language the error is
// shown in (what a damaged record was meant to draw, say).
struct ErrorArg {
    ErrorArg(std::string text) : text(std::move(text)) {}
    ErrorArg(const char* text) : text(text) {}
    ErrorArg(const Message& message, std::vector<ErrorArg> args = {});

    std::string text;
    const Message* message = nullptr; // a named constant, never a temporary
    std::vector<ErrorArg> args;
};

// One error, as every layer reports it: which input, what is wrong, and the
// facts a message needs. It is made into text only when shown (ErrorText), in
// the language the user reads at that moment.
struct Error {
    ErrorKind kind = ErrorKind::Described;
    Field field = Field::None;
    std::string subject;             // the field's text as typed, or a file's name
    int position = -1;               // Unevaluable: where the evaluator stopped, from 0
    std::string token;               // Unevaluable: what it found there
    const Message* reason = nullptr; // Unevaluable, Described: why, "%1"... from args
    std::vector<ErrorArg> args;
};

// A field whose text is wrong in the way `kind` says.
Error FieldError(ErrorKind kind, Field field, std::string_view text);

// A problem of its own with `subject` (a file, the clipboard; empty for
// none), explained by `reason` with its arguments.
Error Described(std::string subject, const Message& reason, std::vector<ErrorArg> args = {});

// The error as one line in the user's language: the field by its caption and
// its text in quotes, or the subject, then the reason. Control characters in
// quoted texts and names are shown escaped, so the line stays one line.
std::string ErrorText(const Error& error, int languageIndex);

// A reason that is not yet about anything: what a step reports that does not
// know the name of what it works on (a writer handed a device). The caller
// that knows names it, telling the reason inside its own message (ReasonOf).
Error Because(ErrorArg reason);

// The reason of a described error, to be told inside another message (the
// clipboard's, a file that could not be written).
ErrorArg ReasonOf(const Error& error);

// The caption a field is known by, without its colon.
std::string FieldName(Field field, int languageIndex);

// A value, or the error that kept it from being made.
template <class T>
class Result {
public:
    Result(T value) : m_state(std::move(value)) {}
    Result(Error error) : m_state(std::move(error)) {}

    bool ok() const { return m_state.index() == 0; }
    explicit operator bool() const { return ok(); }

    const T& value() const& { return std::get<0>(m_state); }
    T& value() & { return std::get<0>(m_state); }
    T&& value() && { return std::get<0>(std::move(m_state)); }
    const T& operator*() const& { return value(); }
    T& operator*() & { return value(); }
    const T* operator->() const { return &value(); }
    T* operator->() { return &value(); }

    const Error& error() const { return std::get<1>(m_state); }

private:
    std::variant<T, Error> m_state;
};

} // namespace centrafix
