#include "batch_pool.h"

#include "balance_options.h"
#include "mass_options.h"

#include "console.h"
#include "output_guard.h"
#include "picture_list.h"
#include "pool_progress.h"
#include "worker_count.h"

#include "engine/number_text.h"
#include "picture/files/atomic_file.h"
#include "picture/files/local_path.h"
#include "picture/files/result_facts.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QThread>

#include <algorithm>
#include <deque>
#include <map>
#include <memory>
#include <set>
#include <vector>

namespace centrafix {
namespace {

constexpr Message kWorkerStopped{"die Analyse von %1 brach unerwartet ab", "the analysis of %1 stopped unexpectedly"};
constexpr Message kNotAnalysed{"nicht analysiert: es ließ sich kein Arbeitsprozess mehr starten (%1)",
                               "not analyzed: no worker process could be started any more (%1)"};
constexpr Message kCannotWriteCsv{"die CSV-Tabelle kann nicht geschrieben werden (%1)",
                                  "cannot write the CSV table (%1)"};
constexpr Message kJobsLowered{"--jobs %1 auf %2 gesenkt (Kerne: %3, verfügbarer Speicher: %4 MB)",
                               "--jobs %1 lowered to %2 (cores: %3, memory available: %4 MB)"};

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
        "--scale",        QString::fromStdString(in.scaleText),
        "--tolerance",    QString::fromStdString(in.toleranceText),
        "--origin",       QString::fromStdString(Exact(options.originColumn) + "," + Exact(options.originRow)),
        "--colors",       colours.join(','),
        "--weights",      weights.join(','),
        "--language",     in.languageIndex == kGerman ? "de" : "en",
        "--altitude",     QString::fromStdString(in.altitudeText),
        "--mach",         QString::fromStdString(in.machText),
        "--page",         QString::number(options.plan.page),
        "--dpi",          QString::fromStdString(Exact(options.plan.dpi)),
        "--batch-worker", QStringLiteral("%1:%2").arg(format).arg(threads)};
    if (!in.unit.empty())
        arguments << "--unit" << QString::fromStdString(in.unit);
    // --scale-from has become the scale text; the clean-up goes as it was asked.
    if (options.cleanUp)
        arguments << "--clean-up-threshold" << options.cleanUpThresholdText;
    arguments << BalanceArguments(in.balance);
    // The plan steps go as they were given; each worker applies them to its pictures.
    arguments << options.planArguments;
    arguments << MassArguments(options);
    return arguments;
}

// The pictures are shared out among worker processes; their answers are put
// back in order. The run ends when every picture is told, when standard
// output fails (nothing after that can reach the user), or when no worker is
// left and none can be started: then the pictures not done are named.
class Pool : public QObject {
public:
    Pool(const BatchOptions& options, QStringList pictures, int jobs)
        : m_options(options),
          m_pictures(std::move(pictures)),
          m_jobs(jobs),
          m_progress(m_pictures.size())
    {
        for (int i = 0; i < m_pictures.size(); ++i)
            m_queue.push_back(i);
        // The cores are shared out: a worker's own sweep uses the rest.
        const int cores = std::max(1, QThread::idealThreadCount());
        m_arguments = WorkerArguments(options, std::max(1, cores / m_jobs));
    }

    ~Pool() override { stopWorkers(); }

    int run()
    {
        if (!m_options.csvPath.isEmpty())
            emitOutput(CsvHeader());
        for (int k = 0; k < m_jobs && !m_stopped; ++k) {
            if (!startWorker())
                break;
        }
        if (!m_stopped && runningWorkers() == 0)
            giveUpOnRemaining();
        if (!m_stopped && m_done < m_pictures.size())
            QCoreApplication::exec();
        stopWorkers();
        m_progress.finish();
        if (m_stopped)
            return m_endStatus;
        if (m_options.csvPath.size() > 1) {
            if (const std::optional<Error> error = writeCsvFile()) {
                ReportError(*error, language());
                m_status = std::max(m_status, kBadInput);
            }
        }
        return m_failed ? kCouldNotFinish : m_status;
    }

private:
    struct Worker {
        std::unique_ptr<QProcess> process;
        int busyWith = -1;
        QByteArray pending;
        bool running = true;
    };

