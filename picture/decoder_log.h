#pragma once

#include <memory>
#include <string>
#include <vector>

namespace centrafix {

// While it lives, what the decoding libraries say is kept here instead of
// reaching the terminal: Qt's messages from this thread (Qt passes libjpeg's
// and libpng's warnings on that way) and whatever is written to the standard
// error stream meanwhile (libpng's errors, libtiff's default handlers). A
// refusal can then say what the library found, and a picture that loads
// despite warnings loads quietly. One decode at a time: the stream belongs to
// the whole process, so a second log waits for the first to end (and one
// must never be made while another lives on the same thread).
class DecoderLog {
public:
    DecoderLog();
    ~DecoderLog();
    DecoderLog(const DecoderLog&) = delete;
    DecoderLog& operator=(const DecoderLog&) = delete;

    // Ends the capture and gives what was said, one message a line, with
    // the speakers' names ("libpng error:", "TIFFReadDirectory:") taken
    // off and control characters made blanks. Later calls give nothing.
    std::vector<std::string> finish();

private:
    struct Capture;
    std::unique_ptr<Capture> m_capture;
};

// What the lines say, as one line short enough to end an error text:
// empty when nothing was said.
std::string JoinedDecoderLines(const std::vector<std::string>& lines);

} // namespace centrafix
