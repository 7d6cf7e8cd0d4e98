#include "readout/readoutpreparation.h"
#include "link/seriallink.h"
#include "readoutdialogrig.h"
#include "support/testregistry.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QTableView>
#include <QScopeGuard>
#include <QTest>

using namespace zt;
using namespace zt::test;

// The choice part of NewDataRead2: what the grid shows for the range the controls set.
class NewDataRead2DialogTest : public QObject
{
    Q_OBJECT
    std::unique_ptr<ReadoutDialogRig> rig;
    std::unique_ptr<SerialLink> link;
    ReadoutSurvey survey;
    std::unique_ptr<NewDataRead2Dialog> dialog;

    QString cellText(int koNo, int column) const
    {
        return dialog->grid()->model()->index(dialog->rowOf(koNo), column).data().toString();
    }

private slots:
    void init()
    {
        rig = std::make_unique<ReadoutDialogRig>();
        QVERIFY2(rig->opened, qPrintable(rig->error));
        link = std::make_unique<SerialLink>(LinkMode::Kestrel, nullptr, 300);
        link->setPortName(portDevice(1));
        survey = {};
        QCOMPARE(prepareReadout(*link, survey), PreparationResult::Ready);
        dialog = std::make_unique<NewDataRead2Dialog>(*link, rig->session->settings, survey,
                                                      rig->dialogs, QString());
    }
    void cleanup()
    {
        dialog.reset();
        link.reset();
        rig.reset();
    }

    void theGridListsEveryRegisteredSlotChosenWithItsSpan()
    {
        QCOMPARE(dialog->grid()->model()->rowCount(), 4);
        QCOMPARE(dialog->grid()->model()->headerData(0, Qt::Vertical).toString(),
                 QStringLiteral("01"));
        QCOMPARE(cellText(1, 0), QStringLiteral("冷蔵庫Ａ"));
        QCOMPARE(cellText(2, 0), QStringLiteral("名称無し"));
        QCOMPARE(dialog->allSenderButton()->text(), QStringLiteral("全送信器未選択"));
        for (int k = 1; k <= 4; ++k) {
            const SlotSpan &span = survey.span(k);
            QCOMPARE(cellText(k, 1), QString::number(span.count));
            // "全データ" at first: everything held is read.
            QCOMPARE(cellText(k, 2), QString::number(span.count));
            QCOMPARE(cellText(k, 3), gridTime(span.oldest));
            QCOMPARE(cellText(k, 4), gridTime(span.newest));
        }
        QCOMPARE(dialog->endHour()->currentText(), QStringLiteral("23:00"));
        QCOMPARE(dialog->endHour()->count(), 24);
    }

    void rangeControlsFollowTheChoiceFromTheStart()
    {
        QVERIFY(dialog->allDataChoice()->isChecked());
        for (QWidget *w : std::initializer_list<QWidget *>{dialog->calendar(), dialog->startHour(),
                                                           dialog->endHour(), dialog->endDate()})
            QVERIFY2(!w->isEnabled(), qPrintable(w->objectName()));
        dialog->dateChoice()->setChecked(true);
        for (QWidget *w : std::initializer_list<QWidget *>{dialog->calendar(), dialog->startHour(),
                                                           dialog->endHour(), dialog->endDate()})
            QVERIFY2(w->isEnabled(), qPrintable(w->objectName()));
        dialog->allDataChoice()->setChecked(true);
        QVERIFY(!dialog->calendar()->isEnabled());
    }

    void everyColumnOfTheGridShows_data()
    {
        QTest::addColumn<int>("pointSize");
        QTest::newRow("default font") << 0;
        QTest::newRow("large font") << 14;
    }
    void everyColumnOfTheGridShows()
    {
        QFETCH(int, pointSize);
        const QFont before = QApplication::font();
        if (pointSize > 0) {
            QFont large = before;
            large.setPointSize(pointSize);
            QApplication::setFont(large);
            dialog = std::make_unique<NewDataRead2Dialog>(*link, rig->session->settings, survey,
                                                          rig->dialogs, QString());
        }
        const auto restore = qScopeGuard([&] { QApplication::setFont(before); });
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
        QTableView *grid = dialog->grid();
        const int viewport = grid->viewport()->width();
        for (int c = 0; c < grid->model()->columnCount(); ++c) {
            const int right = grid->columnViewportPosition(c) + grid->columnWidth(c);
            QVERIFY2(right <= viewport, qPrintable(QString::number(c)));
            const QString header = grid->model()->headerData(c, Qt::Horizontal).toString();
            QVERIFY(grid->columnWidth(c) >= grid->fontMetrics().horizontalAdvance(header));
            for (int r = 0; r < grid->model()->rowCount(); ++r) {
                const QString text = grid->model()->index(r, c).data().toString();
                QVERIFY2(grid->columnWidth(c) >= grid->fontMetrics().horizontalAdvance(text),
                         qPrintable(text));
            }
        }
        QCOMPARE(grid->horizontalScrollBar()->maximum(), 0);
        grabTo(*dialog, QStringLiteral("NewDataRead2-%1").arg(pointSize));
    }

