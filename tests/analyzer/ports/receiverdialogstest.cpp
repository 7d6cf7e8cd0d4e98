#include "session/analyzersession.h"
#include "ports/autoscandialog.h"
#include "registration/oyasetdialog.h"
#include "ports/portscan.h"
#include "registration/registrationcommands.h"
#include "analyzerfixture.h"
#include "engine/portlink.h"
#include "engine/ptyserver.h"
#include "engine/receiverengine.h"
#include "engine/scenario.h"
#include "platform/folders.h"
#include "platform/ports.h"
#include "records/datetime.h"
#include "support/testregistry.h"
#include "ui/scripteddialogservice.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

using namespace zt;

// The port search and the registration driven against the virtual receiver.
class ReceiverDialogsTest : public QObject
{
    Q_OBJECT
    QTemporaryDir home;
    std::unique_ptr<AnalyzerSession> session;
    ScriptedDialogService dialogs;
    std::unique_ptr<sim::ReceiverEngine> engine;
    std::unique_ptr<sim::PtyServer> server;
    QWidget window;

    // Port 3 is the receiver; every other number leads nowhere.
    std::function<QString(int)> onlyPortThree()
    {
        const QString device = server->devicePath();
        return [device](int port) { return port == 3 ? device : QStringLiteral("/dev/null"); };
    }

private slots:
    void init()
    {
        test::pointHomeAt(home.path());
        session = std::make_unique<AnalyzerSession>();
        session->startUp();
        dialogs.clear();
        engine = std::make_unique<sim::ReceiverEngine>(sim::defaultScenario(localNow()));
        server = std::make_unique<sim::PtyServer>(engine.get());
        QVERIFY(server->open());
    }
    void cleanup()
    {
        server.reset();
        engine.reset();
        QDir(home.path()).removeRecursively();
    }

