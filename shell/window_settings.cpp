#include "window_settings.h"

#include "ini_section.h"
#include "ini_value.h"

#include "engine/number_text.h"
#include "picture/files/atomic_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace centrafix {
namespace {

// A settings file is a few hundred bytes; one far larger is no settings file
// of ours and is neither read nor written over.
constexpr qint64 kMaxSettingsBytes = 1 << 20;

constexpr Message kCannotSaveSettings{"die Einstellungen können nicht gespeichert werden (%1)",
                                      "cannot save the settings (%1)"};
constexpr Message kUnreadableFile{"die Datei ist unlesbar oder zu groß", "the file is unreadable or too large"};

QString WeightKey(int i)
{
    return QStringLiteral("color_w_%1").arg(i);
}

// The file's bytes, or nothing when they cannot be taken as settings. A
// missing file holds none.
std::optional<QByteArray> SettingsFileBytes(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return QByteArray();
    QFile file(path);
    if (!info.isFile() || info.size() > kMaxSettingsBytes || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray bytes = file.read(kMaxSettingsBytes + 1);
    if (bytes.size() > kMaxSettingsBytes || file.error() != QFileDevice::NoError)
        return std::nullopt;
    return bytes;
}

// A panel's size as kept: a whole number of pixels no screen is short of.
// Anything else (edited by hand, a word) is no size, and the panel takes the
// window's own.
std::optional<int> PanelSize(const std::optional<QString>& text)
{
    constexpr int kLargest = 1 << 15;
    bool ok = false;
    const int pixels = text ? text->trimmed().toInt(&ok) : 0;
    if (!ok || pixels <= 0 || pixels > kLargest)
        return std::nullopt;
    return pixels;
}

const QString kSidePanelKey = QStringLiteral("SidePanelWidth");
const QString kResultsPanelKey = QStringLiteral("ResultsPanelHeight");
const QString kReportKey = QStringLiteral("ReportWidth");

} // namespace

QString SettingsFilePath(const QString& iniFile)
{
    if (!iniFile.isEmpty())
        return iniFile;
    const QString application = QString::fromUtf8(kSettingsApplication);
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + u'/' + application + u'/' +
           application + QStringLiteral(".conf");
}

int LanguageOfLocale(const QLocale& locale)
{
    return locale.language() == QLocale::German ? kGerman : kEnglish;
}

int LanguageFromText(const QString& text)
{
    const std::optional<double> value = ParseStrictDecimal(text.toStdString(), ".");
    return value && *value == 2.0 ? kEnglish : kGerman;
}

SettingsRead ReadStoredSettings(const QString& path)
{
    SettingsRead read;
    const std::optional<QByteArray> bytes = SettingsFileBytes(path);
    if (!bytes) {
        read.unreadable = true;
        return read;
    }
    const IniSection section = FindIniSection(*bytes, QString::fromUtf8(kSettingsSection));
    // The key's text; the last line of a key counts, as for QSettings.
    const auto text = [&](const QString& key) -> std::optional<QString> {
        for (auto entry = section.entries.rbegin(); entry != section.entries.rend(); ++entry) {
            if (entry->key != key)
                continue;
            std::optional<QString> decoded = DecodeIniText(entry->value);
            read.unreadable = read.unreadable || !decoded;
            return decoded;
        }
        return std::nullopt;
    };
    StoredSettings& values = read.values;
    // A stored weight is read as leniently as an edited one ("abc" reads 0).
    for (int i = 1; i <= kObjectCount; ++i)
        if (const std::optional<QString> weight = text(WeightKey(i)))
            values.weights[static_cast<std::size_t>(i)] = LeadingNumber(weight->toStdString());
    values.weights[0] = 0.0;
    values.scale = text(QStringLiteral("Scale")).value_or(values.scale);
    values.altitude = text(QStringLiteral("Altitude")).value_or(values.altitude);
    values.mach = text(QStringLiteral("Mach")).value_or(values.mach);
    values.tolerance = text(QStringLiteral("Tolerance")).value_or(values.tolerance);
    values.windowGeometry = text(QStringLiteral("WindowGeometry")).value_or(QString());
    values.zoomMode = text(QStringLiteral("ZoomMode")).value_or(QString());
    values.unit = text(QStringLiteral("Unit"));
    values.cleanUpThreshold = text(QStringLiteral("CleanUpThreshold"));
    values.panels = {PanelSize(text(kSidePanelKey)), PanelSize(text(kResultsPanelKey)), PanelSize(text(kReportKey))};
    if (const std::optional<QString> language = text(QStringLiteral("Language")))
        values.languageIndex = LanguageFromText(*language);
    return read;
}

std::optional<Error> WriteStoredSettings(const QString& path, const StoredSettings& values, const QString& programPath)
{
    const std::optional<QByteArray> old = SettingsFileBytes(path);
    if (!old)
        return Described(path.toStdString(), kCannotSaveSettings, {ErrorArg(kUnreadableFile)});
    IniValues entries{{QStringLiteral("Language"), QString::number(values.languageIndex.value_or(kGerman))},
                      {QStringLiteral("Name"), QStringLiteral("Simple Centrafix")},
                      {QStringLiteral("Path"), programPath},
                      {QStringLiteral("Scale"), values.scale},
                      {QStringLiteral("Mach"), values.mach},
                      {QStringLiteral("Altitude"), values.altitude},
                      {QStringLiteral("Tolerance"), values.tolerance}};
    for (int i = 1; i <= kObjectCount; ++i)
        entries.emplace_back(WeightKey(i),
                             QString::fromStdString(FormatGeneral(values.weights[static_cast<std::size_t>(i)], ".")));
    if (!values.windowGeometry.isEmpty())
        entries.emplace_back(QStringLiteral("WindowGeometry"), values.windowGeometry);
    if (!values.zoomMode.isEmpty())
        entries.emplace_back(QStringLiteral("ZoomMode"), values.zoomMode);
    if (values.unit)
        entries.emplace_back(QStringLiteral("Unit"), *values.unit);
    if (values.cleanUpThreshold)
        entries.emplace_back(QStringLiteral("CleanUpThreshold"), *values.cleanUpThreshold);
    for (const auto& [key, size] : {std::pair{kSidePanelKey, values.panels.side},
                                    {kResultsPanelKey, values.panels.results},
                                    {kReportKey, values.panels.report}})
        if (size)
            entries.emplace_back(key, QString::number(*size));
    const QByteArray bytes = ReplaceIniEntries(*old, QString::fromUtf8(kSettingsSection), entries);
    QDir().mkpath(QFileInfo(path).absolutePath()); // a failure shows as the write's
    return WriteFileSafely(path, kCannotSaveSettings,
                           [&bytes](QIODevice& device) { return WriteAll(device, bytes.constData(), bytes.size()); });
}

} // namespace centrafix
