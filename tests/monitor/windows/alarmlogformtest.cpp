#include "engine/alarmlog.h"
#include "support/testregistry.h"
#include "windows/alarmlogform.h"
#include "windows/alarmlogmodel.h"

#include <QAction>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace zt;

class AlarmLogFormTest : public QObject
{
    Q_OBJECT
    QTemporaryDir folder;

    static QDateTime clock(int minute)
    {
        return QDateTime(QDate(2026, 12, 8), QTime(10, minute), Qt::UTC);
    }
    static QString textAt(const AlarmLogForm &form, int row, int column = 1)
    {
        return form.model()->index(row, column).data().toString();
    }

private slots:
    void newestEntryIsTheFirstRow()
    {
        AlarmLog log;
        log.setReceiverClock(clock(0));
        log.AlarmLogAppend(QStringLiteral("監視開始"));
        AlarmLogForm form(log);
        log.setReceiverClock(clock(1));
        log.appendSlot(3, QStringLiteral("通信不良"));
        QCOMPARE(form.model()->rowCount(), 2);
        QCOMPARE(textAt(form, 0), QStringLiteral("送信器03通信不良"));
        QCOMPARE(textAt(form, 0, 0), QStringLiteral("26-12-08 10:01"));
        QCOMPARE(textAt(form, 1), QStringLiteral("監視開始"));
        QCOMPARE(form.model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("動作"));
        QCOMPARE(form.windowTitle(), QStringLiteral("動作履歴"));
    }

    void theRingOfAFullLogShowsTheNewest4000()
    {
        AlarmLog log;
        log.setReceiverClock(clock(0));
        AlarmLogForm form(log);
        for (int i = 1; i <= AlarmLog::Capacity + 1; ++i)
            log.AlarmLogAppend(QString::number(i));
        QCOMPARE(form.model()->rowCount(), AlarmLog::Capacity);
        QCOMPARE(textAt(form, 0), QStringLiteral("4001"));
        QCOMPARE(textAt(form, AlarmLog::Capacity - 1), QStringLiteral("2"));
    }

    void saveWritesEmptiesAndBlocksUntilTheMinuteChanges()
    {
        AlarmLog log;
        log.setFolder(folder.path() + QStringLiteral("/log"));
        log.setReceiverClock(clock(5));
        log.AlarmLogAppend(QStringLiteral("監視開始"));
        AlarmLogForm form(log);
        QVERIFY(form.saveAction()->isEnabled());
        form.saveAction()->trigger();
        QVERIFY(QFile::exists(folder.path() + QStringLiteral("/log/log_2612081005.txt")));
        // Only the entry of the save itself is left, and a second save in this minute
        // cannot be asked for.
        QCOMPARE(form.model()->rowCount(), 1);
        QCOMPARE(textAt(form, 0), QStringLiteral("通信・警報ログ手動保存"));
        QVERIFY(!form.saveAction()->isEnabled());
        log.setReceiverClock(clock(6));
        log.automaticSaveCheck();
        QVERIFY(form.saveAction()->isEnabled());
    }

    void deleteEmptiesWithoutSaving()
    {
        AlarmLog log;
        log.setFolder(folder.path() + QStringLiteral("/deleted"));
        log.setReceiverClock(clock(7));
        log.AlarmLogAppend(QStringLiteral("監視開始"));
        AlarmLogForm form(log);
        form.deleteAction()->trigger();
        QCOMPARE(form.model()->rowCount(), 0);
        QCOMPARE(log.count(), 0);
        QVERIFY(!QDir(folder.path() + QStringLiteral("/deleted")).exists());
    }
};

ZT_TEST(AlarmLogFormTest)
#include "alarmlogformtest.moc"
