#pragma once

#include <QElapsedTimer>

namespace centrafix {

// The line on a terminal that tells how far a run of many pictures is:
// "12/200 done, 0:04 so far, about 1:02 to go". Nothing when standard error
// is not a terminal (a pipe, a file) or there is only one picture.
class PoolProgress {
public:
    explicit PoolProgress(int total);

    void step(int done);
    // Before another line is written to standard error.
    void clearLine();
    void finish();

private:
    int m_total;
    bool m_shown;
    bool m_onScreen = false;
    QElapsedTimer m_clock;
};

} // namespace centrafix
