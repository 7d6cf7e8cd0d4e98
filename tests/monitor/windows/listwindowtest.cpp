#include "engine/monitorcycle.h"
#include "link/fields.h"
#include "link/seriallink.h"
#include "monitor/windows/watchrig.h"
#include "support/testregistry.h"
#include "windows/contactframe.h"
#include "windows/listgridmodel.h"
#include "windows/newviewform.h"
#include "windows/tgridmodel.h"

#include <QLabel>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

using namespace zt;
using zt::test::WatchRig;

namespace {
constexpr int Ch1 = ListGridModel::ColCh1;
constexpr int Ch2 = ListGridModel::ColCh2;
} // namespace

// The list window on a cycle that really started against the virtual receiver.
class ListWindowTest : public QObject
{
    Q_OBJECT
    std::unique_ptr<WatchRig> rig;
    std::unique_ptr<SerialLink> link;
    std::unique_ptr<MonitorCycle> cycle;

    void storeNewest(int koNo, qint16 ch1, qint16 ch2)
    {
        RecordBuffer &b = cycle->buffer(koNo);
        b.append({ch1, ch2}, b.isEmpty() ? cycle->receiverClock() : QDateTime());
    }

private slots:
    void init()
    {
        rig = std::make_unique<WatchRig>();
        QVERIFY(rig->opened);
        link = std::make_unique<SerialLink>(LinkMode::Watch, nullptr, 300);
        link->setPortName(rig->server.devicePath());
        cycle = std::make_unique<MonitorCycle>(*link);
        cycle->setPollInterval(3'600'000); // the test decides what the window sees
        QCOMPARE(cycle->start(), StartResult::Success);
        cycle->stopPolling();
    }
    void cleanup()
    {
        const auto windows = QApplication::topLevelWidgets();
        for (QWidget *w : windows)
            w->close();
        cycle.reset();
        link.reset();
        rig.reset();
    }

    void headerRowsAndWaitingSlots()
    {
        NewViewForm form(*cycle);
        ListGridModel &m = *form.listModel();
        QCOMPARE(m.rowCount(), 2 + 4);
        QCOMPARE(m.index(0, 2).data().toString(), QStringLiteral("最新データ"));
        QCOMPARE(m.index(1, 3).data().toString(), QStringLiteral("温度(℃)"));
        QCOMPARE(m.index(1, 4).data().toString(), QStringLiteral("湿度(％)"));
        QCOMPARE(m.index(0, 6).data().toString(), QStringLiteral("警報検出"));
        QCOMPARE(m.index(1, 7).data().toString(), QStringLiteral("通信"));
        QCOMPARE(m.index(0, 8).data().toString(), QStringLiteral("警報\n監視"));
        // Row r shows slot r - 1.
        QCOMPARE(m.index(2, 0).data().toString(), QStringLiteral("1"));
        QCOMPARE(m.index(5, 0).data().toString(), QStringLiteral("4"));
        QCOMPARE(m.cellText(4, ListGridModel::ColTime), QStringLiteral("収録開始待機中"));
        cycle->buffer(2).clear();
        QCOMPARE(m.cellText(2, ListGridModel::ColTime), QStringLiteral("データ待機中"));
        QCOMPARE(m.cellText(1, ListGridModel::ColName), QStringLiteral("名称無し"));
        QCOMPARE(m.index(2, 8).data(Qt::CheckStateRole).toInt(), int(Qt::Checked));
    }

