#include "periodic/journal.h"

#include "records/fileerrors.h"

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <cerrno>
#include <map>
#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace zt {

namespace {
constexpr quint32 EntryMagic = 0x4A54355A; // "Z5TJ"
constexpr qint32 EntryVersion = 1;
constexpr int EntryFrameBytes = 12;      // magic, payload length, checksum
constexpr quint32 MaxPayload = 1u << 24; // far above one batch of MaxSamples records

quint32 crc32(const QByteArray &bytes)
{
    quint32 crc = 0xFFFFFFFFu;
    for (const char c : bytes) {
        crc ^= quint8(c);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

QByteArray payloadOf(const SetHeader &h, const SlotRecords &b, bool restart)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_4);
    out << EntryVersion << qint32(h.oyaSlot) << h.oyaName << qint32(h.intervalMinutes)
        << qint32(h.koCount) << qint32(b.koNo) << qint32(b.koKind)
        << b.firstTime.toMSecsSinceEpoch() << restart << b.limits.high1 << b.limits.low1
        << b.limits.high2 << b.limits.low2 << quint32(b.records.size());
    for (const RawPair &r : b.records)
        out << r.ch1 << r.ch2;
    return bytes;
}

struct Entry
{
    SetHeader header;
    SlotRecords batch;
    bool restart = false;
};

bool parsePayload(const QByteArray &bytes, Entry &e)
{
    QDataStream in(bytes);
    in.setVersion(QDataStream::Qt_6_4);
    qint32 version = 0, oyaSlot = 0, interval = 0, koCount = 0, koNo = 0, koKind = 0;
    qint64 first = 0;
    quint32 count = 0;
    in >> version >> oyaSlot >> e.header.oyaName >> interval >> koCount >> koNo >> koKind >>
        first >> e.restart >> e.batch.limits.high1 >> e.batch.limits.low1 >> e.batch.limits.high2 >>
        e.batch.limits.low2 >> count;
    if (in.status() != QDataStream::Ok || version != EntryVersion || koNo < 1 || koNo > MaxKo ||
        count > quint32(MaxSamples) || interval < 0)
        return false;
    e.header.oyaSlot = oyaSlot;
    e.header.intervalMinutes = interval;
    e.header.koCount = koCount;
    e.batch.koNo = koNo;
    e.batch.koKind = koKind;
    e.batch.firstTime = QDateTime::fromMSecsSinceEpoch(first, Qt::UTC);
    e.batch.records.resize(count);
    for (RawPair &r : e.batch.records)
        in >> r.ch1 >> r.ch2;
    return in.status() == QDataStream::Ok && in.atEnd();
}

// Joins a batch to what the slot holds: right after its newest record, or after a gap
// filled with missing-data codes; a batch that does not follow on starts the slot
// again. Like the buffers, a slot keeps its newest MaxSamples records.
void join(SlotRecords &slot, const Entry &e)
{
    const qint64 step = qint64(e.header.intervalMinutes ? e.header.intervalMinutes : 1440) * 60;
    const RawPair missing{qint16(0xC000), qint16(0xC000)};
    qint64 gap = -1;
    if (!slot.records.empty() && !e.restart) {
        const QDateTime next = slot.firstTime.addSecs(qint64(slot.records.size()) * step);
        const qint64 secs = next.secsTo(e.batch.firstTime);
        if (secs >= 0 && secs % step == 0 && secs / step <= MaxSamples)
            gap = secs / step;
    }
    if (gap < 0) {
        slot = e.batch;
    } else {
        slot.records.insert(slot.records.end(), std::size_t(gap), missing);
        slot.records.insert(slot.records.end(), e.batch.records.begin(), e.batch.records.end());
        slot.limits = e.batch.limits;
        slot.koKind = e.batch.koKind;
    }
    const qsizetype excess = qsizetype(slot.records.size()) - MaxSamples;
    if (excess > 0) {
        slot.records.erase(slot.records.begin(), slot.records.begin() + excess);
        slot.firstTime = slot.firstTime.addSecs(excess * step);
    }
}

int syncToDisk(QFile &file)
{
    if (!file.flush())
        return fileErrorNumber(file, FileOperation::Write);
#ifdef Q_OS_UNIX
    if (::fsync(file.handle()) != 0)
        return errorNumberForErrno(errno, FileOperation::Write);
#endif
    return 0;
}
} // namespace

QString journalPath(const QString &settingsFolder)
{
    return QDir(settingsFolder).filePath(QStringLiteral("watchjournal.dat"));
}

int Journal::append(const SetHeader &header, const SlotRecords &batch, bool restart)
{
    const QByteArray payload = payloadOf(header, batch, restart);
    QByteArray entry;
    QDataStream out(&entry, QIODevice::WriteOnly);
    out << EntryMagic << quint32(payload.size());
    entry += payload;
    QDataStream tail(&entry, QIODevice::Append);
    tail << crc32(payload);

    QFile file(m_path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return fileErrorNumber(file, FileOperation::Write, errno);
    const qint64 before = file.size();
    if (file.write(entry) != entry.size()) {
        const int error = fileErrorNumber(file, FileOperation::Write, errno);
        file.resize(before); // no torn entry left behind when it can be helped
        return error;
    }
    return syncToDisk(file);
}

int Journal::clear()
{
    QFile file(m_path);
    if (!file.exists())
        return 0;
    errno = 0;
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return fileErrorNumber(file, FileOperation::Write, errno);
    return syncToDisk(file);
}

CollectedData Journal::read(int *entries) const
{
    CollectedData data;
    int whole = 0;
    QFile file(m_path);
    std::map<int, SlotRecords> bySlot;
    if (file.open(QIODevice::ReadOnly)) {
        const QByteArray all = file.readAll();
        qsizetype at = 0;
        while (all.size() - at >= EntryFrameBytes) {
            QDataStream head(all.mid(at, 8));
            quint32 magic = 0, length = 0;
            head >> magic >> length;
            if (magic != EntryMagic || length > MaxPayload ||
                all.size() - at < EntryFrameBytes + qsizetype(length))
                break; // torn or foreign: nothing after it can be trusted
            const QByteArray payload = all.mid(at + 8, length);
            QDataStream sum(all.mid(at + 8 + length, 4));
            quint32 crc = 0;
            sum >> crc;
            Entry e;
            if (crc != crc32(payload) || !parsePayload(payload, e))
                break;
            data.header = e.header;
            join(bySlot[e.batch.koNo], e);
            ++whole;
            at += EntryFrameBytes + length;
        }
    }
    for (auto &[koNo, slot] : bySlot)
        if (!slot.records.empty())
            data.slotRecords.push_back(std::move(slot));
    if (entries)
        *entries = whole;
    return data;
}

} // namespace zt
