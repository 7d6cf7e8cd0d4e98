#include "engine/frameassembler.h"
#include "testregistry.h"

#include <QTest>

using namespace zt::sim;

class FrameAssemblerTest : public QObject
{
    Q_OBJECT
private slots:
    void framesAreCutFromAnyChunking_data()
    {
        QTest::addColumn<QByteArray>("stream");
        QTest::addColumn<QList<QByteArray>>("frames");
        const QByteArray a = "0002005,00,";
        const QByteArray b = "0002013,01,";
        QTest::newRow("one frame") << "\x02" + a + "\x03\r\n" << QList<QByteArray>{a};
        QTest::newRow("two frames") << "\x02" + a + "\x03\r\n\x02" + b + "\x03\r\n"
                                    << QList<QByteArray>{a, b};
        QTest::newRow("noise before STX") << "xx\r\n\x02" + a + "\x03" << QList<QByteArray>{a};
        QTest::newRow("a new STX restarts") << "\x02"
                                               "0002\x02" +
                                                   b + "\x03"
                                            << QList<QByteArray>{b};
        QTest::newRow("no ETX yet") << "\x02" + a << QList<QByteArray>{};
        QTest::newRow("overlong run dropped")
            << "\x02" + QByteArray(300, '1') + "\x03\x02" + a + "\x03" << QList<QByteArray>{a};
    }
    void framesAreCutFromAnyChunking()
    {
        QFETCH(QByteArray, stream);
        QFETCH(QList<QByteArray>, frames);
        // Whole, byte by byte and in threes: the chunking never changes the frames.
        for (int chunk : {int(stream.size()), 1, 3}) {
            FrameAssembler assembler;
            QList<QByteArray> got;
            for (qsizetype at = 0; at < stream.size(); at += chunk)
                got += assembler.feed(stream.mid(at, chunk));
            QCOMPARE(got, frames);
        }
    }
};

ZT_TEST(FrameAssemblerTest)
#include "tst_frameassembler.moc"
