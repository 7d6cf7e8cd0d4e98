#include "mainwindow/versiondialog.h"

#include "records/messages.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace zt {

QString versionText()
{
    return QStringLiteral("Ver") + QStringLiteral(ZT_VERSION);
}

VersionDialog::VersionDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("VERDISP"));
    setWindowTitle(captionText(7));
    auto *version = new QLabel(versionText(), this);
    auto *date = new QLabel(QStringLiteral("2011.02.14"), this);
    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("verdispok"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(captionText(0), this));
    layout->addWidget(version);
    layout->addWidget(date);
    layout->addWidget(ok, 0, Qt::AlignCenter);
}

} // namespace zt
