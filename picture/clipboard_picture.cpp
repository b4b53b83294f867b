#include "clipboard_picture.h"

#include <QMimeData>
#include <QVariant>

namespace centrafix {

PictureLoad PictureFromMimeData(const QMimeData* data)
{
    const QString name = QStringLiteral("Clipboard");
    PictureLoad load;
    if (data == nullptr || !data->hasImage()) {
        load.error = QStringLiteral("%1: holds no picture").arg(name);
        return load;
    }
    // The platform decodes the clipboard's bytes inside imageData(), under
    // Qt's allocation limit: raise it to our own first, so that a large
    // picture fails or loads the same way whether pasted or opened.
    RaiseImageAllocationLimit();
    QImage image = qvariant_cast<QImage>(data->imageData());
    if (image.isNull()) {
        load.error = QStringLiteral("%1: its picture cannot be read (damaged, or too large to decode)").arg(name);
        return load;
    }
    if (const QString problem = PictureSizeProblem(image.size()); !problem.isEmpty()) {
        load.error = QStringLiteral("%1: %2").arg(name, problem);
        return load;
    }
    load.image = ToWorkingCopy(std::move(image));
    return load;
}

} // namespace centrafix
