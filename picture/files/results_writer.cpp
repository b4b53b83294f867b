#include "picture/files/results_writer.h"

#include "picture/files/atomic_file.h"

#include "engine/drag_report.h"
#include "engine/loading_table.h"

#include <QIODevice>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>

namespace centrafix {
namespace {

// What is collected before it goes to the device.
constexpr qsizetype kPieceBytes = 64 * 1024;

constexpr const char* kChordColumn = "chord";

// The columns' values of one row, in the order of LoadingTable::kColumns,
// then the chord.
std::array<double, 10> RowValues(const LoadingTable::Row& row)
{
    return {row.Eta, row.G[0], row.Cl[0], row.G[1], row.Cl[1], row.G[2], row.Cl[2], row.G[3], row.Cl[3], row.chord};
}

QString ColumnName(std::size_t column)
{
    if (column == LoadingTable::kColumns.size())
        return QLatin1String(kChordColumn);
    const std::string_view name = LoadingTable::kColumns[column];
    return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

QByteArray Exact(double value)
{
    return QByteArray::number(value, 'g', QLocale::FloatingPointShortest);
}

LoadingTable TableOf(const ResultFacts& facts)
{
    return LoadingTable(facts.result.values.RowChord, facts.result.values.height, facts.inputs.OriginRow, ".");
}

// Hands the loading table's rows, each made by `format`, to the device in
// pieces after `head`; `tail` ends it.
template <class Format>
std::optional<Error> WriteRows(QIODevice& device, const LoadingTable& table, QByteArray head, const Format& format,
                               const QByteArray& tail)
{
    QByteArray piece = std::move(head);
    for (std::size_t y = 0; y < table.rows(); ++y) {
        format(piece, y, table.row(y));
        if (piece.size() >= kPieceBytes) {
            if (std::optional<Error> failed = WriteAll(device, piece.constData(), piece.size()))
                return failed;
            piece.clear();
        }
    }
    piece += tail;
    return WriteAll(device, piece.constData(), piece.size());
}

QJsonValue DragField(const std::string& text, Field field, const AnalysisInputs& inputs)
{
    const Result<double> number = ReadDragField(text, field, inputs.localeSeparator);
    return number ? QJsonValue(*number) : QJsonValue(QJsonValue::Null);
}

QJsonObject ExportJson(const ResultFacts& facts, const QString& file)
{
    QJsonObject json = ResultJson(facts);
    json["file"] = file;
    json["unit"] = QString::fromStdString(facts.inputs.unit);
    json["altitude"] = DragField(facts.inputs.altitudeText, Field::Altitude, facts.inputs);
    json["mach"] = DragField(facts.inputs.machText, Field::Mach, facts.inputs);
    return json;
}

} // namespace

std::optional<Error> WriteResultsCsv(QIODevice& device, const ResultFacts& facts, const QString& file)
{
    QByteArray head = CsvHeader() + CsvRows(file, ExportJson(facts, file)) + "\r\n";
    for (std::size_t c = 0; c <= LoadingTable::kColumns.size(); ++c)
        head += (c ? "," : "") + ColumnName(c).toLatin1();
    head += "\r\n";
    const auto format = [](QByteArray& out, std::size_t, const LoadingTable::Row& row) {
        const std::array<double, 10> values = RowValues(row);
        for (std::size_t c = 0; c < values.size(); ++c)
            out += (c ? "," : "") + Exact(values[c]);
        out += "\r\n";
    };
    return WriteRows(device, TableOf(facts), std::move(head), format, {});
}

std::optional<Error> WriteResultsJson(QIODevice& device, const ResultFacts& facts, const QString& file)
{
    // The document as QJsonDocument writes it, its closing brace taken off so
    // the rows can follow without the whole table in memory as JSON values.
    QByteArray head = QJsonDocument(ExportJson(facts, file)).toJson(QJsonDocument::Indented);
    head.chop(3); // "\n}\n"
    head += ",\n    \"loading_table\": [";
    const auto format = [](QByteArray& out, std::size_t y, const LoadingTable::Row& row) {
        const std::array<double, 10> values = RowValues(row);
        QJsonObject object;
        for (std::size_t c = 0; c < values.size(); ++c)
            object[ColumnName(c)] = values[c];
        out += (y ? ",\n        " : "\n        ") + QJsonDocument(object).toJson(QJsonDocument::Compact);
    };
    return WriteRows(device, TableOf(facts), std::move(head), format, "\n    ]\n}\n");
}

} // namespace centrafix
