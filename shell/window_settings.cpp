#include "window_settings.h"

#include "engine/number_text.h"

#include <QSettings>

#include <string>

namespace centrafix {

std::unique_ptr<QSettings> OpenSettingsStore(const QString& iniFile)
{
    std::unique_ptr<QSettings> store;
    if (iniFile.isEmpty())
        store = std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                            kSettingsApplication, kSettingsApplication);
    else
        store = std::make_unique<QSettings>(iniFile, QSettings::IniFormat);
    store->beginGroup(kSettingsSection);
    return store;
}

namespace {

QString WeightKey(int i)
{
    return QStringLiteral("color_w_%1").arg(i);
}

QString Text(QSettings& store, const QString& key, const QString& fallback)
{
    return store.value(key, fallback).toString();
}

} // namespace

int LanguageFromText(const QString& text)
{
    const std::optional<double> value = ParseStrictDecimal(text.toStdString(), ".");
    return value && *value == 2.0 ? kEnglish : kGerman;
}

StoredSettings ReadStoredSettings(QSettings& store)
{
    StoredSettings values;
    for (int i = 1; i <= kObjectCount; ++i)
        values.weights[static_cast<std::size_t>(i)] =
            LeadingNumber(Text(store, WeightKey(i), QStringLiteral("1.0")).toStdString());
    values.weights[0] = 0.0;
    values.scale = Text(store, QStringLiteral("Scale"), QStringLiteral("1.0"));
    values.altitude = Text(store, QStringLiteral("Altitude"), QStringLiteral("10000"));
    values.mach = Text(store, QStringLiteral("Mach"), QStringLiteral("0.85"));
    values.languageIndex = LanguageFromText(Text(store, QStringLiteral("Language"), QStringLiteral("1")));
    return values;
}

void WriteStoredSettings(QSettings& store, const StoredSettings& values, const QString& programPath)
{
    store.setValue(QStringLiteral("Language"), QString::number(values.languageIndex));
    store.setValue(QStringLiteral("Name"), QStringLiteral("Simple Centrafix"));
    store.setValue(QStringLiteral("Path"), programPath);
    store.setValue(QStringLiteral("Scale"), values.scale);
    store.setValue(QStringLiteral("Mach"), values.mach);
    store.setValue(QStringLiteral("Altitude"), values.altitude);
    for (int i = 1; i <= kObjectCount; ++i)
        store.setValue(WeightKey(i), QString::fromStdString(
                                         FormatGeneral(values.weights[static_cast<std::size_t>(i)], ".")));
    store.sync();
}

} // namespace centrafix
