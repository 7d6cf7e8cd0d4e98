#pragma once

#include <QObject>

class QWidget;

namespace zt {

class AnalyzerSession;
class DialogService;

// The file routine of the analysis program: open, save, save as, CSV export and the
// automatic save. Each returns true when the operation completed, false when it was
// cancelled or failed (the user has then been told why).
class FileCommands
{
public:
    FileCommands(AnalyzerSession &session, DialogService &dialogs, QWidget *window);

    bool open();
    bool save();
    bool saveAs();
    bool exportCsv();
    bool autoSave();

private:
    bool saveTo(const QString &path, bool keepName);

    AnalyzerSession &session;
    DialogService &dialogs;
    QWidget *window;
};

} // namespace zt
