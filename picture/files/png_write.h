#pragma once

#include "engine/error.h"

#include <QIODevice>
#include <QImage>
#include <QString>

#include <optional>

namespace centrafix {

// Writes `image` to `device` as PNG; a failed write is a reason that says
// what went wrong (Because), and nothing on the terminal.
std::optional<Error> WritePng(QIODevice& device, const QImage& image);

// The text a loading chart written as PNG carries under kChartPngKey: a later
// run that is asked for the same chart file may write over a picture that
// carries it, and over no other.
inline constexpr char kChartPngKey[] = "Software";
inline constexpr char kChartPngMark[] = "Centrafix loading chart";

} // namespace centrafix
