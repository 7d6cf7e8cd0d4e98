#include "periodic/periodicsaves.h"

#include "periodic/periodicfile.h"
#include "periodic/saveschedule.h"

namespace zt {

namespace {
QDateTime newestRecordTime(const CollectedData &data)
{
    const qint64 step =
        qint64(data.header.intervalMinutes ? data.header.intervalMinutes : 1440) * 60;
    QDateTime newest;
    for (const SlotRecords &s : data.slotRecords) {
        const QDateTime t = s.firstTime.addSecs(qint64(s.records.size() - 1) * step);
        if (!newest.isValid() || t > newest)
            newest = t;
    }
    return newest;
}
} // namespace

PeriodicSaves::PeriodicSaves(QString documentsFolder, QString journalFile, Hooks hooks,
                             QObject *parent)
    : QObject(parent), m_documents(std::move(documentsFolder)), m_journal(std::move(journalFile)),
      m_hooks(std::move(hooks))
{
}

void PeriodicSaves::reschedule(const QDateTime &now)
{
    m_next = nextSaveTime(now, m_options.saveType, m_options.saveTime.hour());
}

bool PeriodicSaves::recordsStored(const SetHeader &header, const SlotRecords &batch, bool restart)
{
    const int error = m_journal.append(header, batch, restart);
    if (error != 0 && !m_journalFailing)
        log(QStringLiteral("未保存データ記録失敗"));
    m_journalFailing = error != 0;
    m_newSinceStart = true;
    setUnsaved(true);
    return error == 0;
}

PeriodicSaves::CheckResult PeriodicSaves::automaticCheck(const QDateTime &now)
{
    if (m_options.autoSave != 1 || !now.isValid() || !m_next.isValid() || now < m_next)
        return CheckResult::Nothing;
    CheckResult result = CheckResult::Nothing;
    if (m_newSinceStart) {
        const auto kind = SaveKind(qBound(0, int(m_options.saveType), 2) + 1);
        const bool ok = save(kind, now) == 0;
        log(ok ? QStringLiteral("データ自動保存") : QStringLiteral("データ自動保存失敗"));
        if (ok && m_options.accumulate == 0 && m_hooks.emptyBuffers) {
            m_hooks.emptyBuffers();
            emit buffersEmptied();
        }
        result = ok ? CheckResult::Saved : CheckResult::Failed;
    }
    reschedule(now);
    return result;
}

bool PeriodicSaves::canSaveManually() const
{
    return m_unsaved && m_hooks.collect && m_hooks.collect().hasRecords();
}

bool PeriodicSaves::manualSave(const QDateTime &now)
{
    const bool ok = save(SaveKind::Manual, now) == 0;
    log(ok ? QStringLiteral("手動データ保存") : QStringLiteral("手動データ保存失敗"));
    return ok;
}

QString PeriodicSaves::pathFor(SaveKind kind, const QDateTime &now) const
{
    return periodicFilePath(m_documents, kind, m_options.folderMode, now);
}

int PeriodicSaves::save(SaveKind kind, const QDateTime &now, const QString &path)
{
    const CollectedData data = m_hooks.collect ? m_hooks.collect() : CollectedData{};
    const int error = writeAndClear(path.isEmpty() ? pathFor(kind, now) : path, data);
    if (error == 0)
        setUnsaved(false);
    return error;
}

int PeriodicSaves::writeAndClear(const QString &path, const CollectedData &data)
{
    m_lastError = writePeriodicFile(path, data);
    if (m_lastError != 0)
        return m_lastError;
    m_lastPath = path;
    // The file holds every journalled record now; a failure to empty the journal
    // only means a second copy at the next start.
    m_journal.clear();
    return 0;
}

PeriodicSaves::CheckResult PeriodicSaves::recoverJournal(const QDateTime &now)
{
    const CollectedData data = m_journal.read();
    if (!data.hasRecords()) {
        m_journal.clear();
        return CheckResult::Nothing;
    }
    const QDateTime when = now.isValid() ? now : newestRecordTime(data);
    const bool ok = writeAndClear(pathFor(SaveKind::Recovered, when), data) == 0;
    log(ok ? QStringLiteral("未保存データ復旧保存") : QStringLiteral("未保存データ復旧保存失敗"));
    return ok ? CheckResult::Saved : CheckResult::Failed;
}

void PeriodicSaves::setUnsaved(bool unsaved)
{
    if (unsaved == m_unsaved)
        return;
    m_unsaved = unsaved;
    emit unsavedChanged(unsaved);
}

void PeriodicSaves::log(const QString &text) const
{
    if (m_hooks.log)
        m_hooks.log(text);
}

} // namespace zt
