#pragma once

#include <QDateTime>
#include <QObject>
#include <QString>
#include <vector>

namespace zt {

struct AlarmLogEntry
{
    QString time; // "yy-mm-dd hh:nn" of the receiver clock when added
    QString text;
};

// The communication and alarm log: a ring of the newest 4000 entries, its file
// writer and its automatic save schedule. "Now" is the receiver clock the cycle
// hands in, so file names and entry times are deterministic in tests.
class AlarmLog : public QObject
{
    Q_OBJECT
public:
    static constexpr int Capacity = 4000;

    enum class SaveResult { Saved, Empty, Blocked, FileExists, WriteFailed };
    Q_ENUM(SaveResult)

    explicit AlarmLog(QObject *parent = nullptr);

    // The single entry point of every log text.
    void AlarmLogAppend(const QString &text);
    // "送信器" + two-digit slot + text.
    void appendSlot(int koNo, const QString &text);

    int count() const { return m_count; }
    // i = 0 is the newest entry.
    AlarmLogEntry newestAt(int i) const;
    // i = 0 is the oldest entry.
    AlarmLogEntry oldestAt(int i) const;

    void setReceiverClock(const QDateTime &now) { m_now = now; }
    QDateTime receiverClock() const { return m_now; }

    // Folder of the log files; created on the first save.
    void setFolder(const QString &folder) { m_folder = folder; }
    QString folder() const { return m_folder; }
    // Hour (0..23) of the daily automatic save: the periodic-save hour.
    void setSaveHour(int hour) { m_saveHour = hour; }
    int saveHour() const { return m_saveHour; }

    // Empties the ring without saving ("履歴の削除" and the monitoring start).
    void clear();
    // Writes the ring oldest first to "log_yymmddhhnn.txt" and empties it on success.
    // An existing file fails the save, except the one this log wrote in the same
    // minute, which gets the new entries after its own. The automatic and manual
    // saves are blocked within that minute; this one is not (the end of monitoring).
    SaveResult save();
    // "履歴の保存": save() plus its log entry; nothing happens while empty.
    SaveResult manualSave();
    // On every poll reply: unblocks after the minute changed, then saves when the
    // daily time is reached or the ring is full, and logs the outcome.
    void automaticSaveCheck();

    bool saveBlocked() const { return m_blocked; }
    QDateTime lastSaveTime() const { return m_lastSave; }
    QDateTime nextDailySave() const { return m_nextDaily; }
    // Next occurrence of the save hour strictly after `now`'s time of day passing.
    void scheduleNextDailySave(const QDateTime &now);
    // The list window's opening: saving allowed, no last save date.
    void allowSaving();
    // File name a save at `when` writes.
    static QString fileNameFor(const QDateTime &when);

signals:
    void entryAdded();
    void cleared();
    void saveBlockedChanged(bool blocked);

private:
    void setBlocked(bool blocked);
    QByteArray fileBytes() const;

    std::vector<AlarmLogEntry> m_ring;
    int m_start = 0; // ring position of the oldest entry
    int m_count = 0;
    QDateTime m_now;
    QString m_folder;
    int m_saveHour = 0;
    bool m_blocked = false;
    bool m_autoSaveFailing = false;
    QDateTime m_lastSave;
    QDateTime m_nextDaily;
};

QString logTimeText(const QDateTime &t); // "yy-mm-dd hh:nn"

} // namespace zt
