#include "records/fileerrors.h"
#include "records/settingsfiles.h"
#include "test_settingsfixture.h"
#include "testregistry.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace zt;
using namespace zt::test;

// A write that fails half-way must leave the previous file byte for byte and no
// temporary file beside it.
class SettingsWriteFailureTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void writeCutShortByTheFileSizeLimitKeepsThePreviousFile_data();
    void writeCutShortByTheFileSizeLimitKeepsThePreviousFile();
    void writeIntoAReadOnlyFolderKeepsThePreviousFile();
    void writeIntoAMissingFolderCreatesNothing();

private:
    QTemporaryDir m_home;
    std::unique_ptr<QTemporaryDir> m_dir;
};

void SettingsWriteFailureTest::initTestCase()
{
    QVERIFY(m_home.isValid());
    useHome(m_home);
}

void SettingsWriteFailureTest::init()
{
    m_dir = std::make_unique<QTemporaryDir>(m_home.filePath(QStringLiteral("settings-XXXXXX")));
    QVERIFY(m_dir->isValid());
}

// Runs the write in a child whose files may not grow past `limit` bytes; the exit
// status carries the error number (255 for one that does not fit).
static int writeInChildWithSizeLimit(SettingsFile file, const QString &path,
                                     const SettingsRecords &records, rlim_t limit)
{
    const pid_t child = fork();
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN); // let write() fail with EFBIG instead of killing
        const rlimit small{limit, limit};
        if (setrlimit(RLIMIT_FSIZE, &small) != 0)
            _exit(254);
        const int error = writeSettings(file, path, records);
        _exit(error > 253 ? 255 : error);
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

void SettingsWriteFailureTest::writeCutShortByTheFileSizeLimitKeepsThePreviousFile_data()
{
    QTest::addColumn<SettingsFile>("file");
    QTest::addColumn<qulonglong>("limit");
    QTest::newRow("zt2koname.dat past 4 KiB") << SettingsFile::KoNames << 4096ull;
    QTest::newRow("zt2autos.dat past 20 bytes") << SettingsFile::AutoSave << 20ull;
    QTest::newRow("zt2000opTIme.dat at nothing") << SettingsFile::ReadTimes << 0ull;
}

void SettingsWriteFailureTest::writeCutShortByTheFileSizeLimitKeepsThePreviousFile()
{
    QFETCH(SettingsFile, file);
    QFETCH(qulonglong, limit);
    const QString path = m_dir->filePath(settingsFileName(file));
    QCOMPARE(writeSettings(file, path, SettingsRecords{}), 0);
    const QByteArray before = readBytes(path);

    QCOMPARE(writeInChildWithSizeLimit(file, path, markedRecords(), rlim_t(limit)),
             int(ErrDiskFull));
    QCOMPARE(readBytes(path), before);
    QCOMPARE(entriesOf(m_dir->path()), QStringList{settingsFileName(file)});

    // The same write without the limit goes through.
    QCOMPARE(writeInChildWithSizeLimit(file, path, markedRecords(), RLIM_INFINITY), 0);
    SettingsRecords read;
    QCOMPARE(readSettings(file, path, read), 0);
    QVERIFY(sameKind(file, read, markedRecords()));
}

void SettingsWriteFailureTest::writeIntoAReadOnlyFolderKeepsThePreviousFile()
{
    if (geteuid() == 0)
        QSKIP("the superuser writes into read-only folders; the size-limit test covers this");
    const QString path = m_dir->filePath(settingsFileName(SettingsFile::OyaIds));
    QCOMPARE(writeSettings(SettingsFile::OyaIds, path, SettingsRecords{}), 0);
    const QByteArray before = readBytes(path);
    QVERIFY(QFile::setPermissions(m_dir->path(), QFile::ReadOwner | QFile::ExeOwner));

    const int error = writeSettings(SettingsFile::OyaIds, path, markedRecords());
    QFile::setPermissions(m_dir->path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QCOMPARE(error, int(ErrPathAccess));
    QCOMPARE(readBytes(path), before);
    QCOMPARE(entriesOf(m_dir->path()), QStringList{settingsFileName(SettingsFile::OyaIds)});
}

void SettingsWriteFailureTest::writeIntoAMissingFolderCreatesNothing()
{
    const QString path = m_dir->filePath(QStringLiteral("gone/zt2000.dat"));
    QCOMPARE(writeSettings(SettingsFile::App, path, SettingsRecords{}), int(ErrPathNotFound));
    QVERIFY(entriesOf(m_dir->path()).isEmpty());
}

ZT_TEST(SettingsWriteFailureTest)
#include "test_settingswritefailure.moc"
