#include "records/fileerrors.h"
#include "records/zt2file.h"
#include "test_settingsfixture.h"
#include "test_zt2sets.h"
#include "testregistry.h"

#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

using namespace zt;
using namespace zt::test;

class Zt2FileTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void fileSizeAndBlockPositionFollowTheLayout_data();
    void fileSizeAndBlockPositionFollowTheLayout();
    void headerAndSamplesAreLittleEndianInOrder();
    void roundTripKeepsEveryFieldAndStoredStatistics_data();
    void roundTripKeepsEveryFieldAndStoredStatistics();
    void namesComeFromTheRegistryOfTheStoredSlot_data();
    void namesComeFromTheRegistryOfTheStoredSlot();
    void truncatedFileKeepsSamplesUpToTheCut_data();
    void truncatedFileKeepsSamplesUpToTheCut();
    void impossibleFileLeavesTheSetUnchanged_data();
    void impossibleFileLeavesTheSetUnchanged();
    void bytesAfterTheLastBlockAreIgnored();
    void progressIsReportedEvery200Samples_data();
    void progressIsReportedEvery200Samples();
    void failedSaveKeepsThePreviousFile_data();
    void failedSaveKeepsThePreviousFile();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    OyaRegistry m_oya;
    KoNameTable m_names;
};

namespace {

qint16 fieldAt(const QByteArray &bytes, qsizetype offset)
{
    return qFromLittleEndian<qint16>(bytes.constData() + offset);
}

void setField(QByteArray &bytes, qsizetype offset, qint16 v)
{
    qToLittleEndian(v, bytes.data() + offset);
}

// Slot 5 with samples 254, 8191, -998 and humidity 65, 16383, 0.
std::unique_ptr<LogSet> slotFiveSet()
{
    auto set = emptySet();
    addSeries(*set, 5, 12, {254, StarValue, -998}, {65, DashValue, 0});
    computeStatistics(*set);
    return set;
}

void compareSets(const LogSet &a, const LogSet &b)
{
    QCOMPARE(a.OyaSlot, b.OyaSlot);
    QCOMPARE(a.startTime(), b.startTime());
    QCOMPARE(a.intervalHours, b.intervalHours);
    QCOMPARE(a.intervalMinutes, b.intervalMinutes);
    QCOMPARE(a.KoCount, b.KoCount);
    for (int k = 1; k <= MaxKo; ++k) {
        const KoSeries &x = a.ko(k), &y = b.ko(k);
        QCOMPARE(x.HasData, y.HasData);
        QCOMPARE(x.StartOffset, y.StartOffset);
        if (x.HasData != 1)
            continue;
        QCOMPARE(x.SeriesNo, y.SeriesNo);
        QCOMPARE(x.KoNo, y.KoNo);
        QCOMPARE(x.KoKind, y.KoKind);
        QCOMPARE(x.DataCount, y.DataCount);
        QCOMPARE(x.stats, y.stats);
        for (int ch = 1; ch <= 2; ++ch)
            for (int n = 1; n <= x.DataCount; ++n) {
                QCOMPARE(a.value(x.SeriesNo, ch, n), b.value(y.SeriesNo, ch, n));
                QCOMPARE(a.mark(x.SeriesNo, ch, n), b.mark(y.SeriesNo, ch, n));
            }
    }
}

} // namespace

void Zt2FileTest::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_oya = OyaRegistry();
    m_names = KoNameTable();
}

void Zt2FileTest::fileSizeAndBlockPositionFollowTheLayout_data()
{
    QTest::addColumn<std::shared_ptr<LogSet>>("set");
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("koNo");
    QTest::addColumn<int>("blockAt");
    QTest::newRow("no data") << std::shared_ptr<LogSet>(emptySet()) << 138 << 30 << 134;
    QTest::newRow("3 samples in slot 5")
        << std::shared_ptr<LogSet>(slotFiveSet()) << 186 << 5 << 34;
    auto none = emptySet();
    addSeries(*none, 2, 10, {});
    QTest::newRow("data flag without samples")
        << std::shared_ptr<LogSet>(std::move(none)) << 138 - 4 + 28 << 2 << 22;
    auto last = emptySet();
    addSeries(*last, 1, 12, {1, 2});
    addSeries(*last, 30, 11, {3});
    QTest::newRow("slots 1 and 30") << std::shared_ptr<LogSet>(std::move(last))
                                    << 138 - 8 + 28 + 16 + 28 + 8 << 30 << 18 + 28 + 16 + 28 * 4;
}

