#include "ui/statusdialog.h"

#include "ui/statuskinds.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace zt {

StatusDialog::StatusDialog(QWidget *parent)
    : QDialog(parent), MsgLabel(new QLabel(QStringLiteral("常駐の準備をしています"), this)),
      MsgLabel2(new QLabel(this)), OKBtn(new QPushButton(QStringLiteral("OK"), this)),
      CnclBtn(new QPushButton(QStringLiteral("Cancel"), this)), MsgFormTimer(new QTimer(this))
{
    setObjectName(QStringLiteral("MsgForm"));
    setWindowTitle(QStringLiteral("通信確認中"));
    MsgLabel->setObjectName(QStringLiteral("MsgLabel"));
    MsgLabel2->setObjectName(QStringLiteral("MsgLabel2"));
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    CnclBtn->setObjectName(QStringLiteral("CnclBtn"));
    for (QLabel *l : {MsgLabel, MsgLabel2})
        l->setAlignment(Qt::AlignCenter);
    MsgFormTimer->setObjectName(QStringLiteral("MsgFormTimer"));
    MsgFormTimer->setSingleShot(true);
    MsgFormTimer->setInterval(5);
    connect(MsgFormTimer, &QTimer::timeout, this, &StatusDialog::runWork);
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CnclBtn, &QPushButton::clicked, this, &QDialog::reject);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKBtn);
    buttons->addWidget(CnclBtn);
    buttons->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(MsgLabel);
    layout->addWidget(MsgLabel2);
    layout->addLayout(buttons);
    setMinimumWidth(360);
}

void StatusDialog::setTexts(const QString &caption, const QStringList &lines)
{
    setWindowTitle(caption);
    MsgLabel->setText(lines.value(0));
    MsgLabel2->setText(lines.mid(1).join(QLatin1Char('\n')));
    OKBtn->setEnabled(true);
    CnclBtn->setEnabled(true);
}

void StatusDialog::showKind(int kind, std::function<void(StatusDialog &)> work)
{
    currentKind = kind;
    const StatusKind k = analyzerStatusKind(kind);
    setTexts(k.caption, k.lines);
    CnclBtn->setVisible(false);
    pending = std::move(work);
    if (pending) {
        busy = true;
        OKBtn->setEnabled(false);
        CnclBtn->setEnabled(false);
        MsgFormTimer->start();
    }
}

void StatusDialog::runWork()
{
    auto work = std::move(pending);
    pending = nullptr;
    if (work)
        work(*this);
    busy = false;
    OKBtn->setEnabled(true);
}

} // namespace zt
