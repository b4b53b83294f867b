#include "pool_progress.h"

#include <cstdio>
#include <string>

#include <unistd.h>

namespace centrafix {
namespace {

std::string Clock(qint64 milliseconds)
{
    const qint64 seconds = milliseconds / 1000;
    char text[32];
    std::snprintf(text, sizeof text, "%lld:%02lld", static_cast<long long>(seconds / 60),
                  static_cast<long long>(seconds % 60));
    return text;
}

} // namespace

PoolProgress::PoolProgress(int total) : m_total(total), m_shown(total > 1 && isatty(STDERR_FILENO) == 1)
{
    m_clock.start();
}

void PoolProgress::step(int done)
{
    if (!m_shown)
        return;
    const qint64 elapsed = m_clock.elapsed();
    const qint64 left = done > 0 ? elapsed * (m_total - done) / done : 0;
    std::fprintf(stderr, "\r%d/%d done, %s so far, about %s to go ", done, m_total, Clock(elapsed).c_str(),
                 Clock(left).c_str());
    std::fflush(stderr);
    m_onScreen = true;
}

void PoolProgress::clearLine()
{
    if (m_onScreen)
        std::fputs("\r\033[K", stderr);
    m_onScreen = false;
}

void PoolProgress::finish()
{
    clearLine();
}

} // namespace centrafix
