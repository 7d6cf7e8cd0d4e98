#pragma once

#include "session/portchoice.h"
#include "records/logset.h"
#include "records/settingsfiles.h"
#include "records/settingsstartup.h"

#include <QObject>
#include <QString>

namespace zt {

// Everything the analysis program holds besides its windows: the shared records,
// the recorded data set and the current data file.
class AnalyzerSession : public QObject
{
    Q_OBJECT
public:
    explicit AnalyzerSession(QObject *parent = nullptr);

    SettingsRecords settings;
    LogSet set;
    QString currentFileName;
    bool dataPresent = false;
    int receiverChoice = 0; // 0 = receiver 1, 1 = receiver 2
    SecondPort secondPort;

    // Folders created and settings files read in the start-up order.
    SettingsErrors startUp();

    QString settingsPath(SettingsFile file) const;
    // Writes one settings file; 0 or the error number. A file that failed to read at
    // start-up is first kept as a copy beside it.
    int writeSettingsFile(SettingsFile file) const;

    QString caption() const;
    bool hasUnsavedReadout() const { return dataPresent && !set.LogSaved; }

    // A new set (after a load or a read-out): the list is rebuilt from it.
    void announceNewSet();
    void setCurrentFileName(const QString &name);

private:
    mutable QList<SettingsFile> m_refusedFiles;

signals:
    void setReplaced();
    void captionChanged(const QString &caption);
};

QString mainWindowTitle();

} // namespace zt
