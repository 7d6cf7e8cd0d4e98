#pragma once

#include "ui/dialogservice.h"

namespace zt {

// The analysis program's one message routine: caption and message by number.
int showMessage(DialogService &dialogs, QWidget *parent, int captionNo, int messageNo, int style);
// A message whose text takes a value (18, 54, 83).
int showMessageText(DialogService &dialogs, QWidget *parent, int captionNo, const QString &text,
                    int style);
// The error routine: the error text, "エラー" and the number, in an OK box with a warning.
void showError(DialogService &dialogs, QWidget *parent, int errorNo, const QString &caption,
               const QString &platformDescription = {});

} // namespace zt
