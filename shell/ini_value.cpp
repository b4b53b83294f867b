#include "ini_value.h"

#include <QStringDecoder>

namespace centrafix {
namespace {

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

int OctalValue(char c)
{
    return c >= '0' && c <= '7' ? c - '0' : -1;
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

// What a backslash and a letter stand for; 0 for no such escape.
char NamedEscape(char letter)
{
    static constexpr char kEscapes[][2] = {{'a', '\a'}, {'b', '\b'},  {'f', '\f'}, {'n', '\n'},
                                           {'r', '\r'}, {'t', '\t'},  {'v', '\v'}, {'"', '"'},
                                           {'?', '?'},  {'\'', '\''}, {'\\', '\\'}};
    for (const auto& [name, meaning] : kEscapes)
        if (letter == name)
            return meaning;
    return 0;
}

// One value taken apart as QSettings does it, one character at a time and
// never by recursion.
class ValueReader {
public:
    explicit ValueReader(QByteArrayView raw) : m_raw(raw) {}

    // False when an unquoted comma makes a list of the value.
    bool read(QString& text)
    {
        skipBlanks();
        bool complete = true; // false: the value ends inside an escape, and keeps its blanks
        while (complete && m_at < m_raw.size()) {
            const char c = m_raw[m_at];
            if (c == '\\') {
                complete = readEscape();
            } else if (c == '"') {
                ++m_at;
                m_quoted = true;
                m_inQuotes = !m_inQuotes;
                if (!m_inQuotes)
                    skipBlanks();
            } else if (c == ',' && !m_inQuotes) {
                return false;
            } else {
                readRun();
            }
        }
        // Blanks typed after an unquoted value are no part of it; escaped ones are.
        if (complete && !m_quoted)
            while (m_text.size() > m_keep && (m_text.back() == u' ' || m_text.back() == u'\t'))
                m_text.chop(1);
        text = m_text;
        return true;
    }

private:
    void skipBlanks()
    {
        while (m_at < m_raw.size() && IsBlank(m_raw[m_at]))
            ++m_at;
        m_keep = m_text.size();
    }

    // Plain characters up to the next one with a meaning, as UTF-8.
    void readRun()
    {
        qsizetype end = m_at + 1;
        while (end < m_raw.size() && m_raw[end] != '\\' && m_raw[end] != '"' && m_raw[end] != ',')
            ++end;
        m_text += m_utf8(m_raw.sliced(m_at, end - m_at));
        m_at = end;
    }

    // The escape at a backslash; false when the value ends inside it.
    bool readEscape()
    {
        if (++m_at >= m_raw.size())
            return false;
        const char c = m_raw[m_at++];
        if (const char named = NamedEscape(c)) {
            m_text += QLatin1Char(named);
        } else if (c == 'x') {
            if (m_at >= m_raw.size())
                return false;
            if (HexValue(m_raw[m_at]) >= 0 && !readNumber(4, HexValue))
                return false;
        } else if (OctalValue(c) >= 0) {
            --m_at;
            if (!readNumber(3, OctalValue))
                return false;
        } else if (c == '\n' || c == '\r') {
            // A continued line: "\r\n" and "\n\r" count as one end of line.
            if (m_at < m_raw.size() && (m_raw[m_at] == '\n' || m_raw[m_at] == '\r') && m_raw[m_at] != c)
                ++m_at;
        } // any other escaped character is dropped
        m_keep = m_text.size();
        return true;
    }

    // Digits of `bitsPerDigit` bits each, as many as follow, folded into one
    // UTF-16 unit; false when they run to the end of the value.
    bool readNumber(int bitsPerDigit, int (*digit)(char))
    {
        char16_t value = 0;
        while (m_at < m_raw.size() && digit(m_raw[m_at]) >= 0)
            value = static_cast<char16_t>((value << bitsPerDigit) + digit(m_raw[m_at++]));
        m_text += QChar(value);
        return m_at < m_raw.size();
    }

    QByteArrayView m_raw;
    qsizetype m_at = 0;
    QString m_text;
    qsizetype m_keep = 0; // characters before this are never dropped as trailing blanks
    bool m_quoted = false;
    bool m_inQuotes = false;
    QStringDecoder m_utf8{QStringDecoder::Utf8};
};

void AppendHexEscape(QByteArray& out, unsigned char c)
{
    out += "\\x";
    out += QByteArray::number(c, 16);
}

} // namespace

std::optional<QString> DecodeIniText(QByteArrayView raw)
{
    QString text;
    if (!ValueReader(raw).read(text))
        return std::nullopt;
    if (!text.startsWith(u'@'))
        return text;
    if (text.startsWith(u"@@"))
        return text.sliced(1);
    if (text.startsWith(u"@String(") && text.endsWith(u')'))
        return text.sliced(8).chopped(1);
    return std::nullopt;
}

QByteArray EncodeIniText(const QString& text)
{
    // A NUL would end the text for other readers; a leading "@" would name a type.
    QString marked = text;
    if (text.contains(QChar::Null))
        marked = QStringLiteral("@String(") + text + u')';
    else if (text.startsWith(u'@'))
        marked.prepend(u'@');
    QByteArray out;
    bool needsQuotes = false;
    bool afterNumber = false; // a hex digit here would extend the number escaped before it
    for (const char c : marked.toUtf8()) {
        const auto byte = static_cast<unsigned char>(c);
        needsQuotes = needsQuotes || c == ';' || c == ',' || c == '=';
        if (afterNumber && HexValue(c) >= 0) {
            AppendHexEscape(out, byte);
            continue;
        }
        afterNumber = false;
        switch (c) {
        case '\0':
            out += "\\0";
            afterNumber = true;
            break;
        case '\a': out += "\\a"; break;
        case '\b': out += "\\b"; break;
        case '\f': out += "\\f"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        case '\v': out += "\\v"; break;
        case '"':
        case '\\':
            out += '\\';
            out += c;
            break;
        default:
            if (byte <= 0x1F) {
                AppendHexEscape(out, byte);
                afterNumber = true;
            } else {
                out += c;
            }
        }
    }
    if (needsQuotes || out.startsWith(' ') || out.endsWith(' '))
        out = '"' + out + '"';
    return out;
}

QString DecodeIniKey(QByteArrayView raw)
{
    const QString encoded = QString::fromUtf8(raw);
    QString key;
    qsizetype i = 0;
    while (i < encoded.size()) {
        const QChar c = encoded[i];
        if (c == u'\\') {
            key += u'/';
            ++i;
            continue;
        }
        const bool wide = c == u'%' && i + 1 < encoded.size() && encoded[i + 1] == u'U';
        const qsizetype first = i + (wide ? 2 : 1);
        const qsizetype digits = wide ? 4 : 2;
        bool ok = c == u'%' && first + digits <= encoded.size();
        char16_t value = 0;
        for (qsizetype d = first; ok && d < first + digits; ++d) {
            const int v = encoded[d].unicode() < 0x80 ? HexValue(static_cast<char>(encoded[d].unicode())) : -1;
            ok = v >= 0;
            if (ok)
                value = static_cast<char16_t>(value * 16 + v);
        }
        key += ok ? QChar(value) : c;
        i = ok ? first + digits : i + 1;
    }
    return key;
}

} // namespace centrafix
