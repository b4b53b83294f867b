#pragma once

#include "message.h"

#include <string>

namespace centrafix {

// The numbered messages 101 to 139 (German; 201 to 239 English), by name.
// Code uses the names; the numbers, which the messages have always been known
// by, remain beside them.
namespace msg {
inline constexpr Message Open{"Ö&ffnen...", "&Open..."};                          // 101
inline constexpr Message Paste{"&Einfügen", "&Paste"};                            // 102
inline constexpr Message Analyze{"A&nalysieren", "&Analyze"};                     // 103
inline constexpr Message CopyTable{"Tabelle &Kopieren", "&Copy Table"};           // 104
inline constexpr Message ShowAreaAC{"Aerodyn. Zentrum A.Z.", "Show Area A.C."};   // 105
inline constexpr Message ShowAreaCG{"Flächenschwerpunkt S.P.", "Show Area C.G."}; // 106
inline constexpr Message ScaleFactorCaption{"Maßstabsfaktor:", "Scale Factor:"};  // 107
inline constexpr Message ToleranceCaption{"Toleranz:", "Tolerance:"};             // 108
inline constexpr Message ColorsCaption{"Farben:", "Colors:"};                     // 109
inline constexpr Message Analyzing{"Analysiere", "Analyzing"};                    // 110
inline constexpr Message AreasSuffix{"e Flächen", " area(s)"};                    // 111
inline constexpr Message SummingUp{"Aufsummieren...", "Summing up..."};           // 112
inline constexpr Message Plotting{"Zeichnen...", "Plotting..."};                  // 113
inline constexpr Message Ready{"Bereit.", "Ready."};                              // 114
inline constexpr Message FileFilter{
    "Windows Bitmap Dateien (*.bmp)|*.bmp|JPEG Bilddateien (*.jpg)|*.jpg|"
    "Compuserve GIF Dateien (*.gif)|*.gif|Windows Metadateien (*.wmf)|*.wmf",
    "Windows Bitmap Files (*.bmp)|*.bmp|JPEG Image Files (*.jpg)|*.jpg|"
    "Compuserve GIF Files (*.gif)|*.gif|Windows Metafiles (*.wmf)|*.wmf"};                                // 115
inline constexpr Message Object{"Objekt", "Object"};                                                      // 116
inline constexpr Message Area{"Fläche", "Area"};                                                          // 117
inline constexpr Message Total{"Gesamt", "total"};                                                        // 118
inline constexpr Message Black{"schwarz", "black"};                                                       // 119
inline constexpr Message Red{"rot", "red"};                                                               // 120
inline constexpr Message Green{"grün", "green"};                                                          // 121
inline constexpr Message Blue{"blau", "blue"};                                                            // 122
inline constexpr Message Yellow{"gelb", "yellow"};                                                        // 123
inline constexpr Message Cyan{"hellblau", "cyan"};                                                        // 124
inline constexpr Message Magenta{"violett", "magenta"};                                                   // 125
inline constexpr Message Pixels{"Pixel", "Pixels"};                                                       // 126
inline constexpr Message Scaled{"skaliert", "scaled"};                                                    // 127
inline constexpr Message AC{"A.Z.", "A.C."};                                                              // 128
inline constexpr Message CG{"S.P.", "C.G."};                                                              // 129
inline constexpr Message Outline{"Umfang", "Outline"};                                                    // 130
inline constexpr Message LanguageCaption{"Sprache", "Language"};                                          // 131
inline constexpr Message SearchingVertical{"Suche senkrechte Kanten:", "Searching vertical edges:"};      // 132
inline constexpr Message SearchingHorizontal{"Suche waagerechte Kanten:", "Searching horizontal edges:"}; // 133
inline constexpr Message NoClipboardBitmap{"Die Zwischenablage enthält keine Bitmap Abbildung!",
                                           "Clipboard contains no bitmap image!"}; // 134
inline constexpr Message AeroLRef{"Aero L bez.", "Aero L ref."};                   // 135
inline constexpr Message Aborting{"Abbrechen...", "Aborting..."};                  // 136
inline constexpr Message FlipHorz{"horiz. spiegeln", "Flip horz."};                // 137
inline constexpr Message InvertBW{"SW tauschen", "Invert B/W"};                    // 138
inline constexpr Message Efficiency{"Wirkung", "Efficiency"};                      // 139
} // namespace msg

// The name of colour-object entry i (0 the total, 1 to 7 the colours).
const Message& ColorNameMessage(int i);

// The status text of an object pass: `prefix` (Analyzing or one of the edge
// searches), a blank, the object's name, AreasSuffix and "...".
std::string ObjectStatusText(const Message& prefix, const std::string& name, int languageIndex);

} // namespace centrafix
