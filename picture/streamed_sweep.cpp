#include "picture/streamed_sweep.h"

#include "picture/formats/decoder_log.h"
#include "picture/formats/picture_load.h"
#include "picture/formats/row_reader.h"
#include "picture/picture_source.h"

#include "engine/band_sweep.h"

#include <QFile>

#include <algorithm>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <new>
#include <system_error>
#include <thread>
#include <vector>

namespace centrafix {
namespace {

// Bands of about this many bytes: large enough that handing one over costs
// nothing next to decoding it, small enough that three of them in flight
// leave the memory of any picture a few megabytes, and that a band is still
// in the caches when the sweep reads it (1 MB streamed 64-MP pictures 2-3 %
// faster than 2 MB, and 512 kB no faster).
constexpr std::int64_t kBandBytes = 1 << 20;
constexpr int kBands = 3;

// The words are left uninitialised: the decoder writes every one before the
// sweep reads it, and zeroing megabytes first would only delay the start.
struct Band {
    std::unique_ptr<std::uint32_t[]> words;
    int capacity = 0; // rows
    int firstRow = 0;
    int rows = 0;
};

// Bands travel from the decoding thread to the sweeping one and back.
class BandQueue {
public:
    void put(std::deque<Band*>& into, Band* band)
    {
        {
            const std::lock_guard lock(m_mutex);
            into.push_back(band);
        }
        m_changed.notify_all();
    }

    // The next band of `from`; null once `from` is empty and the other side
    // has said it will put no more.
    Band* take(std::deque<Band*>& from, const bool& over)
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [&] { return !from.empty() || over; });
        if (from.empty())
            return nullptr;
        Band* band = from.front();
        from.pop_front();
        return band;
    }

    void end(bool& over)
    {
        {
            const std::lock_guard lock(m_mutex);
            over = true;
        }
        m_changed.notify_all();
    }

    std::deque<Band*> full, free;
    bool decodingOver = false; // no more full bands will come
    bool sweepingOver = false; // no more free bands will come back

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
};

// Sweeps one band; keeps a copy of its last row, the row above the next
// band, so the band itself can go back to the decoder.
void SweepBand(BandSweep& sweep, const Band& band, int width, std::vector<std::uint32_t>& above)
{
    const RasterView view{band.words.get(), width, band.rows, width};
    sweep.addBand(view, band.firstRow, above.empty() ? nullptr : above.data());
    above.assign(view.row(band.rows - 1), view.row(band.rows - 1) + width);
}

// The sweeping thread: every full band in order.
void SweepBands(BandQueue& queue, BandSweep& sweep, int width, std::exception_ptr& failure)
{
    try {
        std::vector<std::uint32_t> above;
        while (Band* band = queue.take(queue.full, queue.decodingOver)) {
            SweepBand(sweep, *band, width, above);
            queue.put(queue.free, band);
        }
    } catch (...) {
        failure = std::current_exception();
    }
    queue.end(queue.sweepingOver);
}

// Decodes band after band into free bands and hands them to the sweep.
std::optional<Error> DecodeBands(BandQueue& queue, RowReader& reader, int rowsPerBand)
{
    for (int first = 0; first < reader.height(); first += rowsPerBand) {
        Band* band = queue.take(queue.free, queue.sweepingOver);
        if (!band)
            return std::nullopt; // the sweep failed; it says why
        band->firstRow = first;
        band->rows = std::min(rowsPerBand, reader.height() - first);
        if (std::optional<Error> error = reader.readRows(band->words.get(), reader.width(), band->rows))
            return error;
        queue.put(queue.full, band);
    }
    return std::nullopt;
}

// Decoding and sweeping by turns, for a machine that gives no second thread.
std::optional<Error> DecodeAndSweepAlone(RowReader& reader, BandSweep& sweep, Band& band)
{
    std::vector<std::uint32_t> above;
    const int rowsPerBand = band.capacity;
    for (int first = 0; first < reader.height(); first += rowsPerBand) {
        band.firstRow = first;
        band.rows = std::min(rowsPerBand, reader.height() - first);
        if (std::optional<Error> error = reader.readRows(band.words.get(), reader.width(), band.rows))
            return error;
        SweepBand(sweep, band, reader.width(), above);
    }
    return std::nullopt;
}

} // namespace

Result<std::optional<SweptPicture>> SweepPictureFile(const QString& path, const std::array<bool, 8>& ticked,
                                                     double Tolerance, const std::array<bool, 8>& edgeColours,
                                                     const PlanPageChoice& plan)
{
    const Result<std::unique_ptr<QFile>> file = OpenPictureFile(path);
    if (!file)
        return file.error();
    const QByteArray head = (*file)->peek(64);
    const bool planDocument = IsPlanDocument(path, (*file)->peek(1024));
    if (!planDocument && NeedsWholePicture(path, head))
        return std::optional<SweptPicture>();
    DecoderLog log;
    try {
        Result<std::unique_ptr<RowReader>> reader =
            planDocument ? OpenPlanRows(path, plan.page, plan.dpi)
                         : OpenRowReader(file->get(), head, path, StreamedPictureSizeProblem);
        if (!reader)
            return reader.error();
        if (!*reader)
            return std::optional<SweptPicture>();
        Result<SweptPicture> swept = SweepRows(**reader, ticked, Tolerance, StreamThreads::Two, edgeColours);
        if (!swept)
            return swept.error();
        return std::optional<SweptPicture>(std::move(*swept));
    } catch (const std::bad_alloc&) {
        return PictureMemoryError(path);
    }
}

Result<SweptPicture> SweepRows(RowReader& reader, const std::array<bool, 8>& ticked, double Tolerance,
                               StreamThreads threads, const std::array<bool, 8>& edgeColours)
{
    const int width = reader.width();
    const int rowsPerBand =
        static_cast<int>(std::clamp<std::int64_t>(kBandBytes / (std::int64_t{width} * 4), 1, reader.height()));
    BandSweep sweep(width, reader.height(), ticked, Tolerance, 1, edgeColours);
    std::vector<Band> bands(kBands);
    BandQueue queue;
    for (Band& band : bands) {
        band.words = std::make_unique_for_overwrite<std::uint32_t[]>(static_cast<std::size_t>(rowsPerBand) *
                                                                     static_cast<std::size_t>(width));
        band.capacity = rowsPerBand;
        queue.free.push_back(&band);
    }
    std::exception_ptr failure;
    std::optional<std::jthread> sweeper;
    try {
        if (threads == StreamThreads::Two)
            sweeper.emplace(SweepBands, std::ref(queue), std::ref(sweep), width, std::ref(failure));
    } catch (const std::system_error&) {
        // A machine that gives no second thread.
    }
    if (!sweeper) {
        if (std::optional<Error> error = DecodeAndSweepAlone(reader, sweep, bands.front()))
            return *error;
        return sweep.finish();
    }
    std::optional<Error> error;
    try {
        error = DecodeBands(queue, reader, rowsPerBand);
    } catch (...) {
        queue.end(queue.decodingOver);
        throw;
    }
    queue.end(queue.decodingOver);
    sweeper.reset(); // waits for the last band
    if (error)
        return *error;
    if (failure)
        std::rethrow_exception(failure);
    return sweep.finish();
}

} // namespace centrafix
