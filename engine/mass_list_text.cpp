#include "mass_list_text.h"

#include "eval_number.h"
#include "number_text.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace centrafix {
namespace {

constexpr Message kMassNotNumber{"Masse von \"%1\": \"%2\" ist keine Zahl", "mass of \"%1\": \"%2\" is not a number"};
constexpr Message kMassNotFinite{"Masse von \"%1\": \"%2\" ist keine endliche Zahl",
                                 "mass of \"%1\": \"%2\" is not a finite number"};
constexpr Message kMassNegative{"Masse von \"%1\": \"%2\" ist negativ", "mass of \"%1\": \"%2\" is negative"};
constexpr Message kXNotNumber{"x von \"%1\": \"%2\" ist keine Zahl", "x of \"%1\": \"%2\" is not a number"};
constexpr Message kXNotFinite{"x von \"%1\": \"%2\" ist keine endliche Zahl",
                              "x of \"%1\": \"%2\" is not a finite number"};
constexpr Message kOnLine{"Zeile %1: %2", "line %1: %2"};
constexpr Message kFieldCount{"Zeile %1: NAME,MASSE,X erwartet, %2 Felder gefunden",
                              "line %1: expected NAME,MASS,X, found %2 fields"};
constexpr Message kOpenQuote{"Zeile %1: ein Anführungszeichen wird nicht geschlossen",
                             "line %1: a quotation mark is not closed"};
constexpr Message kNoName{"Zeile %1: der Name fehlt", "line %1: the name is missing"};

std::string_view Trimmed(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

// The fields of one CSV line (RFC 4180 quoting within the line); empty when
// a quote is left open.
std::optional<std::vector<std::string>> SplitLine(std::string_view line)
{
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted) {
            if (c != '"')
                fields.back() += c;
            else if (i + 1 < line.size() && line[i + 1] == '"')
                fields.back() += line[++i];
            else
                quoted = false;
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            fields.emplace_back();
        } else {
            fields.back() += c;
        }
    }
    if (quoted)
        return std::nullopt;
    return fields;
}

bool IsHeader(const std::vector<std::string>& fields)
{
    const auto lower = [](std::string_view text) {
        std::string out(Trimmed(text));
        for (char& c : out)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return out;
    };
    return fields.size() == 3 && lower(fields[0]) == "name" && lower(fields[1]) == "mass" && lower(fields[2]) == "x";
}

// "1e999" and "inf" are numbers that are not finite; "abc" is no number.
bool LooksLikeNumber(std::string_view text)
{
    const std::string copy(text);
    char* end = nullptr;
    (void)std::strtod(copy.c_str(), &end);
    return !copy.empty() && end == copy.c_str() + copy.size();
}

std::optional<Error> Refusal(std::optional<double> value, std::string_view text, MassField which,
                             std::string_view item, bool looksNumeric)
{
    const bool mass = which == MassField::Mass;
    const std::vector<ErrorArg> args{std::string(item), std::string(text)};
    if (!value)
        return Described({}, looksNumeric ? (mass ? kMassNotFinite : kXNotFinite) : (mass ? kMassNotNumber : kXNotNumber),
                         args);
    if (!std::isfinite(*value))
        return Described({}, mass ? kMassNotFinite : kXNotFinite, args);
    if (mass && *value < 0.0)
        return Described({}, kMassNegative, args);
    return std::nullopt;
}

} // namespace

Result<double> ReadMassCell(std::string_view text, MassField which, std::string_view itemName,
                            std::string_view localeSeparator)
{
    const Result<double> read = EvalNumber(text, Field::None, localeSeparator);
    const std::optional<double> value = read ? std::optional<double>(*read) : std::nullopt;
    const bool notFinite = !read && read.error().kind == ErrorKind::NotFinite;
    if (std::optional<Error> refused = Refusal(value, Trimmed(text), which, itemName, notFinite))
        return *refused;
    return *value;
}

Result<aero::MassList> ParseMassList(std::string_view text, std::string_view fileName)
{
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    aero::MassList items;
    bool first = true;
    int lineNumber = 0;
    const std::string file(fileName);
    while (!text.empty()) {
        ++lineNumber;
        const std::size_t end = text.find('\n');
        const std::string_view line = Trimmed(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (line.empty())
            continue;
        const std::string number = std::to_string(lineNumber);
        const std::optional<std::vector<std::string>> fields = SplitLine(line);
        if (!fields)
            return Described(file, kOpenQuote, {number});
        const bool header = first && IsHeader(*fields);
        first = false;
        if (header)
            continue;
        if (fields->size() != 3)
            return Described(file, kFieldCount, {number, std::to_string(fields->size())});
        aero::MassItem item;
        item.name = std::string(Trimmed((*fields)[0]));
        if (item.name.empty())
            return Described(file, kNoName, {number});
        for (const auto& [which, target] : {std::pair{MassField::Mass, &item.mass}, std::pair{MassField::X, &item.x}}) {
            const std::string_view cell = Trimmed((*fields)[which == MassField::Mass ? 1 : 2]);
            const std::optional<double> value = ParseStrictDecimal(cell, ".");
            if (std::optional<Error> refused = Refusal(value, cell, which, item.name, LooksLikeNumber(cell)))
                return Described(file, kOnLine, {number, ReasonOf(*refused)});
            *target = *value;
        }
        items.push_back(std::move(item));
    }
    return items;
}

} // namespace centrafix
