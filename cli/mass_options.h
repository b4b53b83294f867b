#pragma once

#include "batch_options.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QStringList>

#include <optional>

namespace centrafix {

// The weight and balance's options: --masses (the mass list, a CSV file),
// --move-item (the item the advice moves) and --ballast-at (where the
// advice's ballast goes).
struct MassOptionSet {
    MassOptionSet();
    void addTo(QCommandLineParser& parser) const;

    QCommandLineOption masses;
    QCommandLineOption moveItem;
    QCommandLineOption ballastAt;
};

// The largest mass list read: far more items than any aircraft has.
inline constexpr qint64 kMaxMassListBytes = 1 << 20;

// The mass list into options.masses and the choice into options.advice; the
// first thing wrong, naming the option or the file and line.
std::optional<Error> ReadMassOptions(const QCommandLineParser& parser, const MassOptionSet& set, BatchOptions& options);

// The same options for a worker process: the list's file by its absolute
// name, and the choice exactly.
QStringList MassArguments(const BatchOptions& options);

} // namespace centrafix
