#include "session/analyzersession.h"
#include "engine/ptyserver.h"
#include "engine/receiverengine.h"
#include "link/seriallink.h"
#include "support/testregistry.h"
#include "ui/alarmreceiver.h"
#include "ui/alarmspinbox.h"
#include "ui/scripteddialogservice.h"
#include "ui/statusdialog.h"
#include "zt5sim/simfixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QGroupBox>
#include <QLabel>
#include <QSignalSpy>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <memory>

using namespace zt;

namespace {

constexpr int FastTimeoutMs = 200;

// Slot 1 kind 12, slot 2 kind 10 recording, slot 3 registered but idle, slot 4 empty.
sim::Scenario alarmScenario()
{
    sim::Scenario s = sim::test::testScenario();
    sim::SlotSetup idle{3, 12, false, false, sim::defaultRange(12), {300, 100, 700, 300}};
    s.transmitters << idle;
    return s;
}

// The "07" writes (access "01") among the frames the receiver got.
QList<QByteArray> limitWrites(const QList<QByteArray> &frames)
{
    QList<QByteArray> out;
    for (const QByteArray &f : frames)
        if (f.mid(4, 4) == "0107")
            out << f.mid(f.indexOf(',') + 1, 18);
    return out;
}

} // namespace

// The dialog against the virtual receiver: read, edit, send only what changed.
class AlarmRoundTripTest : public QObject
{
    Q_OBJECT
    sim::test::ManualTime time;
    std::unique_ptr<sim::ReceiverEngine> engine;
    std::unique_ptr<sim::PtyServer> server;
    std::unique_ptr<SerialLink> link;
    ScriptedDialogService dialogs;
    SettingsRecords settings;
    AlarmTable table;

    bool readReceiver()
    {
        ReceiverValues values;
        AlarmDialogStatus status;
        if (!readAlarmDialogStatus(*link, values, status))
            return false;
        table = alarmTableFromReceiver(values, status, settings.oya, settings.koNames);
        return true;
    }

    void grab(QWidget &w, const char *name)
    {
        const QByteArray dir = qgetenv("ZT_GRAB_DIR");
        if (!dir.isEmpty())
            w.grab().save(QString::fromLocal8Bit(dir) + QLatin1Char('/') + QLatin1String(name));
    }

private slots:
    void init()
    {
        engine = std::make_unique<sim::ReceiverEngine>(alarmScenario(), time.source());
        server = std::make_unique<sim::PtyServer>(engine.get());
        QVERIFY(server->open());
        link = std::make_unique<SerialLink>(LinkMode::Kestrel, nullptr, FastTimeoutMs);
        link->setPortName(server->devicePath());
        dialogs.clear();
        settings = {};
        settings.oya.OyaID[2] = qint32(engine->receiverId());
        settings.koNames.name(2, 1) = QStringLiteral("冷蔵庫Ａ");
        settings.koNames.name(2, 2).clear();
        AlarmSettingsDialog::rememberedTab = 1;
    }
    void cleanup()
    {
        link.reset();
        server.reset();
        engine.reset();
    }

    void theDialogShowsWhatTheReceiverHolds()
    {
        QVERIFY(readReceiver());
        AlarmSettingsDialog dialog(table, dialogs, analyzerAlarmOptions(*link));
        dialog.show();
        QCOMPARE(dialog.tabs()->count(), 4);
        QStringList captions;
        for (int i = 0; i < 4; ++i)
            captions << dialog.tabs()->tabText(i);
        QCOMPARE(captions, (QStringList{"1", "2", "非稼動", "未登録"}));
        QCOMPARE(dialog.findChild<QLabel *>("KokiNameLabel")->text(),
                 QStringLiteral("送信器名： 冷蔵庫Ａ"));
        QCOMPARE(dialog.spin(0)->value(), 30);
        QCOMPARE(dialog.spin(1)->value(), 15);
        QCOMPARE(dialog.spin(2)->value(), 80);
        QCOMPARE(dialog.spin(3)->value(), 30);
        QCOMPARE(dialog.spin(0)->maximum(), 60);
        QCOMPARE(dialog.spin(0)->minimum(), -10);
        QCOMPARE(dialog.spin(2)->maximum(), 100);
        QVERIFY(dialog.spin(2)->isVisible());
        grab(dialog, "alarm-dialog-kind12.png");

        dialog.tabs()->setCurrentIndex(1);
        QCOMPARE(dialog.findChild<QLabel *>("KokiNameLabel")->text(),
                 QStringLiteral("送信器名： 名称無し"));
        QVERIFY(!dialog.spin(2)->isVisible());
        QVERIFY(dialog.applyToAllBox()->isVisible());
        grab(dialog, "alarm-dialog-kind10.png");

        dialog.tabs()->setCurrentIndex(2);
        QVERIFY(!dialog.spin(0)->isVisible());
        QVERIFY(!dialog.applyToAllBox()->isVisible());
        QVERIFY(dialog.findChild<QLabel *>("KokiNameLabel")->text().isEmpty());
        grab(dialog, "alarm-dialog-idle.png");
    }