    // False, with the system's reason kept, when the program cannot be
    // started (removed or replaced during a long run, no processes left).
    bool startWorker()
    {
        auto process = std::make_unique<QProcess>();
        process->setProcessChannelMode(QProcess::SeparateChannels);
        process->start(QCoreApplication::applicationFilePath(), m_arguments);
        if (!process->waitForStarted(-1)) {
            m_startFailure = process->errorString();
            return false;
        }
        auto worker = std::make_unique<Worker>();
        worker->process = std::move(process);
        Worker* w = worker.get();
        connect(w->process.get(), &QProcess::readyReadStandardOutput, this, [this, w] { readAnswers(*w); });
        connect(w->process.get(), &QProcess::finished, this, [this, w] { workerEnded(*w); });
        m_workers.push_back(std::move(worker));
        dispatch(*w);
        return true;
    }

    int runningWorkers() const
    {
        return static_cast<int>(
            std::count_if(m_workers.begin(), m_workers.end(), [](const auto& w) { return w->running; }));
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
        if (!w.running)
            return;
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
        for (qsizetype end = w.pending.indexOf('\n'); end >= 0 && !m_stopped; end = w.pending.indexOf('\n')) {
            const QJsonObject answer = QJsonDocument::fromJson(w.pending.left(end)).object();
            w.pending.remove(0, end + 1);
            w.busyWith = -1;
            take(answer);
            if (m_stopped)
                return;
            dispatch(w);
            // A picture waiting to run alone may go once the others are idle.
            for (const auto& other : m_workers)
                if (other->busyWith < 0 && other.get() != &w && !m_alone.empty())
                    dispatch(*other);
        }
    }

    void workerEnded(Worker& w)
    {
        w.running = false;
        const bool wasBusy = w.busyWith >= 0;
        if (wasBusy) {
            const int index = std::exchange(w.busyWith, -1);
            take(failure(index, Tr(kWorkerStopped, language(), {m_pictures[index].toStdString()})), false);
        }
        if (m_stopped || (m_queue.empty() && m_alone.empty()))
            return;
        // A worker that died with a picture is replaced; one that died idle
        // only when no other is left to take what remains.
        if ((wasBusy || runningWorkers() == 0) && !startWorker() && runningWorkers() == 0)
            giveUpOnRemaining();
    }

    // No worker runs and none can be started: every picture not yet done is
    // named, in order, and the run ends.
    void giveUpOnRemaining()
    {
        std::vector<int> left(m_queue.begin(), m_queue.end());
        left.insert(left.end(), m_alone.begin(), m_alone.end());
        std::sort(left.begin(), left.end());
        m_queue.clear();
        m_alone.clear();
        for (const int index : left) {
            const Error error =
                Described(m_pictures[index].toStdString(), kNotAnalysed, {m_startFailure.toStdString()});
            take(failure(index, ErrorText(error, language())), false);
            if (m_stopped)
                return;
        }
    }

    QJsonObject failure(int index, const std::string& text) const
    {
        return QJsonObject{{"i", index}, {"status", kCouldNotFinish}, {"error", QString::fromStdString(text)}};
    }

