#include "string_table.h"

#include <array>
#include <string_view>

namespace centrafix {
namespace {

struct Message {
    std::string_view german;
    std::string_view english;
};

// Messages 101 to 139 (German) and 201 to 239 (English), indexed by number - 101.
constexpr std::array<Message, 39> kMessages = {{
    {"Ö&ffnen...", "&Open..."},                                       // 101
    {"&Einfügen", "&Paste"},                                          // 102
    {"&Analysieren", "&Analyze"},                                     // 103
    {"Tabelle &Kopieren", "&Copy Table"},                             // 104
    {"Aerodyn. Zentrum A.Z.", "Show Area A.C."},                      // 105
    {"Flächenschwerpunkt S.P.", "Show Area C.G."},                    // 106
    {"Maßstabsfaktor:", "Scale Factor:"},                             // 107
    {"Toleranz:", "Tolerance:"},                                      // 108
    {"Farben:", "Colors:"},                                           // 109
    {"Analysiere", "Analyzing"},                                      // 110
    {"e Flächen", " area(s)"},                                        // 111
    {"Aufsummieren...", "Summing up..."},                             // 112
    {"Zeichnen...", "Plotting..."},                                   // 113
    {"Bereit.", "Ready."},                                            // 114
    {"Windows Bitmap Dateien (*.bmp)|*.bmp|JPEG Bilddateien (*.jpg)|*.jpg|"
     "Compuserve GIF Dateien (*.gif)|*.gif|Windows Metadateien (*.wmf)|*.wmf",
     "Windows Bitmap Files (*.bmp)|*.bmp|JPEG Image Files (*.jpg)|*.jpg|"
     "Compuserve GIF Files (*.gif)|*.gif|Windows Metafiles (*.wmf)|*.wmf"}, // 115
    {"Objekt", "Object"},                                             // 116
    {"Fläche", "Area"},                                               // 117
    {"Gesamt", "total"},                                              // 118
    {"schwarz", "black"},                                             // 119
    {"rot", "red"},                                                   // 120
    {"grün", "green"},                                                // 121
    {"blau", "blue"},                                                 // 122
    {"gelb", "yellow"},                                               // 123
    {"hellblau", "cyan"},                                             // 124
    {"violett", "magenta"},                                           // 125
    {"Pixel", "Pixels"},                                              // 126
    {"skaliert", "scaled"},                                           // 127
    {"A.Z.", "A.C."},                                                 // 128
    {"S.P.", "C.G."},                                                 // 129
    {"Umfang", "Outline"},                                            // 130
    {"Sprache", "Language"},                                          // 131
    {"Suche senkrechte Kanten:", "Searching vertical edges:"},        // 132
    {"Suche waagerechte Kanten:", "Searching horizontal edges:"},     // 133
    {"Die Zwischenablage enthält keine Bitmap Abbildung!",
     "Clipboard contains no bitmap image!"},                          // 134
    {"Aero L bez.", "Aero L ref."},                                   // 135
    {"Abbrechen...", "Aborting..."},                                  // 136
    {"horiz. spiegeln", "Flip horz."},                                // 137
    {"SW tauschen", "Invert B/W"},                                    // 138
    {"Wirkung", "Efficiency"},                                        // 139
}};

} // namespace

std::string LoadLangResString(int ID, int languageIndex)
{
    if (ID < 101 || ID > 139)
        return {};
    const Message& m = kMessages[static_cast<std::size_t>(ID - 101)];
    return std::string(languageIndex == kEnglish ? m.english : m.german);
}

std::string ObjectStatusText(int prefixId, const std::string& name, int languageIndex)
{
    return LoadLangResString(prefixId, languageIndex) + " " + name +
           LoadLangResString(111, languageIndex) + "...";
}

} // namespace centrafix
