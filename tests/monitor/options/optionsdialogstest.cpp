#include "testregistry.h"

#include "engine/alarmlog.h"
#include "options/autoofftext.h"
#include "options/settenset.h"
#include "options/teikioption.h"
#include "periodic/periodicsaves.h"
#include "records/datetime.h"
#include "ui/scripteddialogservice.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace zt;

namespace {
void grab(QWidget &w, const QString &name)
{
    const QByteArray out = qgetenv("ZT_GRAB_DIR");
    if (!out.isEmpty())
        w.grab().save(QString::fromLocal8Bit(out) + QLatin1Char('/') + name +
                      QStringLiteral(".png"));
}

SettingsRecords readBack(const QString &path)
{
    SettingsRecords r;
    r.autos.autoSave = 9; // proves the file was read
    readSettings(SettingsFile::AutoSave, path, r);
    return r;
}

QStringList toolTips(const QWidget &w)
{
    QStringList tips;
    for (const QWidget *c : w.findChildren<QWidget *>())
        if (!c->toolTip().isEmpty())
            tips << c->toolTip();
    return tips;
}

QStringList labelTexts(const QWidget &w)
{
    QStringList texts;
    for (const QLabel *l : w.findChildren<QLabel *>())
        texts << l->text();
    for (const QGroupBox *g : w.findChildren<QGroupBox *>())
        texts << g->title();
    return texts;
}
} // namespace

class OptionsDialogsTest : public QObject
{
    Q_OBJECT
    QTemporaryDir dir;
    QString autosPath() const { return dir.filePath(QStringLiteral("zt2autos.dat")); }

private slots:
    void cleanup() { QFile::remove(autosPath()); }

    void autoOffItemsFromStoredSeconds_data()
    {
        QTest::addColumn<int>("seconds");
        QTest::addColumn<QString>("text");
        QTest::newRow("1 s") << 1 << "1秒";
        QTest::newRow("60 s") << 60 << "1分";
        QTest::newRow("90 s") << 90 << "1分30秒";
        QTest::newRow("1 h 30 min") << 5400 << "1時間30分";
        QTest::newRow("1 h 1 min 1 s") << 3661 << "1時間1分1秒";
        QTest::newRow("2 h") << 7200 << "2時間";
        QTest::newRow("1 h 5 s") << 3605 << "1時間5秒";
    }
    void autoOffItemsFromStoredSeconds()
    {
        QFETCH(int, seconds);
        QFETCH(QString, text);
        QCOMPARE(autoOffText(seconds), text);
    }

    void settenSetShowsTheStoredChoicesAndHidesTheTimeWithoutAutoReturn()
    {
        SettingsRecords records;
        records.autos.autoOffChoices = {1, 60, 5400};
        records.autos.autoOffSeconds = 60;
        ScriptedDialogService dialogs;
        SettenSet d(records, autosPath(), dialogs);
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        QCOMPARE(d.windowTitle(), QStringLiteral("接点動作設定"));
        QCOMPARE(d.autoOffTime()->count(), 3);
        QCOMPARE(d.autoOffTime()->itemText(2), QStringLiteral("1時間30分"));
        QCOMPARE(d.autoOffTime()->currentText(), QStringLiteral("1分"));
        QVERIFY(d.releaseType(0)->isChecked());
        QVERIFY(d.autoReturn(0)->isChecked());
        QVERIFY(!d.autoOffTime()->isVisible());
        QVERIFY(!d.autoOffLabel()->isVisible());
        d.autoReturn(1)->click();
        QVERIFY(d.autoOffTime()->isVisible() && d.autoOffTime()->isEnabled());
        QCOMPARE(d.autoOffLabel()->text(), QStringLiteral("で復帰"));
        QVERIFY(labelTexts(d).contains(QStringLiteral("警報接点解除ボタンの動作")));
        QVERIFY(labelTexts(d).contains(QStringLiteral("接点の復帰")));
        grab(d, QStringLiteral("SettenSet"));
        d.autoReturn(0)->click();
        QVERIFY(!d.autoOffTime()->isVisible());
    }

    void settenSetApplyWritesAndStaysOkClosesCancelWritesNothing()
    {
        SettingsRecords records;
        ScriptedDialogService dialogs;
        SettenSet d(records, autosPath(), dialogs);
        QSignalSpy applied(&d, &SettenSet::applied);
        d.show();
        d.releaseType(1)->click();
        d.autoReturn(1)->click();
        d.autoOffTime()->setCurrentIndex(4); // 60 s
        d.button(1)->click();                // Cancel
        QVERIFY(!QFile::exists(autosPath()));
        QCOMPARE(applied.count(), 0);
        QCOMPARE(records.autos.releaseType, qint16(0));

        SettenSet again(records, autosPath(), dialogs);
        QSignalSpy appliedAgain(&again, &SettenSet::applied);
        again.show();
        again.releaseType(1)->click();
        again.autoReturn(1)->click();
        again.autoOffTime()->setCurrentIndex(4);
        again.button(2)->click(); // 適用
        QVERIFY(again.isVisible());
        QCOMPARE(appliedAgain.count(), 1);
        const SettingsRecords r = readBack(autosPath());
        QCOMPARE(r.autos.releaseType, qint16(1));
        QCOMPARE(r.autos.autoReturn, qint16(1));
        QCOMPARE(r.autos.autoOffSeconds, qint16(60));
        again.button(0)->click(); // OK
        QVERIFY(!again.isVisible());
        QCOMPARE(again.result(), int(QDialog::Accepted));
        QVERIFY(dialogs.asked().isEmpty());
    }

