#pragma once

#include "contacts/contactrelease.h"
#include "periodic/periodicsaves.h"
#include "ui/alarmlimits.h"

#include <QObject>
#include <memory>

class QWidget;

namespace zt {

class DialogService;
class WatchApp;
struct StoredBatch;

// Plugs the periodic saves, the journal, the contact releases and the option and
// alarm dialogs into the monitor program through its hooks.
class WatchSaves : public QObject
{
    Q_OBJECT
public:
    // The folders are those of the program; tests give temporary ones.
    WatchSaves(WatchApp &app, DialogService &dialogs, QString documentsFolder,
               QString settingsFolder, QObject *parent = nullptr);
    ~WatchSaves() override;

    PeriodicSaves &saves() { return *periodic; }
    ContactRelease &contacts() { return *release; }
    // Records unsaved and an operating slot holds some (kind 40, "データ保存").
    bool hasUnsavedRecords() const;
    // The stop asked from outside: the unsaved records go to a kind 5 file, logged.
    void saveBeforeOutsideStop();

private:
    CollectedData collect() const;
    SetHeader header() const;
    void onRecordsStored(const StoredBatch &batch);
    void onListOpened();
    void updateSaveAction();
    bool saveData(QWidget *parent, int kind);
    void manualSave(QWidget *parent);
    void contactRelease(QWidget *parent);
    void monitorRelease(QWidget *parent, int koNo);
    void contactSettings(QWidget *parent);
    void periodicOptions(QWidget *parent);
    void alarmSettings(QWidget *parent);
    void refreshAlarmTable();
    QString autosPath() const;

    WatchApp &app;
    DialogService &dialogs;
    QString documents;
    QString settingsDir;
    std::unique_ptr<PeriodicSaves> periodic;
    std::unique_ptr<ContactRelease> release;
    AlarmTable alarmTable;
};

} // namespace zt