    void valueCellsFollowTheDisplayRule_data()
    {
        QTest::addColumn<int>("koNo");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("raw");
        QTest::addColumn<bool>("monitored");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("red");
        // Slot 1 limits: CH1 15.0..30.0, CH2 30..80.
        QTest::newRow("on the upper limit") << 1 << Ch1 << 300 << true << "30.0" << false;
        QTest::newRow("a tenth above") << 1 << Ch1 << 301 << true << "30.1" << true;
        QTest::newRow("on the lower limit") << 1 << Ch1 << 150 << true << "15.0" << false;
        QTest::newRow("a tenth below") << 1 << Ch1 << 149 << true << "14.9" << true;
        QTest::newRow("below zero") << 1 << Ch1 << -5 << true << "-0.5" << true;
        QTest::newRow("overflow") << 1 << Ch1 << int(OverflowCode) << true << "*****" << true;
        QTest::newRow("sensor error")
            << 1 << Ch1 << int(SensorErrorCode) << true << "センサ異常" << true;
        QTest::newRow("missing") << 1 << Ch1 << int(MissingCode) << true << "-----" << false;
        QTest::newRow("no value") << 1 << Ch1 << int(NoValueCode) << true << "    " << false;
        QTest::newRow("monitoring off") << 1 << Ch1 << 400 << false << "40.0" << false;
        QTest::newRow("humidity whole") << 1 << Ch2 << 555 << true << "56" << false;
        QTest::newRow("humidity above") << 1 << Ch2 << 801 << true << "80" << true;
        QTest::newRow("humidity missing")
            << 1 << Ch2 << int(MissingCode) << true << "-----" << false;
        QTest::newRow("one channel has no CH2") << 2 << Ch2 << 500 << true << "" << false;
        QTest::newRow("second temperature") << 3 << Ch2 << 251 << true << "25.1" << true;
    }
    void valueCellsFollowTheDisplayRule()
    {
        QFETCH(int, koNo);
        QFETCH(int, column);
        QFETCH(int, raw);
        QFETCH(bool, monitored);
        QFETCH(QString, text);
        QFETCH(bool, red);
        // The receiver returned the limits written at start; pin them for the test.
        cycle->slot(1).limits = {300, 150, 800, 300};
        cycle->slot(3).limits = {350, 0, 250, -50};
        const qint16 value = qint16(raw);
        storeNewest(koNo, column == Ch1 ? value : qint16(500), column == Ch2 ? value : qint16(200));
        if (!monitored)
            cycle->disableAlarmMonitor(koNo);
        NewViewForm form(*cycle);
        const ListGridModel &m = *form.listModel();
        const QModelIndex cell = m.index(ListGridModel::rowOfKo(koNo), column);
        QCOMPARE(cell.data().toString(), text);
        QCOMPARE(m.cellIsRed(koNo, column), red);
        QCOMPARE(cell.data(Qt::ForegroundRole).value<QBrush>().color() == QColor(255, 0, 0), red);
    }

    void recordsOfTheSelectedSlotUseTheSameRule()
    {
        storeNewest(1, qint16(SensorErrorCode), 455);
        NewViewForm form(*cycle);
        form.clickCell(1, ListGridModel::ColNo);
        const TGridModel &t = *form.recordModel();
        QCOMPARE(t.shownKo(), 1);
        QCOMPARE(t.rowCount(), cycle->buffer(1).count());
        const int last = t.rowCount() - 1;
        QCOMPARE(t.index(last, 1).data().toString(), QStringLiteral("センサ異常"));
        QCOMPARE(t.index(last, 2).data().toString(), QStringLiteral("46"));
        QVERIFY(t.isRed(last, 1));  // the sensor error is always in alarm
        QVERIFY(!t.isRed(last, 2)); // 45.5 % is inside 30..80
        cycle->disableAlarmMonitor(1);
        QVERIFY(!t.isRed(last, 1));
        QCOMPARE(t.headerData(1, Qt::Horizontal).toString(), QStringLiteral("温度 ℃"));
        QCOMPARE(form.shownKoLabel()->text(), QStringLiteral("送信器01データを表示中"));
    }

