#include "records/zt2file.h"

#include "records/fileerrors.h"
#include "records/settingsio.h"
#include "records/wholefile.h"

#include <QDate>
#include <QtEndian>
#include <cerrno>
#include <memory>

namespace zt {

namespace {

// Fills a buffer sized in advance, two little-endian bytes per field.
class Writer
{
public:
    explicit Writer(qsizetype size) : bytes(size, Qt::Uninitialized), at(bytes.data()) {}
    void put(qint16 v)
    {
        qToLittleEndian(v, at);
        at += 2;
    }
    QByteArray bytes;

private:
    char *at;
};

qsizetype encodedSize(const LogSet &set)
{
    qsizetype size = Zt2HeaderBytes;
    for (const KoSeries &s : set.series)
        size += s.HasData == 1 ? Zt2BlockFixedBytes + 2 * Zt2PairBytes * qMax<int>(0, s.DataCount)
                               : Zt2EmptyBlockBytes;
    return size;
}

void putStats(Writer &w, const ChannelStats &st)
{
    w.put(st.ErrorCount);
    w.put(st.MaxValue);
    w.put(st.MinValue);
    w.put(st.AvgValue);
}

// A set whose sample arrays a block cannot address has no file form.
bool isEncodable(const LogSet &set)
{
    for (const KoSeries &s : set.series)
        if (s.HasData == 1 && s.DataCount > 0 &&
            (s.SeriesNo < 1 || s.SeriesNo > MaxKo || s.DataCount > MaxSamples))
            return false;
    return true;
}

// Reads little-endian fields from the buffer; a field past the end is not taken.
class Reader
{
public:
    explicit Reader(const QByteArray &bytes)
        : p(reinterpret_cast<const uchar *>(bytes.constData())), left(bytes.size())
    {
    }
    bool take(qint16 &v)
    {
        if (left < 2)
            return false;
        v = qFromLittleEndian<qint16>(p);
        p += 2;
        left -= 2;
        return true;
    }
    bool takeAll(std::initializer_list<qint16 *> fields)
    {
        if (left < qsizetype(2 * fields.size()))
            return false;
        for (qint16 *f : fields)
            take(*f);
        return true;
    }
    // Pairs (value, mark) that the rest of the buffer still holds, at most `wanted`.
    int pairsAvailable(int wanted) const { return int(qMin<qsizetype>(wanted, left / 4)); }
    void takePair(qint16 &value, qint16 &mark)
    {
        value = qFromLittleEndian<qint16>(p);
        mark = qFromLittleEndian<qint16>(p + 2);
        p += 4;
        left -= 4;
    }
    bool atEnd() const { return left == 0; }

private:
    const uchar *p;
    qsizetype left;
};

struct Header
{
    qint16 oyaSlot, minute, hour, day, month, year, intervalMinutes, intervalHours, koCount;
};

bool isPossible(const Header &h)
{
    // Slot 0 is the registry's own "unregistered" entry: harmless, so it is accepted.
    if (h.oyaSlot < 0 || h.oyaSlot > MaxOya || h.koCount < 0 || h.koCount > MaxKo)
        return false;
    if (h.intervalMinutes < 0 || h.intervalMinutes > 59 || h.intervalHours < 0)
        return false;
    return h.minute >= 0 && h.minute <= 59 && h.hour >= 0 && h.hour <= 23 &&
           QDate(2000 + h.year, h.month, h.day).isValid();
}

// Copies up to `count` pairs of one channel; a file cut short leaves the rest 0.
void readChannel(Reader &r, LogSet &set, const KoSeries &s, int channel, int &sinceProgress,
                 const LoadProgress &progress)
{
    const int n = r.pairsAvailable(s.DataCount);
    for (int i = 1; i <= n; ++i) {
        r.takePair(set.value(s.SeriesNo, channel, i), set.mark(s.SeriesNo, channel, i));
        if (++sinceProgress == ProgressStep) {
            sinceProgress = 0;
            if (progress)
                progress();
        }
    }
}

enum class BlockResult { Read, Cut, Impossible };

BlockResult readBlock(Reader &r, int koNo, LogSet &set, std::array<bool, MaxKo + 1> &seriesUsed,
                      int &sinceProgress, const LoadProgress &progress)
{
    KoSeries &s = set.ko(koNo);
    qint16 hasData = 0, offset = 0;
    if (!r.takeAll({&hasData, &offset}))
        return BlockResult::Cut;
    if (hasData != 0 && hasData != 1)
        return BlockResult::Impossible;
    if (hasData == 0) {
        s.StartOffset = offset;
        return BlockResult::Read;
    }
    KoSeries block;
    auto &c1 = block.stats[0];
    auto &c2 = block.stats[1];
    if (!r.takeAll({&block.SeriesNo, &block.KoNo, &block.KoKind, &block.DataCount, &c1.ErrorCount,
                    &c1.MaxValue, &c1.MinValue, &c1.AvgValue, &c2.ErrorCount, &c2.MaxValue,
                    &c2.MinValue, &c2.AvgValue}))
        return BlockResult::Cut;
    if (block.SeriesNo < 1 || block.SeriesNo > MaxKo || seriesUsed[block.SeriesNo] ||
        block.KoNo != koNo || block.DataCount < 0 || block.DataCount > MaxSamples || offset < 0)
        return BlockResult::Impossible;
    seriesUsed[block.SeriesNo] = true;
    block.HasData = 1;
    block.StartOffset = offset;
    s = block;
    readChannel(r, set, s, 1, sinceProgress, progress);
    readChannel(r, set, s, 2, sinceProgress, progress);
    return BlockResult::Read;
}

} // namespace

QByteArray encodeZt2(const LogSet &set)
{
    Writer w(encodedSize(set));
    for (qint16 v : {set.OyaSlot, set.startMinute, set.startHour, set.startDay, set.startMonth,
                     set.startYear, set.intervalMinutes, set.intervalHours, set.KoCount})
        w.put(v);
    for (const KoSeries &s : set.series) {
        w.put(s.HasData);
        w.put(s.StartOffset);
        if (s.HasData != 1)
            continue;
        for (qint16 v : {s.SeriesNo, s.KoNo, s.KoKind, s.DataCount})
            w.put(v);
        putStats(w, s.stats[0]);
        putStats(w, s.stats[1]);
        for (int ch = 1; ch <= ChannelCount; ++ch)
            for (int n = 1; n <= s.DataCount; ++n) {
                w.put(set.value(s.SeriesNo, ch, n));
                w.put(set.mark(s.SeriesNo, ch, n));
            }
    }
    return w.bytes;
}

int decodeZt2(const QByteArray &bytes, const OyaRegistry &oya, const KoNameTable &koNames,
              LogSet &out, const LoadProgress &progress)
{
    Reader r(bytes);
    Header h{};
    if (!r.takeAll({&h.oyaSlot, &h.minute, &h.hour, &h.day, &h.month, &h.year, &h.intervalMinutes,
                    &h.intervalHours, &h.koCount}))
        return bytes.isEmpty() ? ErrReadFailed : ErrBadFileFormat;
    if (!isPossible(h))
        return ErrBadFileFormat;
    out.OyaSlot = h.oyaSlot;
    out.oyaName = oya.nameOf(h.oyaSlot);
    out.startMinute = h.minute;
    out.startHour = h.hour;
    out.startDay = h.day;
    out.startMonth = h.month;
    out.startYear = h.year;
    out.intervalMinutes = h.intervalMinutes;
    out.intervalHours = h.intervalHours;
    out.KoCount = h.koCount;

    std::array<bool, MaxKo + 1> seriesUsed{};
    int sinceProgress = 0;
    for (int koNo = 1; koNo <= MaxKo; ++koNo) {
        // A block cut inside its fixed fields ends the data; the slots after it stay empty.
        const BlockResult result = readBlock(r, koNo, out, seriesUsed, sinceProgress, progress);
        if (result == BlockResult::Impossible)
            return ErrBadFileFormat;
        if (result == BlockResult::Cut)
            break;
    }
    for (KoSeries &s : out.series)
        s.name = koNames.name(h.oyaSlot, s.KoNo);
    out.LogSaved = true;
    return 0;
}

int saveZt2(const QString &path, const LogSet &set)
{
    if (!isEncodable(set))
        return ErrBadFileFormat;
    const QByteArray bytes = encodeZt2(set);
    return saveSettingsBytes(path, bytes);
}

int loadZt2(const QString &path, const OyaRegistry &oya, const KoNameTable &koNames, LogSet &set,
            const LoadProgress &progress)
{
    QByteArray bytes;
    if (const int error = readWholeFile(path, Zt2MaxFileBytes, bytes))
        return error;
    auto loaded = std::make_unique<LogSet>();
    if (const int error = decodeZt2(bytes, oya, koNames, *loaded, progress))
        return error;
    set = std::move(*loaded);
    return 0;
}

} // namespace zt
