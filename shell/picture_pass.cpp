#include "picture_pass.h"

#include "worker_thread.h"

#include <new>
#include <utility>

namespace centrafix {

PicturePass::PicturePass(QObject* parent) : QObject(parent), m_worker(new WorkerThread(this))
{
    connect(m_worker, &WorkerThread::finished, this, &PicturePass::collect);
}

void PicturePass::start(QImage picture, Work work, Done done)
{
    m_made.reset();
    m_done = std::move(done);
    // A pass whose thread could not be made has made nothing, as one that
    // ran out of memory.
    (void)m_worker->start([this, picture = std::move(picture), work = std::move(work)] {
        try {
            m_made = work(picture);
        } catch (const std::bad_alloc&) {
            m_made.reset();
        }
    });
}

bool PicturePass::isRunning() const
{
    return m_worker->isBusy();
}

void PicturePass::wait()
{
    m_worker->wait();
}

void PicturePass::collect()
{
    if (Done done = std::exchange(m_done, nullptr))
        done(std::exchange(m_made, std::nullopt));
}

} // namespace centrafix
