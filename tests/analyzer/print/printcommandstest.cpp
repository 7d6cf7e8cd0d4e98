#include "analyzerfixture.h"
#include "graph/graphwindow.h"
#include "graph/transmitterchoicedialog.h"
#include "mainwindow/mainwindow.h"
#include "print/partprintdialog.h"
#include "print/printcontrol.h"
#include "records/channels.h"
#include "session/analyzersession.h"
#include "testregistry.h"
#include "ui/qtdialogservice.h"
#include "ui/scripteddialogservice.h"
#include "print/datalist.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace zt;

namespace {

// The text of a PDF as pdftotext reads it.
QString pdfText(const QString &path)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

// Five transmitters with data, so printing asks which four at most.
void fillFiveTransmitters(LogSet &set)
{
    test::fillDemoSet(set, 6);
    for (int koNo : {7, 8, 9}) {
        KoSeries &s = set.ko(koNo);
        s.HasData = 1;
        s.SeriesNo = qint16(koNo - 4);
        s.KoKind = 12;
        s.DataCount = 6;
        s.name = QStringLiteral("子機%1").arg(koNo);
        for (int n = 1; n <= 6; ++n) {
            set.value(s.SeriesNo, 1, n) = qint16(100 * koNo + n);
            set.value(s.SeriesNo, 2, n) = qint16(40 + n);
        }
    }
    set.KoCount = 5;
    computeStatistics(set);
}

} // namespace

// The print commands of both windows, from the menu to the PDF the preview printed.
class PrintCommandsTest : public QObject
{
    Q_OBJECT
    QTemporaryDir home;
    std::unique_ptr<AnalyzerSession> session;
    std::unique_ptr<ScriptedDialogService> dialogs;
    std::unique_ptr<MainWindow> window;

    static GraphWindow *openGraph()
    {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *g = qobject_cast<GraphWindow *>(w); g && g->isVisible())
                return g;
        return nullptr;
    }

    QString pdf() const { return home.filePath(QStringLiteral("preview.pdf")); }

    void load(void (*fill)(LogSet &))
    {
        fill(session->set);
        session->dataPresent = true;
        window->fillList();
    }

