#include "support/testregistry.h"
#include "ui/translations.h"

#include <QApplication>
#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>

using namespace zt;

// Qt's own texts (standard buttons, file and colour dialogs, context menus) come out in
// Japanese once the catalogues are installed, whatever the locale (the tests run in C).
class TranslationsTest : public QObject
{
    Q_OBJECT

    static void removeTranslators()
    {
        for (QTranslator *t : qApp->findChildren<QTranslator *>()) {
            QCoreApplication::removeTranslator(t);
            delete t;
        }
    }
    static void grab(QWidget &w, const char *name)
    {
        if (const QByteArray dir = qgetenv("ZT_GRAB_DIR"); !dir.isEmpty())
            w.grab().save(QString::fromLocal8Bit(dir) + QLatin1Char('/') + QLatin1String(name) +
                          QStringLiteral(".png"));
    }
    static QStringList labelTexts(const QWidget &w)
    {
        QStringList texts;
        for (const QLabel *l : w.findChildren<QLabel *>())
            texts << l->text();
        for (const QAbstractButton *b : w.findChildren<QAbstractButton *>())
            texts << b->text();
        return texts;
    }

private slots:
    void init()
    {
        removeTranslators();
        QVERIFY(!installJapaneseTranslations(*qApp).isEmpty());
    }
    void cleanup()
    {
        for (QWidget *w : QApplication::topLevelWidgets())
            w->close();
        removeTranslators();
    }

    void messageBoxButtonsAreJapanese_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<QString>("text");
        QTest::newRow("yes") << int(QMessageBox::Yes) << "はい(&Y)";
        QTest::newRow("no") << int(QMessageBox::No) << "いいえ(&N)";
        QTest::newRow("cancel") << int(QMessageBox::Cancel) << "キャンセル";
    }
    void messageBoxButtonsAreJapanese()
    {
        QFETCH(int, button);
        QFETCH(QString, text);
        QMessageBox box(QMessageBox::Question, QStringLiteral("確認"),
                        QStringLiteral("上書きしますか?"),
                        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        QCOMPARE(box.button(QMessageBox::StandardButton(button))->text(), text);
        box.show();
        grab(box, "qt-messagebox");
    }

    void lineEditContextMenuIsJapanese()
    {
        QLineEdit edit(QStringLiteral("abc"));
        std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
        QStringList texts;
        for (const QAction *a : menu->actions())
            texts << a->text().section(QLatin1Char('\t'), 0, 0);
        QVERIFY2(texts.contains(QStringLiteral("すべてを選択")), qPrintable(texts.join('|')));
        QVERIFY(texts.contains(QStringLiteral("貼り付け(&P)")));
        QVERIFY(!texts.join(QString()).contains(QStringLiteral("Copy")));
        menu->show();
        grab(*menu, "qt-contextmenu");
    }

    void fileDialogIsJapanese()
    {
        QTemporaryDir dir;
        QFileDialog dialog(nullptr, QStringLiteral("名前を付けて保存"), dir.path());
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        const QString all = labelTexts(dialog).join('|');
        QVERIFY2(all.contains(QStringLiteral("ファイル名")), qPrintable(all));
        QVERIFY2(!all.contains(QStringLiteral("File name")), qPrintable(all));
        grab(dialog, "qt-filedialog");
    }

    void colourDialogIsJapanese()
    {
        QColorDialog dialog;
        dialog.setOption(QColorDialog::DontUseNativeDialog);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        const QString all = labelTexts(dialog).join('|');
        QVERIFY2(!all.contains(QStringLiteral("Basic colors")), qPrintable(all));
        QVERIFY2(!all.contains(QStringLiteral("Cancel")), qPrintable(all));
        grab(dialog, "qt-colordialog");
    }

    void missingCataloguesLoadNothing()
    {
        removeTranslators();
        QTemporaryDir empty;
        QVERIFY(installJapaneseTranslations(*qApp, {empty.path()}).isEmpty());
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "&Yes"), QStringLiteral("&Yes"));
    }
};

ZT_TEST(TranslationsTest)
#include "translationstest.moc"