    void settenSetTellsWhenTheFileCannotBeWritten()
    {
        SettingsRecords records;
        ScriptedDialogService dialogs;
        SettenSet d(records, dir.filePath(QStringLiteral("missing/zt2autos.dat")), dialogs);
        d.show();
        d.button(2)->click();
        QCOMPARE(dialogs.messages().size(), 1);
        QCOMPARE(dialogs.messages().first().caption, QStringLiteral("ファイルの保存"));
        QVERIFY(dialogs.messages().first().text.contains(QStringLiteral("エラー")));
    }

    void teikiOptionTextsAndFrames()
    {
        SettingsRecords records;
        ScriptedDialogService dialogs;
        AlarmLog log;
        PeriodicSaves saves(dir.path(), journalPath(dir.path()), {});
        TeikiOption d(records, autosPath(), saves, log, dialogs);
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        QCOMPARE(d.windowTitle(), QStringLiteral("監視データ保存設定"));
        const QStringList tips = toolTips(d);
        for (const char *tip :
             {"チェックすると自動的にデータを保存します", "設定時刻から保存を行います",
              "年月日時分_dの名前で保存されます", "年月日時分_wの名前で保存されます",
              "年月日時分_mの名前で保存されます", "新規のフォルダは作成しません",
              "YY_MM_W形式のフォルダ", "YY_MM形式のフォルダ"})
            QVERIFY2(tips.contains(QString::fromUtf8(tip)), tip);
        const QStringList labels = labelTexts(d);
        for (const char *label : {"保存方法：", "保存する時刻：", "保存フォルダ・ファイル名",
                                  "保存先フォルダはマイドキュメント内の",
                                  "ORVANEフォルダ内、ZTSeries5フォルダに作成されます"})
            QVERIFY2(labels.contains(QString::fromUtf8(label)), label);
        QCOMPARE(d.saveTime()->count(), 24);
        QCOMPARE(d.saveTime()->itemText(0), QStringLiteral("00:00"));
        QCOMPARE(d.saveTime()->itemText(23), QStringLiteral("23:00"));
        QCOMPARE(d.resetButton()->text(), QStringLiteral("初期設定に戻す"));
        QVERIFY(d.autoSave()->isChecked()); // the default
        QVERIFY(d.typeFrame()->isVisible() && d.folderFrame()->isVisible());
        grab(d, QStringLiteral("TeikiOption"));
        d.autoSave()->click();
        QVERIFY(!d.typeFrame()->isVisible() && !d.folderFrame()->isVisible());
    }

    void teikiOptionConfirmedAt1030With1200SavesTodayForEveryType_data()
    {
        QTest::addColumn<int>("type");
        QTest::newRow("daily") << 0;
        QTest::newRow("weekly") << 1;
        QTest::newRow("monthly") << 2;
    }
    void teikiOptionConfirmedAt1030With1200SavesTodayForEveryType()
    {
        QFETCH(int, type);
        SettingsRecords records;
        ScriptedDialogService dialogs;
        AlarmLog log;
        log.setReceiverClock(wallClock(2026, 12, 8, 10, 30));
        PeriodicSaves saves(dir.path(), journalPath(dir.path()), {});
        TeikiOption d(records, autosPath(), saves, log, dialogs);
        d.show();
        d.saveType(type)->click();
        d.saveTime()->setCurrentIndex(12);
        d.folderMode(1)->click();
        d.accumulate()->click();
        d.button(0)->click();
        QCOMPARE(saves.nextSave(), wallClock(2026, 12, 8, 12, 0));
        QCOMPARE(log.nextDailySave(), wallClock(2026, 12, 8, 12, 0));
        QCOMPARE(log.saveHour(), 12);
        const SettingsRecords r = readBack(autosPath());
        QCOMPARE(r.autos.saveType, qint16(type));
        QCOMPARE(r.autos.saveTime, QTime(12, 0));
        QCOMPARE(r.autos.folderMode, qint16(1));
        QCOMPARE(r.autos.accumulate, qint16(1));
        QCOMPARE(saves.options().folderMode, qint16(1));
    }

    void teikiResetIsStoredOnlyOnApply()
    {
        SettingsRecords records;
        records.autos.saveType = 2;
        records.autos.saveTime = QTime(7, 0);
        records.autos.folderMode = 2;
        records.autos.accumulate = 1;
        ScriptedDialogService dialogs;
        AlarmLog log;
        log.setReceiverClock(wallClock(2026, 12, 8, 10, 30));
        PeriodicSaves saves(dir.path(), journalPath(dir.path()), {});
        TeikiOption d(records, autosPath(), saves, log, dialogs);
        d.show();
        QVERIFY(d.saveType(2)->isChecked());
        QCOMPARE(d.saveTime()->currentText(), QStringLiteral("07:00"));
        d.resetButton()->click();
        QVERIFY(d.saveType(0)->isChecked());
        QCOMPARE(d.saveTime()->currentText(), QStringLiteral("00:00"));
        QVERIFY(d.folderMode(0)->isChecked());
        QVERIFY(d.accumulate()->isChecked());
        QCOMPARE(records.autos.saveType, qint16(2)); // not yet stored
        d.button(1)->click();                        // Cancel
        QCOMPARE(records.autos.saveType, qint16(2));
        QVERIFY(!QFile::exists(autosPath()));

        TeikiOption again(records, autosPath(), saves, log, dialogs);
        again.show();
        again.resetButton()->click();
        again.button(2)->click(); // 適用
        QVERIFY(again.isVisible());
        QCOMPARE(records.autos.saveType, qint16(0));
        QCOMPARE(records.autos.accumulate, qint16(1));
        QCOMPARE(saves.nextSave(), wallClock(2026, 12, 9, 0, 0));
    }
};

ZT_TEST(OptionsDialogsTest)
#include "optionsdialogstest.moc"
