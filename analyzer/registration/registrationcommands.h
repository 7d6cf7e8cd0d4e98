#pragma once

class QWidget;

namespace zt {

class AnalyzerSession;
class DialogService;

// The registration, deletion and renaming commands of the settings menu.
class RegistrationCommands
{
public:
    RegistrationCommands(AnalyzerSession &session, DialogService &dialogs, QWidget *window);

    void registerReceiver();
    void deleteReceiver();
    void rename();

private:
    AnalyzerSession &session;
    DialogService &dialogs;
    QWidget *window;
};

} // namespace zt
