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

// A stored weight is read as leniently as an edited one ("abc" reads 0).
double Weight(QSettings& store, int i, double fallback)
{
    const QVariant stored = store.value(WeightKey(i));
    return stored.isValid() ? LeadingNumber(stored.toString().toStdString()) : fallback;
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
    for (int i = 1; i <= kObjectCount; ++i) {
        double& weight = values.weights[static_cast<std::size_t>(i)];
        weight = Weight(store, i, weight);
    }
    values.weights[0] = 0.0;
    values.scale = Text(store, QStringLiteral("Scale"), values.scale);
    values.altitude = Text(store, QStringLiteral("Altitude"), values.altitude);
    values.mach = Text(store, QStringLiteral("Mach"), values.mach);
    const QVariant language = store.value(QStringLiteral("Language"));
    if (language.isValid())
        values.languageIndex = LanguageFromText(language.toString());
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
