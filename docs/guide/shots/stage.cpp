#include "stage.h"

#include "shell/picture_view.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QMouseEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QSplitter>
#include <QTimer>

#include <cstdio>
#include <cstdlib>

namespace centrafix::guide {

Stage::Stage(GuideWindow& window, QString outDir, QStringList only, QString examples)
    : m_window(window),
      m_outDir(std::move(outDir)),
      m_only(std::move(only)),
      m_examples(std::move(examples))
{
}

QString Stage::example(const QString& name) const
{
    const QString path = QDir(m_examples).filePath(name);
    if (!QFileInfo::exists(path))
        fail(QStringLiteral("the example %1 is missing").arg(path));
    return path;
}

void Stage::step(const char* name)
{
    m_step = QString::fromLatin1(name);
}

// Ends at once: the step may be deep inside a dialog's event loop, where
// nothing unwinds cleanly.
void Stage::fail(const QString& why) const
{
    std::fprintf(stderr, "centrafix-guide-shots: step %s failed: %s\n", qPrintable(m_step), qPrintable(why));
    std::fflush(stderr);
    std::_Exit(1);
}

bool Stage::wanted(const char* name) const
{
    return m_only.isEmpty() || m_only.contains(QString::fromLatin1(name));
}

void Stage::save(const char* name, const QImage& picture)
{
    if (!wanted(name))
        return;
    if (picture.isNull())
        fail(QStringLiteral("the picture %1 is empty").arg(QString::fromLatin1(name)));
    const QString path = QDir(m_outDir).filePath(QString::fromLatin1(name) + QStringLiteral(".png"));
    // No gamma, no time: the same pixels give the same file; compressed
    // as far as the PNG writer goes (quality 0), as they go into the sources.
    QImage plain = picture.convertToFormat(QImage::Format_RGB32);
    plain.setDotsPerMeterX(3780);
    plain.setDotsPerMeterY(3780);
    if (!plain.save(path, "PNG", 0))
        fail(QStringLiteral("cannot write %1").arg(path));
    ++m_saved;
    std::printf("%s\n", qPrintable(path));
    std::fflush(stdout);
}

void Stage::trigger(const char* name)
{
    QAction* a = action(name);
    if (!a->isEnabled())
        fail(QStringLiteral("%1 is not enabled").arg(QString::fromLatin1(name)));
    a->trigger();
}

void Stage::settle()
{
    for (int i = 0; i < 5; ++i) {
        QApplication::sendPostedEvents();
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
}

void Stage::waitUntil(const std::function<bool()>& done, int ms, const QString& what)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > ms)
            fail(QStringLiteral("%1 did not happen within %2 s").arg(what).arg(ms / 1000.0));
        // A loop of its own that a timer ends: the deadline is looked at
        // again even when nothing else happens.
        QEventLoop pause;
        QTimer::singleShot(10, &pause, &QEventLoop::quit);
        pause.exec();
    }
    settle();
}

void Stage::waitForWork(int ms)
{
    waitUntil([this] { return !m_window.isBusy(); }, ms, QStringLiteral("the end of the work"));
    expectNoMessage();
}

void Stage::expectNoMessage()
{
    if (m_window.messages.size() > m_messagesSeen)
        fail(QStringLiteral("the window said: %1").arg(m_window.messages.last()));
    m_messagesSeen = static_cast<int>(m_window.messages.size());
}

void Stage::withDialog(const char* dialogName, const std::function<void()>& start,
                       const std::function<void(QDialog&)>& inside, int ms)
{
    const QString wantedName = QString::fromLatin1(dialogName);
    bool seen = false;
    QElapsedTimer clock;
    clock.start();
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        auto* dialog = qobject_cast<QDialog*>(modal);
        if (!seen && dialog != nullptr && dialog->objectName() == wantedName && dialog->isVisible()) {
            seen = true;
            poll.stop();
            settle();
            inside(*dialog);
            if (dialog->isVisible())
                fail(QStringLiteral("%1 stayed open").arg(wantedName));
            return;
        }
        if (clock.elapsed() > ms) {
            const QString other = modal != nullptr ? modal->objectName() + QLatin1Char(' ') + modal->windowTitle()
                                                   : QStringLiteral("none");
            fail(QStringLiteral("%1 did not open within %2 s (open: %3)").arg(wantedName).arg(ms / 1000.0).arg(other));
        }
    });
    poll.start(20);
    start();
    poll.stop();
    if (!seen)
        fail(QStringLiteral("%1 did not open").arg(wantedName));
    settle();
}

