#include "window_settings.h"

#include "ini_section.h"
#include "ini_value.h"

#include "engine/balance_fields.h"
#include "engine/number_text.h"
#include "engine/scale_from_line.h"
#include "picture/files/atomic_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>
#include <functional>
#include <tuple>

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

QString RoleKeyOf(int i)
{
    return QStringLiteral("Role%1").arg(i);
}

QString HeightKey(int i)
{
    return QStringLiteral("Height%1").arg(i);
}

QString Stored(double value)
{
    return QString::fromStdString(FormatGeneral(value, "."));
}

// The balance as stored, each value read as the window's fields read it
// ("." as the decimal point); one that would be refused there keeps its
// default.
aero::BalanceSettings StoredBalance(const std::function<std::optional<QString>(const QString&)>& text)
{
    aero::BalanceSettings balance;
    for (int i = 1; i <= kObjectCount; ++i) {
        const auto at = static_cast<std::size_t>(i);
        if (const std::optional<QString> role = text(RoleKeyOf(i)))
            balance.roles[at] = ParseRole(role->toStdString()).value_or(balance.roles[at]);
        if (const std::optional<QString> height = text(HeightKey(i)))
            if (const Result<double> read = ReadHeight(height->toStdString(), "."))
                balance.heights[at] = *read;
    }
    const std::optional<QString> low = text(QStringLiteral("MarginLow"));
    const std::optional<QString> high = text(QStringLiteral("MarginHigh"));
    // Either margin may be stored alone; the other keeps its default.
    if (low || high)
        if (const Result<std::pair<double, double>> margins =
                ReadStaticMargins(low.value_or(Stored(balance.marginLow)).toStdString(),
                                  high.value_or(Stored(balance.marginHigh)).toStdString(), "."))
            std::tie(balance.marginLow, balance.marginHigh) = *margins;
    if (const std::optional<QString> eta = text(QStringLiteral("TailEfficiency")))
        if (const Result<double> read = ReadTailEfficiency(eta->toStdString(), "."))
            balance.tailEfficiency = *read;
    if (const std::optional<QString> cg = text(QStringLiteral("TypedCg")))
        if (const Result<double> read = ReadCgPosition(cg->toStdString(), "."))
            balance.typedCgX = *read;
    return balance;
}

// A key written when its value differs from the default or the file has it
// already: a file that never had it stays as it was, and a value set back
// to its default does not leave the old one behind.
void AddUnlessDefault(IniValues& entries, const IniSection& old, const QString& key, const QString& value,
                      bool isDefault)
{
    const bool stored =
        std::any_of(old.entries.begin(), old.entries.end(), [&key](const IniEntry& entry) { return entry.key == key; });
    if (!isDefault || stored)
        entries.emplace_back(key, value);
}

// The balance's keys: a file that never had them stays as it was while they
// hold their defaults, and one that had them gets each of them written, so a
// value set back to its default does not leave the old one behind.
void AddBalance(IniValues& entries, const aero::BalanceSettings& balance, bool showBalance, const IniSection& old)
{
    const aero::BalanceSettings defaults;
    const auto add = [&](const QString& key, const QString& value, bool isDefault) {
        AddUnlessDefault(entries, old, key, value, isDefault);
    };
    for (int i = 1; i <= kObjectCount; ++i) {
        const auto at = static_cast<std::size_t>(i);
        const std::string_view role = RoleKey(balance.roles[at]);
        add(RoleKeyOf(i), QString::fromUtf8(role.data(), static_cast<qsizetype>(role.size())),
            balance.roles[at] == defaults.roles[at]);
    }
    for (int i = 1; i <= kObjectCount; ++i) {
        const auto at = static_cast<std::size_t>(i);
        add(HeightKey(i), Stored(balance.heights[at]), balance.heights[at] == defaults.heights[at]);
    }
    add(QStringLiteral("MarginLow"), Stored(balance.marginLow), balance.marginLow == defaults.marginLow);
    add(QStringLiteral("MarginHigh"), Stored(balance.marginHigh), balance.marginHigh == defaults.marginHigh);
    add(QStringLiteral("TailEfficiency"), Stored(balance.tailEfficiency),
        balance.tailEfficiency == defaults.tailEfficiency);
    add(QStringLiteral("ShowBalance"), showBalance ? QStringLiteral("1") : QStringLiteral("0"), showBalance);
    // No typed C.G. is an empty key, read as none.
    add(QStringLiteral("TypedCg"), balance.typedCgX ? Stored(*balance.typedCgX) : QString(), !balance.typedCgX);
}

// The plan tools' settings, each a whole number in its range (the tolerance
// any number above 0 up to 766); anything else keeps the default.
void StoredPlanTools(StoredSettings& values, const std::function<std::optional<QString>(const QString&)>& text)
{
    const auto whole = [&](const QString& key, int low, int high, int& into) {
        bool ok = false;
        const int value = text(key).value_or(QString()).trimmed().toInt(&ok);
        if (ok && value >= low && value <= high)
            into = value;
    };
    whole(QStringLiteral("LineThreshold"), 1, 765, values.fill.lineThreshold);
    whole(QStringLiteral("FillGap"), 0, 50, values.fill.gap);
    if (const std::optional<QString> tolerance = text(QStringLiteral("MapTolerance")))
        if (const Result<double> read = ReadRealLength(tolerance->toStdString(), "."); read && *read <= 766.0)
            values.mapTolerance = *read;
}

void AddPlanTools(IniValues& entries, const StoredSettings& values, const IniSection& old)
{
    const auto add = [&](const QString& key, const QString& value, bool isDefault) {
        AddUnlessDefault(entries, old, key, value, isDefault);
    };
    add(QStringLiteral("LineThreshold"), QString::number(values.fill.lineThreshold),
        values.fill.lineThreshold == defaults::kLineThreshold);
    add(QStringLiteral("FillGap"), QString::number(values.fill.gap), values.fill.gap == defaults::kFillGap);
    add(QStringLiteral("MapTolerance"), Stored(values.mapTolerance), values.mapTolerance == defaults::kMapTolerance);
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
    values.balance = StoredBalance(text);
    values.showBalance = text(QStringLiteral("ShowBalance")).value_or(QStringLiteral("1")).trimmed() != u'0';
    StoredPlanTools(values, text);
    values.recentFiles = text(QStringLiteral("RecentFiles")).value_or(QString()).split(u'\n', Qt::SkipEmptyParts);
    if (values.recentFiles.size() > kMaxRecentFiles)
        values.recentFiles.resize(kMaxRecentFiles);
    values.paper = text(QStringLiteral("Paper"));
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
    const IniSection oldSection = FindIniSection(*old, QString::fromUtf8(kSettingsSection));
    AddBalance(entries, values.balance, values.showBalance, oldSection);
    AddPlanTools(entries, values, oldSection);
    AddUnlessDefault(entries, oldSection, QStringLiteral("RecentFiles"), values.recentFiles.join(u'\n'),
                     values.recentFiles.isEmpty());
    if (values.paper)
        entries.emplace_back(QStringLiteral("Paper"), *values.paper);
    const QByteArray bytes = ReplaceIniEntries(*old, QString::fromUtf8(kSettingsSection), entries);
    QDir().mkpath(QFileInfo(path).absolutePath()); // a failure shows as the write's
    return WriteFileSafely(path, kCannotSaveSettings,
                           [&bytes](QIODevice& device) { return WriteAll(device, bytes.constData(), bytes.size()); });
}

} // namespace centrafix
