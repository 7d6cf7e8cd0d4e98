#include "recording/inisetdialog.h"
#include "recording/recordingsettings.h"
#include "session/appfont.h"
#include "engine/ptyserver.h"
#include "engine/receiverengine.h"
#include "link/seriallink.h"
#include "records/datetime.h"
#include "records/messages.h"
#include "records/registry.h"
#include "support/testregistry.h"
#include "ui/scripteddialogservice.h"
#include "zt5sim/simfixture.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QScopeGuard>
#include <QTest>
#include <memory>

using namespace zt;

namespace {
constexpr int FastTimeoutMs = 200;

QByteArray codeOf(const QByteArray &frame)
{
    return frame.mid(6, 2);
}

QByteArray dataOf(const QByteArray &frame)
{
    const qsizetype comma = frame.indexOf(',');
    return frame.mid(comma + 1, frame.lastIndexOf(',') - comma - 1);
}

// "code:data" of every request the receiver got after the first `skip`.
QStringList requestsAfter(sim::PtyServer &server, qsizetype skip)
{
    QStringList out;
    const QList<QByteArray> frames = server.log().received();
    for (qsizetype i = skip; i < frames.size(); ++i)
        out << QString::fromLatin1(codeOf(frames[i]) + ':' + dataOf(frames[i]));
    return out;
}

sim::Scenario withoutTransmitters()
{
    sim::Scenario s = sim::test::testScenario();
    s.transmitters.clear();
    return s;
}
} // namespace

// The dialog against the virtual receiver: what it sends and what the receiver keeps.
class RecordingSettingsDialogTest : public QObject
{
    Q_OBJECT
    // The PC clock the dialog sees.
    QDateTime pcNow = wallClock(2024, 5, 1, 12, 0, 30);
    sim::test::ManualTime time;
    std::unique_ptr<sim::ReceiverEngine> engine;
    std::unique_ptr<sim::PtyServer> server;
    std::unique_ptr<SerialLink> link;
    ScriptedDialogService dialogs;
    OyaRegistry registry;
    RecordingSurvey survey;
    qsizetype preparationFrames = 0;

    void startReceiver(const sim::Scenario &scenario)
    {
        engine = std::make_unique<sim::ReceiverEngine>(scenario, time.source());
        server = std::make_unique<sim::PtyServer>(engine.get());
        QVERIFY(server->open());
        link = std::make_unique<SerialLink>(LinkMode::Kestrel, nullptr, FastTimeoutMs);
        link->setPortName(server->devicePath());
        QVERIFY(prepareRecordingSettings(*link, registry, survey));
        preparationFrames = server->log().received().size();
    }

    std::unique_ptr<LogIniSetDialog> openDialog()
    {
        auto d = std::make_unique<LogIniSetDialog>(*link, survey, registry, dialogs);
        d->setClock([this] { return pcNow; });
        return d;
    }

private slots:
    void init()
    {
        dialogs.clear();
        pcNow = wallClock(2024, 5, 1, 12, 0, 30);
        registry = {};
        registry.OyaID[2] = 0x1234;
        registry.OyaName[2] = QStringLiteral("倉庫");
    }
    void cleanup()
    {
        link.reset();
        server.reset();
        engine.reset();
    }

    void theDialogShowsWhatTheReceiverHolds()
    {
        startReceiver(sim::test::testScenario());
        auto d = openDialog();
        QCOMPARE(d->findChild<QLabel *>("lOyaName")->text(), QStringLiteral("倉庫"));
        QCOMPARE(d->koCountBox()->currentText(), QStringLiteral("4"));
        QVERIFY(!d->koCountBox()->isEnabled()); // transmitters are registered
        QCOMPARE(d->maxDataLabel()->text(), QStringLiteral("8000"));
        QCOMPARE(d->intervalBox()->currentText(), QStringLiteral("00:10"));
        QCOMPARE(d->commIntervalLabel()->text(), QStringLiteral("00:20"));
        QCOMPARE(d->startBox()->count(), 1440);
        QCOMPARE(d->findChild<QLabel *>("Ltime")->text(), QStringLiteral("24-05-01 12:00"));
        QVERIFY(survey.recordingWarning);
    }

    void anUnknownReceiverIsShownUnregistered()
    {
        registry.OyaID[2] = 0x4321;
        startReceiver(sim::test::testScenario());
        QCOMPARE(survey.oyaSlot, 1);
        auto d = openDialog();
        QCOMPARE(d->findChild<QLabel *>("lOyaName")->text(), QStringLiteral("未登録"));
    }