    void theSearchFindsTheReceiverOnPortThreeAndSavesIt()
    {
        // Through the real port names: COM1 and COM2 lead to devices that are no serial
        // ports, COM3 is the virtual receiver.
        sim::PortLink com1, com2, com3;
        QString error;
        QVERIFY(com1.create(portLinkFolder() + QStringLiteral("/COM1"), QStringLiteral("/dev/null"),
                            &error));
        QVERIFY(com2.create(portLinkFolder() + QStringLiteral("/COM2"), QStringLiteral("/dev/zero"),
                            &error));
        QVERIFY2(
            com3.create(portLinkFolder() + QStringLiteral("/COM3"), server->devicePath(), &error),
            qPrintable(error));
        AutoScanDialog dialog(*session, dialogs, &window, {}, 100);
        QList<int> scanned;
        connect(&dialog.scanner(), &PortScan::scanning, this, [&](int p) { scanned << p; });
        QSignalSpy finished(&dialog, &QDialog::finished);
        QTRY_COMPARE(finished.count(), 1);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.foundPort(), 3);
        QCOMPARE(scanned, (QList<int>{1, 2, 3}));
        QCOMPARE(session->settings.app.PortNo, qint16(3));
        QCOMPARE(dialogs.messages().size(), 1);
        QCOMPARE(dialogs.messages()[0].text, QStringLiteral("ポート3で通信を確立しました。"));
        SettingsRecords stored;
        readSettings(SettingsFile::App, session->settingsPath(SettingsFile::App), stored);
        QCOMPARE(stored.app.PortNo, qint16(3));
    }

    void receiverTwoNeverProbesReceiverOnesPort()
    {
        session->settings.app.PortNo = 3;
        session->receiverChoice = 1;
        AutoScanDialog dialog(*session, dialogs, &window, onlyPortThree(), 100);
        QList<int> scanned;
        connect(&dialog.scanner(), &PortScan::scanning, this, [&](int p) { scanned << p; });
        QSignalSpy finished(&dialog, &QDialog::finished);
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 10000);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QVERIFY(!scanned.contains(3));
        QCOMPARE(scanned.size(), 15);
        QCOMPARE(server->log().entries().size(), 0);
        QCOMPARE(session->settings.app.PortNo, qint16(1)); // not found: 1, in memory
        QVERIFY(dialogs.messages()[0].text.startsWith(
            QStringLiteral("確立するポートを選択できませんでした。")));
    }

    void cancelStopsTheSearchAtOnce_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("Cancel button") << "button";
        QTest::newRow("Escape") << "escape";
        QTest::newRow("close box") << "close";
    }
    void cancelStopsTheSearchAtOnce()
    {
        QFETCH(QString, how);
        // Port 2 is a receiver that never answers, port 3 a live one: cancelling while
        // port 2 waits must end the search there, with nothing saved or announced.
        sim::ReceiverEngine silentEngine(sim::defaultScenario(localNow()));
        sim::PtyServer silent(&silentEngine);
        QVERIFY(silent.open());
        sim::ServerFaults faults;
        faults.noReply = true;
        silent.setFaults(faults);
        const QString live = server->devicePath(), mute = silent.devicePath();
        auto devices = [live, mute](int port) {
            return port == 2 ? mute : port == 3 ? live : QStringLiteral("/dev/null");
        };
        AutoScanDialog dialog(*session, dialogs, &window, devices, 5000);
        dialog.show();
        QList<int> scanned;
        connect(&dialog.scanner(), &PortScan::scanning, this, [&](int p) {
            scanned << p;
            if (p != 2)
                return;
            QTimer::singleShot(50, &dialog, [&dialog, how] {
                if (how == QLatin1String("button"))
                    dialog.cancelButton()->click();
                else if (how == QLatin1String("escape"))
                    QTest::keyClick(&dialog, Qt::Key_Escape);
                else
                    dialog.close();
            });
        });
        QSignalSpy finished(&dialog, &QDialog::finished);
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 30000);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QVERIFY(dialog.scanner().cancelled());
        QCOMPARE(scanned, (QList<int>{1, 2}));
        QVERIFY(dialogs.messages().isEmpty());
        QCOMPARE(dialog.foundPort(), 0);
        QCOMPARE(session->settings.app.PortNo, qint16(1));
        QVERIFY(!QFileInfo::exists(session->settingsPath(SettingsFile::App)));
        QCOMPARE(server->log().entries().size(), 0);
        QVERIFY(window.isEnabled());
    }

    void registrationOnAFreshInstallUsesTheReceiversId()
    {
        sim::PortLink link;
        QString error;
        QVERIFY2(
            link.create(portLinkFolder() + QStringLiteral("/COM1"), server->devicePath(), &error),
            qPrintable(error));
        // Answer the naming dialog as soon as it is up, keeping the proposed name.
        QTimer answer;
        connect(&answer, &QTimer::timeout, this, [] {
            if (auto *d = qobject_cast<OyaSetDialog *>(QApplication::activeModalWidget()))
                d->commit();
        });
        answer.start(20);
        RegistrationCommands(*session, dialogs, &window).registerReceiver();
        QCOMPARE(session->settings.oya.OyaID[2], qint32(engine->receiverId()));
        QCOMPARE(session->settings.oya.OyaName[2], QStringLiteral("受信器1"));
        const auto messages = dialogs.messages();
        QCOMPARE(messages.size(), 2);
        QCOMPARE(messages[0].caption, QStringLiteral("受信器確認")); // message 88 first
        QCOMPARE(messages[1].text, QStringLiteral("受信器名    「受信器1」    を登録しました"));

        // The same receiver again is already registered.
        dialogs.clear();
        RegistrationCommands(*session, dialogs, &window).registerReceiver();
        QCOMPARE(dialogs.messages().last().text, QStringLiteral("すでに登録されている受信器です"));
        QCOMPARE(session->settings.oya.OyaCount, qint16(1));
    }
};

ZT_TEST(ReceiverDialogsTest)
#include "receiverdialogstest.moc"
