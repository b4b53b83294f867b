#include "batch_pool.h"

#include "console.h"
#include "pool_progress.h"

#include "engine/number_text.h"
#include "picture/atomic_file.h"
#include "picture/result_export.h"

#include <QCoreApplication>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QThread>

#include <cerrno>
#include <deque>
#include <map>
#include <memory>
#include <set>
#include <vector>

namespace centrafix {
namespace {

constexpr Message kCannotReadList{"die Liste der Bilder kann nicht gelesen werden (%1)",
                                  "cannot read the list of pictures (%1)"};
constexpr Message kNoPictures{"keine Bilder zu analysieren", "no pictures to analyse"};
constexpr Message kWorkerStopped{"die Analyse von %1 brach unerwartet ab", "the analysis of %1 stopped unexpectedly"};
constexpr Message kCannotWriteCsv{"die CSV-Tabelle kann nicht geschrieben werden (%1)", "cannot write the CSV table (%1)"};

QStringList ReadList(QIODevice& device)
{
    QStringList paths;
    for (const QByteArray& line : device.readAll().split('\n')) {
        const QString path = QString::fromLocal8Bit(line.endsWith('\r') ? line.chopped(1) : line);
        if (!path.isEmpty())
            paths << path;
    }
    return paths;
}

std::string Exact(double value)
{
    return QString::number(value, 'g', QLocale::FloatingPointShortest).toStdString();
}

// The worker's command line: every choice that shapes one picture's result.
QStringList WorkerArguments(const BatchOptions& options, int threads)
{
    const AnalysisInputs& in = options.inputs;
    QStringList colours, weights;
    for (int i = 1; i <= kObjectCount; ++i) {
        if (in.ticked[static_cast<std::size_t>(i)])
            colours << QString::number(i);
        weights << QString::fromStdString(Exact(options.weights[static_cast<std::size_t>(i)]));
    }
    const QString format = !options.csvPath.isEmpty() ? "csv" : options.json ? "json" : "text";
    QStringList arguments{
            "--scale", QString::fromStdString(in.scaleText), "--tolerance", QString::fromStdString(in.toleranceText),
            "--origin", QString::fromStdString(Exact(options.originColumn) + "," + Exact(options.originRow)),
            "--colors", colours.join(','), "--weights", weights.join(','),
            "--language", in.languageIndex == kGerman ? "de" : "en",
            "--altitude", QString::fromStdString(in.altitudeText), "--mach", QString::fromStdString(in.machText),
            "--batch-worker", QStringLiteral("%1:%2").arg(format).arg(threads)};
    if (!in.unit.empty())
        arguments << "--unit" << QString::fromStdString(in.unit);
    // --scale-from has become the scale text; the clean-up goes as it was asked.
    if (options.cleanUp)
        arguments << "--clean-up-threshold" << options.cleanUpThresholdText;
    return arguments;
}

class Pool : public QObject {
public:
    Pool(const BatchOptions& options, QStringList pictures)
        : m_options(options), m_pictures(std::move(pictures)), m_progress(m_pictures.size())
    {
        for (int i = 0; i < m_pictures.size(); ++i)
            m_queue.push_back(i);
        const int cores = std::max(1, QThread::idealThreadCount());
        const int jobs = std::min<int>(options.jobs > 0 ? options.jobs : cores, m_pictures.size());
        // The cores are shared out: a worker's own sweep uses the rest.
        m_arguments = WorkerArguments(options, std::max(1, cores / jobs));
        for (int k = 0; k < jobs; ++k)
            startWorker();
    }

    int run()
    {
        if (!m_options.csvPath.isEmpty())
            emitOutput(CsvHeader());
        if (!m_workers.empty() && m_done < m_pictures.size())
            QCoreApplication::exec();
        m_progress.finish();
        if (m_options.csvPath.size() > 1 && !writeCsvFile())
            m_status = std::max(m_status, kBadInput);
        return m_failed ? kOutOfMemory : m_status;
    }

private:
    struct Worker {
        std::unique_ptr<QProcess> process;
        int busyWith = -1;
        QByteArray pending;
    };

    void startWorker()
    {
        auto worker = std::make_unique<Worker>();
        worker->process = std::make_unique<QProcess>();
        Worker* w = worker.get();
        connect(w->process.get(), &QProcess::readyReadStandardOutput, this, [this, w] { readAnswers(*w); });
        connect(w->process.get(), &QProcess::finished, this, [this, w] { workerEnded(*w); });
        w->process->setProcessChannelMode(QProcess::SeparateChannels);
        w->process->start(QCoreApplication::applicationFilePath(), m_arguments);
        m_workers.push_back(std::move(worker));
        dispatch(*w);
    }

    bool othersBusy(const Worker& self) const
    {
        for (const auto& w : m_workers)
            if (w.get() != &self && w->busyWith >= 0)
                return true;
        return false;
    }

    void dispatch(Worker& w)
    {
        int next = -1;
        if (!m_queue.empty()) {
            next = m_queue.front();
            m_queue.pop_front();
        } else if (!m_alone.empty() && !othersBusy(w)) {
            next = m_alone.front();
            m_alone.pop_front();
        }
        if (next < 0) {
            // Nothing for it now; an idle worker is closed once nothing can come.
            if (m_alone.empty())
                w.process->closeWriteChannel();
            return;
        }
        w.busyWith = next;
        const QJsonObject request{{"i", next}, {"path", m_pictures[next]}};
        w.process->write(QJsonDocument(request).toJson(QJsonDocument::Compact) + "\n");
    }

