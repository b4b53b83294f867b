#pragma once

// What every step needs to drive the window and take its pictures: finding
// its controls and actions by object name, waiting (always with a deadline),
// answering a modal dialog while it is open, pointing at picture pixels,
// and writing the pictures. A step that cannot go on says which step and why
// and ends the program with a failure.

#include "guide_window.h"

#include <QDialog>
#include <QEvent>
#include <QImage>
#include <QString>
#include <QStringList>

#include <functional>

class QAction;

namespace centrafix::guide {

class Stage {
public:
    Stage(GuideWindow& window, QString outDir, QStringList only, QString examples);

    GuideWindow& window() { return m_window; }
    // The example file `name` from the guide's examples folder.
    QString example(const QString& name) const;
    // The name failures are reported under.
    void step(const char* name);
    [[noreturn]] void fail(const QString& why) const;

    // Whether the picture `name` was asked for (all are, without --only).
    bool wanted(const char* name) const;
    void save(const char* name, const QImage& picture);
    int saved() const { return m_saved; }

    template <class T>
    T* find(const char* name)
    {
        T* found = m_window.findChild<T*>(QString::fromLatin1(name));
        if (found == nullptr)
            fail(QStringLiteral("the window has no %1").arg(QString::fromLatin1(name)));
        return found;
    }
    // The same inside a dialog, whose fields may share a name with the window's.
    template <class T>
    T* findIn(QWidget& dialog, const char* name)
    {
        T* found = dialog.findChild<T*>(QString::fromLatin1(name));
        if (found == nullptr)
            fail(QStringLiteral("%1 has no %2").arg(dialog.objectName(), QString::fromLatin1(name)));
        return found;
    }
    QAction* action(const char* name) { return find<QAction>(name); }
    // Triggers the enabled action `name` as its menu item would.
    void trigger(const char* name);

    // Lets the window handle what is pending, layouts and repaints included.
    void settle();
    // Waits until `done` holds, at most `ms`; else fails saying `what`.
    void waitUntil(const std::function<bool()>& done, int ms, const QString& what);
    // Waits until the run or picture pass under way has ended, and fails
    // when the window showed a message meanwhile.
    void waitForWork(int ms = 60'000);
    void expectNoMessage();

    // Runs `start`, which opens the modal dialog called `dialogName`, and
    // `inside` while it is open; `inside` closes it (accept or reject).
    void withDialog(const char* dialogName, const std::function<void()>& start,
                    const std::function<void(QDialog&)>& inside, int ms = 20'000);

    // Mouse events on the picture, at the middle of picture pixel `pixel`.
    void pictureMouse(QEvent::Type type, Qt::MouseButton button, QPointF pixel);
    void clickPicture(QPointF pixel, Qt::MouseButton button = Qt::LeftButton);
    // Esc where the focus is, which ends a picture tool.
    void pressEsc();
    // Moves a dialog beside the picture, over the fields, so that it hides
    // less of what it is about (a window manager would let the user do so).
    void moveAside(QDialog& dialog);
    // Moves it to the window's lower right corner, over the results.
    void moveDown(QDialog& dialog);
    // Drags the dividers: the results' panel `height` pixels high, the
    // report's part of it `width` pixels wide.
    void resizeResults(int height, int width);

    // The window as it is on the screen.
    QImage grabWindow();
    // The window with `popup` (a dialog or a menu, a window of its own)
    // painted over it where it stands, with a plain frame and title bar:
    // without a window manager nothing else would draw them.
    QImage grabWithPopup(QWidget* popup);
    // The same cut down to the popup with its title bar and frame: a
    // dialog shown on its own, whatever the window behind it holds.
    QImage grabPopupAlone(QWidget* popup, int margin = 1);
    // The part of the window the widgets cover, with a small margin.
    QImage grabParts(const QList<QWidget*>& parts, int margin = 6);

private:
    GuideWindow& m_window;
    QString m_outDir;
    QStringList m_only;
    QString m_examples;
    QString m_step;
    int m_messagesSeen = 0;
    int m_saved = 0;
};

} // namespace centrafix::guide
