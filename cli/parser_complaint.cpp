#include "parser_complaint.h"

#include <string>
#include <string_view>

namespace centrafix {
namespace {

// The English forms are Qt's own, word for word: that is how they are recognised.
constexpr Message kUnknownOption{"Unbekannte Option '%1'.", "Unknown option '%1'."};
constexpr Message kUnknownOptions{"Unbekannte Optionen: %1.", "Unknown options: %1."};
constexpr Message kMissingValue{"Fehlender Wert nach '%1'.", "Missing value after '%1'."};
constexpr Message kUnexpectedValue{"Unerwarteter Wert nach '%1'.", "Unexpected value after '%1'."};
constexpr Message kAsQtSaysIt{"%1", "%1"};

constexpr const Message* kKnownComplaints[] = {&kUnknownOption, &kUnknownOptions, &kMissingValue, &kUnexpectedValue};

} // namespace

Error ParserComplaint(const QString& text)
{
    const std::string said = text.toStdString();
    for (const Message* complaint : kKnownComplaints) {
        const std::string_view english = complaint->english;
        const std::size_t at = english.find("%1");
        const std::string_view before = english.substr(0, at);
        const std::string_view after = english.substr(at + 2);
        if (said.size() >= before.size() + after.size() && said.starts_with(before) && said.ends_with(after))
            return Described({}, *complaint, {said.substr(before.size(), said.size() - before.size() - after.size())});
    }
    return Described({}, kAsQtSaysIt, {said});
}

} // namespace centrafix