private slots:
    void init()
    {
        QVERIFY(home.isValid());
        test::pointHomeAt(home.path());
        session = std::make_unique<AnalyzerSession>();
        QVERIFY(session->startUp().empty());
        dialogs = std::make_unique<ScriptedDialogService>();
        window = std::make_unique<MainWindow>(*session, *dialogs);
        window->show();
        // The preview "prints" to a file instead of a printer.
        QPrinter &printer = PrintControl::printer();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf());
        QFile::remove(pdf());
    }
    void cleanup()
    {
        window.reset();
        dialogs.reset();
        session.reset();
    }

    void partialPrintOfOneRowThroughTheMenu()
    {
        load([](LogSet &set) { test::fillDemoSet(set); });
        QTimer answer; // row 5 to row 5 once the dialog is up
        connect(&answer, &QTimer::timeout, this, [] {
            if (auto *d = qobject_cast<PartPrintDialog *>(QApplication::activeModalWidget())) {
                d->rowBox(0)->setText(QStringLiteral("5"));
                d->rowBox(1)->setText(QStringLiteral("5"));
                d->accept();
            }
        });
        answer.start(10);
        window->action(QStringLiteral("mFPRINTSEL1"))->trigger();
        QTRY_COMPARE(dialogs->previewPaints(), 1);
        QCOMPARE(window->prints().lastKind(), PrintKind::PartialList);
        QCOMPARE(window->prints().lastRows().first, 5);
        const QString text = pdfText(pdf());
        QVERIFY2(text.contains(QStringLiteral("24/05/01 09:40")), qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("25.5◆")));
        QVERIFY(!text.contains(QStringLiteral("24/05/01 09:30")));
        QVERIFY(!text.contains(QStringLiteral("24/05/01 09:50")));
        QVERIFY(text.contains(QStringLiteral("冷蔵庫")));
        QVERIFY(!text.contains(QStringLiteral("未完成")));
    }

    void moreThanFourTransmittersAreChosenFirst()
    {
        load(fillFiveTransmitters);
        QTimer answer; // the third and fifth line
        connect(&answer, &QTimer::timeout, this, [] {
            if (auto *d =
                    qobject_cast<TransmitterChoiceDialog *>(QApplication::activeModalWidget())) {
                d->list()->item(2)->setSelected(true);
                d->list()->item(4)->setSelected(true);
                d->accept();
            }
        });
        answer.start(10);
        window->action(QStringLiteral("mFPRINTSEL2"))->trigger();
        QTRY_COMPARE(dialogs->previewPaints(), 1);
        QCOMPARE(window->prints().lastKind(), PrintKind::Parameters);
        const QString text = pdfText(pdf());
        QVERIFY2(text.contains(QStringLiteral("子機7")), qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("子機9")));
        QVERIFY(!text.contains(QStringLiteral("子機8")));
        QVERIFY(!text.contains(QStringLiteral("Room5")));
        QVERIFY(text.contains(QStringLiteral("パラメータ")) ||
                text.contains(QStringLiteral("収録数")));
    }

    void cancellingTheChoicePrintsNothing()
    {
        load(fillFiveTransmitters);
        QTimer answer;
        connect(&answer, &QTimer::timeout, this, [] {
            if (auto *d =
                    qobject_cast<TransmitterChoiceDialog *>(QApplication::activeModalWidget()))
                d->reject();
        });
        answer.start(10);
        window->action(QStringLiteral("mFPRINTSEL0"))->trigger();
        QCoreApplication::processEvents();
        QTest::qWait(30); // the hand-off timer would have fired by now
        QCOMPARE(dialogs->previewPaints(), 0);
        QVERIFY(!QFile::exists(pdf()));
        QVERIFY(dialogs->messages().isEmpty());
    }

    void printerSetupCancelledChangesNothing()
    {
        const QPageLayout before = PrintControl::printer().pageLayout();
        window->action(QStringLiteral("mFPRINTSET"))->trigger();
        QCOMPARE(dialogs->asked().size(), 1);
        QCOMPARE(dialogs->asked()[0].kind, ScriptedDialogService::Asked::PrinterSetup);
        QVERIFY(PrintControl::printer().pageLayout().isEquivalentTo(before));
        QVERIFY(dialogs->messages().isEmpty());
    }

    void graphWindowIsDisabledWhilePrintingAndEnabledAfter()
    {
        load([](LogSet &set) { test::fillDemoSet(set); });
        window->action(QStringLiteral("m_GRATH"))->trigger();
        GraphWindow *graph = nullptr;
        QTRY_VERIFY((graph = openGraph()) != nullptr);
        bool enabledDuring = true;
        dialogs->duringPreview([&] { enabledDuring = graph->isEnabled(); });
        graph->action(QStringLiteral("mgPrint"))->trigger();
        QCOMPARE(dialogs->previewPaints(), 1);
        QVERIFY(!enabledDuring);
        QVERIFY(graph->isEnabled());
        const QString text = pdfText(pdf());
        QVERIFY2(text.contains(QStringLiteral("送信器名")), qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("[℃]")));
        graph->close();
    }

    void graphPrintThatCannotStartShowsTheDescriptionAndEnablesTheWindow()
    {
        load([](LogSet &set) { test::fillDemoSet(set); });
        window->action(QStringLiteral("m_GRATH"))->trigger();
        GraphWindow *graph = nullptr;
        QTRY_VERIFY((graph = openGraph()) != nullptr);
        PrintControl::printer().setOutputFileName(
            home.filePath(QStringLiteral("no/such/dir/x.pdf")));
        graph->action(QStringLiteral("mgPrint"))->trigger();
        QCOMPARE(dialogs->messages().size(), 1);
        QCOMPARE(dialogs->messages()[0].caption, QStringLiteral("印刷"));
        QCOMPARE(dialogs->messages()[0].text,
                 QStringLiteral("プリンタまたは出力ファイルを開けませんでした。"));
        QVERIFY(graph->isEnabled());
        graph->close();
    }

    void savingPdfFromThePreviewKeepsAnOldFileWhenItFails()
    {
        load([](LogSet &set) { test::fillDemoSet(set); });
        const QString target = home.filePath(QStringLiteral("list.pdf"));
        dialogs->answerPreviewSavesPdf(true);
        dialogs->answerFile(target);
        window->action(QStringLiteral("mFPRINTSEL0"))->trigger();
        QTRY_COMPARE(dialogs->previewPaints(), 1);
        QVERIFY(pdfText(target).contains(QStringLiteral("24/05/01 10:50")));
        // A folder that does not exist: the error report with the print caption.
        const QString nowhere = home.filePath(QStringLiteral("missing/list.pdf"));
        dialogs->answerFile(nowhere);
        window->action(QStringLiteral("mFPRINTSEL0"))->trigger();
        QTRY_COMPARE(dialogs->previewPaints(), 2);
        QCOMPARE(dialogs->messages().size(), 1);
        QCOMPARE(dialogs->messages()[0].caption, QStringLiteral("印刷"));
        QVERIFY(dialogs->messages()[0].text.contains(QStringLiteral("エラー")));
        QVERIFY(!QFile::exists(nowhere));
    }

    void previewShowsEveryPageAndOffersPdf()
    {
        LogSet set;
        test::fillDemoSet(set, 200);
        const DisplayChannels channels = buildDisplayChannels(set);
        const ListPrintInput in{&set, &channels, buildGraphSeries({1, 2}),
                                QStringLiteral("IPAGothic")};
        QtDialogService qt;
        int pages = 0;
        bool pdfOffered = false;
        QTimer look; // read the preview once it is up, then close it
        connect(&look, &QTimer::timeout, this, [&] {
            auto *d = qobject_cast<QPrintPreviewDialog *>(QApplication::activeModalWidget());
            if (!d)
                return;
            pages = d->findChild<QPrintPreviewWidget *>()->pageCount();
            pdfOffered = d->findChild<QAction *>(QStringLiteral("previewSavePdf")) != nullptr;
            if (const QByteArray dir = qgetenv("ZT_GRAB_DIR"); !dir.isEmpty())
                d->grab().save(QString::fromLocal8Bit(dir) + QStringLiteral("/print-preview.png"));
            d->reject();
        });
        look.start(50);
        PrintControl(qt, nullptr).preview(QStringLiteral("全体印刷"), [&](PrintEngine &e) {
            return printDataList(e, in, {1, rowTotal(set)});
        });
        QVERIFY(pages > 2); // 202 rows do not fit one A4 page
        QVERIFY(pdfOffered);
        QVERIFY(!QFile::exists(pdf())); // looking is not printing
    }

    void partPrintDialogGrabbedForALook()
    {
        ScriptedDialogService scripted;
        PartPrintDialog d(scripted, {QDateTime(QDate(2024, 5, 1), QTime(9, 0), Qt::UTC), 10, 500});
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        if (const QByteArray dir = qgetenv("ZT_GRAB_DIR"); !dir.isEmpty())
            QVERIFY(d.grab().save(QString::fromLocal8Bit(dir) + QStringLiteral("/part-print.png")));
        QVERIFY(d.rowBox(1)->width() > 0 && d.timeBox(0)->width() >= d.rowBox(0)->width());
    }
};

ZT_TEST(PrintCommandsTest)
#include "printcommandstest.moc"
