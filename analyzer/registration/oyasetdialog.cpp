#include "registration/oyasetdialog.h"

#include "session/analyzersession.h"
#include "session/okngbuttons.h"
#include "registration/namevalidators.h"
#include "registration/registryedits.h"
#include "records/messages.h"
#include "ui/messageroutine.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zt {

OyaSetDialog::OyaSetDialog(AnalyzerSession &session, DialogService &dialogs, qint32 receiverId,
                           QWidget *parent)
    : QDialog(parent), session(session), dialogs(dialogs), receiverId(receiverId),
      freeSlot(session.settings.oya.firstFreeSlot()), tOyaName(new QLineEdit(this))
{
    setObjectName(QStringLiteral("fOyaset"));
    setWindowTitle(QStringLiteral("受信器の登録"));
    tOyaName->setObjectName(QStringLiteral("tOyaName"));
    tOyaName->setValidator(new ReceiverNameValidator(tOyaName));
    if (freeSlot > 0)
        tOyaName->setText(proposedReceiverName(freeSlot));

    QDialogButtonBox *buttons = okNgButtons(this, QStringLiteral("OkNg"), QStringLiteral("登録"),
                                            QStringLiteral("Cancel"), [this] { commit(); });

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("最大１００台まで受信器が登録できます"), this));
    layout->addWidget(
        new QLabel(QStringLiteral("登録する受信器に名前を付けて下さい（最大１２文字）"), this));
    layout->addWidget(tOyaName);
    layout->addWidget(buttons);
}

void OyaSetDialog::commit()
{
    const QString name = tOyaName->text();
    if (name.isEmpty())
        return;
    if (freeSlot == 0) {
        showMessage(dialogs, this, 40, 82, 48);
        reject();
        return;
    }
    registerReceiver(session.settings.oya, freeSlot, receiverId, name);
    for (SettingsFile f : {SettingsFile::OyaNames, SettingsFile::OyaIds})
        if (const int error = session.writeSettingsFile(f))
            showError(dialogs, this, error, captionText(9));
    showMessageText(dialogs, this, 40, receiverRegisteredMessage(name), 0);
    accept();
}

} // namespace zt
