#include "session/analyzersession.h"
#include "recording/recordingsettingscommand.h"
#include "analyzerfixture.h"
#include "engine/ptyserver.h"
#include "engine/receiverengine.h"
#include "link/seriallink.h"
#include "support/testregistry.h"
#include "ui/scripteddialogservice.h"
#include "ui/statusdialog.h"
#include "zt5sim/simfixture.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace zt;

// The menu command: the receiver is read behind the status dialog, then the
// settings dialog opens on the open port.
class RecordingSettingsCommandTest : public QObject
{
    Q_OBJECT
    QTemporaryDir home;
    ScriptedDialogService dialogs;
    QWidget window;

    struct Seen
    {
        QString statusCaption;
        QStringList statusTexts;
        bool settingsDialog = false;
        bool portOpenInDialog = false;
    };

    // Answers whatever modal window is up: the status dialog once its work is done,
    // the settings dialog with Cancel.
    void runAnswering(SerialLink &link, AnalyzerSession &session, Seen &seen)
    {
        QTimer poll;
        poll.setInterval(10);
        connect(&poll, &QTimer::timeout, this, [&] {
            QWidget *w = QApplication::activeModalWidget();
            if (auto *status = qobject_cast<StatusDialog *>(w)) {
                if (status->working())
                    return;
                seen.statusCaption = status->windowTitle();
                seen.statusTexts = {status->mainText()->text(), status->secondText()->text()};
                status->okButton()->click();
            } else if (w && w->objectName() == QStringLiteral("LogIniSet1")) {
                seen.settingsDialog = true;
                seen.portOpenInDialog = link.isOpen();
                w->findChild<QPushButton *>(QStringLiteral("OkNg1"))->click();
            }
        });
        poll.start();
        RecordingSettingsCommand(session, dialogs, &window).run(link);
    }

private slots:
    void init() { test::pointHomeAt(home.path()); }

    void aSilentPortLeavesTheStatusDialogWithTheFailure()
    {
        AnalyzerSession session;
        SerialLink link(LinkMode::Kestrel, nullptr, 100);
        link.setPortName(home.filePath(QStringLiteral("no-such-port")));
        Seen seen;
        runAnswering(link, session, seen);
        QCOMPARE(seen.statusCaption, QStringLiteral("通信中"));
        QCOMPARE(seen.statusTexts, QStringList({QStringLiteral("通信ができませんでした"),
                                                QStringLiteral("接続を確認してください")}));
        QVERIFY(!seen.settingsDialog);
        QVERIFY(!link.isOpen());
    }

    void theReceiverIsReadAndCancelClosesThePort()
    {
        AnalyzerSession session;
        sim::test::ManualTime time;
        sim::ReceiverEngine engine(sim::test::testScenario(), time.source());
        sim::PtyServer server(&engine);
        QVERIFY(server.open());
        SerialLink link(LinkMode::Kestrel, nullptr, 200);
        link.setPortName(server.devicePath());
        Seen seen;
        runAnswering(link, session, seen);
        QVERIFY(seen.settingsDialog);
        QVERIFY(seen.portOpenInDialog);
        QVERIFY(!link.isOpen());
        QStringList codes;
        for (const QByteArray &frame : server.log().received())
            codes << QString::fromLatin1(frame.mid(6, 2));
        QCOMPARE(codes, QStringList({"05", "06", "08"}));
    }
};

ZT_TEST(RecordingSettingsCommandTest)
#include "recordingsettingscommandtest.moc"
