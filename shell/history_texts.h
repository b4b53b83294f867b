#pragma once

#include "engine/message.h"

namespace centrafix {

// The Edit menu and the names of the changes it undoes and redoes.
inline constexpr Message kMenuEdit{"Bea&rbeiten", "&Edit"};
inline constexpr Message kUndo{"&Rückgängig", "&Undo"};
inline constexpr Message kUndoStep{"&Rückgängig: %1", "&Undo %1"};
inline constexpr Message kRedo{"&Wiederherstellen", "&Redo"};
inline constexpr Message kRedoStep{"&Wiederherstellen: %1", "&Redo %1"};
inline constexpr Message kUndone{"Rückgängig gemacht: %1", "Undone: %1"};
inline constexpr Message kRedone{"Wiederhergestellt: %1", "Redone: %1"};
inline constexpr Message kHistoryForgotten{
    "Nicht genug Speicher, um die Änderung rückgängig machen zu können; ältere Schritte sind vergessen.",
    "Not enough memory to keep the change for undo; earlier steps are forgotten."};

inline constexpr Message kStepOpen{"Öffnen", "Open"};
inline constexpr Message kStepPaste{"Einfügen", "Paste"};
inline constexpr Message kStepFlip{"Spiegeln", "Flip"};
inline constexpr Message kStepInvert{"Schwarz/Weiß tauschen", "Invert B/W"};
inline constexpr Message kStepCleanUp{"Farben bereinigen", "Clean up colors"};

inline constexpr Message kSaveWorkingPicture{"&Arbeitsbild speichern...", "Save &working picture..."};
inline constexpr Message kWorkingPictureSaved{"Arbeitsbild gespeichert als %1 (ohne Markierungen).",
                                              "Working picture saved as %1 (without marks)."};

} // namespace centrafix
