#include "session/analyzersession.h"

#include "platform/folders.h"
#include "platform/windowtitles.h"
#include "records/datafilenames.h"
#include "records/messages.h"

#include <QDir>

namespace zt {

QString mainWindowTitle()
{
    return analyzerWindowTitle();
}

AnalyzerSession::AnalyzerSession(QObject *parent) : QObject(parent)
{
    currentFileName = initialDataFileName(dataFolder());
}

SettingsErrors AnalyzerSession::startUp()
{
    ensureFolders();
    currentFileName = initialDataFileName(dataFolder());
    QDir::setCurrent(dataFolder());
    const SettingsErrors errors = loadAnalyzerSettings(settingsFolder(), settings);
    m_refusedFiles.clear();
    for (const SettingsError &e : errors)
        if (!e.writing && !m_refusedFiles.contains(e.file))
            m_refusedFiles.append(e.file);
    return errors;
}

QString AnalyzerSession::settingsPath(SettingsFile file) const
{
    return joinPath(settingsFolder(), settingsFileName(file));
}

int AnalyzerSession::writeSettingsFile(SettingsFile file) const
{
    // What was read of a refused file plus defaults is not what the user had.
    if (m_refusedFiles.contains(file)) {
        if (const int error = keepCopyOfRefusedFile(settingsPath(file)))
            return error;
        m_refusedFiles.removeAll(file);
    }
    return writeSettings(file, settingsPath(file), settings);
}

QString AnalyzerSession::caption() const
{
    return mainWindowTitle() + QLatin1Char(' ') + QDir::toNativeSeparators(currentFileName);
}

void AnalyzerSession::announceNewSet()
{
    dataPresent = true;
    emit setReplaced();
}

void AnalyzerSession::setCurrentFileName(const QString &name)
{
    currentFileName = name;
    emit captionChanged(caption());
}

} // namespace zt
