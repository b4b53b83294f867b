#pragma once

#include "engine/color_object.h"
#include "engine/defaults.h"
#include "engine/string_table.h"

#include <QString>

#include <array>
#include <memory>

class QSettings;

namespace centrafix {

inline constexpr const char* kSettingsApplication = "Vantorel";
inline constexpr const char* kSettingsSection = "Centrafix";

// What the window keeps between sessions. Texts stay texts: the fields are
// restored as typed and only interpreted when used.
// A default-made one holds what a missing key gives.
struct StoredSettings {
    std::array<double, 8> weights = [] {
        std::array<double, 8> all{};
        all.fill(defaults::kWeight);
        return all;
    }(); // entries 1 to 7
    QString scale = QString::fromUtf8(defaults::kScaleText);
    QString altitude = QString::fromUtf8(defaults::kAltitudeText);
    QString mach = QString::fromUtf8(defaults::kMachText);
    int languageIndex = kGerman;
};

// The per-user store, or the INI file a test names, opened on the section of
// this program.
std::unique_ptr<QSettings> OpenSettingsStore(const QString& iniFile);

// Reads in start-up order: the seven weights, "Scale", "Altitude", "Mach",
// "Language". Missing keys give their defaults.
StoredSettings ReadStoredSettings(QSettings& store);

// Writes all thirteen keys in shutdown order: "Language", "Name", "Path",
// "Scale", "Mach", "Altitude", then the seven weights.
void WriteStoredSettings(QSettings& store, const StoredSettings& values,
                         const QString& programPath);

// The stored language as an index the string table knows. Only 1 and 2 exist;
// anything else (a hand-edited 7, a word) would leave the window without
// captions, so it starts in German and is written back as 1.
int LanguageFromText(const QString& text);

} // namespace centrafix
