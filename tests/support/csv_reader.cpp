#include "csv_reader.h"

#include <gtest/gtest.h>

namespace centrafix::test {

std::optional<std::vector<QStringList>> ReadCsv(const QString& text)
{
    std::vector<QStringList> records;
    QStringList record;
    QString field;
    bool quoted = false;    // inside quotes
    bool wasQuoted = false; // the field began with a quote
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c != u'"')
                field += c;
            else if (i + 1 < text.size() && text[i + 1] == u'"')
                field += text[++i];
            else
                quoted = false;
            continue;
        }
        if (c == u'"') {
            if (!field.isEmpty() || wasQuoted)
                return std::nullopt;
            quoted = wasQuoted = true;
        } else if (c == u',') {
            record << std::exchange(field, {});
            wasQuoted = false;
        } else if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
            record << std::exchange(field, {});
            records.push_back(std::exchange(record, {}));
            wasQuoted = false;
            ++i;
        } else if (c == u'\r' || c == u'\n' || wasQuoted) {
            return std::nullopt;
        } else {
            field += c;
        }
    }
    if (quoted || !field.isEmpty() || !record.isEmpty())
        return std::nullopt; // the last record not ended by CR LF
    return records;
}

QString CsvCell(const QStringList& header, const QStringList& record, const QString& column)
{
    const qsizetype at = header.indexOf(column);
    EXPECT_GE(at, 0) << "no column " << column.toStdString();
    return at >= 0 ? record.value(at) : QString();
}

} // namespace centrafix::test
