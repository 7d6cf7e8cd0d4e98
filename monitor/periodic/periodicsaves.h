#pragma once

#include "periodic/collecteddata.h"
#include "periodic/journal.h"
#include "periodic/savepaths.h"
#include "records/settingsfiles.h"

#include <QDateTime>
#include <QObject>
#include <functional>

namespace zt {

// The monitor's periodic data: the flags set by every batch read, the journal, the
// automatic save check, and the saves of every kind. The cycle's buffers are reached
// through hooks so the rules stay testable without it.
class PeriodicSaves : public QObject
{
    Q_OBJECT
public:
    struct Hooks
    {
        std::function<CollectedData()> collect; // the buffers as they stand
        std::function<void()> emptyBuffers;     // after an automatic save, accumulate off
        std::function<void(const QString &)> log;
    };

    enum class CheckResult { Nothing = 0, Saved = 1, Failed = 2 };
    Q_ENUM(CheckResult)

    PeriodicSaves(QString documentsFolder, QString journalFile, Hooks hooks,
                  QObject *parent = nullptr);

    const AutoSaveSettings &options() const { return m_options; }
    void setOptions(const AutoSaveSettings &options) { m_options = options; }

    // The next automatic save after `now` by the current options.
    void reschedule(const QDateTime &now);
    QDateTime nextSave() const { return m_next; }

    // A batch joined a slot's buffer: written to the journal first. False when the
    // journal could not be written (logged once until it works again).
    bool recordsStored(const SetHeader &header, const SlotRecords &batch, bool restart);

    // On every poll reply.
    CheckResult automaticCheck(const QDateTime &now);
    // "データ保存": enabled while records are unsaved and a slot holds some.
    bool canSaveManually() const;
    bool manualSave(const QDateTime &now);
    // One save of `kind` at `now`; `path` overrides the generated name (kind 0's
    // dialog). Returns 0 or the error number; buffers and flags stay as they were
    // on failure, and on success the journal is emptied.
    int save(SaveKind kind, const QDateTime &now, const QString &path = {});
    // The generated path of a save.
    QString pathFor(SaveKind kind, const QDateTime &now) const;

    // At the start: a journal left with records is saved as kind 6 and emptied.
    // `now` names the file when valid, else the newest recovered record does.
    CheckResult recoverJournal(const QDateTime &now);

    bool unsaved() const { return m_unsaved; }
    bool newSinceStart() const { return m_newSinceStart; }
    // The list window opened: nothing new yet.
    void resetNewSinceStart() { m_newSinceStart = false; }
    QString lastSavedPath() const { return m_lastPath; }
    int lastError() const { return m_lastError; }
    Journal &journal() { return m_journal; }

signals:
    void unsavedChanged(bool unsaved);
    // After an automatic save with accumulate off emptied the buffers.
    void buffersEmptied();

private:
    void setUnsaved(bool unsaved);
    void log(const QString &text) const;
    int writeAndClear(const QString &path, const CollectedData &data);

    QString m_documents;
    Journal m_journal;
    Hooks m_hooks;
    AutoSaveSettings m_options;
    QDateTime m_next;
    bool m_unsaved = false;
    bool m_newSinceStart = false;
    bool m_journalFailing = false;
    QString m_lastPath;
    int m_lastError = 0;
};

} // namespace zt
