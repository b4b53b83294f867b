#include "picture/clipboard_picture.h"

#include "picture/formats/working_copy.h"

#include <QMimeData>
#include <QVariant>

namespace centrafix {

namespace {

constexpr Message kClipboard{"Zwischenablage: %1", "Clipboard: %1"};
constexpr Message kNoPicture{"enthält kein Bild", "holds no picture"};
constexpr Message kUnreadable{"ihr Bild kann nicht gelesen werden (beschädigt oder zu groß zum Entschlüsseln)",
                              "its picture cannot be read (damaged, or too large to decode)"};

Error ClipboardError(ErrorArg problem)
{
    return Described({}, kClipboard, {std::move(problem)});
}

} // namespace

PictureLoad PictureFromMimeData(const QMimeData* data)
{
    if (data == nullptr || !data->hasImage())
        return ClipboardError(kNoPicture);
    // The platform decodes the clipboard's bytes inside imageData(), under
    // Qt's allocation limit, which main has raised to our own: a large
    // picture fails or loads the same way whether pasted or opened.
    QImage image = qvariant_cast<QImage>(data->imageData());
    if (image.isNull())
        return ClipboardError(kUnreadable);
    if (std::optional<Error> problem = PictureSizeProblem({}, image.width(), image.height()))
        return ClipboardError(ReasonOf(*problem));
    return ToWorkingCopy(std::move(image));
}

} // namespace centrafix