    void changingCountOrIntervalRecomputesTheCommInterval()
    {
        startReceiver(withoutTransmitters());
        auto d = openDialog();
        QVERIFY(d->koCountBox()->isEnabled());
        d->koCountBox()->setCurrentText(QStringLiteral("17"));
        QCOMPARE(d->maxDataLabel()->text(), QStringLiteral("1000"));
        QCOMPARE(d->commIntervalLabel()->text(), QStringLiteral("01:00"));
        d->intervalBox()->setCurrentText(QStringLiteral("02:00"));
        QCOMPARE(d->commIntervalLabel()->text(), QStringLiteral("02:00"));
        d->koCountBox()->setCurrentText(QStringLiteral("30"));
        d->intervalBox()->setCurrentText(QStringLiteral("00:05"));
        QCOMPARE(d->commIntervalLabel()->text(), QStringLiteral("01:30"));
    }

    void registeredTransmittersKeepTheCountAndGetNewIntervals()
    {
        startReceiver(sim::test::testScenario());
        auto d = openDialog();
        d->intervalBox()->setCurrentText(QStringLiteral("00:05"));
        d->startBox()->setCurrentText(QStringLiteral("06:30"));
        dialogs.answerMessage(AnswerOk); // the erase question
        dialogs.answerMessage(AnswerOk); // done
        d->apply();

        QCOMPARE(requestsAfter(*server, preparationFrames),
                 QStringList({"20:0012341", "02:00185010C001E0005001418501061E00", "20:0012340"}));
        const QList<MessageRequest> asked = dialogs.messages();
        QCOMPARE(asked.size(), 2);
        QCOMPARE(asked[0].caption, QStringLiteral("送信器収録設定"));
        QVERIFY(asked[0].text.startsWith(QStringLiteral("設定を変更すると")));
        QCOMPARE(asked[0].style, 1 + 48 + 256);
        QCOMPARE(asked[1].text, messageText(38));
        QCOMPARE(asked[1].style, 64);
        QCOMPARE(d->result(), int(QDialog::Accepted));
        QVERIFY(!link->isOpen());

        QCOMPARE(engine->systemKoCount(), 4);
        QCOMPARE(engine->measureMinutes(), 5);
        QCOMPARE(engine->commMinutes(), 20);
        QVERIFY(!engine->remoteMode());
        // 06:30 has passed on the PC's day: the receiver starts the next morning.
        QCOMPARE(engine->recordingStart(), wallClock(2024, 5, 2, 6, 30));
        QCOMPARE(engine->now(), wallClock(2024, 5, 1, 12, 0, 30));
    }

    void anEmptyReceiverAlsoGetsTheTransmitterCount()
    {
        startReceiver(withoutTransmitters());
        auto d = openDialog();
        QVERIFY(!survey.recordingWarning);
        d->koCountBox()->setCurrentText(QStringLiteral("17"));
        d->intervalBox()->setCurrentText(QStringLiteral("00:10"));
        d->startBox()->setCurrentText(QStringLiteral("13:00"));
        d->apply();

        QCOMPARE(requestsAfter(*server, preparationFrames),
                 QStringList({"20:0012341", "01:0011", "02:00185010C001E000A0100185010D0000",
                              "20:0012340"}));
        QCOMPARE(dialogs.messages().size(), 1); // nothing to erase: no question
        QCOMPARE(engine->systemKoCount(), 17);
        QCOMPARE(engine->commMinutes(), 60);
        QCOMPARE(engine->recordingStart(), wallClock(2024, 5, 1, 13, 0));
        QCOMPARE(rememberedStartTime(), QTime(13, 0));
    }

    void refusedSettingsSendNothing_data()
    {
        QTest::addColumn<QString>("count");
        QTest::addColumn<QString>("interval");
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("message");
        QTest::newRow("11 transmitters every minute") << "11"
                                                      << "00:01" << 2024 << 35;
        QTest::newRow("30 transmitters every minute") << "30"
                                                      << "00:01" << 2024 << 35;
        QTest::newRow("PC clock in 1999") << "1"
                                          << "00:10" << 1999 << 39;
        QTest::newRow("PC clock in 2051") << "1"
                                          << "00:10" << 2051 << 39;
    }
    void refusedSettingsSendNothing()
    {
        QFETCH(QString, count);
        QFETCH(QString, interval);
        QFETCH(int, year);
        QFETCH(int, message);
        startReceiver(withoutTransmitters());
        pcNow = wallClock(year, 6, 1, 9, 0);
        auto d = openDialog();
        d->koCountBox()->setCurrentText(count);
        d->intervalBox()->setCurrentText(interval);
        d->apply();
        QCOMPARE(requestsAfter(*server, preparationFrames), QStringList());
        QCOMPARE(dialogs.messages().size(), 1);
        QCOMPARE(dialogs.messages()[0].text, messageText(message));
        QCOMPARE(dialogs.messages()[0].style, 48);
        QCOMPARE(d->result(), 0);
        QVERIFY(link->isOpen());
    }

