#include "output_guard.h"

#include "picture/files/local_path.h"
#include "picture/files/png_write.h"
#include "picture/formats/row_reader.h"
#include "picture/metafile/wmf_player.h"
#include "picture/report/report_composer.h"

#include <QFile>
#include <QImageReader>
#include <QtEndian>

#include <climits>
#include <cstdlib>
#include <vector>

#include <sys/stat.h>

namespace centrafix {
namespace {

constexpr Message kIsAnInput{"wird in diesem Lauf gelesen; %1 würde es überschreiben, darum wird nichts geschrieben",
                             "is read in this run; %1 would write over it, so nothing is written"};
constexpr Message kIsAPicture{"ist ein Bild; %1 schreibt nicht über ein Bild, darum wird nichts geschrieben",
                              "is a picture; %1 does not write over a picture, so nothing is written"};
constexpr Message kTwoOutputs{"%1 und %2 nennen dieselbe Datei, darum wird nichts geschrieben",
                              "%1 and %2 name the same file, so nothing is written"};

// A file as the system knows it: its device and inode where it exists (the
// same through every link), else the path it would be made at.
struct Identity {
    bool exists = false;
    // Replaced by a new file when written; otherwise written into (a FIFO, a
    // device, whatever /dev/stdout stands for), as WriteFileSafely does.
    bool replaced = true;
    dev_t device = 0;
    ino_t inode = 0;
    QByteArray place;

    bool sameAs(const Identity& other) const
    {
        if (exists != other.exists)
            return false;
        return exists ? device == other.device && inode == other.inode : place == other.place;
    }
};

// The folder resolved, so "a.csv" and "./x/../a.csv" are one place.
QByteArray PlaceOf(const QByteArray& path)
{
    const qsizetype slash = path.lastIndexOf('/');
    const QByteArray folder = slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : path.left(slash);
    char resolved[PATH_MAX];
    if (::realpath(folder.constData(), resolved) == nullptr)
        return path;
    return QByteArray(resolved) + '/' + path.mid(slash + 1);
}

Identity IdentityOf(const QString& name)
{
    const QByteArray path = FileNameBytes(name);
    Identity identity;
    struct stat info {};
    if (::stat(path.constData(), &info) == 0) {
        identity.exists = true;
        identity.replaced = S_ISREG(info.st_mode);
        identity.device = info.st_dev;
        identity.inode = info.st_ino;
    } else {
        identity.place = PlaceOf(path);
    }
    if (path.startsWith("/dev/") || path.startsWith("/proc/"))
        identity.replaced = false;
    return identity;
}

enum class Content { Table, Chart, Picture, Report };

struct Output {
    const char* option;
    QString path;
    Content content;
    Identity identity;
};

std::vector<Output> OutputsOf(const BatchOptions& options)
{
    std::vector<Output> outputs;
    const auto add = [&](const char* option, const QString& path, Content content) {
        if (!path.isEmpty() && path != QLatin1String("-"))
            outputs.push_back({option, path, content, IdentityOf(path)});
    };
    add("--csv", options.csvPath, Content::Table);
    add("--loading-table", options.loadingTablePath, Content::Table);
    add("--chart", options.chartPath, Content::Chart);
    add("--annotated", options.annotatedPath, Content::Picture);
    // A project is text, like a table: never over a picture or an input
    // (the project read included).
    add("--save-project", options.saveProjectPath, Content::Table);
    add("--report", options.reportPath, Content::Report);
    return outputs;
}

// Whether `head`, the first bytes of a file, begin a picture of a format this
// program reads, or a PDF.
bool LooksLikePicture(const QByteArray& head)
{
    const bool enhancedMetafile =
        head.size() >= 44 && qFromLittleEndian<quint32>(head.constData()) == 1 && head.mid(40, 4) == " EMF";
    return !SniffFormat(head).isEmpty() || LooksLikeWindowsMetafile(head) || enhancedMetafile ||
           head.startsWith("%PDF-");
}

// Whether `file`, a PDF, is a report this program wrote: the PDF's
// information, at its start, names it as the creator.
bool IsOurReport(QFile& file)
{
    constexpr qint64 kHead = 8192;
    return file.seek(0) && file.read(kHead).contains(ReportCreatorMark());
}

// A picture a table, chart or report may not replace. A chart or report
// this program wrote before is no such picture for the chart or report: the
// same run made again writes it again.
bool IsProtectedPicture(const QString& path, Content content)
{
    QFile file;
    if (OpenForReading(file, path))
        return false;
    const QByteArray head = file.read(64);
    if (!LooksLikePicture(head))
        return false;
    if (content == Content::Report)
        return !head.startsWith("%PDF-") || !IsOurReport(file);
    if (content != Content::Chart || !head.startsWith("\x89PNG\r\n\x1a\n") || !file.seek(0))
        return true;
    QImageReader reader(&file, "png");
    return reader.text(QString::fromLatin1(kChartPngKey)) != QLatin1String(kChartPngMark);
}

Error Refusal(const Output& output, const Message& reason, std::vector<ErrorArg> args)
{
    return Described(output.path.toStdString(), reason, std::move(args));
}

} // namespace

std::optional<Error> CheckOutputs(const BatchOptions& options, const QStringList& pictures)
{
    const std::vector<Output> outputs = OutputsOf(options);
    if (outputs.empty())
        return std::nullopt;
    QStringList inputs = pictures;
    if (!options.filesFrom.isEmpty() && options.filesFrom != QLatin1String("-"))
        inputs << options.filesFrom;
    for (const QString& input : inputs) {
        const Identity read = IdentityOf(input);
        if (!read.exists)
            continue;
        for (const Output& output : outputs) {
            if (output.identity.sameAs(read))
                return Refusal(output, kIsAnInput, {output.option});
        }
    }
    for (const Output& output : outputs) {
        if (output.content != Content::Picture && output.identity.exists && output.identity.replaced &&
            IsProtectedPicture(output.path, output.content))
            return Refusal(output, kIsAPicture, {output.option});
    }
    for (std::size_t a = 0; a < outputs.size(); ++a) {
        for (std::size_t b = a + 1; b < outputs.size(); ++b) {
            if (outputs[a].identity.replaced && outputs[a].identity.sameAs(outputs[b].identity))
                return Refusal(outputs[b], kTwoOutputs, {outputs[a].option, outputs[b].option});
        }
    }
    return std::nullopt;
}

} // namespace centrafix
