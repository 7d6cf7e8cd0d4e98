#include "files/filecommands.h"

#include "session/analyzersession.h"
#include "platform/folders.h"
#include "records/csvexport.h"
#include "records/datafilenames.h"
#include "records/datetime.h"
#include "records/messages.h"
#include "records/zt2file.h"
#include "ui/dialogservice.h"
#include "ui/messageroutine.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QWidget>

namespace zt {

namespace {
const QString dataFilter = QStringLiteral("ファイル(*.zt2)|*.zt2");
constexpr int readCaption = 8;  // "ファイルの読込"
constexpr int writeCaption = 9; // "ファイルの保存"

// Keeps the window painted during a long load without paying for an event pass
// every 200 samples.
LoadProgress liveProgress()
{
    auto timer = std::make_shared<QElapsedTimer>();
    timer->start();
    return [timer] {
        if (timer->elapsed() >= 50) {
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
            timer->restart();
        }
    };
}

struct BusyWindow
{
    explicit BusyWindow(QWidget *w) : window(w)
    {
        if (window)
            window->setEnabled(false);
        QApplication::setOverrideCursor(Qt::WaitCursor);
    }
    ~BusyWindow()
    {
        QApplication::restoreOverrideCursor();
        if (window)
            window->setEnabled(true);
    }
    QWidget *window;
};
} // namespace

FileCommands::FileCommands(AnalyzerSession &session, DialogService &dialogs, QWidget *window)
    : session(session), dialogs(dialogs), window(window)
{
}

bool FileCommands::open()
{
    FileRequest request;
    request.title = QStringLiteral("ファイルの読み込み");
    request.fileName = documentsFolder();
    request.filter = dataFilter;
    request.defaultSuffix = QStringLiteral("zt2");
    const QString path = dialogs.openFile(window, request);
    if (path.isEmpty())
        return false;

    int error = 0;
    {
        BusyWindow busy(window);
        error = loadZt2(path, session.settings.oya, session.settings.koNames, session.set,
                        liveProgress());
    }
    if (error != 0) {
        showError(dialogs, window, error, captionText(readCaption));
        return false;
    }
    session.set.LogSaved = true;
    session.setCurrentFileName(nameAfterLoad(path));
    session.announceNewSet();
    return true;
}

bool FileCommands::saveTo(const QString &path, bool keepName)
{
    const int error = saveZt2(path, session.set);
    if (error != 0) {
        showError(dialogs, window, error, captionText(writeCaption));
        return false;
    }
    session.set.LogSaved = true;
    if (!keepName)
        session.setCurrentFileName(path);
    return true;
}

bool FileCommands::save()
{
    return saveTo(session.currentFileName, false);
}

bool FileCommands::saveAs()
{
    FileRequest request;
    request.title = QStringLiteral("名前をつけて保存");
    request.fileName = session.currentFileName;
    request.filter = dataFilter;
    request.defaultSuffix = QStringLiteral("zt2");
    request.overwritePrompt = true;
    const QString path = dialogs.saveFile(window, request);
    if (path.isEmpty())
        return false;
    return saveTo(path, false);
}

bool FileCommands::exportCsv()
{
    FileRequest request;
    request.title = QStringLiteral("ＣＳＶファイルの保存");
    request.fileName = csvProposal(session.currentFileName);
    request.filter = QStringLiteral("ＣＳＶ(*.csv)|*.csv");
    request.defaultSuffix = QStringLiteral("csv");
    request.overwritePrompt = true;
    const QString path = dialogs.saveFile(window, request);
    if (path.isEmpty())
        return false;
    int error = 0;
    {
        BusyWindow busy(window);
        error = zt::exportCsv(path, session.set);
    }
    if (error != 0) {
        // The current name stays as it was and the set stays unsaved.
        showError(dialogs, window, error, captionText(writeCaption));
        return false;
    }
    session.set.LogSaved = true;
    session.setCurrentFileName(nameAfterExport(path));
    return true;
}

bool FileCommands::autoSave()
{
    return saveTo(autoSaveName(dataFolder(), localNow()), true);
}

} // namespace zt
