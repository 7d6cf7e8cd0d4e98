#include "ui/qtdialogservice.h"

#include "records/messages.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>

namespace zt {

QString qtFilter(const QString &classicFilter)
{
    const QStringList parts = classicFilter.split(QLatin1Char('|'));
    if (parts.size() < 2)
        return classicFilter;
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString name = parts.at(i);
        const QString pattern = parts.at(i + 1);
        // "ファイル(*.zt2)" already names its pattern; keep it and let Qt read it.
        if (!name.contains(pattern))
            name += QLatin1String(" (") + pattern + QLatin1Char(')');
        filters << name;
    }
    return filters.join(QLatin1String(";;"));
}

namespace {

QMessageBox::Icon iconFor(int style)
{
    switch (style & 0x70) {
    case 16:
        return QMessageBox::Critical;
    case 32:
        return QMessageBox::Question;
    case 48:
        return QMessageBox::Warning;
    case 64:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

// The message texts carry their own line breaks; Qt's wrapping would break Japanese
// lines anywhere, even inside a word. Lines stay whole unless one would not fit the
// screen.
void keepLinesWhole(QMessageBox &box)
{
    auto *label = box.findChild<QLabel *>(QStringLiteral("qt_msgbox_label"));
    if (!label)
        return;
    const QFontMetrics fm(label->font());
    int widest = 0;
    for (const QString &line : box.text().split(QLatin1Char('\n')))
        widest = qMax(widest, fm.horizontalAdvance(line));
    const QScreen *screen = box.screen();
    const int room = screen ? screen->availableGeometry().width() - 100 : 800;
    if (widest <= room) {
        label->setWordWrap(false);
        label->setMinimumWidth(widest);
    }
}

} // namespace

int QtDialogService::message(QWidget *parent, const MessageRequest &request)
{
    QMessageBox box(iconFor(request.style), request.caption, request.text, QMessageBox::NoButton,
                    parent);
    QList<std::pair<QAbstractButton *, int>> answers;
    auto add = [&](QMessageBox::StandardButton b, int answer) {
        answers.append({box.addButton(b), answer});
    };
    switch (request.style & 7) {
    case 1:
        add(QMessageBox::Ok, AnswerOk);
        add(QMessageBox::Cancel, AnswerCancel);
        break;
    case 3:
        add(QMessageBox::Yes, AnswerYes);
        add(QMessageBox::No, AnswerNo);
        add(QMessageBox::Cancel, AnswerCancel);
        break;
    case 4:
        add(QMessageBox::Yes, AnswerYes);
        add(QMessageBox::No, AnswerNo);
        break;
    default:
        add(QMessageBox::Ok, AnswerOk);
        break;
    }
    for (qsizetype i = 0; i < request.buttonTexts.size() && i < answers.size(); ++i)
        answers[i].first->setText(request.buttonTexts.at(i));
    // Style bit 256: the second button is the default.
    if ((request.style & 256) && answers.size() > 1)
        box.setDefaultButton(qobject_cast<QPushButton *>(answers[1].first));
    keepLinesWhole(box);
    box.exec();
    for (const auto &[button, answer] : answers)
        if (box.clickedButton() == button)
            return answer;
    // Closed by Escape or the close box: the cancel answer where there is one.
    return (request.style & 7) == 4 ? AnswerNo : (request.style & 7) == 0 ? AnswerOk : AnswerCancel;
}

QString QtDialogService::openFile(QWidget *parent, const FileRequest &request)
{
    QFileDialog dialog(parent, request.title, request.fileName, qtFilter(request.filter));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(request.defaultSuffix);
    dialog.setOption(QFileDialog::ReadOnly, true);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

QString QtDialogService::saveFile(QWidget *parent, const FileRequest &request)
{
    QFileDialog dialog(parent, request.title, request.fileName, qtFilter(request.filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(request.defaultSuffix);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.overwritePrompt);
    dialog.selectFile(request.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

std::optional<QColor> QtDialogService::color(QWidget *parent, const QColor &initial)
{
    const QColor c = QColorDialog::getColor(initial, parent);
    if (!c.isValid())
        return std::nullopt;
    return c;
}

} // namespace zt
