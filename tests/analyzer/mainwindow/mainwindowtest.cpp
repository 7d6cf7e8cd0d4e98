#include "session/analyzersession.h"
#include "mainwindow/extraoptionsdialog.h"
#include "mainwindow/loglistmodel.h"
#include "mainwindow/loglistview.h"
#include "mainwindow/mainwindow.h"
#include "mainwindow/screenlayout.h"
#include "analyzerfixture.h"
#include "platform/folders.h"
#include "platform/windowpresence.h"
#include "records/cp932.h"
#include "records/zt2file.h"
#include "support/testregistry.h"
#include "ui/scripteddialogservice.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QTimer>
#include <QHeaderView>
#include <QScrollBar>
#include <cmath>
#include <QTableView>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QCoreApplication>
#include <QTest>

using namespace zt;

// The main window driven through its menus with a scripted dialog service.
class MainWindowTest : public QObject
{
    Q_OBJECT
    QTemporaryDir home;
    std::unique_ptr<AnalyzerSession> session;
    std::unique_ptr<ScriptedDialogService> dialogs;
    std::unique_ptr<MainWindow> window;

    QString savedSample()
    {
        LogSet set;
        test::fillDemoSet(set);
        // Files carry no names: the loader takes them from the registry.
        session->settings.koNames.name(1, 2) = set.ko(2).name;
        session->settings.koNames.name(1, 5) = set.ko(5).name;
        const QString path = dataFolder() + QStringLiteral("/demo.zt2");
        if (saveZt2(path, set) != 0)
            return {};
        return path;
    }
    void openThroughMenu(const QString &path)
    {
        dialogs->answerFile(path);
        window->action(QStringLiteral("menuLogFOpen"))->trigger();
    }
    QString cell(int row, int column) const
    {
        const auto *m = window->listModel();
        return m->data(m->index(row, column), Qt::DisplayRole).toString();
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
        window->resize(1024, 700);
        window->show();
    }
    void cleanup()
    {
        window.reset();
        dialogs.reset();
        session.reset();
        QDir(home.path()).removeRecursively();
        QDir().mkpath(home.path());
    }

    void startUpOnAFreshMachineCreatesOnlyTheOptionsFile()
    {
        const QStringList files = QDir(settingsFolder()).entryList(QDir::Files);
        QCOMPARE(files, QStringList{QStringLiteral("zt2000op.dat")});
        QCOMPARE(test::readAll(settingsFolder() + QStringLiteral("/zt2000op.dat")),
                 QByteArray("0\r\n"));
        QVERIFY(QDir(dataFolder()).exists());
        QCOMPARE(window->windowTitle(), QStringLiteral("ZT5シリーズ解析ソフト ") + dataFolder() +
                                            QStringLiteral("/test.zt2"));
    }

    void dataCommandsWaitForData()
    {
        for (const char *name : {"menuLogFAddSave", "menuLogFSave", "menuLogTeSave", "menuLogPrint",
                                 "m_GRATH", "btnsave", "btnprint", "btngraph"})
            QVERIFY2(!window->action(QString::fromLatin1(name))->isEnabled(), name);
        openThroughMenu(savedSample());
        for (const char *name : {"menuLogFAddSave", "menuLogFSave", "menuLogTeSave", "btnsave"})
            QVERIFY2(window->action(QString::fromLatin1(name))->isEnabled(), name);
    }

