#include "ini_section.h"

#include "ini_value.h"

#include <algorithm>

namespace centrafix {
namespace {

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool IsEndOfLine(char c)
{
    return c == '\n' || c == '\r';
}

// A line of the file: it starts after blanks and comment lines and runs to
// the end of its physical line or to a ";" outside quotes. QSettings would
// carry a line on past an end of line after a backslash or inside quotes; a
// hand-typed value with a stray quote or a trailing backslash would then
// swallow every line after it, and rewriting that key would drop them all. A
// value here never reaches past its own line, whatever it holds.
struct IniLine {
    qsizetype start = 0;
    qsizetype end = 0;
    qsizetype equals = -1; // its first "=" outside quotes
};

// The line at `pos`, moving `pos` past it; false at the end of the text.
bool NextLine(QByteArrayView text, qsizetype& pos, IniLine& line)
{
    const qsizetype size = text.size();
    qsizetype start = pos;
    for (;;) {
        while (start < size && IsSpace(text[start]))
            ++start;
        if (start >= size || text[start] != ';')
            break;
        while (start < size && !IsEndOfLine(text[start]))
            ++start;
    }
    bool inQuotes = false;
    qsizetype equals = -1;
    qsizetype i = start;
    while (i < size && !IsEndOfLine(text[i]) && (inQuotes || text[i] != ';')) {
        const char c = text[i];
        if (c == '=' && !inQuotes && equals < 0)
            equals = i;
        else if (c == '"')
            inQuotes = !inQuotes;
        else if (c == '\\' && i + 1 < size && !IsEndOfLine(text[i + 1]))
            ++i; // an escaped quote or ";" means nothing here
        ++i;
    }
    pos = i;
    line = {start, i, equals};
    return i > start;
}

// Where the physical line holding `start` begins.
qsizetype LineBegin(QByteArrayView text, qsizetype start)
{
    while (start > 0 && (text[start - 1] == ' ' || text[start - 1] == '\t'))
        --start;
    return start;
}

// Just past the physical line holding `end` (a comment after it and its end
// of line included).
qsizetype LineEnd(QByteArrayView text, qsizetype end)
{
    while (end < text.size() && !IsEndOfLine(text[end]))
        ++end;
    if (end < text.size() && text[end] == '\r')
        ++end;
    if (end < text.size() && text[end] == '\n')
        ++end;
    return end;
}

// The name a header line gives its section.
QString HeaderName(QByteArrayView line)
{
    qsizetype close = line.indexOf(']');
    if (close < 0)
        close = line.size();
    return DecodeIniKey(line.sliced(1, close - 1).trimmed());
}

} // namespace

IniSection FindIniSection(QByteArrayView text, const QString& name)
{
    IniSection section;
    bool inside = false;
    qsizetype pos = text.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    IniLine line;
    while (NextLine(text, pos, line)) {
        const QByteArrayView content = text.sliced(line.start, line.end - line.start);
        if (content.startsWith('[')) {
            inside = HeaderName(content) == name;
            if (inside && section.bodyStart < 0)
                section.bodyStart = LineEnd(text, line.end);
        } else if (inside && line.equals >= 0) {
            const qsizetype equals = line.equals - line.start;
            section.entries.push_back({DecodeIniKey(content.first(equals).trimmed()),
                                       content.sliced(equals + 1).toByteArray(), LineBegin(text, line.start),
                                       LineEnd(text, line.end)});
        }
    }
    return section;
}

QByteArray ReplaceIniEntries(QByteArrayView text, const QString& name, const IniValues& entries)
{
    QByteArray lines;
    for (const auto& [key, value] : entries)
        lines += key.toUtf8() + '=' + EncodeIniText(value) + '\n';
    const IniSection section = FindIniSection(text, name);
    QByteArray result;
    if (section.bodyStart < 0) {
        // A new section, set apart by an empty line as QSettings does.
        result = text.toByteArray();
        if (!result.isEmpty())
            result += IsEndOfLine(result.back()) ? "\n" : "\n\n";
        return result + '[' + name.toUtf8() + "]\n" + lines;
    }
    std::vector<const IniEntry*> replaced;
    for (const IniEntry& entry : section.entries)
        if (std::any_of(entries.begin(), entries.end(), [&](const auto& e) { return e.first == entry.key; }))
            replaced.push_back(&entry);
    const qsizetype at = replaced.empty() ? section.bodyStart : replaced.front()->begin;
    result = text.first(at).toByteArray();
    if (at > 0 && !IsEndOfLine(text[at - 1]))
        result += '\n'; // a header that ends the file
    result += lines;
    qsizetype copied = at;
    for (const IniEntry* entry : replaced) {
        result += text.sliced(copied, entry->begin - copied);
        copied = entry->end;
    }
    result += text.sliced(copied);
    return result;
}

} // namespace centrafix
