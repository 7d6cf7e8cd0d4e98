#pragma once

#include "periodic/collecteddata.h"

#include <QString>

namespace zt {

// Records read but not yet in any file, kept on disk so a crash or power cut loses
// none of them. Each batch is one self-checking entry appended and flushed to disk
// before the batch counts as stored; a torn last entry is ignored when read.
class Journal
{
public:
    explicit Journal(QString path) : m_path(std::move(path)) {}

    QString path() const { return m_path; }

    // Appends one slot's batch (oldest record first). `restart` says the slot's
    // buffer was emptied before this batch. Returns 0 or the error number.
    int append(const SetHeader &header, const SlotRecords &batch, bool restart);
    // After any successful save. Returns 0 or the error number.
    int clear();

    // What the journal holds, slot by slot, as it would stand in the buffers.
    // `entries` receives the number of whole entries read.
    CollectedData read(int *entries = nullptr) const;

private:
    QString m_path;
};

// The journal's file in the settings folder.
QString journalPath(const QString &settingsFolder);

} // namespace zt
