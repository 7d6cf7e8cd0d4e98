#include "session/analyzersession.h"
#include "analyzerfixture.h"
#include "platform/folders.h"
#include "platform/windowpresence.h"
#include "support/testregistry.h"

#include <QProcess>
#include <QSignalSpy>
#include <QTest>

using namespace zt;

// A second start of the program brings the first forward and leaves every file alone.
class SingleInstanceTest : public QObject
{
    Q_OBJECT
    QTemporaryDir home;

private slots:
    void aSecondStartRaisesTheFirstAndTouchesNoFile()
    {
        test::pointHomeAt(home.path());
        WindowPresence first(mainWindowTitle());
        QVERIFY(first.publish());
        QSignalSpy raised(&first, &WindowPresence::raiseRequested);

        QProcess second;
        second.setProcessEnvironment(QProcessEnvironment::systemEnvironment());
        second.start(QStringLiteral(KESTREL_PATH), {});
        QVERIFY(second.waitForFinished(20000));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        QTRY_COMPARE(raised.count(), 1);
        QVERIFY(!QDir(settingsFolder()).exists());
        QVERIFY(!QDir(documentsFolder()).exists());
    }
};

ZT_TEST(SingleInstanceTest)
#include "singleinstancetest.moc"
