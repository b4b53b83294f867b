// Times decoding alone, for the closing notes: the decode-only figure the
// batch command's end-to-end time is held against, and Qt's readers against
// the row readers.
//
//   centrafix-decode-rows FILE        rows through the row reader, a band at a time, then dropped
//   centrafix-decode-rows FILE qt     the whole picture through Qt's reader

#include "picture/formats/picture_load.h"
#include "picture/formats/qt_decode.h"
#include "picture/formats/row_reader.h"

#include <QFile>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

int main(int argc, char* argv[])
{
    using namespace centrafix;
    if (argc < 2) {
        std::fprintf(stderr, "usage: centrafix-decode-rows FILE [qt]\n");
        return 2;
    }
    RaiseImageAllocationLimit();
    const QString path = QString::fromLocal8Bit(argv[1]);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return 1;
    const QByteArray head = file.peek(64);
    const auto start = std::chrono::steady_clock::now();
    int width = 0, height = 0;
    if (argc > 2 && std::strcmp(argv[2], "qt") == 0) {
        const PictureLoad picture = DecodeWithQt(&file, SniffFormat(head), path);
        if (!picture)
            return 1;
        width = picture->width();
        height = picture->height();
    } else {
        Result<std::unique_ptr<RowReader>> reader = OpenRowReader(&file, head, path, StreamedPictureSizeProblem);
        if (!reader || !*reader)
            return 1;
        RowReader& rows = **reader;
        width = rows.width();
        height = rows.height();
        const int band = std::max(1, (2 << 20) / (4 * width));
        std::vector<std::uint32_t> words(static_cast<std::size_t>(band) * static_cast<std::size_t>(width));
        for (int first = 0; first < height; first += band)
            if (rows.readRows(words.data(), width, std::min(band, height - first)))
                return 1;
    }
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    std::printf("%d x %d decoded in %.3f s\n", width, height, took.count());
    return 0;
}
