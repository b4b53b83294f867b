#pragma once

#include "engine/color_object.h"
#include "engine/error.h"
#include "engine/field_captions.h"
#include "engine/message.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace centrafix {

// The texts the window builds from its state: colour-list entries, status
// read-outs, the report's size line and the messages for unusable fields.
// Kept apart from the widgets so each rule can be read (and checked) on its own.

// Captions the window shows alike in both languages, and its own messages.
// A language is named in itself, whichever language the window shows.
inline constexpr Message kCopyBitmapCaption{"Bitmap kopieren", "Copy Bitmap"};
// The drag fields are called in their captions what their errors call them.
inline constexpr const Message& kAltitudeCaption = caption::Altitude;
inline constexpr const Message& kMachCaption = caption::Mach;
inline constexpr Message kGermanName{"Deutsch", "Deutsch"};
inline constexpr Message kEnglishName{"English", "English"};
inline constexpr Message kTableCopied{"Tabelle mit %1 Zeilen in der Zwischenablage.",
                                      "Table of %1 rows copied to the clipboard."};
inline constexpr Message kBitmapCopied{"Bild mit %1 x %2 Pixeln in der Zwischenablage.",
                                       "Picture of %1 x %2 pixels copied to the clipboard."};
inline constexpr Message kTableTooLarge{
    "Die Auftriebstabelle hat %1 Zeilen, mehr als die %2, die in die Zwischenablage gehen; "
    "centrafix-cli --loading-table schreibt sie in eine Datei.",
    "The loading table has %1 rows, more than the %2 that go to the clipboard; "
    "centrafix-cli --loading-table writes it to a file."};
inline constexpr Message kPastedPicture{"eingefügtes Bild", "pasted picture"};
inline constexpr Message kTickAll{"Alle ankreuzen", "Tick all"};
inline constexpr Message kUntickAll{"Kein Kreuz", "Untick all"};
inline constexpr Message kNotEnoughMemory{"Nicht genug Speicher für dieses Bild.",
                                          "Not enough memory for this picture."};
inline constexpr Message kNotEnoughMemoryToAnalyse{"Nicht genug Speicher, um dieses Bild zu analysieren.",
                                                   "Not enough memory to analyze this picture."};

// A colour-list entry: the name, " W=" and the weight in general format with
// ".", which is what the weight edit reads back.
std::string ColorEntryText(const ColorObject& object);

// The weight an edited entry text asks for: the lenient number after the first
// case-sensitive "W=" (either decimal separator the locale allows), nothing
// when the text holds no "W=", or an error when the number would be cut short
// ("W=2,5" where "," is no decimal separator).
Result<std::optional<double>> WeightFromEditedText(std::string_view newString, std::string_view localeSeparator);

// The first colour object (1 to 7) whose name begins `text`, or 0. No name of
// one language begins another ("blau" / "hellblau"), so an entry that still
// starts with its own name always finds its own colour.
int FindColorEntry(std::string_view text, const ColorObjectTable& objects);

// "red:  RGB(255,0,0)"
std::string ColorReadout(const ColorObject& object);

// The status text while the pointer moves over the picture:
// "x = 12.50, y = -3.00." The scale is single precision, as the read-out
// always showed it.
std::string PointerReadout(float scale, float X, float Y, double OriginX, double OriginY,
                           std::string_view decimalSeparator);

// The status text of a click: "(12.50/-3.00), RGB(255,0,0)", measured from
// the origin as it was before the click.
std::string ClickReadout(double scale, float X, float Y, double OriginX, double OriginY, std::int32_t color,
                         std::string_view decimalSeparator);

// The status text shown instead of a read-out when the scale field gives no
// usable factor (an expression the evaluator rejects, or 0).
QString ScaleProblemText(const QString& scaleText, int languageIndex);

// The open dialog's filter list ("text|pattern|text|pattern...") in Qt's form
// ("text (pattern);;..."), followed by one entry for every picture the program
// reads, which is the one the dialog starts with.
struct OpenDialogFilter {
    QString filter;
    QString selected;
};
OpenDialogFilter QtFileFilter(const std::string& filterList, int languageIndex);

// The window's title: the program, and the picture's file name when it is not
// the built-in example.
QString WindowTitle(const QString& pictureName);

} // namespace centrafix
