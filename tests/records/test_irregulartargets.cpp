#include "records/csvexport.h"
#include "records/fileerrors.h"
#include "records/settingsfiles.h"
#include "records/zt2file.h"
#include "test_settingsfixture.h"
#include "test_zt2sets.h"
#include "testregistry.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <sys/stat.h>
#include <sys/types.h>

using namespace zt;
using namespace zt::test;

using Writer = std::function<int(const QString &)>;
Q_DECLARE_METATYPE(Writer)

// A name that holds a FIFO (or any other non-regular file) is never replaced by a
// regular file and never read as data: the write or read fails with an error.
class IrregularTargetsTest : public QObject
{
    Q_OBJECT
    QTemporaryDir m_home;
    std::unique_ptr<QTemporaryDir> m_dir;

    QString fifo() const { return m_dir->filePath(QStringLiteral("target")); }
    bool stillFifo() const
    {
        struct stat st
        {
        };
        return stat(QFile::encodeName(fifo()).constData(), &st) == 0 && S_ISFIFO(st.st_mode);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_home.isValid());
        useHome(m_home);
    }
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        QCOMPARE(mkfifo(QFile::encodeName(fifo()).constData(), 0600), 0);
    }

    void writersRefuseAFifo_data()
    {
        QTest::addColumn<Writer>("write");
        QTest::newRow("settings file")
            << Writer([](const QString &p) { return writeSettings(SettingsFile::App, p, {}); });
        QTest::newRow(".zt2 file")
            << Writer([](const QString &p) { return saveZt2(p, *sampleSet()); });
        QTest::newRow("CSV export") << Writer([](const QString &p) {
            auto set = sampleSet();
            return exportCsv(p, *set);
        });
    }
    void writersRefuseAFifo()
    {
        QFETCH(Writer, write);
        QCOMPARE(write(fifo()), int(ErrPathAccess));
        QVERIFY(stillFifo());
        // No temporary file left, and nothing new beside the FIFO.
        const QStringList all =
            QDir(m_dir->path())
                .entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot);
        QCOMPARE(all, QStringList{QStringLiteral("target")});
    }

    void readersRefuseAFifoWithoutWaiting()
    {
        SettingsRecords records;
        QCOMPARE(readSettings(SettingsFile::OyaIds, fifo(), records), int(ErrPathAccess));
        auto set = emptySet();
        QCOMPARE(loadZt2(fifo(), {}, {}, *set), int(ErrPathAccess));
        QVERIFY(stillFifo());
    }

    void linkToAFifoIsRefusedToo()
    {
        const QString link = m_dir->filePath(QStringLiteral("link.zt2"));
        QVERIFY(QFile::link(fifo(), link));
        QCOMPARE(saveZt2(link, *sampleSet()), int(ErrPathAccess));
        QVERIFY(stillFifo());
        QVERIFY(QFileInfo(link).isSymLink());
    }

    void fileLongerThanAFullSetIsRefused_data()
    {
        QTest::addColumn<qint64>("extra");
        QTest::addColumn<int>("error");
        QTest::newRow("full size") << qint64(0) << 0;
        QTest::newRow("one byte more") << qint64(1) << int(ErrBadFileFormat);
    }
    void fileLongerThanAFullSetIsRefused()
    {
        QFETCH(qint64, extra);
        QFETCH(int, error);
        const QString path = m_dir->filePath(QStringLiteral("long.zt2"));
        writeBytes(path, encodeZt2(*sampleSet()));
        QVERIFY(QFile::resize(path, Zt2MaxFileBytes + extra));
        auto set = emptySet();
        QCOMPARE(loadZt2(path, {}, {}, *set), error);
    }
};

ZT_TEST(IrregularTargetsTest)
#include "test_irregulartargets.moc"
