#include "engine/ptyserver.h"
#include "ptyreader.h"
#include "simfixture.h"
#include "testregistry.h"

#include <QSerialPort>
#include <QSignalSpy>
#include <QTest>

using namespace zt;
using namespace zt::sim;
using namespace zt::sim::test;

class PtyServerTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<ReceiverEngine> m_engine;
    std::unique_ptr<PtyServer> m_server;

    QByteArray expectedReply(const char *access, const char *code, const QString &data)
    {
        ReceiverEngine twin(testScenario(), ManualTime().source());
        return twin.handleFrame(request(access, code, data));
    }

private slots:
    void init()
    {
        m_engine = std::make_unique<ReceiverEngine>(testScenario(), ManualTime().source());
        m_server = std::make_unique<PtyServer>(m_engine.get());
        QString error;
        QVERIFY2(m_server->open(&error), qPrintable(error));
    }
    void cleanup()
    {
        m_server.reset();
        m_engine.reset();
    }

    void answersOverTheSlaveDevice()
    {
        PtyReader pc(m_server->devicePath());
        QVERIFY(pc.isOpen());
        pc.send(wireRequest("20", "05", "00"));
        QTRY_VERIFY(pc.replyComplete());
        QCOMPARE(pc.data, expectedReply("20", "05", "00"));
        QCOMPARE(replyText(pc.data).size(), 17);
    }

    void faultsShapeTheReply_data()
    {
        QTest::addColumn<QByteArray>("garbage");
        QTest::addColumn<int>("pieces");
        QTest::addColumn<int>("lateMs");
        QTest::addColumn<bool>("nak");
        QTest::newRow("garbage before STX") << QByteArray("#?\xFF") << 0 << 0 << false;
        QTest::newRow("four pieces") << QByteArray() << 4 << 0 << false;
        QTest::newRow("garbage and pieces") << QByteArray("zz") << 3 << 0 << false;
        QTest::newRow("late") << QByteArray() << 0 << 150 << false;
        QTest::newRow("refused") << QByteArray() << 0 << 0 << true;
    }
    void faultsShapeTheReply()
    {
        QFETCH(QByteArray, garbage);
        QFETCH(int, pieces);
        QFETCH(int, lateMs);
        QFETCH(bool, nak);
        ServerFaults faults;
        faults.garbage = garbage;
        faults.splitPieces = pieces;
        faults.splitDelayMs = 40;
        faults.lateMs = lateMs;
        faults.nak = nak;
        m_server->setFaults(faults);
        PtyReader pc(m_server->devicePath());
        pc.send(wireRequest("20", "05", "00"));
        QTRY_VERIFY_WITH_TIMEOUT(pc.replyComplete(), 3000);
        const QByteArray reply = nak ? nakReply() : expectedReply("20", "05", "00");
        QCOMPARE(pc.data, garbage + reply);
        if (pieces > 1)
            QVERIFY2(pc.chunks.size() >= pieces, qPrintable(QString::number(pc.chunks.size())));
        QVERIFY(pc.msFromSendToFirstByte() >= lateMs);
    }

    void noReplyLosesOnlyTheCountedRequests()
    {
        ServerFaults faults;
        faults.noReply = true;
        faults.count = 2;
        m_server->setFaults(faults);
        PtyReader pc(m_server->devicePath());
        for (int lost = 1; lost <= 2; ++lost) {
            pc.send(wireRequest("01", "20", "0012341"));
            QTRY_COMPARE(m_server->log().received().size(), lost);
        }
        QVERIFY(!m_engine->remoteMode()); // a lost request is not carried out
        QVERIFY(pc.data.isEmpty());
        QVERIFY(!m_server->faults().any());
        pc.send(wireRequest("01", "20", "0012341"));
        QTRY_COMPARE(pc.data, ackReply());
        QVERIFY(m_engine->remoteMode());
    }

    void leavingRemoteModeRefusesThePoll()
    {
        m_engine->setRemoteMode(true);
        PtyReader pc(m_server->devicePath());
        pc.send(wireRequest("20", "10", "001234"));
        QTRY_VERIFY(pc.replyComplete());
        QCOMPARE(replyText(pc.data).size(), 112);
        pc.clear();
        m_server->leaveRemoteMode();
        pc.send(wireRequest("20", "10", "001234"));
        QTRY_VERIFY(pc.replyComplete());
        QCOMPARE(pc.data, nakReply());
    }

    void hangUpClosesTheLine()
    {
        PtyReader pc(m_server->devicePath());
        QSignalSpy hungUp(m_server.get(), &PtyServer::hungUp);
        m_server->hangUp();
        QCOMPARE(hungUp.size(), 1);
        QVERIFY(!m_server->isOpen());
        QTRY_VERIFY(pc.lineGone);
    }

    void serialPortReaderGetsTheReply()
    {
        QSerialPort port(m_server->devicePath());
        QVERIFY2(port.open(QIODevice::ReadWrite), qPrintable(port.errorString()));
        port.setBaudRate(9600);
        port.write(wireRequest("20", "11", "01"));
        QByteArray got;
        QTRY_VERIFY((got += port.readAll()).endsWith("\r\n"));
        QCOMPARE(got, expectedReply("20", "11", "01"));
    }

    void pacingTakesAtLeastTheWireTime()
    {
        m_engine->setRemoteMode(true);
        m_server->setPacing(true);
        PtyReader pc(m_server->devicePath());
        pc.send(wireRequest("20", "10", "001234"));
        QTRY_VERIFY_WITH_TIMEOUT(pc.replyComplete(), 5000);
        QCOMPARE(pc.data.size(), 116);
        const double wireMs = 116 * double(ReplyWriter::ByteNs) / 1e6; // 120.8 ms
        // Loose on the slow side: the machine may be busy; never faster than the wire.
        QVERIFY2(pc.msFromSendToLastByte() >= qint64(wireMs) - 1,
                 qPrintable(QString::number(pc.msFromSendToLastByte())));
        QVERIFY2(pc.msFromSendToLastByte() < qint64(wireMs) * 4,
                 qPrintable(QString::number(pc.msFromSendToLastByte())));
        QVERIFY(pc.chunks.size() > 5); // it left in small pieces, not at once
    }

    void frameLogRecordsBothDirections()
    {
        PtyReader pc(m_server->devicePath());
        QSignalSpy added(&m_server->log(), &FrameLog::added);
        pc.send(wireRequest("20", "05", "00"));
        QTRY_COMPARE(added.size(), 2);
        QCOMPARE(m_server->log().received(),
                 QList<QByteArray>{"\x02" + request("20", "05", "00") + "\x03"});
        QCOMPARE(m_server->log().sent(), QList<QByteArray>{expectedReply("20", "05", "00")});
        const QString line = FrameLog::format(m_server->log().entries().first());
        QVERIFY2(line.endsWith(QLatin1String("< <STX>0002005,00,<ETX>")), qPrintable(line));
    }
};

ZT_TEST(PtyServerTest)
#include "tst_ptyserver.moc"
