#include "records/zt2file.h"
#include "test_settingsfixture.h"
#include "test_zt2sets.h"
#include "testregistry.h"

#include <QTest>
#include <QtEndian>

using namespace zt;
using namespace zt::test;

// The checked-in sample files are what their sets encode to, so a change of the file
// layout shows here. ZT_WRITE_SAMPLES=1 writes them afresh.
class SampleFilesTest : public QObject
{
    Q_OBJECT

private slots:
    void checkedInSamplesMatchTheirSets_data();
    void checkedInSamplesMatchTheirSets();
};

void SampleFilesTest::checkedInSamplesMatchTheirSets_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray sample = encodeZt2(*sampleSet());
    QTest::newRow("sample") << "sample.zt2" << sample;
    // Cut inside CH2 of the second transmitter; 27 empty slots follow it.
    QTest::newRow("truncated") << "truncated.zt2" << sample.left(sample.size() - 27 * 4 - 300);
    QByteArray impossible = sample;
    qToLittleEndian(qint16(2), impossible.data() + Zt2HeaderBytes); // slot 1's data flag
    QTest::newRow("impossible") << "impossible.zt2" << impossible;
}

void SampleFilesTest::checkedInSamplesMatchTheirSets()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    const QString path = QString::fromUtf8(dataDir()) + QLatin1Char('/') + name;
    if (qEnvironmentVariableIntValue("ZT_WRITE_SAMPLES") == 1)
        writeBytes(path, bytes);
    QCOMPARE(readBytes(path), bytes);
}

ZT_TEST(SampleFilesTest)
#include "test_zt2samples.moc"
