#include "session/analyzersession.h"
#include "registration/namevalidators.h"
#include "registration/oyadeldialog.h"
#include "registration/oyasetdialog.h"
#include "registration/registryedits.h"
#include "registration/renamedialog.h"
#include "analyzerfixture.h"
#include "records/settingsfiles.h"
#include "support/testregistry.h"
#include "ui/scripteddialogservice.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTest>

using namespace zt;

// Registration, deletion and renaming against the settings files of a private home.
class RegistrationTest : public QObject
{
    Q_OBJECT
    QTemporaryDir home;
    std::unique_ptr<AnalyzerSession> session;
    ScriptedDialogService dialogs;

    SettingsRecords reread()
    {
        SettingsRecords r;
        for (SettingsFile f : {SettingsFile::OyaNames, SettingsFile::OyaIds, SettingsFile::KoNames})
            readSettings(f, session->settingsPath(f), r);
        return r;
    }
    static void writeFile(const QString &path, const QByteArray &bytes)
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        QCOMPARE(f.write(bytes), bytes.size());
    }
    void registerAs(int slot, qint32 id, const QString &name)
    {
        registerReceiver(session->settings.oya, slot, id, name);
    }

private slots:
    void init()
    {
        test::pointHomeAt(home.path());
        session = std::make_unique<AnalyzerSession>();
        session->startUp();
        dialogs.clear();
    }
    void cleanup() { QDir(home.path()).removeRecursively(); }

    void firstRegistrationUsesSlotTwoAndTellsTheName()
    {
        OyaSetDialog dialog(*session, dialogs, 0x1234ABCD);
        QCOMPARE(dialog.slot(), 2);
        QCOMPARE(dialog.nameEdit()->text(), QStringLiteral("受信器1"));
        dialog.nameEdit()->setText(QStringLiteral("ABC"));
        dialog.commit();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialogs.messages().size(), 1);
        QCOMPARE(dialogs.messages()[0].caption, QStringLiteral("受信器登録"));
        QCOMPARE(dialogs.messages()[0].text,
                 QStringLiteral("受信器名    「ABC」    を登録しました"));
        const SettingsRecords stored = reread();
        QCOMPARE(stored.oya.OyaCount, qint16(1));
        QCOMPARE(stored.oya.OyaID[2], qint32(0x1234ABCD));
        QCOMPARE(stored.oya.OyaName[2], QStringLiteral("ABC"));
        QCOMPARE(session->settings.oya.currentSlot, 2);
    }

    void anEmptyNameRegistersNothing()
    {
        OyaSetDialog dialog(*session, dialogs, 7);
        dialog.nameEdit()->clear();
        dialog.commit();
        QCOMPARE(session->settings.oya.OyaCount, qint16(0));
        QVERIFY(dialogs.asked().isEmpty());
    }

    void theHundredthRegistrationFindsNoSlot()
    {
        for (int slot = 2; slot <= 100; ++slot)
            registerAs(slot, slot, QStringLiteral("R%1").arg(slot));
        QCOMPARE(session->settings.oya.OyaCount, qint16(99));
        OyaSetDialog dialog(*session, dialogs, 555);
        QCOMPARE(dialog.slot(), 0);
    }

    void aFullRegistryFileReadsWholeAndDeletionKeepsTheOthers()
    {
        QByteArray ids = "100\r\n";
        for (int slot = 1; slot <= MaxOya; ++slot)
            ids += QByteArray::number(5000 + slot) + "\r\n";
        writeFile(session->settingsPath(SettingsFile::OyaIds), ids);
        session = std::make_unique<AnalyzerSession>();
        QVERIFY(session->startUp().empty());
        QCOMPARE(session->settings.oya.OyaCount, qint16(100));
        session->settings.oya.OyaName[40] = QStringLiteral("消す");
        OyaDelDialog dialog(*session, dialogs);
        dialogs.answerMessage(1); // OK at message 80
        dialog.nameList()->setCurrentText(QStringLiteral("消す"));
        QCOMPARE(dialog.nameList()->currentText(), QStringLiteral("消す"));
        dialog.commit();
        const SettingsRecords stored = reread();
        QCOMPARE(stored.oya.OyaCount, qint16(99));
        QCOMPARE(stored.oya.OyaID[40], qint32(0));
        QCOMPARE(stored.oya.OyaID[41], qint32(5041));
        QCOMPARE(stored.oya.OyaID[100], qint32(5100));
    }

    void aRefusedRegistryFileIsKeptBeforeTheFirstWriteOverIt()
    {
        const QString path = session->settingsPath(SettingsFile::OyaIds);
        const QByteArray original = "3\r\n11\r\nzwölf\r\n13\r\n";
        writeFile(path, original);
        session = std::make_unique<AnalyzerSession>();
        const SettingsErrors errors = session->startUp();
        QCOMPARE(errors.size(), std::size_t(1));
        QCOMPARE(errors[0].file, SettingsFile::OyaIds);

        OyaSetDialog dialog(*session, dialogs, 0x77);
        dialog.commit();
        QCOMPARE(test::readAll(path + QStringLiteral(".bak")), original);
        QCOMPARE(reread().oya.OyaID[dialog.slot()], qint32(0x77));
        // Later writes replace the file alone; the copy stays as it was.
        OyaSetDialog again(*session, dialogs, 0x78);
        again.commit();
        QCOMPARE(test::readAll(path + QStringLiteral(".bak")), original);
        QVERIFY(!QFileInfo::exists(path + QStringLiteral(".bak2")));
    }

    void deletingASharedNameRemovesTheLowerSlotAndItsTransmitterNames()
    {
        registerAs(2, 11, QStringLiteral("倉庫"));
        registerAs(3, 12, QStringLiteral("倉庫"));
        session->settings.koNames.name(2, 1) = QStringLiteral("入口");
        OyaDelDialog dialog(*session, dialogs);
        QCOMPARE(dialog.nameList()->count(), 2);
        dialogs.answerMessage(1); // OK at message 80
        dialog.commit();
        QCOMPARE(dialogs.messages()[0].text, QStringLiteral("削除します。よろしいですか？"));
        const SettingsRecords stored = reread();
        QCOMPARE(stored.oya.OyaID[2], 0);
        QCOMPARE(stored.oya.OyaName[2], QString());
        QCOMPARE(stored.oya.OyaID[3], 12);
        QCOMPARE(stored.oya.OyaCount, qint16(1));
        for (int k = 1; k <= MaxKo; ++k)
            QCOMPARE(stored.koNames.name(2, k), QString());
        QCOMPARE(stored.koNames.name(3, 1), QStringLiteral("1"));
        // A later registration in slot 2 lists its transmitters by number.
        QCOMPARE(koListText(stored.koNames, 2, 7), QStringLiteral("7"));
    }

    void deletionCancelledChangesNothing()
    {
        registerAs(2, 11, QStringLiteral("倉庫"));
        OyaDelDialog dialog(*session, dialogs);
        dialogs.answerMessage(2);
        dialog.commit();
        QCOMPARE(session->settings.oya.OyaID[2], 11);
        QVERIFY(!QFile::exists(session->settingsPath(SettingsFile::OyaIds)));
    }

    void nameLimitsAreEnforcedWhileTyping_data()
    {
        QTest::addColumn<bool>("receiver");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("12 characters")
            << true << QStringLiteral("受信器受信器受信器受信器") << true;
        QTest::newRow("13 characters") << true << QStringLiteral("ABCDEFGHIJKLM") << false;
        QTest::newRow("receiver without cp932 form") << true << QStringLiteral("😀") << false;
        QTest::newRow("6 full-width = 12 bytes") << false << QStringLiteral("温度センサー") << true;
        QTest::newRow("7 full-width") << false << QStringLiteral("温度センサー１") << false;
        QTest::newRow("12 half-width") << false << QStringLiteral("ABCDEFGHIJKL") << true;
        QTest::newRow("half-width kana count 1")
            << false << QStringLiteral("ｵﾝﾄﾞｾﾝｻｰｲﾘｸﾞﾁ") << false;
        QTest::newRow("comma is fine") << false << QStringLiteral("A,B") << true;
    }
    void nameLimitsAreEnforcedWhileTyping()
    {
        QFETCH(bool, receiver);
        QFETCH(QString, text);
        QFETCH(bool, accepted);
        ReceiverNameValidator oya;
        KoNameValidator ko;
        int pos = 0;
        const QValidator::State state = receiver ? oya.validate(text, pos) : ko.validate(text, pos);
        QCOMPARE(state == QValidator::Acceptable, accepted);
    }

    void renameStoresBothNamesAndNamesEmptyReceivers()
    {
        registerAs(2, 11, QStringLiteral("倉庫"));
        registerAs(4, 12, QString());
        RenameDialog dialog(*session, dialogs);
        QCOMPARE(dialog.receiverList()->count(), 2);
        QCOMPARE(dialog.koList()->count(), 30);
        QCOMPARE(dialog.koList()->itemText(4), QStringLiteral("5"));
        // Typing into the transmitter entry, then moving on, keeps what was typed.
        QTest::keyClicks(dialog.koList()->lineEdit(), QStringLiteral("X"));
        dialog.koList()->setCurrentIndex(1);
        QCOMPARE(session->settings.koNames.name(2, 1), QStringLiteral("1X"));
        dialog.koList()->setEditText(QStringLiteral("冷凍庫"));
        dialog.koList()->setItemText(1, QStringLiteral("冷凍庫"));
        dialog.commit();
        const SettingsRecords stored = reread();
        QCOMPARE(stored.koNames.name(2, 2), QStringLiteral("冷凍庫"));
        QCOMPARE(stored.oya.OyaName[2], QStringLiteral("倉庫"));
        QCOMPARE(stored.oya.OyaName[4], QStringLiteral("受信器4"));
    }
};

ZT_TEST(RegistrationTest)
#include "registrationtest.moc"
