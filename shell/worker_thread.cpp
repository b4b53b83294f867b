#include "worker_thread.h"

#include <QThread>

#include <utility>

namespace centrafix {

WorkerThread::WorkerThread(QObject* parent) : QObject(parent)
{}

WorkerThread::~WorkerThread()
{
    wait();
}

bool WorkerThread::start(std::function<void()> work)
{
    Q_ASSERT(m_thread == nullptr);
    m_thread = QThread::create(std::move(work));
    m_thread->setParent(this);
    // QThread::finished is sent from the worker once the work has returned,
    // so, queued, it arrives after every signal the work sent before.
    connect(m_thread, &QThread::finished, this, &WorkerThread::collect, Qt::QueuedConnection);
    m_thread->start();
    // A thread that could not be made is neither running nor finished, and
    // would never say it has ended.
    if (m_thread->isRunning() || m_thread->isFinished())
        return true;
    QMetaObject::invokeMethod(this, &WorkerThread::collect, Qt::QueuedConnection);
    return false;
}

void WorkerThread::wait()
{
    if (m_thread != nullptr)
        m_thread->wait();
}

void WorkerThread::collect()
{
    if (m_thread == nullptr)
        return;
    // The wait returns at once; it is what makes the work's writes visible here.
    m_thread->wait();
    std::exchange(m_thread, nullptr)->deleteLater();
    emit finished();
}

} // namespace centrafix
