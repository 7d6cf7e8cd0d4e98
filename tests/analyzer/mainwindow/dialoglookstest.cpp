#include "session/analyzersession.h"
#include "ports/autoscandialog.h"
#include "mainwindow/extraoptionsdialog.h"
#include "ports/jyusindialog.h"
#include "registration/oyadeldialog.h"
#include "registration/oyasetdialog.h"
#include "ports/portsetdialog.h"
#include "registration/registryedits.h"
#include "registration/renamedialog.h"
#include "mainwindow/versiondialog.h"
#include "analyzerfixture.h"
#include "support/testregistry.h"
#include "ui/scripteddialogservice.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

using namespace zt;

// Every small dialog of the main window: captions, buttons, and a picture to look at
// when ZT_GRAB_DIR names a folder.
class DialogLooksTest : public QObject
{
    Q_OBJECT
    QTemporaryDir home;
    std::unique_ptr<AnalyzerSession> session;
    ScriptedDialogService dialogs;

    void look(QDialog &dialog, const QString &title, const QStringList &buttons)
    {
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCOMPARE(dialog.windowTitle(), title);
        QStringList texts;
        for (const QPushButton *b : dialog.findChildren<QPushButton *>())
            texts << b->text();
        for (const QString &b : buttons)
            QVERIFY2(texts.contains(b), qPrintable(b));
        // Every label fits its dialog.
        for (const QLabel *l : dialog.findChildren<QLabel *>())
            QVERIFY2(l->sizeHint().width() <= dialog.width(), qPrintable(l->text()));
        const QByteArray out = qgetenv("ZT_GRAB_DIR");
        if (!out.isEmpty())
            dialog.grab().save(QString::fromLocal8Bit(out) + QLatin1Char('/') +
                               dialog.objectName() + QStringLiteral(".png"));
        dialog.close();
    }

private slots:
    void init()
    {
        test::pointHomeAt(home.path());
        session = std::make_unique<AnalyzerSession>();
        session->startUp();
        registerReceiver(session->settings.oya, 2, 0x1234, QStringLiteral("第一倉庫"));
    }

    void registration()
    {
        OyaSetDialog d(*session, dialogs, 7);
        look(d, "受信器の登録", {"登録", "Cancel"});
    }
    void deletion()
    {
        OyaDelDialog d(*session, dialogs);
        look(d, "受信器の削除", {"削除", "Cancel"});
    }
    void renaming()
    {
        RenameDialog d(*session, dialogs);
        look(d, "受信器・送信器名の変更", {"変更登録", "Cancel"});
    }
    void extraOptions()
    {
        ExtraOptionsDialog d(*session, dialogs);
        look(d, "追加メニュー", {"OK"});
    }
    void version()
    {
        VersionDialog d;
        look(d, "ﾊﾞｰｼﾞｮﾝ情報", {"OK"});
    }
    void portSet()
    {
        PortSetDialog d(*session, dialogs);
        QCOMPARE(d.portList()->count(), 16);
        QVERIFY(d.portList()->itemText(0).startsWith(QStringLiteral("COMポート 1")));
        look(d, "通信ﾎﾟｰﾄの設定", {"OK", "Cancel"});
    }
    void receiverChoice()
    {
        JyusinDialog d(*session);
        look(d, "受信器選択", {"OK", "Ｃａｎｃｅｌ"});
    }
};

ZT_TEST(DialogLooksTest)
#include "dialoglookstest.moc"
