#include "registration/oyadeldialog.h"

#include "session/analyzersession.h"
#include "session/okngbuttons.h"
#include "registration/registryedits.h"
#include "records/messages.h"
#include "ui/dialogservice.h"
#include "ui/messageroutine.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace zt {

OyaDelDialog::OyaDelDialog(AnalyzerSession &session, DialogService &dialogs, QWidget *parent)
    : QDialog(parent), session(session), dialogs(dialogs), coOyaDelName(new QComboBox(this))
{
    setObjectName(QStringLiteral("fOyaDel"));
    setWindowTitle(QStringLiteral("受信器の削除"));
    coOyaDelName->setObjectName(QStringLiteral("coOyaDelName"));
    refill();

    QDialogButtonBox *buttons = okNgButtons(this, QStringLiteral("OkNg"), QStringLiteral("削除"),
                                            QStringLiteral("Cancel"), [this] { commit(); });

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("使用しない受信器の登録を削除します"), this));
    layout->addWidget(
        new QLabel(QStringLiteral("削除を行いますと受信器と送信器の名前が削除されます"), this));
    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("受信器名："), coOyaDelName);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

void OyaDelDialog::refill()
{
    coOyaDelName->clear();
    for (int slot : registeredSlots(session.settings.oya))
        coOyaDelName->addItem(session.settings.oya.OyaName[std::size_t(slot)], slot);
    coOyaDelName->setCurrentIndex(coOyaDelName->count() > 0 ? 0 : -1);
}

void OyaDelDialog::commit()
{
    const QString name = coOyaDelName->currentText();
    if (name.isEmpty())
        return;
    if (showMessage(dialogs, this, 41, 80, 49) != AnswerOk)
        return;
    deleteReceiver(session.settings, name);
    refill();
    for (SettingsFile f : {SettingsFile::OyaNames, SettingsFile::OyaIds, SettingsFile::KoNames})
        if (const int error = session.writeSettingsFile(f))
            showError(dialogs, this, error, captionText(9));
    accept();
}

} // namespace zt
