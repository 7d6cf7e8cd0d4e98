#include "readoutrig.h"
#include "testregistry.h"

using namespace zt;
using namespace zt::readout;

Q_DECLARE_METATYPE(zt::PreparationResult)

// The status dialog's step before the read-out dialog opens.
class ReadoutPreparationE2ETest : public QObject
{
    Q_OBJECT

private slots:
    void preparationReportsWhatEachSlotHolds()
    {
        ReadoutRig rig;
        QCOMPARE(prepareReadout(rig.link, rig.survey), PreparationResult::Ready);
        QVERIFY(rig.link.isOpen());
        readSlotKinds(rig.link, rig.survey);
        const ReadoutSurvey &s = rig.survey;
        QCOMPARE(s.values.ReceiverID, qint32(0x1234));
        QCOMPARE(s.values.SystemKoCount, qint16(ScenarioKoCount));
        for (int k = 1; k <= 4; ++k) {
            const bool present = k <= 3;
            QCOMPARE(s.registered(k), present);
            const int held = present ? rig.engine.slot(k).ring.size() : 0;
            QCOMPARE(s.span(k).count, held);
            QCOMPARE(s.span(k).newest, rig.engine.newestTime(k));
            if (present) {
                const qint64 oldest = rig.engine.slot(k).nextSample - held;
                QCOMPARE(s.span(k).oldest, rig.engine.sampleTime(oldest));
                QCOMPARE(s.kinds[std::size_t(k - 1)].KoKind, qint16(rig.engine.slot(k).setup.kind));
            }
        }
    }

    void preparationFailuresCloseThePort_data()
    {
        QTest::addColumn<bool>("registered");
        QTest::addColumn<QByteArray>("refusedCode");
        QTest::addColumn<PreparationResult>("expected");
        QTest::newRow("identification refused")
            << true << QByteArray("05") << PreparationResult::CommFailure;
        QTest::newRow("recording flags refused")
            << true << QByteArray("08") << PreparationResult::CommFailure;
        QTest::newRow("a summary refused")
            << true << QByteArray("11") << PreparationResult::CommFailure;
        QTest::newRow("nothing registered")
            << false << QByteArray() << PreparationResult::NothingRecorded;
    }
    void preparationFailuresCloseThePort()
    {
        QFETCH(bool, registered);
        QFETCH(QByteArray, refusedCode);
        QFETCH(PreparationResult, expected);
        sim::Scenario scenario = readoutScenario();
        if (!registered)
            scenario.transmitters.clear();
        ReadoutRig rig(ReadoutRig::Peer::Tampering, scenario);
        rig.tampering->setTamper([&](const QByteArray &request, const QByteArray &reply) {
            return codeOf('\x02' + request) == refusedCode ? sim::nakReply() : reply;
        });
        QCOMPARE(prepareReadout(rig.link, rig.survey), expected);
        QVERIFY(!rig.link.isOpen());
    }
};

ZT_TEST(ReadoutPreparationE2ETest)
#include "readoutpreparatione2etest.moc"