void Zt2FileTest::fileSizeAndBlockPositionFollowTheLayout()
{
    QFETCH(std::shared_ptr<LogSet>, set);
    QFETCH(int, size);
    QFETCH(int, koNo);
    QFETCH(int, blockAt);
    const QByteArray bytes = encodeZt2(*set);
    QCOMPARE(bytes.size(), size);
    QCOMPARE(fieldAt(bytes, blockAt), set->ko(koNo).HasData);
    if (set->ko(koNo).HasData == 1) {
        QCOMPARE(fieldAt(bytes, blockAt + 6), qint16(koNo)); // KoNo
        QCOMPARE(fieldAt(bytes, blockAt + 10), set->ko(koNo).DataCount);
    }
}

void Zt2FileTest::headerAndSamplesAreLittleEndianInOrder()
{
    auto set = slotFiveSet();
    set->OyaSlot = 0x0102;
    set->setStartTime(QDateTime(QDate(2010, 12, 31), QTime(9, 15), Qt::UTC));
    set->setInterval(90);
    set->KoCount = 7;
    set->ko(5).StartOffset = 0x0304;
    const QByteArray bytes = encodeZt2(*set);
    QCOMPARE(bytes.left(18).toHex(), QByteArray("0201"
                                                "0f00"
                                                "0900"
                                                "1f00"
                                                "0c00"
                                                "0a00"
                                                "1e00"
                                                "0100"
                                                "0700"));
    // Slot 5: flag, offset, SeriesNo, KoNo, kind, count, then CH1 and CH2 statistics.
    QCOMPARE(bytes.mid(34, 12).toHex(), QByteArray("0100"
                                                   "0403"
                                                   "0100"
                                                   "0500"
                                                   "0c00"
                                                   "0300"));
    // CH1 pairs (value, mark) for every sample, then CH2 pairs.
    const qsizetype ch1 = 34 + 28;
    QCOMPARE(fieldAt(bytes, ch1), qint16(254));
    QCOMPARE(fieldAt(bytes, ch1 + 4), StarValue);
    QCOMPARE(fieldAt(bytes, ch1 + 8), qint16(-998));
    QCOMPARE(bytes.mid(ch1 + 8, 2).toHex(), QByteArray("1afc"));
    QCOMPARE(fieldAt(bytes, ch1 + 12), qint16(65));
    QCOMPARE(fieldAt(bytes, ch1 + 16), DashValue);
    QCOMPARE(bytes.mid(ch1 + 24, 4).toHex(), QByteArray("00000000")); // slot 6 without data
    QCOMPARE(bytes.size(), 186);
}

void Zt2FileTest::roundTripKeepsEveryFieldAndStoredStatistics_data()
{
    QTest::addColumn<std::shared_ptr<LogSet>>("set");
    QTest::newRow("empty") << std::shared_ptr<LogSet>(emptySet());
    QTest::newRow("sample") << std::shared_ptr<LogSet>(sampleSet());
    // Statistics that the samples do not give: a load must not recompute them.
    auto odd = slotFiveSet();
    odd->ko(5).stats[0] = {9, 1234, -1234, 77};
    odd->ko(5).stats[1] = {0, StarValue, StarValue, StarValue};
    odd->mark(1, 2, 3) = 1;
    odd->setInterval(0);
    odd->OyaSlot = 100;
    QTest::newRow("stored statistics, 24 h") << std::shared_ptr<LogSet>(std::move(odd));
    auto kinds = emptySet();
    addSeries(*kinds, 2, 11, {100, 200}, {300, 400}, 3);
    addSeries(*kinds, 4, 99, {5}, {6}, 1);
    addSeries(*kinds, 9, 0, {}, {}, 0);
    kinds->ko(20).StartOffset = 7; // kept even without data
    QTest::newRow("kinds 11, 99 and 0") << std::shared_ptr<LogSet>(std::move(kinds));
}

