#include "ports/autoscandialog.h"

#include "session/analyzersession.h"
#include "ports/portscan.h"
#include "link/seriallink.h"
#include "platform/ports.h"
#include "records/messages.h"
#include "ui/dialogservice.h"
#include "ui/messageroutine.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace zt {

namespace {
constexpr int portCaption = 6; // "ポート設定"
QString systemPortDevice(int port)
{
    return portDevice(port);
}
} // namespace

AutoScanDialog::AutoScanDialog(AnalyzerSession &session, DialogService &dialogs, QWidget *parent,
                               std::function<QString(int)> deviceOf, int replyTimeoutMs)
    : QDialog(parent), session(session), dialogs(dialogs),
      link(new SerialLink(LinkMode::Kestrel, this, replyTimeoutMs)),
      scan(new PortScan(*link, deviceOf ? std::move(deviceOf) : systemPortDevice, this)),
      NowPortScanNo(new QLabel(this)),
      AutoScanCancel(new QPushButton(QStringLiteral("Cancel"), this)), PushTimer(new QTimer(this))
{
    setObjectName(QStringLiteral("AutoScan"));
    setWindowTitle(QStringLiteral("自動ポート設定"));
    NowPortScanNo->setObjectName(QStringLiteral("NowPortScanNo"));
    NowPortScanNo->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("00")));
    AutoScanCancel->setObjectName(QStringLiteral("AutoScanCancel"));
    connect(AutoScanCancel, &QPushButton::clicked, scan, &PortScan::cancel);
    connect(scan, &PortScan::scanning, NowPortScanNo,
            [this](int port) { NowPortScanNo->setText(QString::number(port)); });

    auto *line = new QHBoxLayout;
    line->addWidget(new QLabel(QStringLiteral("現在、ポート"), this));
    line->addWidget(NowPortScanNo);
    line->addWidget(new QLabel(QStringLiteral("をスキャンしています…"), this));
    line->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(line);
    layout->addWidget(AutoScanCancel, 0, Qt::AlignCenter);

    PushTimer->setObjectName(QStringLiteral("PushTimer"));
    PushTimer->setSingleShot(true);
    PushTimer->setInterval(1);
    connect(PushTimer, &QTimer::timeout, this, &AutoScanDialog::search);
    PushTimer->start();
}

AutoScanDialog::~AutoScanDialog() = default;

void AutoScanDialog::reject()
{
    // Hiding the dialog mid-search would leave the search running and its result saved
    // and announced after the user had dismissed it; the search ends itself instead.
    if (searching) {
        scan->cancel();
        return;
    }
    QDialog::reject();
}

void AutoScanDialog::search()
{
    QWidget *main = parentWidget();
    if (main)
        main->setEnabled(false);
    setEnabled(true); // the Cancel button stays live
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool second = session.receiverChoice == 1;
    searching = true;
    found = scan->run(second ? session.settings.app.PortNo : 0);
    searching = false;
    link->ClosePort();
    QApplication::restoreOverrideCursor();
    if (main)
        main->setEnabled(true);

    if (scan->cancelled()) {
        reject();
        return;
    }
    if (found > 0) {
        if (second) {
            session.secondPort = {found, 2};
        } else {
            session.settings.app.PortNo = qint16(found);
            if (const int e = session.writeSettingsFile(SettingsFile::App))
                showError(dialogs, this, e, captionText(9));
        }
        showMessageText(dialogs, this, portCaption, portEstablishedMessage(found), 64);
        accept();
        return;
    }
    session.settings.app.PortNo = 1; // in memory only
    showMessage(dialogs, this, portCaption, 19, 48);
    reject();
}

} // namespace zt
