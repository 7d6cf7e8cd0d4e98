#include "mainwindow/extraoptionsdialog.h"

#include "session/analyzersession.h"
#include "records/messages.h"
#include "ui/messageroutine.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace zt {

ExtraOptionsDialog::ExtraOptionsDialog(AnalyzerSession &session, DialogService &dialogs,
                                       QWidget *parent)
    : QDialog(parent), session(session), dialogs(dialogs),
      MenuCheck1(new QCheckBox(QStringLiteral("データ読出し後に監視自動立ち上げ"), this))
{
    setObjectName(QStringLiteral("FormUraMenu"));
    setWindowTitle(QStringLiteral("追加メニュー"));
    MenuCheck1->setObjectName(QStringLiteral("MenuCheck1"));
    MenuCheck1->setChecked(session.settings.AutoSaveOption == 1);

    auto *frame = new QGroupBox(QStringLiteral("Menu"), this);
    auto *frameLayout = new QVBoxLayout(frame);
    frameLayout->addWidget(MenuCheck1);
    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("Command1"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &ExtraOptionsDialog::commit);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addWidget(ok, 0, Qt::AlignRight);
}

void ExtraOptionsDialog::commit()
{
    session.settings.AutoSaveOption = MenuCheck1->isChecked() ? 1 : 0;
    if (const int error = session.writeSettingsFile(SettingsFile::Options))
        showError(dialogs, this, error, captionText(9));
    accept();
}

} // namespace zt
