#include "ports/jyusindialog.h"

#include "session/analyzersession.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace zt {

QString JyusinDialog::optionText(int receiver, bool established, int portNo)
{
    const QString name = receiver == 0 ? QStringLiteral("受信器１") : QStringLiteral("受信器２");
    if (!established)
        return name + QStringLiteral(" (未確立)");
    return name + QStringLiteral(" (COM") + QString::number(portNo) + QLatin1Char(')');
}

JyusinDialog::JyusinDialog(AnalyzerSession &session, QWidget *parent)
    : QDialog(parent), session(session)
{
    setObjectName(QStringLiteral("fJyusin"));
    setWindowTitle(QStringLiteral("受信器選択"));
    // Receiver 1 counts as established once its port is known; receiver 2 once a search
    // or a manual choice has set its port.
    const bool firstEstablished = session.settings.app.PortNo >= 1;
    const bool secondEstablished = session.secondPort.state == 2;
    first = new QRadioButton(optionText(0, firstEstablished, session.settings.app.PortNo), this);
    second = new QRadioButton(optionText(1, secondEstablished, session.secondPort.portNo), this);
    first->setObjectName(QStringLiteral("Option1_0"));
    second->setObjectName(QStringLiteral("Option1_1"));
    (session.receiverChoice == 1 && secondEstablished ? second : first)->setChecked(true);

    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("Command1_0"));
    ok->setDefault(true);
    auto *cancel = new QPushButton(QStringLiteral("Ｃａｎｃｅｌ"), this);
    cancel->setObjectName(QStringLiteral("Command1_1"));
    connect(ok, &QPushButton::clicked, this, &JyusinDialog::commit);
    connect(cancel, &QPushButton::clicked, this, [this] {
        confirmed = false;
        reject();
    });

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(first);
    layout->addWidget(second);
    layout->addLayout(buttons);
}

void JyusinDialog::commit()
{
    session.receiverChoice = second->isChecked() ? 1 : 0;
    confirmed = true;
    accept();
}

} // namespace zt
