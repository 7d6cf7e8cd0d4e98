#include "testregistry.h"

#include "link/porterror.h"
#include "platform/folders.h"
#include "platform/ports.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <unistd.h>

using namespace zt;

class PortsTest : public QObject
{
    Q_OBJECT
    QTemporaryDir home;
    QByteArray savedHome, savedData;

private slots:
    void initTestCase()
    {
        QVERIFY(home.isValid());
        savedHome = qgetenv("HOME");
        savedData = qgetenv("XDG_DATA_HOME");
        qputenv("HOME", home.path().toLocal8Bit());
        qputenv("XDG_DATA_HOME", (home.path() + "/data").toLocal8Bit());
        QVERIFY(settingsFolder().startsWith(home.path()));
    }
    void cleanupTestCase()
    {
        qputenv("HOME", savedHome);
        qputenv("XDG_DATA_HOME", savedData);
    }

    void devicesAreOrderedByFamilyThenNumber()
    {
        const QStringList present{"/dev/ttyS1", "/dev/ttyUSB10", "/dev/ttyACM0", "/dev/ttyUSB2",
                                  "/dev/ttyS0", "/dev/pts/3",    "/dev/ttyUSB2", "/dev/ttyAMA0"};
        QCOMPARE(orderedPortDevices(present),
                 QStringList({"/dev/ttyUSB2", "/dev/ttyUSB10", "/dev/ttyACM0", "/dev/ttyS0",
                              "/dev/ttyS1"}));
    }

    void portNumberMapsToLinkOrNthDevice_data()
    {
        QTest::addColumn<int>("portNo");
        QTest::addColumn<QString>("expected"); // "@target" = the link's target
        QTest::newRow("first present") << 1 << "/dev/ttyUSB0";
        QTest::newRow("third present") << 3 << "/dev/ttyS0";
        QTest::newRow("link wins") << 2 << "@target";
        QTest::newRow("beyond present") << 4 << "";
        QTest::newRow("out of range") << 17 << "";
        QTest::newRow("zero") << 0 << "";
    }
    void portNumberMapsToLinkOrNthDevice()
    {
        QFETCH(int, portNo);
        QFETCH(QString, expected);
        const QString folder = portLinkFolder();
        QVERIFY(QDir().mkpath(folder));
        const QString target = home.filePath("fake-tty");
        QFile f(target);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        QFile::remove(folder + "/COM2");
        QVERIFY(QFile::link(target, folder + "/COM2"));
        const QStringList present{"/dev/ttyS0", "/dev/ttyACM1", "/dev/ttyUSB0"};
        const QString want =
            expected == "@target" ? QFileInfo(target).canonicalFilePath() : expected;
        QCOMPARE(portDevice(portNo, folder, present), want);
    }

    void danglingLinkStillNamesThePort()
    {
        const QString folder = portLinkFolder();
        QVERIFY(QDir().mkpath(folder));
        QFile::remove(folder + "/COM5");
        QVERIFY(QFile::link(home.filePath("gone"), folder + "/COM5"));
        // Opening it then fails as "no such device" instead of picking another port.
        QCOMPARE(portDevice(5, folder, {"/dev/ttyS0"}), folder + "/COM5");
    }

    void listShowsSixteenPorts()
    {
        const QList<PortEntry> ports = listPorts();
        QCOMPARE(ports.size(), MaxPortNo);
        QCOMPARE(ports.first().portNo, 1);
        QCOMPARE(ports.last().portNo, 16);
        QVERIFY(QFile::link(home.filePath("fake-tty"), portLinkFolder() + "/COM16") ||
                QFileInfo(portLinkFolder() + "/COM16").isSymLink());
        QCOMPARE(listPorts().last().device,
                 QFileInfo(home.filePath("fake-tty")).canonicalFilePath());
    }

    void openErrorsMapToTheirNumbers_data()
    {
        QTest::addColumn<int>("error");
        QTest::addColumn<QString>("device");
        QTest::addColumn<int>("number");
        QTest::newRow("not found") << int(QSerialPort::DeviceNotFoundError) << "/dev/x" << 8002;
        QTest::newRow("open error") << int(QSerialPort::OpenError) << "/dev/null" << 8005;
        QTest::newRow("locked") << int(QSerialPort::PermissionError) << "/dev/null" << 8005;
        QTest::newRow("vanished") << int(QSerialPort::PermissionError) << "/dev/zt-none" << 8002;
    }
    void openErrorsMapToTheirNumbers()
    {
        QFETCH(int, error);
        QFETCH(QString, device);
        QFETCH(int, number);
        QCOMPARE(openErrorNumber(QSerialPort::SerialPortError(error), device), number);
    }

    void permissionErrorNamesTheDialoutGroup()
    {
        QVERIFY(portErrorHint(PortErrorPermission).contains(QStringLiteral("dialout")));
        if (geteuid() == 0)
            QSKIP("root may open any device");
        const QString device = home.filePath("closed-tty");
        QFile f(device);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        QVERIFY(f.setPermissions({}));
        QCOMPARE(openErrorNumber(QSerialPort::PermissionError, device), PortErrorPermission);
    }
};

ZT_TEST(PortsTest)
#include "portstest.moc"
