#include "picture/files/result_facts.h"

#include "engine/results_grid.h"
#include "picture/files/balance_json.h"

#include <QJsonArray>
#include <QLocale>
#include <QRegularExpression>
#include <QStringList>

namespace centrafix {
namespace {

QString GridText(const ResultFacts& facts)
{
    return QString::fromStdString(CopyTableText(GridHeaderText(facts.inputs.languageIndex), facts.result.gridRows));
}

// A drag coefficient, or null where the estimate has none.
QJsonValue Coefficient(const AnalysisResult& result, double DragCoefficients::*which)
{
    if (result.drag && result.drag->ok())
        return result.drag->value().*which;
    return QJsonValue(QJsonValue::Null);
}

QJsonObject ObjectJson(const ResultFacts& facts, std::size_t i)
{
    const ColorObject& o = facts.objects[i];
    const RunValues& v = facts.result.values;
    return QJsonObject{
        {"index", static_cast<int>(i)},
        {"name", QString::fromStdString(o.Name)},
        {"colour", ColourKey(i)},
        {"found", i == 0 ? o.Area > 0.0 : o.Found},
        {"area", o.Area},
        {"area_percent", o.AreaPercent},
        {"cg_x", v.CGPoint[i].x},
        {"cg_y", v.CGPoint[i].y},
        {"ac_x", v.ACPoint[i].x},
        {"outline", o.Outline},
        {"ref_length", o.RefLength},
        {"weight", o.Weight},
    };
}

// The CSV's object columns; "colour" came later and stands beside the name it
// explains, so readers that take the columns by name see nothing move but it.
constexpr const char* kObjectKeys[] = {"index", "name", "colour", "found",   "area",       "area_percent",
                                       "cg_x",  "cg_y", "ac_x",   "outline", "ref_length", "weight"};

// The picture's own values, repeated on each of its rows.
constexpr const char* kPictureColumns[] = {"width",         "height",     "scale",     "unit",   "origin_x", "origin_y",
                                           "origin_column", "origin_row", "tolerance", "cd_lam", "cd_turb"};

// A text field as RFC 4180 wants it: in quotes, quotes doubled, when it
// holds a comma, a quote or a line break. A spreadsheet takes a cell that
// begins with "=", "+", "-" or "@" (or a tab or CR before one) for a formula
// and runs it; such a text (a picture named "=HYPERLINK(...).png") gets a
// leading apostrophe, which spreadsheets show as text and do not compute.
// Numbers are written elsewhere and keep their sign.
QString CsvField(const QString& text)
{
    static const QString formulaStarts = QStringLiteral("=+-@\t\r");
    const QString field = !text.isEmpty() && formulaStarts.contains(text.front()) ? QLatin1Char('\'') + text : text;
    if (!field.contains(QRegularExpression(QStringLiteral("[\",\r\n]"))))
        return field;
    return QLatin1Char('"') + QString(field).replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
}

// Numbers as JSON writes them: the shortest text that reads back exactly.
QString CsvValue(const QJsonValue& value)
{
    switch (value.type()) {
    case QJsonValue::Double: return QString::number(value.toDouble(), 'g', QLocale::FloatingPointShortest);
    case QJsonValue::Bool: return value.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    case QJsonValue::String: return CsvField(value.toString());
    default: return {};
    }
}

} // namespace

QLatin1String ColourKey(std::size_t i)
{
    // Fixed English words, not the shown names, which follow the language.
    constexpr const char* kColourKeys[] = {"total", "black", "red", "green", "blue", "yellow", "cyan", "magenta"};
    return QLatin1String(kColourKeys[i]);
}

QJsonObject ResultJson(const ResultFacts& facts)
{
    const RunValues& v = facts.result.values;
    QJsonObject root;
    root["picture"] = QJsonObject{{"width", v.width}, {"height", v.height}};
    root["tolerance"] = facts.setup.Tolerance;
    root["scale_factor"] = facts.setup.ScaleFactor;
    root["origin"] = QJsonObject{{"column", facts.originColumn},
                                 {"row", facts.originRow},
                                 {"x", facts.inputs.OriginX},
                                 {"y", facts.inputs.OriginY}};
    QJsonArray list;
    for (std::size_t i = 0; i < facts.objects.size(); ++i)
        list.append(ObjectJson(facts, i));
    root["objects"] = list;
    root["grid"] = GridText(facts);
    root["report"] = QString::fromStdString(facts.result.report);
    root["cd_lam"] = Coefficient(facts.result, &DragCoefficients::CD_lam);
    root["cd_turb"] = Coefficient(facts.result, &DragCoefficients::CD_turb);
    if (facts.result.drag && !facts.result.drag->ok())
        root["cd_error"] = QString::fromStdString(ErrorText(facts.result.drag->error(), facts.inputs.languageIndex));
    // Only where the user named one: without, the object is as it always was.
    if (!facts.inputs.unit.empty())
        root["unit"] = QString::fromStdString(facts.inputs.unit);
    AddBalanceJson(root, facts);
    return root;
}

QByteArray CsvHeader()
{
    QStringList names{QStringLiteral("file")};
    for (const char* key : kObjectKeys)
        names << QLatin1String(key);
    for (const char* key : kPictureColumns)
        names << QLatin1String(key);
    names << BalanceCsvColumns();
    return names.join(QLatin1Char(',')).toUtf8() + "\r\n";
}

QByteArray CsvRows(const QString& file, const QJsonObject& json)
{
    const QJsonValue origin = json["origin"];
    // In the order of kPictureColumns.
    const QStringList pictureValues{CsvValue(json["picture"]["width"]),
                                    CsvValue(json["picture"]["height"]),
                                    CsvValue(json["scale_factor"]),
                                    CsvField(json["unit"].toString()),
                                    CsvValue(origin["x"]),
                                    CsvValue(origin["y"]),
                                    CsvValue(origin["column"]),
                                    CsvValue(origin["row"]),
                                    CsvValue(json["tolerance"]),
                                    CsvValue(json["cd_lam"]),
                                    CsvValue(json["cd_turb"])};
    // The balance is the picture's, shown once, on its total row.
    const QStringList balanceValues = BalanceCsvValues(json);
    const QStringList noBalance(balanceValues.size());
    QByteArray rows;
    const QJsonArray objects = json["objects"].toArray();
    // The colours in order, then the total, as the grid lists them.
    for (qsizetype k = 1; k <= objects.size(); ++k) {
        const QJsonObject object = objects[k % objects.size()].toObject();
        if (!object["found"].toBool() && k != objects.size())
            continue;
        QStringList fields{CsvField(file)};
        for (const char* key : kObjectKeys)
            fields << CsvValue(object[QLatin1String(key)]);
        const bool total = k == objects.size();
        rows += (fields + pictureValues + (total ? balanceValues : noBalance)).join(QLatin1Char(',')).toUtf8() + "\r\n";
    }
    return rows;
}

} // namespace centrafix
