#pragma once

#include "ui/statuskinds.h"

class QWidget;

namespace zt {

class DialogService;

// Caption and text lines of watch's status dialog by kind; kind 2 adds the contact
// warning when a contact indicator shows "ON".
StatusKind watchStatusKind(int kind, bool contactOn = false);

// Texts of the start dialog (kind 1) for a start result other than success.
QStringList startFailureLines(int result);

// Asks a question kind (2, 3, 7, 30, 40) or shows an informing one (4, 5, 6, 100)
// through the dialog service, with the kind's own button captions. Returns the
// answer (AnswerOk, AnswerCancel, AnswerYes, AnswerNo).
int askWatchKind(DialogService &dialogs, QWidget *parent, int kind, bool contactOn = false);

// `MsgForm2`, "通信失敗", on the third failed poll in a row: AnswerYes goes on, AnswerNo ends.
int askPollFailures(DialogService &dialogs, QWidget *parent);

} // namespace zt
