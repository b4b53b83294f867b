#include "table_export.h"

namespace centrafix {

namespace {

void AppendField(std::string& csv, std::string_view field)
{
    if (field.find_first_of(",\"\r\n") == std::string_view::npos) {
        csv += field;
        return;
    }
    csv += '"';
    for (const char c : field) {
        if (c == '"')
            csv += '"';
        csv += c;
    }
    csv += '"';
}

} // namespace

std::string TableAsCsv(std::string_view tabText)
{
    std::string csv;
    csv.reserve(tabText.size() + tabText.size() / 8);
    std::size_t start = 0;
    while (start <= tabText.size()) {
        std::size_t end = tabText.find("\r\n", start);
        const std::string_view line = tabText.substr(start, end == std::string_view::npos ? end : end - start);
        std::size_t from = 0;
        while (true) {
            const std::size_t tab = line.find('\t', from);
            AppendField(csv, line.substr(from, tab == std::string_view::npos ? tab : tab - from));
            if (tab == std::string_view::npos)
                break;
            csv += ',';
            from = tab + 1;
        }
        csv += "\r\n";
        if (end == std::string_view::npos)
            break;
        start = end + 2;
    }
    return csv;
}

} // namespace centrafix
