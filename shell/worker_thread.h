#pragma once

#include <QObject>

#include <functional>

class QThread;

namespace centrafix {

// Runs one piece of long work at a time on a thread of its own, so that the
// window keeps repainting and taking keys meanwhile. The work talks to the
// window only through signals, which the window receives queued, in the order
// they were sent; finished() comes after all of them, on the owner's thread,
// so what the work left behind may be taken there without a lock.
class WorkerThread : public QObject {
    Q_OBJECT

public:
    explicit WorkerThread(QObject* parent = nullptr);
    // Waits for the work: whatever it reads must outlive it.
    ~WorkerThread() override;

    // Starts `work` on the worker. Only one at a time: the caller has waited
    // for finished() of the last. False when no thread could be made (the
    // process is out of memory): the work is not run, finished() still comes.
    bool start(std::function<void()> work);
    // From start() until finished() has been delivered.
    bool isBusy() const { return m_thread != nullptr; }
    // Blocks until the work has returned; finished() still follows.
    void wait();

signals:
    void finished();

private:
    void collect();

    QThread* m_thread = nullptr; // a child of this object while the work goes
};

} // namespace centrafix
