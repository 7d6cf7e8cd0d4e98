#include "ui/messageroutine.h"

#include "records/messages.h"

namespace zt {

int showMessage(DialogService &dialogs, QWidget *parent, int captionNo, int messageNo, int style)
{
    return showMessageText(dialogs, parent, captionNo, messageText(messageNo), style);
}

int showMessageText(DialogService &dialogs, QWidget *parent, int captionNo, const QString &text,
                    int style)
{
    return dialogs.message(parent, {captionText(captionNo), text, style});
}

void showError(DialogService &dialogs, QWidget *parent, int errorNo, const QString &caption,
               const QString &platformDescription)
{
    dialogs.message(parent, {caption, errorMessage(errorNo, platformDescription), 48});
}

} // namespace zt
