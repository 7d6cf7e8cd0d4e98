#include "platform/stoprequests.h"
#include "platform/windowtitles.h"
#include "support/testregistry.h"

#include <QSignalSpy>
#include <QTest>
#include <csignal>

using namespace zt;

class StopRequestsTest : public QObject
{
    Q_OBJECT
private slots:
    void eachStopSignalReachesTheEventLoop_data()
    {
        QTest::addColumn<int>("signalNumber");
        QTest::newRow("SIGTERM") << int(SIGTERM);
        QTest::newRow("SIGINT") << int(SIGINT);
        QTest::newRow("SIGHUP") << int(SIGHUP);
    }
    void eachStopSignalReachesTheEventLoop()
    {
        QFETCH(int, signalNumber);
        StopRequests stops;
        QVERIFY(stops.install());
        QSignalSpy spy(&stops, &StopRequests::stopRequested);
        QCOMPARE(::raise(signalNumber), 0); // would end the test run without the handler
        QVERIFY(spy.wait());
        QCOMPARE(spy.size(), 1);
        QCOMPARE(spy.at(0).at(0).toInt(), signalNumber);
    }

    void onlyOneInstanceOwnsTheHandlers()
    {
        StopRequests first;
        QVERIFY(first.install());
        StopRequests second;
        QVERIFY(!second.install());
    }

    void secondMonitorTitlesCarryTheirNumber()
    {
        QCOMPARE(monitorWindowTitles(false),
                 QStringList({QStringLiteral("監視の開始"), QStringLiteral("送信器データ一覧")}));
        QCOMPARE(monitorWindowTitles(true),
                 QStringList({QStringLiteral("監視の開始2"), QStringLiteral("送信器データ一覧2")}));
    }
};

ZT_TEST(StopRequestsTest)
#include "stoprequeststest.moc"