    void take(const QJsonObject& answer, bool mayRetry = true)
    {
        const int index = answer["i"].toInt();
        const int status = answer["status"].toInt();
        // Out of memory beside the other workers' pictures: once more alone.
        if (status == kOutOfMemory && mayRetry && m_jobs > 1 && m_retried.insert(index).second) {
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
        for (auto it = m_answers.find(m_printed); it != m_answers.end() && !m_stopped; it = m_answers.find(m_printed)) {
            const QJsonObject answer = std::move(it->second);
            m_answers.erase(it);
            const int index = m_printed++;
            const int status = answer["status"].toInt();
            if (status == 0) {
                emitOutput(pictureOutput(index, answer["out"].toString().toUtf8()));
                if (answer.contains("warning") && !m_stopped) {
                    m_progress.clearLine();
                    WriteErrorLine(answer["warning"].toString().toStdString());
                }
            } else {
                m_progress.clearLine();
                WriteErrorLine(answer["error"].toString().toStdString());
                if (status == kCouldNotFinish)
                    m_failed = true;
                else
                    m_status = kBadInput;
            }
        }
    }

    // Text output names its picture first (as it was given, byte for byte)
    // and leaves a blank line between two.
    QByteArray pictureOutput(int index, const QByteArray& out)
    {
        if (!m_options.csvPath.isEmpty() || m_options.json)
            return out;
        const QByteArray name = FileNameBytes(m_pictures[index]) + "\r\n";
        return (m_textStarted ? QByteArray("\r\n") : QByteArray()) + name + out;
    }

    void emitOutput(const QByteArray& bytes)
    {
        m_textStarted = true;
        if (m_options.csvPath.size() > 1) {
            m_csv += bytes;
            return;
        }
        if (const std::optional<Error> failure = WriteStdout(bytes.toStdString())) {
            // A reader that has seen enough (`| head`) ends the run as the
            // pictures told so far leave it; a full disk says so.
            m_progress.clearLine();
            stop(EndAfterStdoutFailure(*failure, language(), m_failed ? kCouldNotFinish : m_status));
        }
    }

    void stop(int status)
    {
        m_stopped = true;
        m_endStatus = status;
        QCoreApplication::exit(status);
    }

    // Before the pool goes: a worker that ends now (killed, or its picture
    // done) must not reach a pool half destroyed, nor be blamed for it.
    void stopWorkers()
    {
        for (const auto& w : m_workers) {
            w->process->disconnect(this);
            w->running = false;
            if (w->process->state() != QProcess::NotRunning) {
                w->process->kill();
                w->process->waitForFinished(-1);
            }
        }
    }

    std::optional<Error> writeCsvFile() const
    {
        return WriteFileSafely(m_options.csvPath, kCannotWriteCsv,
                               [this](QIODevice& device) { return WriteAll(device, m_csv.constData(), m_csv.size()); });
    }

    int language() const { return m_options.inputs.languageIndex; }

    const BatchOptions& m_options;
    const QStringList m_pictures;
    const int m_jobs;
    QStringList m_arguments;
    QString m_startFailure;
    std::deque<int> m_queue;
    std::deque<int> m_alone;
    std::set<int> m_retried;
    std::map<int, QJsonObject> m_answers;
    int m_done = 0;
    int m_printed = 0;
    int m_status = 0;
    bool m_failed = false;
    bool m_textStarted = false;
    bool m_stopped = false;
    int m_endStatus = 0;
    QByteArray m_csv;
    PoolProgress m_progress;
    // Last, so the workers go first whatever happens in a destructor.
    std::vector<std::unique_ptr<Worker>> m_workers;
};

// The workers for this run, with a note when fewer than asked.
int Jobs(const BatchOptions& options, int pictures)
{
    const int cores = std::max(1, QThread::idealThreadCount());
    const std::int64_t memory = AvailableMemory().value_or(std::int64_t{1} << 40);
    const int jobs = WorkerCount(options.jobs, cores, memory, pictures);
    if (std::min(options.jobs, pictures) > jobs)
        WriteErrorLine(Tr(
            kJobsLowered, options.inputs.languageIndex,
            {std::to_string(options.jobs), std::to_string(jobs), std::to_string(cores), std::to_string(memory >> 20)}));
    return jobs;
}

} // namespace

int RunManyPictures(const BatchOptions& options)
{
    const Result<QStringList> pictures = PictureList(options);
    if (!pictures)
        return ReportError(pictures.error(), options.inputs.languageIndex);
    if (std::optional<Error> error = CheckOutputs(options, *pictures))
        return ReportError(*error, options.inputs.languageIndex);
    Pool pool(options, *pictures, Jobs(options, static_cast<int>(pictures->size())));
    return pool.run();
}

} // namespace centrafix
