#pragma once

// The names a project file (.cfx) uses, in one place for its writer and its
// reader. They are a file format: a saved project must keep reading, so a
// name is never changed or reused, only added (with a new version).
namespace centrafix::project_keys {

inline constexpr char kFormatName[] = "centrafix-project";
// The version this program writes; it reads every one up to it.
inline constexpr int kVersion = 1;

inline constexpr char kFormat[] = "format";
inline constexpr char kVersionKey[] = "version";

inline constexpr char kPicture[] = "picture";
inline constexpr char kPicturePath[] = "path";
inline constexpr char kPictureName[] = "name";
inline constexpr char kPicturePasted[] = "pasted";
inline constexpr char kPicturePng[] = "png";

inline constexpr char kScale[] = "scale";
inline constexpr char kUnit[] = "unit";
inline constexpr char kTolerance[] = "tolerance";
inline constexpr char kAltitude[] = "altitude";
inline constexpr char kMach[] = "mach";

inline constexpr char kOrigin[] = "origin";
inline constexpr char kColumn[] = "column";
inline constexpr char kRow[] = "row";
inline constexpr char kX[] = "x";
inline constexpr char kY[] = "y";

// Colours 1 to 7, in the colour list's order.
inline constexpr char kColors[] = "colors";
inline constexpr char kTicked[] = "ticked";
inline constexpr char kNotFound[] = "not_found";
inline constexpr char kWeight[] = "weight";
inline constexpr char kRole[] = "role";
inline constexpr char kHeight[] = "height";

inline constexpr char kBalance[] = "balance";
inline constexpr char kMarginLow[] = "static_margin_low";
inline constexpr char kMarginHigh[] = "static_margin_high";
inline constexpr char kTailEfficiency[] = "tail_efficiency";
inline constexpr char kCgX[] = "cg_x"; // null: none typed

inline constexpr char kMasses[] = "masses";
inline constexpr char kMassName[] = "name";
inline constexpr char kMass[] = "mass";

inline constexpr char kAdvice[] = "advice";
inline constexpr char kMoveItem[] = "move_item";  // -1: none
inline constexpr char kBallastX[] = "ballast_x"; // null: at the nose

} // namespace centrafix::project_keys
