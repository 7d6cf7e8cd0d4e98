#include "records/messages.h"
#include "support/testregistry.h"
#include "ui/dialogservice.h"
#include "ui/qtdialogservice.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace zt;

// Message boxes show the table's lines whole: Japanese text has no spaces, so Qt's
// wrapping cut lines such as message 19 in the middle of a word.
class MessageBoxLinesTest : public QObject
{
    Q_OBJECT

private slots:
    void linesOfAMessageAreNeverBrokenInside_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<int>("pointSize");
        QTest::newRow("19, 9 pt") << 19 << 9;
        QTest::newRow("19, 12 pt") << 19 << 12;
        QTest::newRow("38, 12 pt") << 38 << 12;
        QTest::newRow("28, 14 pt") << 28 << 14;
    }
    void linesOfAMessageAreNeverBrokenInside()
    {
        QFETCH(int, number);
        QFETCH(int, pointSize);
        const QFont before = QApplication::font();
        QFont f = before;
        f.setPointSize(pointSize);
        QApplication::setFont(f);

        const QString text = messageText(number);
        QStringList lines = text.split(QLatin1Char('\n'));
        int labelWidth = -1, widest = 0, labelHeight = 0, lineHeight = 0;
        QTimer poll;
        poll.setInterval(10);
        connect(&poll, &QTimer::timeout, this, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            auto *label = box->findChild<QLabel *>(QStringLiteral("qt_msgbox_label"));
            const QFontMetrics fm(label->font());
            for (const QString &line : lines)
                widest = qMax(widest, fm.horizontalAdvance(line));
            labelWidth = label->contentsRect().width();
            labelHeight = label->heightForWidth(labelWidth) > 0 ? label->heightForWidth(labelWidth)
                                                                : label->sizeHint().height();
            lineHeight = fm.lineSpacing();
            if (const QByteArray dir = qgetenv("ZT_GRAB_DIR"); !dir.isEmpty())
                box->grab().save(QString::fromLocal8Bit(dir) +
                                 QStringLiteral("/message%1-%2pt.png").arg(number).arg(pointSize));
            box->buttons().constFirst()->click();
        });
        poll.start();
        QtDialogService service;
        service.message(nullptr, {QStringLiteral("ポート設定"), text, 48});
        QApplication::setFont(before);

        QVERIFY(labelWidth > 0);
        QVERIFY2(labelWidth >= widest,
                 qPrintable(QStringLiteral("%1 < %2").arg(labelWidth).arg(widest)));
        // As many lines as the text has, no more.
        QVERIFY(labelHeight <= lines.size() * lineHeight + lineHeight / 2);
    }
};

ZT_TEST(MessageBoxLinesTest)
#include "messageboxlinestest.moc"
