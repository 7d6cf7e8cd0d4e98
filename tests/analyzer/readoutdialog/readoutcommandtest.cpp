#include "mainwindow/loglistmodel.h"
#include "mainwindow/mainwindow.h"
#include "readout/readoutcommand.h"
#include "readoutdialogrig.h"
#include "platform/folders.h"
#include "support/testregistry.h"

#include <QAction>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <QTest>

using namespace zt;
using namespace zt::test;

// The read-out command end to end against the virtual receiver behind COM1.
class ReadoutCommandTest : public QObject
{
    Q_OBJECT
    std::unique_ptr<ReadoutDialogRig> rig;

    // Presses "読出し" once, then `whileReading` on every tick of the read.
    static std::unique_ptr<DialogDriver>
    pressRead(std::function<bool(NewDataRead2Dialog &)> whileReading)
    {
        auto pressed = std::make_shared<bool>(false);
        auto driver =
            std::make_unique<DialogDriver>([pressed, whileReading](NewDataRead2Dialog &d) {
                if (!*pressed) {
                    *pressed = true;
                    d.readButton()->click();
                    return false;
                }
                return whileReading(d);
            });
        return driver;
    }

    // True once the second sample block of the first slot is in.
    static bool midRead(NewDataRead2Dialog &d)
    {
        return d.machine().reading() && d.sampleBar()->value() >= 50;
    }

    static void expectDemoSet(const LogSet &set)
    {
        LogSet demo;
        fillDemoSet(demo);
        QCOMPARE(set.startTime(), demo.startTime());
        QCOMPARE(set.KoCount, demo.KoCount);
        for (int k = 1; k <= MaxKo; ++k) {
            QCOMPARE(set.ko(k).HasData, demo.ko(k).HasData);
            QCOMPARE(set.ko(k).DataCount, demo.ko(k).DataCount);
        }
        for (int n = 1; n <= 10; ++n)
            QCOMPARE(set.value(1, 1, n), demo.value(1, 1, n));
        QVERIFY(set.LogSaved);
    }

    void keepDemoSet()
    {
        fillDemoSet(rig->session->set);
        rig->session->dataPresent = true;
    }

    QString lastText() const { return rig->dialogs.messages().last().text; }

private slots:
    void init()
    {
        rig = std::make_unique<ReadoutDialogRig>();
        QVERIFY2(rig->opened, qPrintable(rig->error));
    }
    void cleanup() { rig.reset(); }

    void readoutThroughTheMenuFillsTheMainList()
    {
        rig->slowDown();
        MainWindow window(*rig->session, rig->dialogs);
        window.show();
        bool grabbed = false;
        bool readLocked = false;
        QString status;
        const auto driver = pressRead([&](NewDataRead2Dialog &d) {
            if (!grabbed && midRead(d)) {
                grabbed = true;
                grabTo(d, QStringLiteral("newdataread2-reading"));
                readLocked = !d.readButton()->isEnabled() && !d.grid()->isEnabled();
                status = d.statusText()->text();
            }
            return false;
        });
        window.action(QStringLiteral("menu_logdata"))->trigger();

        const auto asked = rig->dialogs.messages();
        QVERIFY(asked.size() >= 2);
        QCOMPARE(asked[0].caption, QStringLiteral("データ読出し"));
        QVERIFY(asked[1].text.contains(QStringLiteral("読出し範囲")));
        QVERIFY(asked[1].text.contains(QStringLiteral("よろしいですか？")));
        QCOMPARE(asked.size(), 2); // nothing after the confirmation: it went well
        const LogSet &set = rig->session->set;
        QVERIFY(rig->session->dataPresent);
        QVERIFY(!set.LogSaved);
        QCOMPARE(set.oyaName, QStringLiteral("倉庫"));
        for (int k = 1; k <= 4; ++k) {
            QVERIFY2(set.ko(k).hasSamples(), qPrintable(QString::number(k)));
            QVERIFY(set.ko(k).DataCount > 100); // a day of 10-minute samples
        }
        QCOMPARE(set.ko(1).name, QStringLiteral("冷蔵庫Ａ"));
        QVERIFY(window.listModel()->rowCount() >= set.ko(1).DataCount);
        QVERIFY(grabbed);
        QVERIFY(readLocked);
        QVERIFY(status.endsWith(QStringLiteral("台目を読み出し中")));
        grabTo(window, QStringLiteral("mainlist-after-readout"));
    }

    void autoSaveOptionSavesTheNewSetAndAsksForTheMonitor()
    {
        rig->session->settings.AutoSaveOption = 1;
        const auto driver = pressRead([](NewDataRead2Dialog &) { return true; });
        QWidget window;
        bool startMonitor = false;
        FileCommands files(*rig->session, rig->dialogs, &window);
        ReadoutCommand command(*rig->session, rig->dialogs, files, &window);
        QVERIFY(command.run(&startMonitor));
        QVERIFY(startMonitor);
        QVERIFY(rig->session->set.LogSaved);
        // The automatic save writes a file of its own name into the data folder.
        QCOMPARE(QDir(dataFolder()).entryList({QStringLiteral("*.zt2")}).size(), 1);
    }

    void endsOtherThanTakenKeepThePreviousSet_data()
    {
        QTest::addColumn<bool>("cancel");
        QTest::addColumn<QString>("shown");
        QTest::newRow("cancel between blocks")
            << true << QStringLiteral("読出がキャンセルされました");
        QTest::newRow("receiver falls silent") << false << QStringLiteral("読み出しに失敗しました");
    }
    void endsOtherThanTakenKeepThePreviousSet()
    {
        QFETCH(bool, cancel);
        QFETCH(QString, shown);
        keepDemoSet();
        rig->slowDown();
        const auto driver = pressRead([&](NewDataRead2Dialog &d) {
            if (!midRead(d))
                return false;
            if (cancel) {
                d.cancelButton()->click();
            } else {
                sim::ServerFaults faults;
                faults.noReply = true;
                rig->server->setFaults(faults);
            }
            return true;
        });
        QWidget window;
        FileCommands files(*rig->session, rig->dialogs, &window);
        ReadoutCommand command(*rig->session, rig->dialogs, files, &window);
        command.setReplyTimeout(150);
        QVERIFY(!command.run());
        QCOMPARE(lastText(), shown);
        QCOMPARE(rig->dialogs.messages().last().caption, QStringLiteral("データ読出"));
        expectDemoSet(rig->session->set);
    }

    void silentReceiverEndsBeforeTheDialogWithKindFive()
    {
        sim::ServerFaults faults;
        faults.noReply = true;
        rig->server->setFaults(faults);
        keepDemoSet();
        QWidget window;
        FileCommands files(*rig->session, rig->dialogs, &window);
        ReadoutCommand command(*rig->session, rig->dialogs, files, &window);
        command.setReplyTimeout(100);
        QVERIFY(!command.run());
        QCOMPARE(lastText(), QStringLiteral("データ読出しが行えませんでした"));
        expectDemoSet(rig->session->set);
    }
};

ZT_TEST(ReadoutCommandTest)
#include "readoutcommandtest.moc"