    void readAnswers(Worker& w)
    {
        w.pending += w.process->readAllStandardOutput();
        for (qsizetype end = w.pending.indexOf('\n'); end >= 0; end = w.pending.indexOf('\n')) {
            const QJsonObject answer = QJsonDocument::fromJson(w.pending.left(end)).object();
            w.pending.remove(0, end + 1);
            w.busyWith = -1;
            take(answer);
            dispatch(w);
            // A picture waiting to run alone may go once the others are idle.
            for (const auto& other : m_workers)
                if (other->busyWith < 0 && other.get() != &w && !m_alone.empty())
                    dispatch(*other);
        }
    }

    void workerEnded(Worker& w)
    {
        if (w.busyWith >= 0) {
            const int index = std::exchange(w.busyWith, -1);
            take(QJsonObject{{"i", index},
                             {"status", kOutOfMemory},
                             {"error", QString::fromStdString(Tr(kWorkerStopped, m_options.inputs.languageIndex,
                                                                 {m_pictures[index].toStdString()}))}},
                 false);
            if (!m_queue.empty() || !m_alone.empty())
                startWorker();
        }
        if (m_done == m_pictures.size())
            QCoreApplication::quit();
    }

    void take(const QJsonObject& answer, bool mayRetry = true)
    {
        const int index = answer["i"].toInt();
        const int status = answer["status"].toInt();
        // Out of memory beside the other workers' pictures: once more alone.
        if (status == kOutOfMemory && mayRetry && m_workers.size() > 1 && m_retried.insert(index).second) {
            m_alone.push_back(index);
            return;
        }
        m_answers[index] = answer;
        ++m_done;
        m_progress.step(m_done);
        flushInOrder();
        if (m_done == m_pictures.size())
            QCoreApplication::quit();
    }

    void flushInOrder()
    {
        for (auto it = m_answers.find(m_printed); it != m_answers.end(); it = m_answers.find(m_printed)) {
            const QJsonObject& answer = it->second;
            const int status = answer["status"].toInt();
            if (status == 0) {
                emitOutput(pictureOutput(m_printed, answer["out"].toString().toUtf8()));
                if (answer.contains("warning")) {
                    m_progress.clearLine();
                    WriteErrorLine(answer["warning"].toString().toStdString());
                }
            } else {
                m_progress.clearLine();
                WriteErrorLine(answer["error"].toString().toStdString());
                if (status == kOutOfMemory)
                    m_failed = true;
                else
                    m_status = kBadInput;
            }
            m_answers.erase(it);
            ++m_printed;
        }
    }

    // Text output names its picture first and leaves a blank line between two.
    QByteArray pictureOutput(int index, const QByteArray& out)
    {
        if (!m_options.csvPath.isEmpty() || m_options.json)
            return out;
        const QByteArray name = m_pictures[index].toUtf8() + "\r\n";
        return (m_textStarted ? QByteArray("\r\n") : QByteArray()) + name + out;
    }

    void emitOutput(const QByteArray& bytes)
    {
        m_textStarted = true;
        if (m_options.csvPath.size() > 1) {
            m_csv += bytes;
            return;
        }
        if (!WriteStdout(bytes.toStdString())) {
            // A reader that has seen enough (`| head`) is no failure to report.
            if (errno != EPIPE)
                ReportError(StandardOutputError(), m_options.inputs.languageIndex);
            m_failed = true;
            QCoreApplication::exit();
        }
    }

    bool writeCsvFile()
    {
        const std::optional<Error> error =
            WriteFileSafely(m_options.csvPath, kCannotWriteCsv, [this](QIODevice& device, QString& why) {
                return WriteAll(device, m_csv.constData(), m_csv.size(), why);
            });
        if (error)
            ReportError(*error, m_options.inputs.languageIndex);
        return !error;
    }

    const BatchOptions& m_options;
    const QStringList m_pictures;
    QStringList m_arguments;
    std::vector<std::unique_ptr<Worker>> m_workers;
    std::deque<int> m_queue;
    std::deque<int> m_alone;
    std::set<int> m_retried;
    std::map<int, QJsonObject> m_answers;
    int m_done = 0;
    int m_printed = 0;
    int m_status = 0;
    bool m_failed = false;
    bool m_textStarted = false;
    QByteArray m_csv;
    PoolProgress m_progress;
};

} // namespace

Result<QStringList> PictureList(const BatchOptions& options)
{
    QStringList pictures;
    const auto readFrom = [&](const QString& name) -> std::optional<Error> {
        QFile file;
        const bool opened = name == "-" ? file.open(stdin, QIODevice::ReadOnly) : (file.setFileName(name),
                                                                                   file.open(QIODevice::ReadOnly));
        if (!opened)
            return Described(name.toStdString(), kCannotReadList, {file.errorString().toStdString()});
        pictures << ReadList(file);
        return std::nullopt;
    };
    for (const QString& argument : options.picturePaths) {
        if (argument != "-")
            pictures << argument;
        else if (std::optional<Error> error = readFrom(argument))
            return *error;
    }
    if (!options.filesFrom.isEmpty()) {
        if (std::optional<Error> error = readFrom(options.filesFrom))
            return *error;
    }
    if (pictures.isEmpty())
        return Described({}, kNoPictures);
    return pictures;
}

int RunManyPictures(const BatchOptions& options)
{
    const Result<QStringList> pictures = PictureList(options);
    if (!pictures)
        return ReportError(pictures.error(), options.inputs.languageIndex);
    Pool pool(options, *pictures);
    return pool.run();
}

} // namespace centrafix
