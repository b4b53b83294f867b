#pragma once

#include "engine/error.h"

#include <QImage>
#include <QObject>

#include <cstdint>
#include <functional>
#include <optional>

namespace centrafix {

class WorkerThread;

// A long operation on the working copy (Invert B/W, Clean up colours) as the
// window runs it: on a worker thread, from a reference of its own to the
// picture, into a picture of its own. The window takes the new picture only
// once the pass has ended, so a pass that runs out of memory leaves the
// working copy as it was.
class PicturePass : public QObject {
    Q_OBJECT

public:
    // What a pass makes: the new picture, and how many pixels it changed
    // where it counts them.
    struct Made {
        QImage picture;
        std::int64_t changed = 0;
        // A step that refused (a fill that leaked, a crooked quadrilateral):
        // the picture stays as it was and the window says why.
        std::optional<Error> refusal;
        // A straightening's scale, in length units per pixel.
        std::optional<double> unitsPerPixel;
    };
    // Runs on the worker: it may read only the picture it is given.
    using Work = std::function<Made(const QImage& picture)>;
    // Runs on the window's thread when the pass has ended: nothing when
    // memory ran out.
    using Done = std::function<void(std::optional<Made> made)>;

    explicit PicturePass(QObject* parent = nullptr);

    // One pass at a time: the caller has waited for the last one's done.
    void start(QImage picture, Work work, Done done);
    bool isRunning() const;
    // Blocks until the work has returned; done still follows.
    void wait();

private:
    void collect();

    WorkerThread* m_worker = nullptr; // a child
    std::optional<Made> m_made;       // the worker's until collect()
    Done m_done;
};

} // namespace centrafix
