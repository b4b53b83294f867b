#pragma once

#include "message.h"
#include "number_text.h"

#include <array>
#include <cstddef>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

namespace centrafix {

// The report's lines as they are written: each a message in the run's
// language, its lengths in the user's decimal separator and unit, ended by
// CR LF as the report has always had them.
class ReportLines {
public:
    ReportLines(int languageIndex, std::string_view separator, std::string_view unit)
        : m_language(languageIndex),
          m_separator(separator),
          m_unit(unit)
    {}

    std::string length(double value) const
    {
        std::string text = FormatLength(value, 2, m_separator);
        if (!m_unit.empty())
            text.append(" ").append(m_unit);
        return text;
    }

    // Masses have no unit of the program's; four significant digits at least.
    std::string mass(double value) const { return FormatLength(value, 2, m_separator); }
    std::string fixed(double value, int decimals) const { return FormatFixed(value, decimals, m_separator); }

    void add(const Message& message, std::initializer_list<std::string_view> args = {})
    {
        addLine(Tr(message, m_language, args));
    }

    template <std::size_t N>
    void add(const Message& message, const std::array<std::string, N>& args)
    {
        std::array<std::string_view, N> views;
        for (std::size_t k = 0; k < N; ++k)
            views[k] = args[k];
        addLine(Tr(message, m_language, std::span<const std::string_view>(views)));
    }

    std::string take() { return std::move(m_text); }

private:
    void addLine(std::string_view line)
    {
        m_text += line;
        m_text += "\r\n";
    }

    int m_language;
    std::string_view m_separator;
    std::string_view m_unit;
    std::string m_text;
};

} // namespace centrafix
