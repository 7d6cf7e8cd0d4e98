#include "session/analyzersession.h"
#include "ports/jyusindialog.h"
#include "support/testregistry.h"

#include <QRadioButton>
#include <QTest>

using namespace zt;

class JyusinTest : public QObject
{
    Q_OBJECT
private slots:
    void optionsShowTheEstablishedPorts()
    {
        AnalyzerSession session;
        session.settings.app.PortNo = 3;
        JyusinDialog fresh(session);
        QCOMPARE(fresh.option(0)->text(), QStringLiteral("受信器１ (COM3)"));
        QCOMPARE(fresh.option(1)->text(), QStringLiteral("受信器２ (未確立)"));
        QVERIFY(fresh.option(0)->isChecked());

        session.secondPort = {5, 2};
        session.receiverChoice = 1;
        JyusinDialog both(session);
        QCOMPARE(both.option(1)->text(), QStringLiteral("受信器２ (COM5)"));
        QVERIFY(both.option(1)->isChecked());
    }

    void okSetsTheChoiceAndCancelDoesNot()
    {
        AnalyzerSession session;
        session.secondPort = {5, 2};
        JyusinDialog dialog(session);
        dialog.option(1)->setChecked(true);
        dialog.reject();
        QCOMPARE(session.receiverChoice, 0);
        QVERIFY(!dialog.choiceConfirmed());
        dialog.commit();
        QCOMPARE(session.receiverChoice, 1);
        QVERIFY(dialog.choiceConfirmed());
        QCOMPARE(chosenPortNo(session), 5);
    }
};

ZT_TEST(JyusinTest)
#include "jyusintest.moc"