void Zt2FileTest::roundTripKeepsEveryFieldAndStoredStatistics()
{
    QFETCH(std::shared_ptr<LogSet>, set);
    const QString path = m_dir->filePath(QStringLiteral("round.zt2"));
    QCOMPARE(saveZt2(path, *set), 0);
    QCOMPARE(readBytes(path), encodeZt2(*set));
    auto loaded = std::make_unique<LogSet>();
    loaded->LogSaved = false;
    QCOMPARE(loadZt2(path, m_oya, m_names, *loaded), 0);
    compareSets(*loaded, *set);
    QVERIFY(loaded->LogSaved);
    QCOMPARE(encodeZt2(*loaded), encodeZt2(*set));
}

void Zt2FileTest::namesComeFromTheRegistryOfTheStoredSlot_data()
{
    QTest::addColumn<int>("slot");
    QTest::addColumn<QString>("oyaName");
    QTest::addColumn<QString>("koName");
    QTest::newRow("registered") << 7 << "本社倉庫"
                                << "冷蔵庫Ａ";
    QTest::newRow("unregistered slot 1") << 1 << "未登録"
                                         << "ｽﾛｯﾄ1";
    QTest::newRow("registry's own slot 0") << 0 << "未登録"
                                           << "5";
}

void Zt2FileTest::namesComeFromTheRegistryOfTheStoredSlot()
{
    QFETCH(int, slot);
    QFETCH(QString, oyaName);
    QFETCH(QString, koName);
    m_oya.OyaName[7] = QStringLiteral("本社倉庫");
    m_oya.OyaName[1] = QStringLiteral("使われない名前");
    m_names.name(7, 5) = QStringLiteral("冷蔵庫Ａ");
    m_names.name(1, 5) = QStringLiteral("ｽﾛｯﾄ1");
    auto set = slotFiveSet();
    set->OyaSlot = qint16(slot);
    auto loaded = std::make_unique<LogSet>();
    QCOMPARE(decodeZt2(encodeZt2(*set), m_oya, m_names, *loaded), 0);
    QCOMPARE(loaded->OyaSlot, qint16(slot));
    QCOMPARE(loaded->oyaName, oyaName);
    QCOMPARE(loaded->ko(5).name, koName);
}

void Zt2FileTest::truncatedFileKeepsSamplesUpToTheCut_data()
{
    QTest::addColumn<int>("cut");
    QTest::addColumn<QList<int>>("ch1");
    QTest::addColumn<QList<int>>("ch2");
    QTest::addColumn<bool>("slotFiveLoaded");
    const int samples = 34 + 28;
    QTest::newRow("after 2 CH1 pairs")
        << samples + 8 << QList<int>{254, StarValue, 0} << QList<int>{0, 0, 0} << true;
    QTest::newRow("inside the third CH1 pair")
        << samples + 10 << QList<int>{254, StarValue, 0} << QList<int>{0, 0, 0} << true;
    QTest::newRow("after 1 CH2 pair")
        << samples + 16 << QList<int>{254, StarValue, -998} << QList<int>{65, 0, 0} << true;
    QTest::newRow("before any sample")
        << samples << QList<int>{0, 0, 0} << QList<int>{0, 0, 0} << true;
    QTest::newRow("inside the block's fields")
        << 34 + 12 << QList<int>{0, 0, 0} << QList<int>{0, 0, 0} << false;
    QTest::newRow("at the block's start")
        << 34 << QList<int>{0, 0, 0} << QList<int>{0, 0, 0} << false;
}

