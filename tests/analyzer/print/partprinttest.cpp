#include "print/partprintdialog.h"
#include "records/messages.h"
#include "testregistry.h"
#include "ui/scripteddialogservice.h"

#include <QLineEdit>
#include <QScrollBar>
#include <QTest>

using namespace zt;

// `fPartPrint`: its opening state and the leave checks of its boxes.
class PartPrintTest : public QObject
{
    Q_OBJECT

    // 100 rows of 10 minutes from 2024-05-01 09:00.
    static PartAxis axis() { return {QDateTime(QDate(2024, 5, 1), QTime(9, 0), Qt::UTC), 10, 100}; }

private slots:
    void opensOnTheWholeRange()
    {
        ScriptedDialogService dialogs;
        PartPrintDialog d(dialogs, axis());
        QCOMPARE(d.windowTitle(), QStringLiteral("部分印刷"));
        QCOMPARE(d.rowBox(0)->text(), QStringLiteral("1"));
        QCOMPARE(d.timeBox(0)->text(), QStringLiteral("2024-05-01 09:00"));
        QCOMPARE(d.rowBox(1)->text(), QStringLiteral("100"));
        QCOMPARE(d.timeBox(1)->text(), QStringLiteral("2024-05-02 01:30"));
    }

    void leaveChecks_data()
    {
        QTest::addColumn<int>("before"); // start row set first, 0 = none
        QTest::addColumn<bool>("timeBox");
        QTest::addColumn<int>("which");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("message");
        QTest::addColumn<QString>("startRow");
        QTest::addColumn<QString>("endRow");
        QTest::addColumn<QString>("timeText"); // the box's time afterwards
        QTest::newRow("start row inside") << 0 << false << 0 << "40" << 0 << "40"
                                          << "100"
                                          << "2024-05-01 15:30";
        QTest::newRow("start equal to end is allowed") << 0 << false << 0 << "100" << 0 << "100"
                                                       << "100"
                                                       << "2024-05-02 01:30";
        QTest::newRow("end row below 1: 62, the limit") << 0 << false << 1 << "0" << 62 << "1"
                                                        << "1"
                                                        << "2024-05-01 09:00";
        QTest::newRow("end row beyond the rows: 62, the limit")
            << 0 << false << 1 << "500" << 62 << "1"
            << "100"
            << "2024-05-02 01:30";
        QTest::newRow("time selects the row at or before it")
            << 0 << true << 0 << "2024-05-01 10:05" << 0 << "7"
            << "100"
            << "2024-05-01 10:00";
        QTest::newRow("end time on the start row is allowed")
            << 0 << true << 1 << "2024-05-01 09:00" << 0 << "1"
            << "1"
            << "2024-05-01 09:00";
        QTest::newRow("end row below the start: 60, last text back")
            << 10 << false << 1 << "5" << 60 << "10"
            << "100"
            << "2024-05-02 01:30";
        QTest::newRow("end time before the start row: 60, last text back")
            << 10 << true << 1 << "2024-05-01 09:00" << 60 << "10"
            << "100"
            << "2024-05-02 01:30";
        QTest::newRow("start row below 1: 62") << 0 << false << 0 << "0" << 62 << "1"
                                               << "100"
                                               << "2024-05-01 09:00";
        QTest::newRow("start time unreadable: 63")
            << 0 << true << 0 << "2024-13-01 10:00" << 63 << "1"
            << "100"
            << "2024-05-01 09:00";
        QTest::newRow("end time unreadable: 64") << 0 << true << 1 << "10:00" << 64 << "1"
                                                 << "100"
                                                 << "2024-05-02 01:30";
        QTest::newRow("time before the start: 62")
            << 0 << true << 0 << "2024-05-01 08:59" << 62 << "1"
            << "100"
            << "2024-05-01 09:00";
        QTest::newRow("time after the last row: 62")
            << 0 << true << 1 << "2024-05-02 01:31" << 62 << "1"
            << "100"
            << "2024-05-02 01:30";
    }
    void leaveChecks()
    {
        QFETCH(int, before);
        QFETCH(bool, timeBox);
        QFETCH(int, which);
        QFETCH(QString, typed);
        QFETCH(int, message);
        QFETCH(QString, startRow);
        QFETCH(QString, endRow);
        QFETCH(QString, timeText);
        ScriptedDialogService dialogs;
        PartPrintDialog d(dialogs, axis());
        d.show();
        if (before) {
            d.rowBox(0)->setText(QString::number(before));
            d.leaveRow(0);
            dialogs.clear();
        }
        QLineEdit *box = timeBox ? d.timeBox(which) : d.rowBox(which);
        box->setFocus();
        box->setText(typed);
        // Enter runs the check and leaves the dialog open.
        QTest::keyClick(box, Qt::Key_Return);
        QVERIFY(d.isVisible());
        QCOMPARE(d.result(), 0);
        const QList<MessageRequest> asked = dialogs.messages();
        QCOMPARE(asked.size(), message ? 1 : 0);
        if (message)
            QCOMPARE(asked[0].text, messageText(message));
        QCOMPARE(d.rowBox(0)->text(), startRow);
        QCOMPARE(d.rowBox(1)->text(), endRow);
        QCOMPARE(d.timeBox(which)->text(), timeText);
        QCOMPARE(d.scrollBar(which)->value(), d.rowBox(which)->text().toInt());
    }

    void scrollBarWritesRowAndTime()
    {
        ScriptedDialogService dialogs;
        PartPrintDialog d(dialogs, axis());
        QCOMPARE(d.scrollBar(1)->maximum(), 100);
        QCOMPARE(d.scrollBar(1)->pageStep(), 4); // round(100 / 40 + 1)
        d.scrollBar(1)->setValue(13);
        QCOMPARE(d.rowBox(1)->text(), QStringLiteral("13"));
        QCOMPARE(d.timeBox(1)->text(), QStringLiteral("2024-05-01 11:00"));
    }

    void okReturnsTheRowsAndRefusesABadOrder()
    {
        ScriptedDialogService dialogs;
        PartPrintDialog d(dialogs, axis());
        d.rowBox(0)->setText(QStringLiteral("20"));
        d.rowBox(1)->setText(QStringLiteral("20"));
        d.accept();
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(d.rows().first, 20);
        QCOMPARE(d.rows().last, 20);
        PartPrintDialog bad(dialogs, axis());
        bad.rowBox(0)->setText(QStringLiteral("30"));
        bad.rowBox(1)->setText(QStringLiteral("20"));
        bad.accept();
        QCOMPARE(bad.result(), 0);
        QCOMPARE(dialogs.messages().last().text, messageText(60));
    }
};

ZT_TEST(PartPrintTest)
#include "partprinttest.moc"
