#include "records/fileerrors.h"
#include "testregistry.h"

#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QTest>
#include <cerrno>

using namespace zt;

Q_DECLARE_METATYPE(zt::FileOperation)

class FileErrorsTest : public QObject
{
    Q_OBJECT

private slots:
    void errnoMapsToTheTableNumbers_data();
    void errnoMapsToTheTableNumbers();
    void failedOpenIsExplainedByThePath_data();
    void failedOpenIsExplainedByThePath();
    void missingFileErrnoIsRefinedByThePath();
    void fullDeviceReportsDiskFull();
    void messageCarriesTextAndNumber();

private:
    QTemporaryDir dir;
};

void FileErrorsTest::errnoMapsToTheTableNumbers_data()
{
    QTest::addColumn<int>("err");
    QTest::addColumn<FileOperation>("op");
    QTest::addColumn<int>("number");
    const auto R = FileOperation::Read;
    const auto W = FileOperation::Write;
    QTest::newRow("missing file") << ENOENT << R << 53;
    QTest::newRow("missing folder on write") << ENOENT << W << 76;
    QTest::newRow("not a folder") << ENOTDIR << R << 76;
    QTest::newRow("no access") << EACCES << W << 75;
    QTest::newRow("not permitted") << EPERM << W << 75;
    QTest::newRow("is a folder") << EISDIR << R << 75;
    QTest::newRow("disk full") << ENOSPC << W << 61;
    QTest::newRow("file too large") << EFBIG << W << 61;
    QTest::newRow("read-only file system") << EROFS << W << 70;
    QTest::newRow("name too long") << ENAMETOOLONG << W << 52;
    QTest::newRow("out of memory") << ENOMEM << R << 7;
    QTest::newRow("no device") << ENXIO << R << 71;
    QTest::newRow("io error on read") << EIO << R << 31037;
    QTest::newRow("io error on write") << EIO << W << 31036;
}

void FileErrorsTest::errnoMapsToTheTableNumbers()
{
    QFETCH(int, err);
    QFETCH(FileOperation, op);
    QFETCH(int, number);
    QCOMPARE(errorNumberForErrno(err, op), number);
}

void FileErrorsTest::failedOpenIsExplainedByThePath_data()
{
    QTest::addColumn<QString>("name"); // below the temporary folder
    QTest::addColumn<FileOperation>("op");
    QTest::addColumn<int>("number");
    QTest::newRow("missing file") << QStringLiteral("absent.zt2") << FileOperation::Read << 53;
    QTest::newRow("read from missing folder")
        << QStringLiteral("nofolder/a.zt2") << FileOperation::Read << 76;
    QTest::newRow("write into missing folder")
        << QStringLiteral("nofolder/a.zt2") << FileOperation::Write << 76;
    QTest::newRow("folder in place of the file")
        << QStringLiteral("sub") << FileOperation::Read << 75;
    QTest::newRow("name too long") << QString(300, QLatin1Char('n')) << FileOperation::Write << 52;
}

void FileErrorsTest::failedOpenIsExplainedByThePath()
{
    QFETCH(QString, name);
    QFETCH(FileOperation, op);
    QFETCH(int, number);
    QVERIFY(dir.isValid());
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("sub")));
    const QString path = dir.filePath(name);
    if (op == FileOperation::Read) {
        QFile file(path);
        QVERIFY(!file.open(QIODevice::ReadOnly));
        QCOMPARE(fileErrorNumber(file, op), number);
    } else {
        // A save file opens a temporary beside the target; a bad name fails at commit.
        QSaveFile file(path);
        QVERIFY(!file.open(QIODevice::WriteOnly) || !file.commit());
        QCOMPARE(fileErrorNumber(file, op), number);
    }
}

void FileErrorsTest::missingFileErrnoIsRefinedByThePath()
{
    QFile inFolder(dir.filePath(QStringLiteral("absent.csv")));
    QFile noFolder(dir.filePath(QStringLiteral("gone/absent.csv")));
    QCOMPARE(fileErrorNumber(inFolder, FileOperation::Read, ENOENT), 53);
    QCOMPARE(fileErrorNumber(noFolder, FileOperation::Read, ENOENT), 76);
}

void FileErrorsTest::fullDeviceReportsDiskFull()
{
    QFile full(QStringLiteral("/dev/full"));
    if (!full.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        QSKIP("/dev/full is not available");
    errno = 0;
    QCOMPARE(full.write("data", 4), qint64(-1));
    const int err = errno;
    QCOMPARE(fileErrorNumber(full, FileOperation::Write, err), 61);
}

void FileErrorsTest::messageCarriesTextAndNumber()
{
    QFile missing(dir.filePath(QStringLiteral("absent.zt2")));
    QVERIFY(!missing.open(QIODevice::ReadOnly));
    QCOMPARE(fileErrorMessage(missing, FileOperation::Read),
             QStringLiteral("ファイル名が正しくありません｡\nエラー53"));
    // A number outside the table shows Qt's own description of the failure.
    QFile device(QStringLiteral("/dev/full"));
    if (device.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        device.write("x", 1);
        QVERIFY(fileErrorMessage(device, FileOperation::Write, EIO).endsWith(u"\nエラー31036"));
    }
}

ZT_TEST(FileErrorsTest)
#include "test_fileerrors.moc"
