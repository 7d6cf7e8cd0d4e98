#include "support/testregistry.h"
#include "ui/statusdialog.h"
#include "ui/statuskinds.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

using namespace zt;

class StatusDialogTest : public QObject
{
    Q_OBJECT
private slots:
    void kindsShowTheirCaptionAndTexts_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::newRow("9") << 9 << "受信器登録"
                           << "通信に失敗しました"
                           << "接続を確認してください";
        QTest::newRow("20") << 20 << "データ読出"
                            << "読み出しに失敗しました"
                            << "";
        QTest::newRow("31") << 31 << "送信器収録設定"
                            << "監視中は送信器収録設定は行えません"
                            << "監視を終了してからもう一度行ってください";
        QTest::newRow("100") << 100 << "未完成です"
                             << ""
                             << "";
    }
    void kindsShowTheirCaptionAndTexts()
    {
        QFETCH(int, kind);
        QFETCH(QString, caption);
        QFETCH(QString, first);
        QFETCH(QString, second);
        StatusDialog d;
        d.showKind(kind);
        QCOMPARE(d.windowTitle(), caption);
        QCOMPARE(d.mainText()->text(), first);
        QCOMPARE(d.secondText()->text(), second);
        QVERIFY(d.okButton()->isEnabled());
    }

    void workRunsAfterTheDialogIsShownWithTheButtonsDisabled()
    {
        StatusDialog d;
        bool visibleDuringWork = false;
        bool okDisabledDuringWork = false;
        d.showKind(4, [&](StatusDialog &self) {
            visibleDuringWork = self.isVisible();
            okDisabledDuringWork = !self.okButton()->isEnabled();
            self.setTexts(QStringLiteral("データ読出"), {QStringLiteral("読み出しに失敗しました")});
        });
        QCOMPARE(d.windowTitle(), QStringLiteral("通信中"));
        QVERIFY(d.working());
        d.show();
        QTRY_VERIFY(!d.working());
        QVERIFY(visibleDuringWork);
        QVERIFY(okDisabledDuringWork);
        QCOMPARE(d.mainText()->text(), QStringLiteral("読み出しに失敗しました"));
        QVERIFY(d.okButton()->isEnabled());
    }

    void unknownKindsAreEmpty()
    {
        const StatusKind k = analyzerStatusKind(12);
        QVERIFY(k.caption.isEmpty());
        QVERIFY(k.lines.isEmpty());
    }
};

ZT_TEST(StatusDialogTest)
#include "statusdialogtest.moc"
