#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace zt {

// Caption and text lines of the analysis program's status dialog by kind.
struct StatusKind
{
    QString caption;
    QStringList lines;
};

// Empty caption and lines for a kind the analysis program does not have.
StatusKind analyzerStatusKind(int kind);

class DialogService;
// A status kind that only informs (30, 31, 5, 9, 10, 11, 20, 100): shown as an OK box.
void showStatusMessage(DialogService &dialogs, QWidget *parent, int kind,
                       const QStringList &extraLines = {});

} // namespace zt
