#include "error.h"

#include "field_captions.h"
#include "string_table.h"

#include <cstdio>

namespace centrafix {
namespace {

constexpr Message kIsEmpty{"%1 ist leer", "%1 is empty"};
constexpr Message kFieldProblem{"%1 %2 %3", "%1 %2 %3"};
constexpr Message kSubjectProblem{"%1: %2", "%1: %2"};

constexpr Message kNotANumber{"ist keine Zahl", "is not a number"};
constexpr Message kSeveralValues{"enthält mehrere durch \",\" getrennte Werte (Dezimalpunkt ist \".\")",
                                 "holds several values separated by \",\" (use \".\" as the decimal point)"};
constexpr Message kNotFinite{"ergibt keine endliche Zahl", "does not give a finite number"};
constexpr Message kNotAboveZero{"ist nicht größer als 0", "is not above 0"};
constexpr Message kBelowSmallest{"ist kleiner als %1, der kleinste zulässige Wert",
                                 "is below %1, the smallest value allowed"};
constexpr Message kAboveModel{"liegt nicht unter %1, der Obergrenze des Atmosphärenmodells",
                              "is not below %1, the top of the atmosphere model"};
constexpr Message kOutsideModel{"liegt außerhalb des Atmosphärenmodells", "is outside the atmosphere model"};
constexpr Message kNoFriction{"ergibt Reynoldszahlen außerhalb der Reibungsgesetze",
                              "gives Reynolds numbers outside the friction laws"};
constexpr Message kNotFiniteResults{"ergibt Ergebnisse außerhalb des Zahlenbereichs",
                                    "gives results beyond the range of numbers"};
constexpr Message kNotEvaluable{"kann nicht ausgewertet werden", "cannot be evaluated"};
constexpr Message kOutOfMemory{"nicht genug Speicher", "not enough memory"};
constexpr Message kAsItIs{"%1", "%1"};

std::string WithoutColon(std::string_view caption)
{
    if (!caption.empty() && caption.back() == ':')
        caption.remove_suffix(1);
    return std::string(caption);
}

bool IsControl(char c)
{
    return static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
}

// A field's text trimmed, with control characters as blanks, in quotes.
std::string Quoted(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    std::string quoted = "\"";
    for (const char c : text)
        quoted += IsControl(c) ? ' ' : c;
    quoted += '"';
    return quoted;
}

// A name as it is, unless a control character in it would break the line:
// then in quotes, with such characters escaped.
std::string Shown(const std::string& name)
{
    bool plain = true;
    for (const char c : name)
        plain = plain && !IsControl(c);
    if (plain)
        return name;
    std::string shown = "\"";
    for (const char c : name) {
        if (c == '\n') {
            shown += "\\n";
        } else if (c == '\t') {
            shown += "\\t";
        } else if (IsControl(c)) {
            char code[8];
            std::snprintf(code, sizeof code, "\\x%02X", static_cast<unsigned>(static_cast<unsigned char>(c)));
            shown += code;
        } else {
            shown += c;
        }
    }
    shown += '"';
    return shown;
}

// The message with its arguments in place, nested messages first.
std::string Filled(const Message& message, const std::vector<ErrorArg>& args, int languageIndex)
{
    std::vector<std::string> texts;
    texts.reserve(args.size());
    for (const ErrorArg& arg : args)
        texts.push_back(arg.message ? Filled(*arg.message, arg.args, languageIndex) : arg.text);
    const std::vector<std::string_view> views(texts.begin(), texts.end());
    return Tr(message, languageIndex, views);
}

std::string Reason(const Error& error, int languageIndex)
{
    const auto withArgs = [&](const Message& m) { return Filled(m, error.args, languageIndex); };
    switch (error.kind) {
    case ErrorKind::Empty:
    case ErrorKind::NotANumber: return std::string(Tr(kNotANumber, languageIndex));
    case ErrorKind::SeveralValues: return std::string(Tr(kSeveralValues, languageIndex));
    case ErrorKind::NotFinite: return std::string(Tr(kNotFinite, languageIndex));
    case ErrorKind::NotAboveZero: return std::string(Tr(kNotAboveZero, languageIndex));
    case ErrorKind::BelowSmallest: return withArgs(kBelowSmallest);
    case ErrorKind::AboveModel: return withArgs(kAboveModel);
    case ErrorKind::OutsideModel: return std::string(Tr(kOutsideModel, languageIndex));
    case ErrorKind::NoFriction: return std::string(Tr(kNoFriction, languageIndex));
    case ErrorKind::NotFiniteResults: return std::string(Tr(kNotFiniteResults, languageIndex));
    case ErrorKind::OutOfMemory:
        return error.reason ? withArgs(*error.reason) : std::string(Tr(kOutOfMemory, languageIndex));
    case ErrorKind::Unevaluable:
    case ErrorKind::OutputClosed:
    case ErrorKind::Described: break;
    }
    return error.reason ? withArgs(*error.reason) : std::string(Tr(kNotEvaluable, languageIndex));
}

} // namespace

ErrorArg::ErrorArg(const Message& message, std::vector<ErrorArg> args) : message(&message), args(std::move(args))
{}

Error FieldError(ErrorKind kind, Field field, std::string_view text)
{
    Error error;
    error.kind = kind;
    error.field = field;
    error.subject = std::string(text);
    return error;
}

Error Described(std::string subject, const Message& reason, std::vector<ErrorArg> args)
{
    Error error;
    error.kind = ErrorKind::Described;
    error.subject = std::move(subject);
    error.reason = &reason;
    error.args = std::move(args);
    return error;
}

Error Because(ErrorArg reason)
{
    if (reason.message)
        return Described({}, *reason.message, std::move(reason.args));
    return Described({}, kAsItIs, {std::move(reason)});
}

ErrorArg ReasonOf(const Error& error)
{
    if (!error.reason)
        return ErrorArg(kOutOfMemory);
    return ErrorArg(*error.reason, error.args);
}

std::string FieldName(Field field, int languageIndex)
{
    return WithoutColon(Tr(FieldCaption(field), languageIndex));
}

std::string ErrorText(const Error& error, int languageIndex)
{
    const std::string reason = Reason(error, languageIndex);
    if (error.field != Field::None) {
        const std::string field = FieldName(error.field, languageIndex);
        if (error.kind == ErrorKind::Empty)
            return Tr(kIsEmpty, languageIndex, {field});
        return Tr(kFieldProblem, languageIndex, {field, Quoted(error.subject), reason});
    }
    if (error.subject.empty())
        return reason;
    return Tr(kSubjectProblem, languageIndex, {Shown(error.subject), reason});
}

} // namespace centrafix