    void rangeControlsGiveWhatReadDataCalcDispSays_data()
    {
        QTest::addColumn<int>("startDay"); // days after the calendar's first day
        QTest::addColumn<int>("startHour");
        QTest::addColumn<int>("endDayIndex");
        QTest::addColumn<int>("endHour");
        QTest::addColumn<bool>("firstChosen");
        QTest::newRow("first day, whole") << 0 << 0 << 0 << 23 << true;
        QTest::newRow("over midnight") << 0 << 20 << 1 << 3 << true;
        QTest::newRow("second day morning") << 1 << 0 << 0 << 6 << true;
        QTest::newRow("first slot left out") << 0 << 0 << 1 << 23 << false;
    }
    void rangeControlsGiveWhatReadDataCalcDispSays()
    {
        QFETCH(int, startDay);
        QFETCH(int, startHour);
        QFETCH(int, endDayIndex);
        QFETCH(int, endHour);
        QFETCH(bool, firstChosen);
        dialog->dateChoice()->setChecked(true);
        const QDate first = dialog->calendar()->minimumDate();
        dialog->calendar()->setSelectedDate(first.addDays(startDay));
        dialog->startHour()->setCurrentIndex(startHour);
        dialog->endDate()->setCurrentIndex(endDayIndex);
        dialog->endHour()->setCurrentIndex(endHour);
        if (!firstChosen) {
            auto *model = qobject_cast<QStandardItemModel *>(dialog->grid()->model());
            model->item(dialog->rowOf(1), 0)->setCheckState(Qt::Unchecked);
            QCOMPARE(dialog->allSenderButton()->text(), QStringLiteral("全送信器選択"));
        }
        const ReadRange range = dateRange(first.addDays(startDay), startHour, endDayIndex, endHour);
        QCOMPARE(dialog->range().start, range.start);
        QCOMPARE(dialog->range().end, range.end);
        for (int k = 1; k <= 4; ++k) {
            const ReadPlan expected =
                k == 1 && !firstChosen
                    ? ReadPlan{}
                    : ReadDataCalcDisp(survey.span(k), range, survey.values.MeasureInterval,
                                       survey.values.SystemKoCount);
            QCOMPARE(dialog->shownPlan(k), expected);
            QCOMPARE(cellText(k, 2), QString::number(expected.count));
        }
    }

    void endDatesRunFromTheStartDateToTheNewest()
    {
        dialog->dateChoice()->setChecked(true);
        const QDate last = dialog->calendar()->maximumDate();
        dialog->calendar()->setSelectedDate(last);
        QCOMPARE(dialog->endDate()->count(), 1);
        QCOMPARE(dialog->endDate()->itemText(0), last.toString(QStringLiteral("yy/MM/dd")));
        dialog->calendar()->setSelectedDate(last.addDays(-1));
        QCOMPARE(dialog->endDate()->count(), 2);
    }

    void sameDayWithTheStartHourNotBeforeTheEndIsRefused()
    {
        dialog->dateChoice()->setChecked(true);
        dialog->endDate()->setCurrentIndex(0);
        dialog->startHour()->setCurrentIndex(12);
        dialog->endHour()->setCurrentIndex(12);
        dialog->startReading();
        QCOMPARE(rig->dialogs.messages().size(), 1);
        QCOMPARE(rig->dialogs.messages()[0].text, QStringLiteral("日付の指定が正しくありません"));
        QCOMPARE(rig->dialogs.messages()[0].caption, QStringLiteral("ﾃﾞｰﾀ読出し"));
        QCOMPARE(dialog->startHour()->currentIndex(), 0);
        QCOMPARE(dialog->endHour()->currentIndex(), 23);
        QVERIFY(!dialog->machine().reading());
    }

    void nothingChosenIsReportedWithoutAsking()
    {
        dialog->allSenderButton()->click();
        QCOMPARE(dialog->allSenderButton()->text(), QStringLiteral("全送信器選択"));
        dialog->startReading();
        QCOMPARE(rig->dialogs.messages().size(), 1);
        QCOMPARE(rig->dialogs.messages()[0].text,
                 QStringLiteral("読み出せるデータがありませんでした"));
        QVERIFY(!dialog->machine().reading());
    }
};

ZT_TEST(NewDataRead2DialogTest)
#include "newdataread2dialogtest.moc"