void Stage::pictureMouse(QEvent::Type type, Qt::MouseButton button, QPointF pixel)
{
    auto* view = find<PictureView>("picSide");
    const QPointF at((pixel.x() + 0.5) * view->zoom(), (pixel.y() + 0.5) * view->zoom());
    const QPointF back = view->pictureAt(at);
    if (std::abs(back.x() - std::floor(pixel.x())) > 1 || std::abs(back.y() - std::floor(pixel.y())) > 1)
        fail(QStringLiteral("pixel %1,%2 is not where the view shows it").arg(pixel.x()).arg(pixel.y()));
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent event(type, at, view->mapToGlobal(at), type == QEvent::MouseMove ? Qt::NoButton : button, held,
                      Qt::NoModifier);
    QApplication::sendEvent(view, &event);
    settle();
}

void Stage::clickPicture(QPointF pixel, Qt::MouseButton button)
{
    pictureMouse(QEvent::MouseButtonPress, button, pixel);
    pictureMouse(QEvent::MouseButtonRelease, button, pixel);
}

void Stage::pressEsc()
{
    QWidget* focus = QApplication::focusWidget();
    QWidget* to = focus != nullptr ? focus : &m_window;
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(to, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(to, &release);
    settle();
}

void Stage::moveAside(QDialog& dialog)
{
    const QPoint corner = m_window.mapToGlobal(QPoint(m_window.width(), m_window.height() / 2));
    dialog.move(corner.x() - dialog.width() - 12, corner.y() - dialog.height() / 2);
    settle();
}

void Stage::moveDown(QDialog& dialog)
{
    const QPoint corner = m_window.mapToGlobal(QPoint(m_window.width(), m_window.height()));
    dialog.move(corner.x() - dialog.width() - 12, corner.y() - dialog.height() - 40);
    settle();
}

void Stage::resizeResults(int height, int width)
{
    auto* main = find<QSplitter>("splitMain");
    const int total = main->sizes().value(0) + main->sizes().value(1);
    main->setSizes({total - height, height});
    auto* results = find<QSplitter>("splitResults");
    const int across = results->sizes().value(0) + results->sizes().value(1);
    results->setSizes({across - width, width});
    settle();
}

QImage Stage::grabWindow()
{
    settle();
    return m_window.grab().toImage();
}

QImage Stage::grabWithPopup(QWidget* popup)
{
    QImage shot = grabWindow();
    const QImage face = popup->grab().toImage();
    const bool titled = popup->isWindow() && qobject_cast<QDialog*>(popup) != nullptr;
    const int bar = titled ? popup->fontMetrics().height() + 8 : 0;
    // Where the popup stands, relative to the window's top left corner.
    QPoint at = popup->mapToGlobal(QPoint(0, 0)) - m_window.mapToGlobal(QPoint(0, 0));
    at.setY(std::max(at.y(), bar + 1));
    QPainter painter(&shot);
    if (titled) {
        painter.fillRect(QRect(at.x(), at.y() - bar, face.width(), bar), QColor(0x3a, 0x4a, 0x5c));
        painter.setPen(Qt::white);
        painter.setFont(popup->font());
        painter.drawText(QRect(at.x() + 8, at.y() - bar, face.width() - 16, bar), Qt::AlignVCenter | Qt::AlignLeft,
                         popup->windowTitle());
    }
    painter.drawImage(at, face);
    painter.setPen(QColor(0x30, 0x30, 0x30));
    painter.drawRect(QRect(at.x() - 1, at.y() - bar - 1, face.width() + 1, face.height() + bar + 1));
    return shot;
}

QImage Stage::grabPopupAlone(QWidget* popup, int margin)
{
    const QImage shot = grabWithPopup(popup);
    const int bar = popup->fontMetrics().height() + 8;
    QPoint at = popup->mapToGlobal(QPoint(0, 0)) - m_window.mapToGlobal(QPoint(0, 0));
    at.setY(std::max(at.y(), bar + 1));
    const QRect area(at.x(), at.y() - bar, popup->width(), popup->height() + bar);
    return shot.copy(area.adjusted(-margin, -margin, margin, margin).intersected(shot.rect()));
}

QImage Stage::grabParts(const QList<QWidget*>& parts, int margin)
{
    QRect covered;
    for (QWidget* part : parts) {
        if (!part->isVisible())
            fail(QStringLiteral("%1 is not shown").arg(part->objectName()));
        covered |= QRect(part->mapTo(&m_window, QPoint(0, 0)), part->size());
    }
    const QImage shot = grabWindow();
    return shot.copy(covered.adjusted(-margin, -margin, margin, margin).intersected(shot.rect()));
}

} // namespace centrafix::guide
