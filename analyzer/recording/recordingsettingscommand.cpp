#include "recording/recordingsettingscommand.h"

#include "session/analyzersession.h"
#include "recording/inisetdialog.h"
#include "session/portchoice.h"
#include "recording/recordingsettings.h"
#include "link/seriallink.h"
#include "platform/ports.h"
#include "ui/statusdialog.h"

namespace zt {

namespace {
constexpr int PreparationKind = 7;
}

RecordingSettingsCommand::RecordingSettingsCommand(AnalyzerSession &session, DialogService &dialogs,
                                                   QWidget *window)
    : session(session), dialogs(dialogs), window(window)
{
}

void RecordingSettingsCommand::run()
{
    SerialLink link(LinkMode::Kestrel);
    link.setPortName(portDevice(chosenPortNo(session)));
    run(link);
}

void RecordingSettingsCommand::run(SerialLink &link)
{
    RecordingSurvey survey;
    bool prepared = false;
    StatusDialog status(window);
    status.showKind(PreparationKind, [&](StatusDialog &self) {
        prepared = prepareRecordingSettings(link, session.settings.oya, survey);
        if (prepared)
            self.accept();
        else
            self.setTexts(self.windowTitle(), {QStringLiteral("通信ができませんでした"),
                                               QStringLiteral("接続を確認してください")});
    });
    status.exec();
    if (!prepared)
        return;
    LogIniSetDialog dialog(link, survey, session.settings.oya, dialogs, window);
    dialog.exec();
}

} // namespace zt
