#include "ports/portsetdialog.h"

#include "session/analyzersession.h"
#include "session/okngbuttons.h"
#include "link/porterror.h"
#include "link/seriallink.h"
#include "platform/ports.h"
#include "records/messages.h"
#include "ui/dialogservice.h"
#include "ui/messageroutine.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace zt {

namespace {
constexpr int portCaption = 6; // "ポート設定"
const QString inUseText =
    QStringLiteral("指定したポートはすでに使用されています。\n他のポートを指定してください。");
const QString invalidText =
    QStringLiteral("無効なポートが指定されました。\n他のポートを指定してください。");
} // namespace

PortSetDialog::PortSetDialog(AnalyzerSession &session, DialogService &dialogs, QWidget *parent)
    : QDialog(parent), session(session), dialogs(dialogs), CommList(new QComboBox(this))
{
    setObjectName(QStringLiteral("PORTSET"));
    setWindowTitle(QStringLiteral("通信ﾎﾟｰﾄの設定"));
    CommList->setObjectName(QStringLiteral("CommList"));
    for (const PortEntry &p : listPorts()) {
        QString text = QStringLiteral("COMポート") + QStringLiteral(" %1").arg(p.portNo);
        // Which device stands behind the number on this machine.
        text +=
            p.device.isEmpty() ? QStringLiteral("    （なし）") : QStringLiteral("    ") + p.device;
        CommList->addItem(text, p.portNo);
    }
    CommList->setCurrentIndex(qBound(1, int(session.settings.app.PortNo), MaxPortNo) - 1);

    auto *frame = new QGroupBox(QStringLiteral("通信ポート設定"), this);
    auto *frameLayout = new QVBoxLayout(frame);
    frameLayout->addWidget(CommList);
    auto *laPORT = new QLabel(QStringLiteral("受信器をつないだポートを選んでください。\nポートの番"
                                             "号と装置はパソコンによって異なります。"),
                              this);
    laPORT->setObjectName(QStringLiteral("laPORT"));

    QDialogButtonBox *buttons =
        okNgButtons(this, QStringLiteral("comPORTSET"), QStringLiteral("OK"),
                    QStringLiteral("Cancel"), [this] { commit(); });

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addWidget(laPORT);
    layout->addWidget(buttons);
}

void PortSetDialog::commit()
{
    const int port = CommList->currentIndex() + 1;
    const bool second = session.receiverChoice == 1;
    if (second && port == session.settings.app.PortNo) {
        dialogs.message(this, {captionText(portCaption), inUseText, 48});
        return;
    }
    SerialLink link(LinkMode::Kestrel);
    link.setPortName(portDevice(port));
    const int error = link.OpenPort();
    link.ClosePort();
    if (error == PortErrorNoSuchDevice) {
        dialogs.message(this, {captionText(portCaption), invalidText, 48});
        return;
    }
    if (error == PortErrorInUse) {
        dialogs.message(this, {captionText(portCaption), inUseText, 48});
        return;
    }
    if (error != 0) {
        const QString hint = portErrorHint(error);
        dialogs.message(this, {captionText(portCaption),
                               errorMessage(error, {}) +
                                   (hint.isEmpty() ? QString() : QStringLiteral("\n\n") + hint),
                               48});
        return;
    }
    if (second) {
        session.secondPort = {port, 2};
    } else {
        session.settings.app.PortNo = qint16(port);
        if (const int e = session.writeSettingsFile(SettingsFile::App))
            showError(dialogs, this, e, captionText(9));
    }
    accept();
}

} // namespace zt
