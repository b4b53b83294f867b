#include "picture/formats/decoder_log.h"

#include <QString>
#include <QtGlobal>

#include <tiffio.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <mutex>
#include <string_view>

namespace centrafix {

namespace {

constexpr std::size_t kJoinedBytes = 240;
// A library that complains about every strip of a hostile file could say
// megabytes; the first lines explain as much as the whole.
constexpr std::size_t kKeptLines = 64;

// The innermost log of this thread; null while none lives.
thread_local std::vector<std::string>* t_said = nullptr;

QtMessageHandler g_previousQt = nullptr;
TIFFErrorHandler g_previousTiffError = nullptr;
TIFFErrorHandler g_previousTiffWarning = nullptr;

void Keep(std::vector<std::string>& said, std::string line)
{
    if (said.size() < kKeptLines)
        said.push_back(std::move(line));
}

void KeepQtMessage(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (t_said) {
        Keep(*t_said, text.toStdString());
        return;
    }
    if (g_previousQt)
        g_previousQt(type, context, text);
}

// libtiff's own handlers print "module: text" to the terminal; so kept, the
// module is the speaker taken off later.
void KeepTiffMessage(TIFFErrorHandler previous, const char* module, const char* format, va_list arguments)
{
    if (!t_said) {
        if (previous)
            previous(module, format, arguments);
        return;
    }
    char text[512];
    std::vsnprintf(text, sizeof text, format, arguments);
    Keep(*t_said, module ? std::string(module) + ": " + text : std::string(text));
}

void KeepTiffError(const char* module, const char* format, va_list arguments)
{
    KeepTiffMessage(g_previousTiffError, module, format, arguments);
}

void KeepTiffWarning(const char* module, const char* format, va_list arguments)
{
    KeepTiffMessage(g_previousTiffWarning, module, format, arguments);
}

// Installed once, before the first decode, and left in place: replacing a
// process-wide handler while another thread decodes would race.
void InstallHandlers()
{
    static std::once_flag installed;
    std::call_once(installed, [] {
        g_previousQt = qInstallMessageHandler(KeepQtMessage);
        g_previousTiffError = TIFFSetErrorHandler(KeepTiffError);
        g_previousTiffWarning = TIFFSetWarningHandler(KeepTiffWarning);
    });
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

DecoderLog::DecoderLog() : m_said(std::make_unique<std::vector<std::string>>()), m_outer(t_said)
{
    InstallHandlers();
    t_said = m_said.get();
}

DecoderLog::~DecoderLog()
{
    finish();
}

void DecoderLog::keep(std::string line)
{
    if (m_said)
        Keep(*m_said, std::move(line));
}

std::vector<std::string> DecoderLog::finish()
{
    if (!m_said)
        return {};
    if (t_said == m_said.get())
        t_said = m_outer;
    const std::unique_ptr<std::vector<std::string>> said = std::move(m_said);
    std::vector<std::string> lines;
    for (const std::string& line : *said) {
        // A message of several lines is several messages.
        for (std::string_view rest = line; !rest.empty();) {
            const std::size_t end = std::min(rest.find('\n'), rest.size());
            std::string text = Cleaned(rest.substr(0, end));
            rest.remove_prefix(std::min(end + 1, rest.size()));
            if (!text.empty() && (lines.empty() || lines.back() != text))
                lines.push_back(std::move(text));
        }
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