    void openingAFileFillsTheListAndHeader()
    {
        const QString path = savedSample();
        openThroughMenu(path);
        QCOMPARE(window->windowTitle(), QStringLiteral("ZT5シリーズ解析ソフト ") + path);
        QVERIFY(!session->hasUnsavedReadout());
        const auto *m = window->listModel();
        QCOMPARE(m->headerData(2, Qt::Horizontal, Qt::DisplayRole).toString(),
                 QStringLiteral("冷蔵庫\nＡ棟\n[ﾟC]")); // 6 bytes, then the rest
        QCOMPARE(m->headerData(3, Qt::Horizontal, Qt::DisplayRole).toString(),
                 QStringLiteral("冷蔵庫\nＡ棟\n[%rh]"));
        QCOMPARE(m->headerData(4, Qt::Horizontal, Qt::DisplayRole).toString(),
                 QStringLiteral("Room5\n\n[ﾟC]"));
        QCOMPARE(m->headerData(5, Qt::Horizontal, Qt::DisplayRole).toString(), QString());
        QCOMPARE(m->rows(), 12);
        QCOMPARE(cell(0, 0), QStringLiteral("1"));
        QCOMPARE(cell(0, 1), QStringLiteral("24-05-01 09:00"));
        QCOMPARE(cell(11, 1), QStringLiteral("24-05-01 10:50"));
        QCOMPARE(cell(0, 2), QStringLiteral("25.1"));
        QCOMPARE(cell(0, 3), QStringLiteral("61"));
        QCOMPARE(cell(2, 2), QStringLiteral("*****  "));
        QCOMPARE(cell(3, 2), QStringLiteral("-----  "));
        QCOMPARE(cell(4, 2), QStringLiteral("25.5◆"));
        QCOMPARE(cell(0, 4), QString()); // KoNo 5 starts two rows later
        QCOMPARE(cell(2, 4), QStringLiteral("-5.1"));
        QCOMPARE(cell(10, 2), QString()); // past its ten samples
        QCOMPARE(cell(12, 1), QString()); // past the time axis

        const QAbstractItemModel *stats = window->listView()->statsView()->model();
        QCOMPARE(stats->headerData(0, Qt::Vertical, Qt::DisplayRole).toString(),
                 QStringLiteral("測定間隔"));
        QCOMPARE(stats->index(0, 0).data().toString(), QStringLiteral("00:10"));
        QCOMPARE(stats->index(1, 0).data().toString(), QStringLiteral("26.0")); // max of CH1
        QCOMPARE(stats->index(2, 0).data().toString(), QStringLiteral("25.1"));
        QCOMPARE(stats->index(1, 1).data().toString(), QStringLiteral("62"));
        QCOMPARE(stats->index(3, 2).data().toString(), QStringLiteral("-5.6"));
        QCOMPARE(stats->index(0, 4).data().toString(), QString());
    }