    void cancellingTheEraseQuestionSendsNothing()
    {
        startReceiver(sim::test::testScenario());
        auto d = openDialog();
        dialogs.answerMessage(AnswerCancel);
        d->apply();
        QCOMPARE(requestsAfter(*server, preparationFrames), QStringList());
        QCOMPARE(dialogs.messages().size(), 1);
        QCOMPARE(engine->measureMinutes(), 10);
    }

    void aRefusedCommandReportsFailureAndLeavesThePortOpenForARetry()
    {
        startReceiver(sim::test::testScenario());
        auto d = openDialog();
        sim::ServerFaults nak;
        nak.nak = true;
        nak.count = 1;
        server->setFaults(nak);
        dialogs.answerMessage(AnswerOk);
        d->apply();
        QCOMPARE(requestsAfter(*server, preparationFrames), QStringList({"20:0012341"}));
        QCOMPARE(dialogs.messages().last().text, messageText(16));
        QCOMPARE(dialogs.messages().last().style, 48);
        QCOMPARE(d->result(), 0);
        QVERIFY(link->isOpen());
        QVERIFY(d->okButton()->isEnabled());
        QCOMPARE(engine->measureMinutes(), 10);

        dialogs.clear();
        dialogs.answerMessage(AnswerOk);
        d->apply();
        QCOMPARE(dialogs.messages().last().text, messageText(38));
        QCOMPARE(d->result(), int(QDialog::Accepted));
    }

    void cancelClosesThePort()
    {
        startReceiver(sim::test::testScenario());
        auto d = openDialog();
        QVERIFY(link->isOpen());
        d->cancelButton()->click();
        QVERIFY(!link->isOpen());
        QCOMPARE(requestsAfter(*server, preparationFrames), QStringList());
    }

    void notesStayOnOneLine_data()
    {
        QTest::addColumn<int>("pointSize");
        QTest::newRow("9 pt") << 9;
        QTest::newRow("12 pt (1024 x 768)") << 12;
        QTest::newRow("14 pt (1280 x 1024)") << 14;
    }
    void notesStayOnOneLine()
    {
        QFETCH(int, pointSize);
        const QFont before = QApplication::font();
        QApplication::setFont(japaneseUiFont(pointSize)); // as kestrel sets it
        const auto restore = qScopeGuard([&] { QApplication::setFont(before); });
        startReceiver(sim::test::testScenario());
        auto d = openDialog();
        d->show();
        QVERIFY(QTest::qWaitForWindowExposed(d.get()));
        const QString dir = qEnvironmentVariable("ZT_GRAB_DIR");
        if (!dir.isEmpty())
            d->grab().save(
                QDir(dir).filePath(QStringLiteral("LogIniSet1-%1pt.png").arg(pointSize)));
        // Narrowed by the user, the dialog still keeps every note whole.
        d->resize(300, d->height());
        QCoreApplication::processEvents();
        int notes = 0;
        for (const QLabel *l : d->findChildren<QLabel *>()) {
            if (l->text().isEmpty())
                continue;
            const QFontMetrics fm(l->font());
            QVERIFY2(l->contentsRect().width() >= fm.horizontalAdvance(l->text()),
                     qPrintable(l->text()));
            QVERIFY2(l->height() < 2 * fm.lineSpacing(), qPrintable(l->text()));
            notes += l->text().startsWith(QChar(0x2460)) ? 1 : 0; // ① ...
        }
        QCOMPARE(notes, 1);
        d->reject();
    }

    void theDialogLooksFinished()
    {
        startReceiver(sim::test::testScenario());
        auto d = openDialog();
        d->show();
        QVERIFY(QTest::qWaitForWindowExposed(d.get()));
        QTRY_VERIFY(d->cancelButton()->hasFocus()); // data would be erased
        const QString dir = qEnvironmentVariable("ZT_GRAB_DIR");
        if (!dir.isEmpty())
            QVERIFY(d->grab().save(QDir(dir).filePath(QStringLiteral("LogIniSet1.png"))));
        d->reject();
    }
};

ZT_TEST(RecordingSettingsDialogTest)
#include "recordingsettingsdialogtest.moc"
