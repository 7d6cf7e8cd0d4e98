#include "support/testregistry.h"
#include "windows/infotexts.h"

#include <QTest>

using namespace zt;

class InfoTextsTest : public QObject
{
    Q_OBJECT
private slots:
    void communicationIntervalInHoursAboveAnHour_data()
    {
        QTest::addColumn<int>("comm");
        QTest::addColumn<QString>("text");
        QTest::newRow("minutes") << 20 << "通信間隔:20分";
        QTest::newRow("an hour") << 60 << "通信間隔:60分";
        QTest::newRow("hours") << 120 << "通信間隔:2時";
        QTest::newRow("hours and minutes") << 90 << "通信間隔:1時30分";
    }
    void communicationIntervalInHoursAboveAnHour()
    {
        QFETCH(int, comm);
        QFETCH(QString, text);
        QCOMPARE(intervalInfoText(5, comm), QStringLiteral("収録間隔:5分\n") + text);
    }
};

ZT_TEST(InfoTextsTest)
#include "infotextstest.moc"
