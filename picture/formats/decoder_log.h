#pragma once

#include <memory>
#include <string>
#include <vector>

namespace centrafix {

// While it lives, what the decoding libraries say on this thread is kept here
// instead of reaching the terminal: Qt's messages (Qt's readers pass libjpeg's
// and libpng's warnings on that way) and libtiff's messages about the files
// Qt's reader opens. Both libraries have one process-wide handler; ours is
// installed once and hands each message to the log of the thread that
// speaks, so decodes on several threads neither wait for each other nor mix
// their words, and the process's standard error is never touched. Readers
// that drive a library themselves hear it through that library's own
// per-decoder callbacks and need no log. Logs nest: the innermost one of a
// thread hears.
class DecoderLog {
public:
    DecoderLog();
    ~DecoderLog();
    DecoderLog(const DecoderLog&) = delete;
    DecoderLog& operator=(const DecoderLog&) = delete;

    // Keeps a line said by a library heard through its own callback, so that
    // it joins the others in the order spoken.
    void keep(std::string line);

    // Ends the log and gives what was said, one message a line, with the
    // speakers' names ("libpng error:", "TIFFReadDirectory:") taken off and
    // control characters made blanks. Later calls give nothing.
    std::vector<std::string> finish();

private:
    std::unique_ptr<std::vector<std::string>> m_said;
    std::vector<std::string>* m_outer = nullptr;
};

// What the lines say, as one line short enough to end an error text:
// empty when nothing was said.
std::string JoinedDecoderLines(const std::vector<std::string>& lines);

} // namespace centrafix