    void aFileThatCannotBeReadIsReportedAndNothingChanges()
    {
        // A first slot block claiming HasData 5: no save writes that.
        const QString bad = dataFolder() + QStringLiteral("/bad.zt2");
        QFile file(bad);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(18, '\0') + QByteArray("\x05\x00\x00\x00", 4));
        file.close();
        openThroughMenu(bad);
        const auto messages = dialogs->messages();
        QCOMPARE(messages.size(), 1);
        QCOMPARE(messages[0].caption, QStringLiteral("ファイルの読込"));
        QCOMPARE(messages[0].text, QStringLiteral("不正なファイル形式です。\nエラー321"));
        QVERIFY(!session->dataPresent);
        QVERIFY(window->windowTitle().endsWith(QStringLiteral("/test.zt2")));
    }

    void saveSaveAsAndCsvGoThroughTheMenus()
    {
        openThroughMenu(savedSample());
        const QString copy = dataFolder() + QStringLiteral("/copy.zt2");
        dialogs->answerFile(copy);
        window->action(QStringLiteral("menuLogFSave"))->trigger();
        QCOMPARE(test::readAll(copy), test::readAll(dataFolder() + QStringLiteral("/demo.zt2")));
        QVERIFY(window->windowTitle().endsWith(QStringLiteral("/copy.zt2")));

        const QString csv = dataFolder() + QStringLiteral("/copy.csv");
        dialogs->answerFile(csv);
        window->action(QStringLiteral("menuLogTeSave"))->trigger();
        const auto &asked = dialogs->asked();
        QCOMPARE(asked.last().file.title, QStringLiteral("ＣＳＶファイルの保存"));
        QCOMPARE(asked.last().file.fileName, csv); // proposed from the current name
        const QString text = fromCp932(test::readAll(csv));
        QVERIFY(text.contains(QStringLiteral(",受信器名:,未登録")));
        QVERIFY(window->windowTitle().endsWith(QStringLiteral("/copy.zt2")));

        QFile::remove(copy);
        window->action(QStringLiteral("btnsave"))->trigger(); // plain save, no dialog
        QVERIFY(QFile::exists(copy));
        QCOMPARE(dialogs->pendingAnswers(), 0);
    }

    void closingWithAnUnsavedReadOutAsksAndCanBeCancelled()
    {
        openThroughMenu(savedSample());
        session->set.LogSaved = false;  // as after a read-out
        dialogs->answerMessage(6);      // Yes: save ...
        dialogs->answerFile(QString()); // ... but cancel the save dialog
        QVERIFY(!window->close());
        QVERIFY(window->isVisible());
        QCOMPARE(dialogs->messages().last().text,
                 QStringLiteral("読み出したデータが保存されていません。\n保存しますか？"));

        dialogs->answerMessage(2); // Cancel
        QVERIFY(!window->close());
        dialogs->answerMessage(7); // No
        QVERIFY(window->close());
    }

    void openOverAnUnsavedReadOutAsksFirst()
    {
        openThroughMenu(savedSample());
        session->set.LogSaved = false;
        dialogs->clear();
        dialogs->answerMessage(2); // Cancel at message 28
        window->action(QStringLiteral("menuLogFOpen"))->trigger();
        QCOMPARE(dialogs->asked().size(), 1);
        QCOMPARE(dialogs->messages()[0].text,
                 QStringLiteral(
                     "先に読み出したデータが保存されていませんが、新たに読出しを行いますか？"));
        QCOMPARE(dialogs->messages()[0].caption, QStringLiteral("読出し"));
    }

    void receiverCommandsAreRefusedWhileAMonitorWindowIsOpen_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("firstLine");
        const QString readOut = QStringLiteral("監視中はデータ読み出しは行えません");
        const QString settings = QStringLiteral("監視中は送信器収録設定は行えません");
        QTest::newRow("read-out") << "menu_logdata" << readOut;
        QTest::newRow("recording settings") << "menuIniSet" << settings;
        QTest::newRow("alarm settings") << "menuAlarmSet" << settings;
        QTest::newRow("register") << "menuOyaset" << readOut;
        QTest::newRow("automatic port") << "mPORTA" << readOut;
        QTest::newRow("manual port") << "mPORTM" << readOut;
    }
    void receiverCommandsAreRefusedWhileAMonitorWindowIsOpen()
    {
        QFETCH(QString, command);
        QFETCH(QString, firstLine);
        WindowPresence monitor(QStringLiteral("送信器データ一覧"));
        QVERIFY(monitor.publish());
        window->action(command)->trigger();
        const auto messages = dialogs->messages();
        QCOMPARE(messages.size(), 1);
        QCOMPARE(messages[0].text.section(QLatin1Char('\n'), 0, 0), firstLine);
        QVERIFY(
            messages[0].text.endsWith(QStringLiteral("監視を終了してからもう一度行ってください")));
    }

    void renameAndDeleteNeedARegisteredReceiver()
    {
        QVERIFY(!window->action(QStringLiteral("menuRename"))->isEnabled());
        QVERIFY(!window->action(QStringLiteral("menuOyaDel"))->isEnabled());
    }

    void monitorStartWithoutTheProgramSaysSo()
    {
        window->action(QStringLiteral("menuJyou"))->trigger();
        QCOMPARE(dialogs->messages().size(), 1);
        QCOMPARE(dialogs->messages()[0].text, QStringLiteral("立ち上げに失敗しました"));
    }

    void monitorStartRunsTheMonitorBesideTheProgram()
    {
        QTemporaryDir out;
        const QString program = QCoreApplication::applicationDirPath() + QStringLiteral("/watch");
        QFile script(program);
        QVERIFY(script.open(QIODevice::WriteOnly));
        const auto removeScript = qScopeGuard([&program] { QFile::remove(program); });
        script.write("#!/bin/sh\ntouch \"$ZT_PROBE_OUT\"\n");
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("ZT_PROBE_OUT", (out.path() + QStringLiteral("/started")).toUtf8());
        window->action(QStringLiteral("menuJyou"))->trigger();
        QTRY_VERIFY(QFile::exists(out.path() + QStringLiteral("/started")));
        QVERIFY(dialogs->messages().isEmpty());
    }

    void f10InTheListOpensTheExtraOptions()
    {
        QTimer answer; // tick the box and press OK once the dialog is up
        connect(&answer, &QTimer::timeout, this, [] {
            if (auto *d = qobject_cast<ExtraOptionsDialog *>(QApplication::activeModalWidget())) {
                d->checkBox()->setChecked(true);
                d->commit();
            }
        });
        answer.start(20);
        window->listView()->dataView()->setFocus();
        QTest::keyClick(window->listView()->dataView(), Qt::Key_F10);
        QCOMPARE(session->settings.AutoSaveOption, qint16(1));
        QCOMPARE(test::readAll(settingsFolder() + QStringLiteral("/zt2000op.dat")),
                 QByteArray("1\r\n"));
    }

    void aNewSetOpensAtItsFirstRowAndColumn()
    {
        LogSet set;
        test::fillDemoSet(set, 2000);
        for (int k = 6; k <= 12; ++k) { // enough columns to scroll sideways
            KoSeries &s = set.ko(k);
            s = set.ko(2);
            s.SeriesNo = qint16(k - 3);
            s.KoNo = qint16(k);
        }
        const QString path = dataFolder() + QStringLiteral("/wide.zt2");
        QCOMPARE(saveZt2(path, set), 0);
        openThroughMenu(path);
        QVERIFY(dialogs->messages().isEmpty());
        QCoreApplication::processEvents(); // the views lay out their new rows
        QTableView *data = window->listView()->dataView();
        QVERIFY(data->horizontalScrollBar()->maximum() > 0);
        data->verticalScrollBar()->setValue(117);
        data->horizontalScrollBar()->setValue(data->horizontalScrollBar()->maximum());
        QCOMPARE(window->listView()->fixedView()->verticalScrollBar()->value(), 117);

        openThroughMenu(path);
        QCOMPARE(data->verticalScrollBar()->value(), 0);
        QCOMPARE(window->listView()->fixedView()->verticalScrollBar()->value(), 0);
        QCOMPARE(data->horizontalScrollBar()->value(), 0);
        QCOMPARE(data->columnAt(0), int(LogListModel::FixedColumns)); // first display column
        QCOMPARE(data->rowAt(0), 0);
    }

    void listMeasuresFollowTheScreen_data()
    {
        QTest::addColumn<QSize>("screen");
        QTest::newRow("1024 x 768") << QSize(1024, 768);
        QTest::newRow("1280 x 1024, rows 1.2 times higher") << QSize(1280, 1024);
        QTest::newRow("800 x 600") << QSize(800, 600);
    }
    void listMeasuresFollowTheScreen()
    {
        QFETCH(QSize, screen);
        const ScreenLayout layout = layoutForScreen(screen);
        window->applyLayout(layout);
        QCoreApplication::processEvents();
        const QTableView *data = window->listView()->dataView();
        const QFontMetrics fm(data->font());
        QCOMPARE(data->font().pointSize(), layout.fontPointSize);
        QCOMPARE(data->verticalScrollBar()->width(), layout.listScrollBarThickness);
        QCOMPARE(data->horizontalScrollBar()->height(), layout.listScrollBarThickness);
        const double factor = layout.tallScreen ? 1.2 : 1.0;
        QCOMPARE(data->verticalHeader()->defaultSectionSize(),
                 int(std::lround((fm.height() + 1.0) * factor))); // 15 twips = 1 px
        const QTableView *fixed = window->listView()->fixedView();
        QCOMPARE(fixed->columnWidth(0),
                 int(5.5 * fm.horizontalAdvance(QLatin1Char('0'))) + layout.columnMargin);
        QCOMPARE(fixed->columnWidth(1),
                 14 * fm.horizontalAdvance(QLatin1Char('0')) + layout.columnMargin);
        // The fixed columns end level with the list's rows, above its scroll bar.
        QCOMPARE(fixed->geometry().bottom() + layout.listScrollBarThickness,
                 data->geometry().bottom());
        const QByteArray out = qgetenv("ZT_GRAB_DIR");
        if (!out.isEmpty())
            window->grab().save(
                QString::fromLocal8Bit(out) +
                QStringLiteral("/main-%1x%2.png").arg(screen.width()).arg(screen.height()));
    }

    void fullSetGrabbedForALook()
    {
        LogSet set;
        test::fillDemoSet(set, 2000);
        session->settings.koNames.name(1, 2) = QStringLiteral("冷蔵庫Ａ棟");
        session->settings.koNames.name(1, 5) = QStringLiteral("Room5");
        const QString path = dataFolder() + QStringLiteral("/big.zt2");
        QCOMPARE(saveZt2(path, set), 0);
        openThroughMenu(path);
        QTest::qWait(50);
        const QByteArray out = qgetenv("ZT_GRAB_DIR");
        if (!out.isEmpty())
            QVERIFY(window->grab().save(QString::fromLocal8Bit(out) + QStringLiteral("/main.png")));
        // Eight display columns share the width beside the fixed columns.
        const QTableView *data = window->listView()->dataView();
        QVERIFY(qAbs(data->columnWidth(2) * 8 - data->viewport()->width()) < 8);
        QCOMPARE(data->columnWidth(2), window->listView()->statsView()->columnWidth(0));
    }
};

ZT_TEST(MainWindowTest)
#include "mainwindowtest.moc"
