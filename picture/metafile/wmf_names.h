#pragma once

#include "engine/message.h"

// What a record holds, as a refusal names it when the record is too short
// for it ("a pen needs 10 bytes, its record holds 2").
namespace centrafix::wmf::name {

inline constexpr Message WindowOrigin{"Fensterursprung", "a window origin"};
inline constexpr Message WindowOffset{"Fensterverschiebung", "a window offset"};
inline constexpr Message WindowExtent{"Fenstergröße", "a window extent"};
inline constexpr Message WindowScaling{"Fensterskalierung", "a window scaling"};
inline constexpr Message FillMode{"Füllmodus", "a fill mode"};
inline constexpr Message BackgroundMode{"Hintergrundmodus", "a background mode"};
inline constexpr Message BackgroundColour{"Hintergrundfarbe", "a background color"};
inline constexpr Message Pen{"Stift", "a pen"};
inline constexpr Message Brush{"Pinsel", "a brush"};
inline constexpr Message PatternBrush{"Musterpinsel", "a pattern brush"};
inline constexpr Message ObjectSelection{"Objektauswahl", "an object selection"};
inline constexpr Message ObjectDeletion{"Objektlöschung", "an object deletion"};
inline constexpr Message StateRestore{"Zustandswiederherstellung", "a state restore"};
inline constexpr Message Move{"Positionswechsel", "a move"};
inline constexpr Message Line{"Linie", "a line"};
inline constexpr Message Rectangle{"Rechteck", "a rectangle"};
inline constexpr Message RoundedRectangle{"abgerundetes Rechteck", "a rounded rectangle"};
inline constexpr Message Polygon{"Vieleck", "a polygon"};
inline constexpr Message Polyline{"Linienzug", "a polyline"};
inline constexpr Message PolyPolygon{"Mehrfachvieleck", "a polypolygon"};
inline constexpr Message PolyPolygonCounts{"Punktzahlen eines Mehrfachvielecks", "a polypolygon's point counts"};
inline constexpr Message PolyPolygonPoints{"Punkte eines Mehrfachvielecks", "a polypolygon's points"};
inline constexpr Message Arc{"Bogen", "an arc"};
inline constexpr Message BitmapTransfer{"Bitmap-Übertragung", "a bitmap transfer"};
inline constexpr Message MixMode{"Mischmodus", "a mix mode"};
inline constexpr Message TextColour{"Textfarbe", "a text color"};
inline constexpr Message TextAlignment{"Textausrichtung", "a text alignment"};
inline constexpr Message Font{"Schrift", "a font"};
inline constexpr Message ClipRectangle{"Clipping-Rechteck", "a clipping rectangle"};
inline constexpr Message ClipRegion{"Clipping-Bereich", "a clipping region"};
inline constexpr Message Pixel{"Pixel", "a pixel"};
inline constexpr Message PatternFill{"Musterfüllung", "a pattern fill"};
inline constexpr Message Text{"Text", "a text"};

} // namespace centrafix::wmf::name
