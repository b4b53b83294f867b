#pragma once

#include "batch_option_set.h"
#include "batch_options.h"

#include <QCommandLineParser>

#include <optional>

namespace centrafix {

// A project (.cfx) given as the one picture is read here, before the other
// options, which then take its values where they are not given; a project
// among several pictures is refused. --save-project is read here too.
std::optional<Error> ReadProjectOptions(const QCommandLineParser& parser, const BatchOptionSet& set,
                                        BatchOptions& options);

} // namespace centrafix
