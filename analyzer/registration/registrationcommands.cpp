#include "registration/registrationcommands.h"

#include "session/analyzersession.h"
#include "session/portchoice.h"
#include "registration/oyadeldialog.h"
#include "registration/oyasetdialog.h"
#include "registration/renamedialog.h"
#include "link/receiversequences.h"
#include "link/seriallink.h"
#include "platform/ports.h"
#include "ui/messageroutine.h"
#include "ui/statuskinds.h"

#include <QApplication>
#include <QWidget>

namespace zt {

RegistrationCommands::RegistrationCommands(AnalyzerSession &session, DialogService &dialogs,
                                           QWidget *window)
    : session(session), dialogs(dialogs), window(window)
{
}

void RegistrationCommands::registerReceiver()
{
    showMessage(dialogs, window, 45, 88, 0);
    ReceiverValues values;
    ReceiverCheck result;
    {
        window->setEnabled(false);
        QApplication::setOverrideCursor(Qt::WaitCursor);
        SerialLink link(LinkMode::Kestrel);
        link.setPortName(portDevice(chosenPortNo(session)));
        result = checkReceiver(link, session.settings.oya, values);
        QApplication::restoreOverrideCursor();
        window->setEnabled(true);
    }
    switch (result) {
    case ReceiverCheck::Failed:
        showStatusMessage(dialogs, window, 9);
        return;
    case ReceiverCheck::Registered:
        showMessage(dialogs, window, 45, 81, 48);
        return;
    case ReceiverCheck::NotRegistered:
        break;
    }
    OyaSetDialog dialog(session, dialogs, values.ReceiverID, window);
    if (dialog.slot() == 0) {
        showMessage(dialogs, window, 40, 82, 48);
        return;
    }
    dialog.exec();
}

void RegistrationCommands::deleteReceiver()
{
    OyaDelDialog dialog(session, dialogs, window);
    dialog.exec();
}

void RegistrationCommands::rename()
{
    if (session.settings.oya.OyaCount == 0) {
        showMessage(dialogs, window, 44, 86, 48);
        return;
    }
    RenameDialog dialog(session, dialogs, window);
    dialog.exec();
}

} // namespace zt
