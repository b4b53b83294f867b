#include "window_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QString>

#include <memory>

namespace centrafix {

namespace {

void ReplaceClipboard(std::unique_ptr<QMimeData> data)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setMimeData(data.release()); // the clipboard owns it from here
}

} // namespace

void PutOnClipboard(const QString& text)
{
    auto data = std::make_unique<QMimeData>();
    data->setText(text);
    ReplaceClipboard(std::move(data));
}

void PutOnClipboard(const QImage& image)
{
    auto data = std::make_unique<QMimeData>();
    data->setImageData(image);
    ReplaceClipboard(std::move(data));
}

} // namespace centrafix
