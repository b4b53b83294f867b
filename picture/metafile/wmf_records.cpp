#include "picture/metafile/wmf_records.h"

#include <string>

namespace centrafix::wmf {

namespace {

constexpr qsizetype kRecordHeaderBytes = 6;
// A file small enough to read can still hold millions of tiny records; this
// cap keeps a hostile file from turning into minutes of drawing. Real
// drawings stay far below it.
constexpr qint64 kMaxRecords = 4'000'000;

constexpr Message kDamaged{"beschädigte Windows-Metadatei: %1", "damaged Windows metafile: %1"};
constexpr Message kTooShort{"%1: %2 Bytes nötig, der Datensatz enthält %3", "%1 needs %2 bytes, its record holds %3"};
constexpr Message kEndMissing{"Datensatz %1 bei Byte %2 fehlt: die Datei endet vor ihrem Schlussdatensatz",
                              "record %1 at byte %2 is missing: the file ends before its end record"};
constexpr Message kCutOff{"Datensatz %1 bei Byte %2 wird vom Dateiende abgeschnitten",
                          "record %1 at byte %2 is cut off by the end of the file"};
constexpr Message kTooMany{"Datensatz %1 bei Byte %2 ist einer zu viel: mehr als %3 Datensätze",
                           "record %1 at byte %2 is one too many: more than %3 records"};
constexpr Message kImpossibleSize{"Datensatz %1 bei Byte %2 hat die unmögliche Größe von %3 Wörtern",
                                  "record %1 at byte %2 has an impossible size of %3 words"};
constexpr Message kPastEnd{"Datensatz %1 bei Byte %2 beansprucht %3 Bytes, aber nur %4 sind in der Datei übrig",
                           "record %1 at byte %2 claims %3 bytes, but only %4 are left in the file"};

} // namespace

Problem NeedWords(const Record& r, qint64 words, const Message& what)
{
    if (r.words() >= words)
        return std::nullopt;
    return Described({}, kTooShort, {what, std::to_string(words * 2), std::to_string(r.params.size())});
}

Error Damaged(ErrorArg problem)
{
    return Described({}, kDamaged, {std::move(problem)});
}

std::optional<Record> RecordWalk::fail(const Message& problem, std::vector<ErrorArg> more)
{
    std::vector<ErrorArg> args{std::to_string(m_index), std::to_string(m_offset)};
    for (ErrorArg& arg : more)
        args.push_back(std::move(arg));
    m_problem = Described({}, problem, std::move(args));
    m_done = true;
    return std::nullopt;
}

std::optional<Record> RecordWalk::next()
{
    if (m_done)
        return std::nullopt;
    const qsizetype left = m_bytes.size() - m_pos;
    m_offset = m_pos;
    ++m_index;
    // Every metafile ends with an end record; without one, the file was cut
    // short and the picture would silently miss whatever followed.
    if (left == 0)
        return fail(kEndMissing);
    if (left < kRecordHeaderBytes)
        return fail(kCutOff);
    if (m_index > kMaxRecords)
        return fail(kTooMany, {std::to_string(kMaxRecords)});
    const quint32 words = ReadU32(m_bytes, m_pos);
    const quint16 function = ReadU16(m_bytes, m_pos + 4);
    if (words < 3)
        return fail(kImpossibleSize, {std::to_string(words)});
    if (static_cast<qint64>(words) * 2 > left)
        return fail(kPastEnd, {std::to_string(static_cast<qint64>(words) * 2), std::to_string(left)});
    if (function == static_cast<quint16>(Fn::Eof)) {
        m_done = true;
        return std::nullopt;
    }
    Record record;
    record.function = function;
    record.params = m_bytes.sliced(m_pos + kRecordHeaderBytes, qsizetype(words) * 2 - kRecordHeaderBytes);
    m_pos += qsizetype(words) * 2;
    return record;
}

} // namespace centrafix::wmf