void Zt2FileTest::truncatedFileKeepsSamplesUpToTheCut()
{
    QFETCH(int, cut);
    QFETCH(QList<int>, ch1);
    QFETCH(QList<int>, ch2);
    QFETCH(bool, slotFiveLoaded);
    auto set = slotFiveSet();
    addSeries(*set, 6, 10, {1, 2}); // lies wholly past the cut
    const QString path = m_dir->filePath(QStringLiteral("cut.zt2"));
    writeBytes(path, encodeZt2(*set).left(cut));
    auto loaded = std::make_unique<LogSet>();
    QCOMPARE(loadZt2(path, m_oya, m_names, *loaded), 0);
    QCOMPARE(loaded->startTime(), set->startTime());
    QCOMPARE(loaded->ko(5).HasData, qint16(slotFiveLoaded ? 1 : 0));
    if (slotFiveLoaded) {
        QCOMPARE(loaded->ko(5).DataCount, qint16(3)); // as stored
        QCOMPARE(loaded->ko(5).stats, set->ko(5).stats);
    }
    for (int n = 1; n <= 3; ++n) {
        QCOMPARE(int(loaded->value(1, 1, n)), ch1[n - 1]);
        QCOMPARE(int(loaded->value(1, 2, n)), ch2[n - 1]);
    }
    QCOMPARE(loaded->ko(6).HasData, qint16(0));
    QCOMPARE(loaded->value(2, 1, 1), qint16(0));
}

void Zt2FileTest::impossibleFileLeavesTheSetUnchanged_data()
{
    QTest::addColumn<qsizetype>("offset");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("cut");
    QTest::addColumn<int>("error");
    const int bad = ErrBadFileFormat;
    // Header field offsets; slot 5's block starts at 34, slot 6's at 34 + 28 + 24 = 86.
    QTest::newRow("empty file") << qsizetype(0) << 1 << 0 << int(ErrReadFailed);
    QTest::newRow("header cut short") << qsizetype(0) << 1 << 17 << bad;
    QTest::newRow("receiver slot 101") << qsizetype(0) << 101 << -1 << bad;
    QTest::newRow("receiver slot -1") << qsizetype(0) << -1 << -1 << bad;
    QTest::newRow("minute 60") << qsizetype(2) << 60 << -1 << bad;
    QTest::newRow("hour 24") << qsizetype(4) << 24 << -1 << bad;
    QTest::newRow("day 0") << qsizetype(6) << 0 << -1 << bad;
    QTest::newRow("30 February") << qsizetype(6) << 30 << -1 << bad;
    QTest::newRow("month 13") << qsizetype(8) << 13 << -1 << bad;
    QTest::newRow("year 0") << qsizetype(10) << -2000 << -1 << bad;
    QTest::newRow("interval minutes 60") << qsizetype(12) << 60 << -1 << bad;
    QTest::newRow("negative interval hours") << qsizetype(14) << -1 << -1 << bad;
    QTest::newRow("31 transmitters") << qsizetype(16) << 31 << -1 << bad;
    QTest::newRow("data flag 2") << qsizetype(34) << 2 << -1 << bad;
    QTest::newRow("data flag -1 in an empty slot") << qsizetype(18) << -1 << -1 << bad;
    QTest::newRow("negative offset") << qsizetype(36) << -1 << -1 << bad;
    QTest::newRow("series 0") << qsizetype(38) << 0 << -1 << bad;
    QTest::newRow("series 31") << qsizetype(38) << 31 << -1 << bad;
    QTest::newRow("series used twice") << qsizetype(86 + 4) << 1 << -1 << bad;
    QTest::newRow("KoNo of another slot") << qsizetype(40) << 6 << -1 << bad;
    QTest::newRow("count 32001") << qsizetype(44) << 32001 << -1 << bad;
    QTest::newRow("count -1") << qsizetype(44) << -1 << -1 << bad;
}

