#pragma once

#include "picture/formats/picture_load.h"
#include "picture/formats/plan_document.h"
#include "picture/formats/working_copy.h"

#include <QImage>
#include <QString>

#include <memory>

class QFile;
class QIODevice;

namespace centrafix {

// Reads a picture file into a working copy (32-bit RGB, transparency
// composited onto white). On failure the error's subject is the path and its
// reason the problem; nothing else is touched.
// A PDF or SVG plan is drawn as `plan` says (page 1 at the default
// resolution without it).
PictureLoad LoadPictureFile(const QString& path);
PictureLoad LoadPictureFile(const QString& path, const PlanPageChoice& plan);

// The file at `path` opened for reading, or why it is no picture file to
// read (no name, missing, a folder or device, unreadable, empty): the checks
// LoadPictureFile makes before it decodes anything.
Result<std::unique_ptr<QFile>> OpenPictureFile(const QString& path);

// Whether a picture with this name and these first bytes must be read whole
// whatever its format (a metafile, or a file named as one).
bool NeedsWholePicture(const QString& name, const QByteArray& head);

// The decoding behind LoadPictureFile, for a picture that arrives as bytes
// (an open device, a QBuffer say): the format is decided by the content.
// `name` is the error's subject; its extension matters only in that a ".wmf"
// whose content is no metafile is refused as that.
PictureLoad DecodePicture(QIODevice* device, const QString& name);

// The built-in example, present from start-up without any file.
QImage ExamplePicture();

} // namespace centrafix
