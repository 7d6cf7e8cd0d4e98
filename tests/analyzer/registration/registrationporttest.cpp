#include "session/analyzersession.h"
#include "registration/registrationcommands.h"
#include "registration/registryedits.h"
#include "analyzerfixture.h"
#include "engine/ptyserver.h"
#include "engine/receiverengine.h"
#include "platform/folders.h"
#include "support/testregistry.h"
#include "ui/scripteddialogservice.h"
#include "zt5sim/simfixture.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QTest>
#include <QTimer>

using namespace zt;

// Registration talks to the chosen receiver's port, as read-out does: two virtual
// receivers on COM1 and COM2, the one on COM1 already registered.
class RegistrationPortTest : public QObject
{
    Q_OBJECT
    QTemporaryDir home;
    ScriptedDialogService dialogs;
    QWidget window;

    static sim::Scenario withId(qint32 id)
    {
        sim::Scenario s = sim::test::testScenario();
        s.receiverId = id;
        return s;
    }
    static bool linkPort(int portNo, const QString &device)
    {
        const QString folder = joinPath(settingsFolder(), QStringLiteral("ports"));
        QDir().mkpath(folder);
        return QFile::link(device, joinPath(folder, QStringLiteral("COM%1").arg(portNo)));
    }

private slots:
    void init() { test::pointHomeAt(home.path()); }
    void cleanup() { QDir(home.path()).removeRecursively(); }

    void registrationOpensTheChosenReceiversPort_data()
    {
        QTest::addColumn<int>("choice");
        QTest::addColumn<int>("askedPort");
        QTest::addColumn<bool>("dialogOpened");
        QTest::newRow("receiver 1, registered") << 0 << 1 << false;
        QTest::newRow("receiver 2 on COM2, new") << 1 << 2 << true;
    }
    void registrationOpensTheChosenReceiversPort()
    {
        QFETCH(int, choice);
        QFETCH(int, askedPort);
        QFETCH(bool, dialogOpened);

        AnalyzerSession session;
        session.startUp();
        sim::test::ManualTime time;
        sim::ReceiverEngine first(withId(0x1234), time.source());
        sim::ReceiverEngine second(withId(0x5678), time.source());
        sim::PtyServer com1(&first), com2(&second);
        QVERIFY(com1.open() && com2.open());
        QVERIFY(linkPort(1, com1.devicePath()) && linkPort(2, com2.devicePath()));
        registerReceiver(session.settings.oya, 2, 0x1234, QStringLiteral("第一"));
        session.settings.app.PortNo = 1;
        session.secondPort = {2, 2};
        session.receiverChoice = choice;

        bool opened = false;
        QTimer poll;
        poll.setInterval(10);
        connect(&poll, &QTimer::timeout, this, [&] {
            if (auto *d = qobject_cast<QDialog *>(QApplication::activeModalWidget());
                d && d->objectName() == QStringLiteral("fOyaset")) {
                opened = true;
                d->reject();
            }
        });
        poll.start();
        dialogs.answerMessage(1); // message 88
        dialogs.answerMessage(1); // message 81 when it comes
        RegistrationCommands(session, dialogs, &window).registerReceiver();

        QCOMPARE(opened, dialogOpened);
        sim::PtyServer &asked = askedPort == 1 ? com1 : com2;
        sim::PtyServer &other = askedPort == 1 ? com2 : com1;
        QVERIFY(!asked.log().received().isEmpty());
        QVERIFY(other.log().received().isEmpty());
    }
};

ZT_TEST(RegistrationPortTest)
#include "registrationporttest.moc"
