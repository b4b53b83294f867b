#pragma once

#include "engine/color_object.h"
#include "engine/defaults.h"
#include "engine/error.h"
#include "engine/message.h"
#include "engine/string_table.h"

#include "aero/balance.h"
#include "picture/edits/paint_fill.h"

#include <QLocale>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

namespace centrafix {

inline constexpr const char* kSettingsApplication = "Vantorel";
inline constexpr const char* kSettingsSection = "Centrafix";

inline constexpr Message kSettingsUnreadable{"Einstellungen unlesbar: Standardwerte verwendet.",
                                             "Settings unreadable: defaults used."};

// The panels' sizes as the user left them, in pixels: the side panel's
// width, the results panel's height and the report's width in it. None: not
// kept, or nothing a size could be; the window's own then.
struct PanelSizes {
    std::optional<int> side;
    std::optional<int> results;
    std::optional<int> report;
};

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
    QString tolerance = QString::fromUtf8(defaults::kToleranceText);
    std::optional<int> languageIndex; // none stored: the locale's
    // The window's own: its size and place (QWidget::saveGeometry in base64)
    // and how the picture is zoomed ("fit" or a factor). Empty: not kept.
    QString windowGeometry;
    QString zoomMode;
    PanelSizes panels;
    // The measuring tools' own: the unit a scale line was given (shown in the
    // report) and the last clean-up threshold, as typed. Empty: never given;
    // a unit given as "" stays "" so that clearing it sticks.
    std::optional<QString> unit;
    std::optional<QString> cleanUpThreshold;
    // The balance: roles, heights, margins, tail efficiency and a typed C.G.
    // (a stored value that is not one the window would take keeps the
    // default), and whether its marks are drawn.
    aero::BalanceSettings balance;
    bool showBalance = true;
    // The plan tools': how a fill tells lines from paper, and the colour
    // mapping's tolerance (a stored value out of range keeps the default).
    FillSettings fill;
    double mapTolerance = defaults::kMapTolerance;
    // The pictures and projects opened or saved last, newest first, at most
    // kMaxRecentFiles (RecentFiles, one path a line).
    QStringList recentFiles;
    // The report's paper ("a4", "letter") once the user chose one; none:
    // the locale's.
    std::optional<QString> paper;
};

inline constexpr qsizetype kMaxRecentFiles = 8;

// The settings file: the INI file a test names, or the user's own, where
// QSettings kept them before ($XDG_CONFIG_HOME/Vantorel/Vantorel.conf), so
// the settings of earlier versions stay.
QString SettingsFilePath(const QString& iniFile);

// What was read, and whether anything of it could not be: a file too large
// or not readable, or a key of ours holding no plain text. What could not be
// read keeps its default; a missing file or key is no fault.
struct SettingsRead {
    StoredSettings values;
    bool unreadable = false;
};
SettingsRead ReadStoredSettings(const QString& path);

// Writes all fourteen keys of the section in this order: "Language", "Name",
// "Path", "Scale", "Mach", "Altitude", "Tolerance", then the seven weights,
// and after them "WindowGeometry", "ZoomMode", "Unit", "CleanUpThreshold",
// "SidePanelWidth", "ResultsPanelHeight" and "ReportWidth" when they are set,
// then the balance's: "Role1" to "Role7", "Height1" to "Height7",
// "MarginLow", "MarginHigh", "TailEfficiency", "ShowBalance" and "TypedCg",
// then the plan tools': "LineThreshold", "FillGap" and "MapTolerance",
// each when it differs from its default or the file has it already, and
// "Paper" when set. Every other line of the file stays byte for byte, and a
// failed write leaves the old file; a file that cannot be read is not written
// over.
std::optional<Error> WriteStoredSettings(const QString& path, const StoredSettings& values, const QString& programPath);

// The language of the window for a user who has not chosen one: German for
// a German locale (de_DE, de_AT, de_CH, ...), English for any other, the C
// locale included.
int LanguageOfLocale(const QLocale& locale);

// The stored language as an index the string table knows. Only 1 and 2 exist;
// anything else (a hand-edited 7, a word) would leave the window without
// captions, so it starts in German and is written back as 1.
int LanguageFromText(const QString& text);

} // namespace centrafix
