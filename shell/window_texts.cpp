#include "window_texts.h"

#include "engine/error.h"
#include "engine/number_text.h"
#include "engine/string_table.h"

#include <QStringList>

namespace centrafix {

std::string ColorEntryText(const ColorObject& object)
{
    return object.Name + " W=" + FormatGeneral(object.Weight, ".");
}

Result<std::optional<double>> WeightFromEditedText(std::string_view newString, std::string_view localeSeparator)
{
    const std::size_t at = newString.find("W=");
    if (at == std::string_view::npos)
        return std::optional<double>();
    const std::string_view number = newString.substr(at + 2);
    if (const std::optional<double> weight = TypedLeadingNumber(number, localeSeparator))
        return weight;
    return FieldError(ErrorKind::NotANumber, Field::Weight, number);
}

int FindColorEntry(std::string_view text, const ColorObjectTable& objects)
{
    for (int i = 1; i <= kObjectCount; ++i) {
        const std::string& name = objects[static_cast<std::size_t>(i)].Name;
        if (text.substr(0, name.size()) == name)
            return i;
    }
    return 0;
}

std::string ColorReadout(const ColorObject& object)
{
    const std::int32_t c = object.Color;
    return object.Name + ":  RGB(" + std::to_string(RedOf(c)) + "," + std::to_string(GreenOf(c)) + "," +
           std::to_string(BlueOf(c)) + ")";
}

std::string PointerReadout(float scale, float X, float Y, double OriginX, double OriginY, std::string_view sep)
{
    const double x = static_cast<double>(scale * X) - OriginX;
    const double y = static_cast<double>(scale * Y) - OriginY;
    return "x = " + FormatFixed(x, 2, sep) + ", y = " + FormatFixed(y, 2, sep) + ".";
}

std::string ClickReadout(double scale, float X, float Y, double OriginX, double OriginY, std::int32_t color,
                         std::string_view sep)
{
    const double x = static_cast<double>(X) * scale - OriginX;
    const double y = static_cast<double>(Y) * scale - OriginY;
    return "(" + FormatFixed(x, 2, sep) + "/" + FormatFixed(y, 2, sep) + "), RGB(" + std::to_string(RedOf(color)) +
           "," + std::to_string(GreenOf(color)) + "," + std::to_string(BlueOf(color)) + ")";
}

namespace {

constexpr Message kNoUsableFactor{"%1 \"%2\" ergibt keinen brauchbaren Faktor", "%1 \"%2\" gives no usable factor"};
constexpr Message kAllPictures{"Alle Bilder", "All Pictures"};

} // namespace

QString ScaleProblemText(const QString& scaleText, int languageIndex)
{
    return QString::fromStdString(
        Tr(kNoUsableFactor, languageIndex, {FieldName(Field::ScaleFactor, languageIndex), scaleText.toStdString()}));
}

OpenDialogFilter QtFileFilter(const std::string& filterList, int languageIndex)
{
    const QStringList parts = QString::fromStdString(filterList).split('|');
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString text = parts[i].trimmed();
        // Qt takes the patterns from the last parentheses of an entry, so the
        // pattern in the description must be the real one.
        const qsizetype open = text.lastIndexOf('(');
        if (open >= 0 && text.endsWith(')'))
            text = text.left(open).trimmed();
        entries << QStringLiteral("%1 (%2)").arg(text, parts[i + 1].trimmed().replace(';', ' '));
    }
    // Every picture the loaders read, each extension once: the dialog
    // matches names whatever their case, so "SCAN.JPG" is offered as
    // "scan.jpg" is.
    QStringList patterns;
    for (const char* extension : {"bmp", "png", "jpg", "jpeg", "gif", "tif", "tiff", "wmf", "pdf", "svg"})
        patterns << QStringLiteral("*.%1").arg(QLatin1String(extension));
    const QString all =
        QStringLiteral("%1 (%2)").arg(QString::fromUtf8(Tr(kAllPictures, languageIndex)), patterns.join(' '));
    entries << all;
    return {entries.join(QStringLiteral(";;")), all};
}

QString WindowTitle(const QString& pictureName)
{
    const QString program = QStringLiteral("Centrafix");
    return pictureName.isEmpty() ? program : QStringLiteral("%1 – %2").arg(program, pictureName);
}

} // namespace centrafix
