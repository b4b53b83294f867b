#include "decoder_log.h"

#include <QString>
#include <QtGlobal>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <mutex>
#include <string_view>
#include <thread>

#include <fcntl.h>
#include <unistd.h>

namespace centrafix {

namespace {

// A library that complains about every strip of a hostile file could say
// megabytes; the first few lines explain as much as the whole.
constexpr std::size_t kKeptBytes = 4096;
constexpr std::size_t kJoinedBytes = 240;

std::mutex& CaptureMutex()
{
    static std::mutex mutex;
    return mutex;
}

// Where the decoding thread's Qt messages go while a log lives.
std::atomic<std::vector<std::string>*> g_active{nullptr};
std::atomic<std::thread::id> g_owner{};
std::atomic<QtMessageHandler> g_previous{nullptr};

void KeepMessage(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    std::vector<std::string>* const kept = g_active.load();
    if (kept != nullptr && g_owner.load() == std::this_thread::get_id()) {
        kept->push_back(text.toStdString());
        return;
    }
    if (const QtMessageHandler previous = g_previous.load())
        previous(type, context, text);
}

// Drops what names the speaker rather than the problem: libpng's prefixes,
// and leading words without blanks that end in a colon ("TIFFReadDirectory:",
// "QBuffer::seek:", and "foo:", the name Qt gives libtiff for every file).
// What follows such a word is what the speaker found.
std::string_view WithoutSpeaker(std::string_view line)
{
    for (const std::string_view prefix : {"libpng error:", "libpng warning:"}) {
        if (line.starts_with(prefix))
            line.remove_prefix(prefix.size());
    }
    for (;;) {
        while (line.starts_with(' '))
            line.remove_prefix(1);
        const std::size_t blank = line.find(' ');
        if (blank == std::string_view::npos || blank < 2 || line[blank - 1] != ':')
            return line;
        line.remove_prefix(blank + 1);
    }
}

std::string Cleaned(std::string_view line)
{
    std::string text(WithoutSpeaker(line));
    for (char& c : text) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = ' ';
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '.'))
        text.pop_back();
    return text;
}

} // namespace

// The standard error stream pointed at a pipe that never blocks its
// writer: what a talkative library says past the pipe's capacity is lost,
// which is better than a decode that hangs, and no thread is needed to drain
// it (a machine short of memory may not give one).
struct DecoderLog::Capture {
    std::unique_lock<std::mutex> lock{CaptureMutex()};
    std::vector<std::string> qtMessages;
    int savedStderr = -1;
    int readEnd = -1;

    Capture()
    {
        std::fflush(stderr);
        savedStderr = fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 3);
        int ends[2];
        if (savedStderr < 0 || pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0)
            return;
        dup2(ends[1], STDERR_FILENO);
        close(ends[1]);
        readEnd = ends[0];
    }

    // Gives the stream back and what was written to it meanwhile.
    std::string restore()
    {
        std::string said;
        if (savedStderr < 0)
            return said;
        std::fflush(stderr);
        dup2(savedStderr, STDERR_FILENO);
        close(savedStderr);
        savedStderr = -1;
        std::clearerr(stderr); // a write the full pipe refused is no fault of the terminal
        char buffer[1024];
        while (readEnd >= 0 && said.size() < kKeptBytes) {
            const ssize_t got = read(readEnd, buffer, sizeof buffer);
            if (got < 0 && errno == EINTR)
                continue;
            if (got <= 0)
                break;
            said.append(buffer, static_cast<std::size_t>(got));
        }
        if (readEnd >= 0)
            close(readEnd);
        readEnd = -1;
        return said;
    }
};

DecoderLog::DecoderLog() : m_capture(std::make_unique<Capture>())
{
    g_owner.store(std::this_thread::get_id());
    g_active.store(&m_capture->qtMessages);
    g_previous.store(qInstallMessageHandler(KeepMessage));
}

DecoderLog::~DecoderLog()
{
    finish();
}

std::vector<std::string> DecoderLog::finish()
{
    if (!m_capture)
        return {};
    qInstallMessageHandler(g_previous.load());
    g_active.store(nullptr);
    std::vector<std::string> said = std::move(m_capture->qtMessages);
    const std::string written = m_capture->restore();
    m_capture.reset();
    for (std::string_view rest = written; !rest.empty();) {
        const std::size_t end = std::min(rest.find('\n'), rest.size());
        said.emplace_back(rest.substr(0, end));
        rest.remove_prefix(std::min(end + 1, rest.size()));
    }
    std::vector<std::string> lines;
    for (const std::string& line : said) {
        std::string text = Cleaned(line);
        if (!text.empty() && (lines.empty() || lines.back() != text))
            lines.push_back(std::move(text));
    }
    return lines;
}

std::string JoinedDecoderLines(const std::vector<std::string>& lines)
{
    std::string joined;
    for (const std::string& line : lines) {
        if (joined.find(line) != std::string::npos)
            continue;
        joined += (joined.empty() ? "" : "; ") + line;
    }
    if (joined.size() <= kJoinedBytes)
        return joined;
    std::size_t cut = kJoinedBytes;
    while (cut > 0 && (static_cast<unsigned char>(joined[cut]) & 0xC0) == 0x80)
        --cut; // not inside a UTF-8 sequence
    return joined.substr(0, cut) + "...";
}

} // namespace centrafix