    void numberOfASlotNotRecordingSelectsNothing()
    {
        NewViewForm form(*cycle);
        form.clickCell(4, ListGridModel::ColNo);
        QCOMPARE(form.recordModel()->shownKo(), 0);
        QCOMPARE(form.listModel()->selectedKo(), 0);
        form.clickCell(2, ListGridModel::ColNo);
        QCOMPARE(form.listModel()->selectedKo(), 2);
        form.clickShownKoLabel();
        QCOMPARE(form.listModel()->selectedKo(), 0);
        QCOMPARE(form.recordModel()->rowCount(), 0);
        QCOMPARE(form.shownKoLabel()->text(), QString());
    }

    void tooltipsShowTheLimits_data()
    {
        QTest::addColumn<int>("koNo");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("tip");
        QTest::newRow("temperature") << 1 << Ch1 << "上限30℃  下限15℃";
        QTest::newRow("humidity") << 1 << Ch2 << "上限80％  下限30％";
        QTest::newRow("second temperature") << 3 << Ch2 << "上限25℃  下限-5℃";
        QTest::newRow("decimal") << 2 << Ch1 << "上限30.5℃  下限-10℃";
        QTest::newRow("no CH2") << 2 << Ch2 << "";
        QTest::newRow("not recording") << 4 << Ch1 << "";
        QTest::newRow("other column") << 1 << int(ListGridModel::ColTime) << "";
    }
    void tooltipsShowTheLimits()
    {
        QFETCH(int, koNo);
        QFETCH(int, column);
        QFETCH(QString, tip);
        cycle->slot(1).limits = {300, 150, 800, 300};
        cycle->slot(2).limits = {305, -100, 0, 0};
        cycle->slot(3).limits = {350, 0, 250, -50};
        NewViewForm form(*cycle);
        const QModelIndex cell = form.listModel()->index(ListGridModel::rowOfKo(koNo), column);
        QCOMPARE(cell.data(Qt::ToolTipRole).toString(), tip);
    }

    void column8TurnsMonitoringOnWithoutAskingAndLogsIt()
    {
        cycle->disableAlarmMonitor(2);
        NewViewForm form(*cycle);
        QSignalSpy release(&form, &NewViewForm::monitorReleaseRequested);
        form.clickCell(2, ListGridModel::ColMonitor);
        QVERIFY(cycle->slot(2).AlarmMonitorOn);
        QCOMPARE(cycle->alarmLog().newestAt(0).text, QStringLiteral("送信器02警報監視開始"));
        QCOMPARE(form.listModel()->index(3, 8).data(Qt::CheckStateRole).toInt(), int(Qt::Checked));
        QCOMPARE(release.size(), 0);
        // A monitored slot asks for the release instead.
        const int entries = cycle->alarmLog().count();
        form.clickCell(2, ListGridModel::ColMonitor);
        QCOMPARE(release.size(), 1);
        QCOMPARE(release.at(0).at(0).toInt(), 2);
        QVERIFY(cycle->slot(2).AlarmMonitorOn);
        QCOMPARE(cycle->alarmLog().count(), entries);
    }

    void closeBoxAsksForTheEndInsteadOfClosing()
    {
        NewViewForm form(*cycle);
        form.show();
        QSignalSpy end(&form, &NewViewForm::endRequested);
        QVERIFY(!form.close());
        QVERIFY(form.isVisible());
        QCOMPARE(end.size(), 1);
        form.action(QStringLiteral("tojiru"))->trigger();
        QCOMPARE(end.size(), 2);
        QVERIFY(form.isVisible());
    }

    void labelsShowTheReceiver()
    {
        NewViewForm form(*cycle);
        QCOMPARE(form.infoLabel()->text(), QStringLiteral("収録間隔:10分\n通信間隔:20分"));
        QCOMPARE(form.timeLabel()->text(), QStringLiteral("受信器時刻  24-05-01 12:00"));
        QCOMPARE(form.contactFrame()->alarmCaption(), QStringLiteral("OFF"));
    }
};

ZT_TEST(ListWindowTest)
#include "listwindowtest.moc"
