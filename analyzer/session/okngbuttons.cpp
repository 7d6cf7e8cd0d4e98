#include "session/okngbuttons.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>

namespace zt {

QDialogButtonBox *okNgButtons(QDialog *dialog, const QString &name, const QString &okText,
                              const QString &cancelText, std::function<void()> onOk)
{
    auto *buttons = new QDialogButtonBox(dialog);
    QPushButton *ok = buttons->addButton(okText, QDialogButtonBox::AcceptRole);
    ok->setObjectName(name + QLatin1Char('0'));
    buttons->addButton(cancelText, QDialogButtonBox::RejectRole)
        ->setObjectName(name + QLatin1Char('1'));
    QObject::connect(ok, &QPushButton::clicked, dialog, std::move(onOk));
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

} // namespace zt
