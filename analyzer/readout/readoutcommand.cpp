#include "readout/readoutcommand.h"

#include "session/analyzersession.h"
#include "files/filecommands.h"
#include "readout/newdataread2dialog.h"
#include "session/portchoice.h"
#include "readout/readoutpreparation.h"
#include "link/seriallink.h"
#include "platform/ports.h"
#include "records/messages.h"
#include "ui/messageroutine.h"
#include "ui/statusdialog.h"
#include "ui/statuskinds.h"

namespace zt {

namespace {
constexpr int captionReadout = 47;
constexpr int messageConnectReceiver = 88;
constexpr int kindBusy = 4;
constexpr int kindNotRead = 5;
} // namespace

ReadoutCommand::ReadoutCommand(AnalyzerSession &session, DialogService &dialogs,
                               FileCommands &files, QWidget *window)
    : session(session), dialogs(dialogs), files(files), window(window),
      replyTimeoutMs(SerialLink::DefaultReplyTimeoutMs)
{
}

bool ReadoutCommand::run(bool *startMonitor)
{
    if (startMonitor)
        *startMonitor = false;
    showMessage(dialogs, window, captionReadout, messageConnectReceiver, 0);

    SerialLink link(LinkMode::Kestrel, nullptr, replyTimeoutMs);
    link.setPortName(portDevice(chosenPortNo(session)));
    ReadoutSurvey survey;
    PreparationResult prepared = PreparationResult::CommFailure;
    {
        StatusDialog status(window);
        status.showKind(kindBusy, [&](StatusDialog &dialog) {
            prepared = prepareReadout(link, survey);
            dialog.accept();
        });
        status.exec();
    }
    if (prepared != PreparationResult::Ready) {
        link.ClosePort();
        showStatusMessage(dialogs, window, kindNotRead);
        return false;
    }

    std::unique_ptr<LogSet> taken;
    {
        NewDataRead2Dialog dialog(link, session.settings, survey, dialogs,
                                  session.settingsPath(SettingsFile::ReadTimes), window);
        dialog.exec();
        taken = dialog.takeSet();
        // The set is good even when the last-read marks could not be stored; say so.
        if (taken && dialog.machine().readMarksError() != 0)
            showError(dialogs, window, dialog.machine().readMarksError(),
                      captionText(captionReadout));
    }
    link.ClosePort();
    if (!taken)
        return false;

    session.set = std::move(*taken);
    session.set.LogSaved = false;
    session.announceNewSet();
    if (session.settings.AutoSaveOption == 1) {
        files.autoSave();
        if (startMonitor)
            *startMonitor = true;
    }
    return true;
}

} // namespace zt
