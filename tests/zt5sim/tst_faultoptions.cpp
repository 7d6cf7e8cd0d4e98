#include "engine/faultoptions.h"
#include "testregistry.h"

#include <QTest>

using namespace zt::sim;

class FaultOptionsTest : public QObject
{
    Q_OBJECT
private slots:
    void optionsBuildThePlan_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("summary");
        QTest::newRow("no reply for ever") << QStringList{"noreply"} << "noreply count=-1";
        QTest::newRow("two refusals") << QStringList{"nak=2"} << "nak count=2";
        QTest::newRow("default garbage") << QStringList{"garbage"} << "garbage=3";
        QTest::newRow("split with pause") << QStringList{"split=4:25"} << "split=4/25";
        QTest::newRow("late and split")
            << QStringList{"late=2500", "split=2"} << "split=2/0 late=2500";
        QTest::newRow("timed faults")
            << QStringList{"leave-remote=30", "hangup=0"} << "leave=30000 hangup=0";
        QTest::newRow("shifted block times") << QStringList{"block-time=2"} << "block=1/2";
        QTest::newRow("blocks without end comma") << QStringList{"block-comma"} << "block=2/-1";
        QTest::newRow("alarm states ignored") << QStringList{"ignore-alarm"} << "ignore-alarm";
    }
    void optionsBuildThePlan()
    {
        QFETCH(QStringList, options);
        QFETCH(QString, summary);
        FaultPlan plan;
        for (const QString &option : options)
            QCOMPARE(addFaultOption(option, plan), QString());
        const ServerFaults &f = plan.faults;
        QStringList parts;
        if (f.noReply)
            parts << QStringLiteral("noreply count=%1").arg(f.count);
        if (f.nak)
            parts << QStringLiteral("nak count=%1").arg(f.count);
        if (!f.garbage.isEmpty())
            parts << QStringLiteral("garbage=%1").arg(f.garbage.size());
        if (f.splitPieces)
            parts << QStringLiteral("split=%1/%2").arg(f.splitPieces).arg(f.splitDelayMs);
        if (f.lateMs)
            parts << QStringLiteral("late=%1").arg(f.lateMs);
        if (f.blockFault != ServerFaults::BlockFault::None)
            parts << QStringLiteral("block=%1/%2").arg(int(f.blockFault)).arg(f.blockFaultCount);
        if (f.ignoreAlarmStates)
            parts << QStringLiteral("ignore-alarm");
        if (plan.leaveRemoteAfterMs >= 0)
            parts << QStringLiteral("leave=%1").arg(plan.leaveRemoteAfterMs);
        if (plan.hangUpAfterMs >= 0)
            parts << QStringLiteral("hangup=%1").arg(plan.hangUpAfterMs);
        QCOMPARE(parts.join(QLatin1Char(' ')), summary);
    }

    void badOptionsAreNamed_data()
    {
        QTest::addColumn<QString>("option");
        QTest::newRow("unknown") << "flood";
        QTest::newRow("one piece") << "split=1";
        QTest::newRow("split without count") << "split";
        QTest::newRow("late without time") << "late";
        QTest::newRow("zero refusals") << "nak=0";
        QTest::newRow("negative hang-up") << "hangup=-1";
        QTest::newRow("zero spoiled blocks") << "block-time=0";
    }
    void badOptionsAreNamed()
    {
        QFETCH(QString, option);
        FaultPlan plan;
        const QString error = addFaultOption(option, plan);
        QVERIFY2(error.startsWith("--fault " + option + ":"), qPrintable(error));
    }
};

ZT_TEST(FaultOptionsTest)
#include "tst_faultoptions.moc"
