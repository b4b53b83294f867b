#pragma once

#include "batch_option_set.h"
#include "batch_options.h"

#include <QCommandLineParser>
#include <QStringList>

#include <optional>

namespace centrafix {

// A colour by its number 1 to 7 or its name in either language, as --colors,
// --roles and --height take it.
std::optional<int> ColorIndex(const QString& token);

// --roles, --height, --static-margin, --tail-efficiency and --cg into
// options.inputs.balance; the first thing wrong, naming the option.
std::optional<Error> ReadBalanceOptions(const QCommandLineParser& parser, const BatchOptionSet& set,
                                        BatchOptions& options);

// The same settings as a worker's arguments, read back exactly.
QStringList BalanceArguments(const aero::BalanceSettings& balance);

} // namespace centrafix