    void applySendsOnlyTheChangedSlotAndClosesThePort()
    {
        QVERIFY(readReceiver());
        const sim::ChannelPair slot2Before = engine->slot(2).setup.limits;
        AlarmSettingsDialog dialog(table, dialogs, analyzerAlarmOptions(*link));
        QSignalSpy finished(&dialog, &QDialog::finished);
        server->log().clear();

        dialog.spin(0)->setValue(35);
        dialog.spin(3)->stepBy(-2);
        dialog.onApply();
        QCOMPARE(limitWrites(server->log().received()), QList<QByteArray>{"01015E009603200118"});
        QCOMPARE(engine->slot(1).setup.limits, (sim::ChannelPair{350, 150, 800, 280}));
        QCOMPARE(engine->slot(2).setup.limits, slot2Before);
        QVERIFY(!link->isOpen());
        QCOMPARE(finished.count(), 0);

        // A second "適用" with nothing changed sends nothing.
        server->log().clear();
        dialog.onApply();
        QVERIFY(limitWrites(server->log().received()).isEmpty());
        QCOMPARE(finished.count(), 0);

        // OK on the single-channel slot reopens the port for its own write only.
        dialog.tabs()->setCurrentIndex(1);
        dialog.spin(0)->setValue(50);
        dialog.onOk();
        const QList<QByteArray> writes = limitWrites(server->log().received());
        QCOMPARE(writes.size(), 1);
        QVERIFY(writes[0].startsWith("0201F4FF9C"));
        QCOMPARE(engine->slot(2).setup.limits.high1, qint16(500));
        QCOMPARE(engine->slot(2).setup.limits.low1, qint16(-100));
        QCOMPARE(engine->slot(1).setup.limits, (sim::ChannelPair{350, 150, 800, 280}));
        QVERIFY(!link->isOpen());
        QCOMPARE(finished.count(), 1);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(dialogs.asked().isEmpty());
    }

    void applyingToAllWritesEveryRecordingSlotOnceAndThenNothing()
    {
        QVERIFY(readReceiver());
        AlarmSettingsDialog dialog(table, dialogs, analyzerAlarmOptions(*link));
        server->log().clear();
        dialog.spin(0)->setValue(50);
        dialog.spin(1)->setValue(-10);
        dialog.applyToAllBox()->click();
        QVERIFY(dialog.applyToAllBox()->isChecked());
        dialog.onApply();
        // Slot 1 keeps its humidity limits, slot 2 its CH2 fields as read; idle slot 3 untouched.
        QCOMPARE(limitWrites(server->log().received()),
                 (QByteArrayList{"0101F4FF9C0320012C", "0201F4FF9C00000000"}));
        QCOMPARE(engine->slot(2).setup.limits.high1, qint16(500));
        QCOMPARE(engine->slot(3).setup.limits.high1, qint16(300));
        server->log().clear();
        dialog.onApply();
        QVERIFY(limitWrites(server->log().received()).isEmpty());
    }

    void aReceiverThatStopsAnsweringGetsTheFailureBoxAndTheDialogCloses()
    {
        QVERIFY(readReceiver());
        const sim::ChannelPair before = engine->slot(1).setup.limits;
        AlarmSettingsDialog dialog(table, dialogs, analyzerAlarmOptions(*link));
        QSignalSpy finished(&dialog, &QDialog::finished);
        server.reset();
        dialog.spin(0)->setValue(40);
        dialog.onApply();
        QCOMPARE(dialogs.messages().size(), 1);
        QCOMPARE(dialogs.messages()[0].caption, QStringLiteral("警報設定"));
        QCOMPARE(dialogs.messages()[0].text, QStringLiteral("警報設定に失敗しました"));
        QCOMPARE(finished.count(), 1);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(engine->slot(1).setup.limits, before);
        QVERIFY(table.slot(1).AlarmChanged);
        QVERIFY(!link->isOpen());
    }
    void theMenuPathReadsTheReceiverThenOpensTheDialog()
    {
        QTimer answer; // edit and press OK once the dialog is up
        connect(&answer, &QTimer::timeout, this, [&] {
            if (auto *d = qobject_cast<AlarmSettingsDialog *>(QApplication::activeModalWidget())) {
                d->spin(0)->setValue(42);
                d->onOk();
            }
        });
        answer.start(20);
        runAlarmSettings(*link, settings, dialogs, nullptr);
        QByteArrayList codes;
        for (const QByteArray &f : server->log().received())
            codes << f.mid(4, 4);
        // The status read ("10" in remote mode) came before the one write.
        QVERIFY(codes.indexOf("2010") >= 0);
        QCOMPARE(codes.count("0107"), 1);
        QVERIFY(codes.indexOf("2010") < codes.indexOf("0107"));
        QCOMPARE(engine->slot(1).setup.limits.high1, qint16(420));
        QVERIFY(!link->isOpen());
        QVERIFY(!engine->remoteMode());
    }

    void aSilentReceiverLeavesTheStatusDialogWithTheFailureText()
    {
        server.reset();
        QString shown;
        bool dialogOpened = false;
        QTimer answer;
        connect(&answer, &QTimer::timeout, this, [&] {
            QWidget *modal = QApplication::activeModalWidget();
            if (qobject_cast<AlarmSettingsDialog *>(modal))
                dialogOpened = true;
            auto *status = qobject_cast<StatusDialog *>(modal);
            if (status && status->okButton()->isEnabled() && !status->working()) {
                shown = status->mainText()->text();
                status->okButton()->click();
            }
        });
        answer.start(20);
        runAlarmSettings(*link, settings, dialogs, nullptr);
        QCOMPARE(shown, QStringLiteral("通信に失敗しました"));
        QVERIFY(!dialogOpened);
        QVERIFY(!link->isOpen());
    }
};

ZT_TEST(AlarmRoundTripTest)
#include "alarmroundtriptest.moc"
