#pragma once

#include "engine/message.h"

namespace centrafix {

// The project file's commands in the File menu, and what they say.
inline constexpr Message kSaveProject{"&Projekt speichern", "Save pro&ject"};
inline constexpr Message kSaveProjectAs{"Projekt speichern &unter...", "Save project &as..."};
inline constexpr Message kRecentFiles{"&Zuletzt geöffnet", "&Recent files"};
inline constexpr Message kNoRecentFiles{"(keine)", "(none)"};
inline constexpr Message kProjectFilter{"Centrafix-Projekte (*.cfx)", "Centrafix projects (*.cfx)"};
inline constexpr Message kPicturesAndProjects{"Bilder und Projekte", "Pictures and projects"};
inline constexpr Message kProjectSaved{"Projekt gespeichert: %1", "Project saved: %1"};
inline constexpr Message kProjectOpened{"Projekt geöffnet: %1", "Project opened: %1"};
inline constexpr Message kRecentGone{"%1 gibt es nicht mehr; der Eintrag wird aus der Liste entfernt.",
                                     "%1 no longer exists; it is removed from the list."};
inline constexpr Message kSaveChanges{"Die Änderungen an %1 sind nicht gespeichert. Als Projekt speichern?",
                                      "The changes to %1 are not saved. Save them as a project?"};
inline constexpr Message kUntitled{"dieser Arbeit", "this work"};
inline constexpr Message kTipSaveProject{
    "Bild, Felder, Farben, Schwerpunkt-Einstellungen und Massen als Projekt (.cfx) speichern – Strg+S",
    "Save the picture, fields, colors, balance settings and masses as a project (.cfx) – Ctrl+S"};

} // namespace centrafix
