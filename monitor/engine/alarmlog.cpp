#include "engine/alarmlog.h"

#include "records/cp932.h"
#include "records/settingsio.h"

#include <QDir>
#include <QFileInfo>

namespace zt {

QString logTimeText(const QDateTime &t)
{
    return t.toString(QStringLiteral("yy-MM-dd HH:mm"));
}

AlarmLog::AlarmLog(QObject *parent) : QObject(parent)
{
    m_ring.resize(Capacity);
}

void AlarmLog::AlarmLogAppend(const QString &text)
{
    const int pos = (m_start + m_count) % Capacity;
    m_ring[std::size_t(pos)] = {logTimeText(m_now), text};
    if (m_count < Capacity)
        ++m_count;
    else
        m_start = (m_start + 1) % Capacity; // full: the oldest entry was overwritten
    emit entryAdded();
}

void AlarmLog::appendSlot(int koNo, const QString &text)
{
    AlarmLogAppend(QStringLiteral("送信器%1").arg(koNo, 2, 10, QLatin1Char('0')) + text);
}

AlarmLogEntry AlarmLog::newestAt(int i) const
{
    return oldestAt(m_count - 1 - i);
}

AlarmLogEntry AlarmLog::oldestAt(int i) const
{
    if (i < 0 || i >= m_count)
        return {};
    return m_ring[std::size_t((m_start + i) % Capacity)];
}

void AlarmLog::clear()
{
    m_count = 0;
    m_start = 0;
    emit cleared();
}

QString AlarmLog::fileNameFor(const QDateTime &when)
{
    return QStringLiteral("log_") + when.toString(QStringLiteral("yyMMddHHmm")) +
           QStringLiteral(".txt");
}

QByteArray AlarmLog::fileBytes() const
{
    QByteArray bytes;
    bytes.reserve(m_count * 48);
    for (int i = 0; i < m_count; ++i) {
        const AlarmLogEntry e = oldestAt(i);
        bytes += toCp932Lossy(e.time + QStringLiteral("  |  ") + e.text);
        bytes += "\r\n";
    }
    return bytes;
}

AlarmLog::SaveResult AlarmLog::save()
{
    if (m_folder.isEmpty() || !QDir().mkpath(m_folder))
        return SaveResult::WriteFailed;
    const QString minute = QStringLiteral("yyMMddHHmm");
    const bool sameMinuteAsOurs =
        m_blocked && m_lastSave.isValid() && m_lastSave.toString(minute) == m_now.toString(minute);
    m_lastSave = m_now;
    const QString path = QDir(m_folder).filePath(fileNameFor(m_now));
    QByteArray bytes = fileBytes();
    if (QFileInfo::exists(path)) {
        // Never replace an earlier log: its entries are gone from memory. Only the
        // file this log wrote in this very minute takes later entries after its own
        // (the save at the end of monitoring), so they are not lost.
        if (!sameMinuteAsOurs)
            return SaveResult::FileExists;
        QByteArray earlier;
        bool missing = false;
        if (readSettingsBytes(path, earlier, missing) != 0 || missing)
            return SaveResult::WriteFailed;
        bytes.prepend(earlier);
    }
    if (saveSettingsBytes(path, bytes) != 0)
        return SaveResult::WriteFailed;
    clear();
    setBlocked(true);
    return SaveResult::Saved;
}

AlarmLog::SaveResult AlarmLog::manualSave()
{
    if (m_count == 0)
        return SaveResult::Empty;
    if (m_blocked)
        return SaveResult::Blocked;
    const SaveResult result = save();
    AlarmLogAppend(result == SaveResult::Saved ? QStringLiteral("通信・警報ログ手動保存")
                                               : QStringLiteral("通信・警報ログ手動保存失敗"));
    return result;
}

void AlarmLog::automaticSaveCheck()
{
    const QString minute = QStringLiteral("yyMMddHHmm");
    if (m_blocked && m_now.toString(minute) != m_lastSave.toString(minute))
        setBlocked(false);
    if (m_blocked)
        return;
    const bool due = m_nextDaily.isValid() && m_now >= m_nextDaily;
    if (!due && m_count < Capacity)
        return;
    if (save() == SaveResult::Saved) {
        m_autoSaveFailing = false;
        AlarmLogAppend(QStringLiteral("通信・警報ログ自動保存"));
        scheduleNextDailySave(m_now);
    } else if (!m_autoSaveFailing) {
        // Retried at every poll, but told once: a failure entry every ten seconds
        // would soon overwrite the whole log.
        m_autoSaveFailing = true;
        AlarmLogAppend(QStringLiteral("通信・警報ログ自動保存失敗"));
    }
}

void AlarmLog::scheduleNextDailySave(const QDateTime &now)
{
    if (!now.isValid())
        return;
    QDateTime next(now.date(), QTime(m_saveHour, 0), now.timeSpec());
    if (now >= next)
        next = next.addDays(1);
    m_nextDaily = next;
}

void AlarmLog::allowSaving()
{
    setBlocked(false);
    m_lastSave = {};
}

void AlarmLog::setBlocked(bool blocked)
{
    if (m_blocked == blocked)
        return;
    m_blocked = blocked;
    emit saveBlockedChanged(blocked);
}

} // namespace zt
