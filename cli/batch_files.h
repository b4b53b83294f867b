#pragma once

#include "engine/error.h"
#include "engine/loading_table.h"

#include <QImage>
#include <QString>

#include <optional>
#include <string>

namespace centrafix {

// The files a batch run writes besides standard output. Each is written whole
// or not at all (an existing file is left as it was), and a failure names the
// file and the system's reason.
std::optional<Error> WriteAnnotatedPicture(const QString& path, const QImage& image);
std::optional<Error> WriteWorkingPicture(const QString& path, const QImage& image);
std::optional<Error> WriteLoadingTable(const QString& path, const LoadingTable& table);

} // namespace centrafix
