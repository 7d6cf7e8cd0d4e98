#include "registration/renamedialog.h"

#include "session/analyzersession.h"
#include "session/okngbuttons.h"
#include "registration/namevalidators.h"
#include "registration/registryedits.h"
#include "records/messages.h"
#include "ui/messageroutine.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zt {

namespace {
// An editable drop-down whose typed text replaces the selected entry.
QComboBox *makeNameCombo(QWidget *parent, const QString &name, QValidator *validator)
{
    auto *combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->lineEdit()->setValidator(validator);
    QObject::connect(combo->lineEdit(), &QLineEdit::textEdited, combo, [combo](const QString &t) {
        if (combo->currentIndex() >= 0)
            combo->setItemText(combo->currentIndex(), t);
    });
    return combo;
}
} // namespace

RenameDialog::RenameDialog(AnalyzerSession &session, DialogService &dialogs, QWidget *parent)
    : QDialog(parent), session(session), dialogs(dialogs)
{
    setObjectName(QStringLiteral("fRename"));
    setWindowTitle(QStringLiteral("受信器・送信器名の変更"));
    coRenameOya =
        makeNameCombo(this, QStringLiteral("coRenameOya"), new ReceiverNameValidator(this));
    coRenameKo = makeNameCombo(this, QStringLiteral("coRenameKo"), new KoNameValidator(this));

    for (int slot : registeredSlots(session.settings.oya))
        coRenameOya->addItem(session.settings.oya.OyaName[std::size_t(slot)], slot);
    connect(coRenameOya, &QComboBox::currentIndexChanged, this, &RenameDialog::receiverChosen);
    connect(coRenameKo, &QComboBox::currentIndexChanged, this, &RenameDialog::koChosen);
    receiverChosen(coRenameOya->currentIndex());

    QDialogButtonBox *buttons =
        okNgButtons(this, QStringLiteral("OkNg"), QStringLiteral("変更登録"),
                    QStringLiteral("Cancel"), [this] { commit(); });

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("受信器名選択"), coRenameOya);
    form->addRow(QStringLiteral("送信器名選択"), coRenameKo);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    setMinimumWidth(360);
}

int RenameDialog::currentSlot() const
{
    return coRenameOya->currentIndex() >= 0 ? coRenameOya->currentData().toInt() : 0;
}

void RenameDialog::receiverChosen(int index)
{
    const QSignalBlocker block(coRenameKo);
    coRenameKo->clear();
    shownKoIndex = -1;
    if (index < 0)
        return;
    for (int k = 1; k <= MaxKo; ++k)
        coRenameKo->addItem(koListText(session.settings.koNames, currentSlot(), k));
    coRenameKo->setCurrentIndex(0);
    shownKoIndex = 0;
}

void RenameDialog::koChosen(int index)
{
    // The entry left behind keeps what was typed into it.
    const int slot = currentSlot();
    if (slot > 0 && shownKoIndex >= 0)
        session.settings.koNames.name(slot, shownKoIndex + 1) = coRenameKo->itemText(shownKoIndex);
    shownKoIndex = index;
}

void RenameDialog::commit()
{
    const int slot = currentSlot();
    const QString koText = coRenameKo->currentText();
    const QString oyaText = coRenameOya->currentText();
    if (koText.isEmpty()) {
        reject();
        return;
    }
    if (slot == 0 || oyaText.isEmpty())
        return;
    session.settings.koNames.name(slot, coRenameKo->currentIndex() + 1) = koText;
    session.settings.oya.OyaName[std::size_t(slot)] = oyaText;
    nameUnnamedReceivers(session.settings.oya);
    for (SettingsFile f : {SettingsFile::OyaNames, SettingsFile::KoNames})
        if (const int error = session.writeSettingsFile(f))
            showError(dialogs, this, error, captionText(9));
}

void RenameDialog::done(int result)
{
    nameUnnamedReceivers(session.settings.oya);
    QDialog::done(result);
}

} // namespace zt