void Zt2FileTest::impossibleFileLeavesTheSetUnchanged()
{
    QFETCH(qsizetype, offset);
    QFETCH(int, value);
    QFETCH(int, cut);
    QFETCH(int, error);
    auto source = slotFiveSet();
    source->setStartTime(QDateTime(QDate(2024, 2, 1), QTime(0, 0), Qt::UTC));
    addSeries(*source, 6, 10, {1, 2});
    QByteArray bytes = encodeZt2(*source);
    setField(bytes, offset, qint16(value));
    if (cut >= 0)
        bytes.truncate(cut);
    const QString path = m_dir->filePath(QStringLiteral("bad.zt2"));
    writeBytes(path, bytes);

    auto current = sampleSet();
    current->oyaName = QStringLiteral("今のセット");
    current->LogSaved = false;
    const QByteArray before = encodeZt2(*current);
    QCOMPARE(loadZt2(path, m_oya, m_names, *current), error);
    QCOMPARE(encodeZt2(*current), before);
    QCOMPARE(current->oyaName, QStringLiteral("今のセット"));
    QVERIFY(!current->LogSaved);
}

void Zt2FileTest::bytesAfterTheLastBlockAreIgnored()
{
    auto set = slotFiveSet();
    auto loaded = std::make_unique<LogSet>();
    QCOMPARE(decodeZt2(encodeZt2(*set) + QByteArray(6, '\x7f'), m_oya, m_names, *loaded), 0);
    compareSets(*loaded, *set);
}

void Zt2FileTest::progressIsReportedEvery200Samples_data()
{
    QTest::addColumn<QList<int>>("counts");
    QTest::addColumn<int>("calls");
    QTest::newRow("none") << QList<int>{} << 0;
    QTest::newRow("99 per channel") << QList<int>{99} << 0;
    QTest::newRow("100 per channel") << QList<int>{100} << 1;
    QTest::newRow("across series") << QList<int>{150, 150, 101} << 4;
    QTest::newRow("a full channel pair") << QList<int>{MaxSamples} << 320;
}

void Zt2FileTest::progressIsReportedEvery200Samples()
{
    QFETCH(QList<int>, counts);
    QFETCH(int, calls);
    auto set = emptySet();
    int koNo = 1;
    for (int count : counts)
        addSeries(*set, koNo++, 12, std::vector<qint16>(std::size_t(count), 5));
    int called = 0;
    auto loaded = std::make_unique<LogSet>();
    QCOMPARE(decodeZt2(encodeZt2(*set), m_oya, m_names, *loaded, [&] { ++called; }), 0);
    QCOMPARE(called, calls);
}

void Zt2FileTest::failedSaveKeepsThePreviousFile_data()
{
    QTest::addColumn<bool>("readOnlyFolder");
    QTest::addColumn<int>("error");
    QTest::newRow("file size limit") << false << int(ErrDiskFull);
    QTest::newRow("read-only folder") << true << int(ErrPathAccess);
}

void Zt2FileTest::failedSaveKeepsThePreviousFile()
{
    QFETCH(bool, readOnlyFolder);
    QFETCH(int, error);
    // Open to everyone so an unprivileged child can reach the folder.
    const QString folder = m_dir->filePath(QStringLiteral("data"));
    QVERIFY(QDir().mkpath(folder));
    const auto open = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther |
                      QFile::ExeOther | QFile::ReadGroup | QFile::ExeGroup;
    QVERIFY(QFile::setPermissions(m_dir->path(), open));
    const QString path = folder + QStringLiteral("/kept.zt2");
    auto old = slotFiveSet();
    QCOMPARE(saveZt2(path, *old), 0);
    const QByteArray before = readBytes(path);
    if (readOnlyFolder)
        QVERIFY(QFile::setPermissions(folder, open & ~QFile::WriteOwner));

    auto bigger = sampleSet();
    const int result =
        runInChild(readOnlyFolder ? std::function<bool()>(asUnprivilegedUser) : fileSizeLimit(1024),
                   [&] { return saveZt2(path, *bigger); });
    QFile::setPermissions(folder, open);
    QCOMPARE(result, error);
    QCOMPARE(readBytes(path), before);
    QCOMPARE(entriesOf(folder), QStringList{QStringLiteral("kept.zt2")});
}

ZT_TEST(Zt2FileTest)
#include "test_zt2file.moc"
