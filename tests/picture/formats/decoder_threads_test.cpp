// Pictures decoded on several threads at once, as the batch command's pool
// and a window loading while it measures do: each refusal quotes what its
// own decoder's library said, no decode waits for another, and nothing the
// libraries say reaches the terminal.

#include "picture/formats/decoder_log.h"
#include "picture/picture_source.h"
#include "picture_bytes.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QPainter>
#include <QtEndian>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <future>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

using namespace centrafix;

namespace {

// Bytes that arrive once, as from a pipe: every format then goes to Qt's
// readers, whose libraries speak through process-wide handlers.
class Pipe : public QIODevice {
public:
    explicit Pipe(const QByteArray& bytes) : m_bytes(bytes) { open(QIODevice::ReadOnly); }
    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override { return m_bytes.size() - m_read + QIODevice::bytesAvailable(); }

protected:
    qint64 readData(char* data, qint64 maxSize) override
    {
        const qint64 n = std::min(maxSize, m_bytes.size() - m_read);
        std::memcpy(data, m_bytes.constData() + m_read, static_cast<std::size_t>(n));
        m_read += n;
        return n;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QByteArray m_bytes;
    qint64 m_read = 0;
};

// A pipe whose first read waits until `arrived` is set.
class SlowPipe : public Pipe {
public:
    SlowPipe(const QByteArray& bytes, std::shared_future<void> arrived) : Pipe(bytes), m_arrived(std::move(arrived)) {}

protected:
    qint64 readData(char* data, qint64 maxSize) override
    {
        m_arrived.wait();
        return Pipe::readData(data, maxSize);
    }

private:
    std::shared_future<void> m_arrived;
};

// Standard error pointed at a file while it lives.
class TerminalWatch {
public:
    TerminalWatch() : m_file(std::tmpfile())
    {
        std::fflush(stderr);
        m_saved = dup(STDERR_FILENO);
        dup2(fileno(m_file), STDERR_FILENO);
    }
    ~TerminalWatch()
    {
        restore();
        std::fclose(m_file);
    }
    // Gives the stream back; what was written to it meanwhile.
    std::string restore()
    {
        if (m_saved < 0)
            return {};
        std::fflush(stderr);
        dup2(m_saved, STDERR_FILENO);
        close(m_saved);
        m_saved = -1;
        std::string written;
        std::rewind(m_file);
        for (int c; (c = std::fgetc(m_file)) != EOF;)
            written += static_cast<char>(c);
        return written;
    }

private:
    std::FILE* m_file;
    int m_saved = -1;
};

QImage Drawing()
{
    QImage image(96, 64, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter(&image).fillRect(8, 8, 64, 40, Qt::red);
    return image;
}

struct Damaged {
    const char* name;
    QByteArray bytes;
    bool onceThrough;
};

// A damaged file of each library, read each way.
std::vector<Damaged> DamagedFiles()
{
    const QImage drawing = Drawing();
    // The compressed pixels zeroed.
    QByteArray png = test::Encoded(drawing, "png");
    png.replace(png.indexOf("IDAT") + 6, 10, QByteArray(10, '\0'));
    // Sixteen bits a sample: left to Qt's reader even from a file.
    QByteArray deepPng = test::Encoded(drawing.convertToFormat(QImage::Format_RGBX64), "png");
    deepPng.replace(deepPng.indexOf("IDAT") + 6, 10, QByteArray(10, '\0'));
    // The directory's first entries overwritten: the height goes missing.
    QByteArray tiff = test::Encoded(drawing, "tiff");
    tiff.replace(qFromLittleEndian<quint32>(tiff.constData() + 4) + 2, 36, QByteArray(36, '\xFF'));
    // The coded pixels overwritten with markers libjpeg does not expect.
    QByteArray jpeg = test::Encoded(drawing, "jpeg");
    jpeg.replace(jpeg.size() / 2, 40, QByteArray(40, '\xFF'));
    return {
        {"damaged.png", png, false},  {"piped.png", png, true},  {"deep.png", deepPng, false},
        {"damaged.tif", tiff, false}, {"piped.tif", tiff, true}, {"damaged.jpg", jpeg, false},
        {"piped.jpg", jpeg, true},
    };
}

std::string Why(const Damaged& file)
{
    QBuffer seekable;
    seekable.setData(file.bytes);
    seekable.open(QIODevice::ReadOnly);
    Pipe pipe(file.bytes);
    const PictureLoad load = DecodePicture(file.onceThrough ? static_cast<QIODevice*>(&pipe) : &seekable, file.name);
    return load ? std::string("loaded") : ErrorText(load.error(), kEnglish);
}

} // namespace

TEST(DecoderThreads, EachDecodeTellsItsOwnDamageAndTheTerminalHearsNothing)
{
    const std::vector<Damaged> files = DamagedFiles();
    TerminalWatch terminal;
    std::vector<std::string> alone;
    for (const Damaged& file : files) {
        alone.push_back(Why(file));
        EXPECT_NE(alone.back().find(" picture ("), std::string::npos) << "in the library's words: " << alone.back();
    }
    // Two threads through every file many times, one forwards and one
    // backwards, so that every pair of libraries speaks at once.
    auto decodeAll = [&](bool backwards) {
        std::vector<std::string> mixedUp;
        for (int round = 0; round < 25; ++round) {
            for (std::size_t i = 0; i < files.size(); ++i) {
                const std::size_t k = backwards ? files.size() - 1 - i : i;
                if (const std::string why = Why(files[k]); why != alone[k])
                    mixedUp.push_back(why + " instead of " + alone[k]);
            }
        }
        return mixedUp;
    };
    auto other = std::async(std::launch::async, decodeAll, true);
    const std::vector<std::string> here = decodeAll(false);
    const std::vector<std::string> there = other.get();
    EXPECT_TRUE(here.empty()) << here.front();
    EXPECT_TRUE(there.empty()) << there.front();
    EXPECT_EQ(terminal.restore(), "");
}

TEST(DecoderThreads, ADecodeWaitingForItsBytesHoldsUpNoOther)
{
    const std::vector<Damaged> files = DamagedFiles();
    std::promise<void> arrive;
    SlowPipe slow(files.back().bytes, arrive.get_future().share());
    auto waiting = std::async(std::launch::async, [&] { return DecodePicture(&slow, "slow.jpg"); });
    // Decoded while the other waits; were decodes taken in turn, neither
    // would ever end.
    for (const Damaged& file : files)
        EXPECT_NE(Why(file), "loaded");
    arrive.set_value();
    const PictureLoad slowLoad = waiting.get();
    ASSERT_FALSE(slowLoad);
    EXPECT_EQ(ErrorText(slowLoad.error(), kEnglish),
              "slow.jpg: damaged or unreadable JPEG picture (Corrupt JPEG data: bad Huffman code)");
}

// Qt's messages go to the log of the thread that speaks, whichever thread
// speaks first; a thread without a log is not heard by another's.
TEST(DecoderThreads, ALogHearsItsOwnThreadOnly)
{
    std::promise<void> otherSpoke;
    std::promise<void> logMade;
    std::vector<std::string> otherHeard;
    std::thread other([&] {
        DecoderLog log;
        logMade.get_future().wait();
        qWarning("other thread");
        otherSpoke.set_value();
        otherHeard = log.finish();
    });
    DecoderLog log;
    {
        DecoderLog inner;
        qWarning("inner: nested");
        EXPECT_EQ(inner.finish(), std::vector<std::string>{"nested"});
    }
    logMade.set_value();
    otherSpoke.get_future().wait();
    qWarning("this thread");
    log.keep("libpng error: kept");
    other.join();
    EXPECT_EQ(log.finish(), (std::vector<std::string>{"this thread", "kept"}));
    EXPECT_EQ(otherHeard, std::vector<std::string>{"other thread"});
}
