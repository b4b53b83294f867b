#pragma once

#include <QIODevice>
#include <QImage>
#include <QString>

namespace centrafix {

// Writes `image` to `device` as PNG; a failed write is one message of ours
// in `why` that says what went wrong, and nothing on the terminal.
bool WritePng(QIODevice& device, const QImage& image, QString& why);

// The text a loading chart written as PNG carries under kChartPngKey: a later
// run that is asked for the same chart file may write over a picture that
// carries it, and over no other.
inline constexpr char kChartPngKey[] = "Software";
inline constexpr char kChartPngMark[] = "Centrafix loading chart";

} // namespace centrafix
