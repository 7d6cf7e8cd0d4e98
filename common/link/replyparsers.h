#pragma once

#include "link/receivervalues.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QStringView>

// Judging and reading complete replies (ReplyText). A rejected reply leaves the
// values as they were.
namespace zt {

enum class BlockError {
    None = 0,
    Rejected = 1,        // refusal, too short, or more records than asked for
    TimeMismatch = 2,    // first record time differs from the request
    MissingEndComma = 3, // no "," after the last record
};

struct ParseResult
{
    bool ok = false;
    BlockError blockError = BlockError::None;
};

// Where a "12" reply's record texts go.
struct BlockTarget
{
    QDateTime requestedTime;
    int maxRecords = 0;
    QStringList *records = nullptr;
};

// ReadByCode's check: "05", "06", "07", "08", "11", "13" by their exact lengths.
// "11" stores the summary, "13" the kind and ranges only.
bool readByCodeReply(QStringView code, const QString &reply, int koNo, ReceiverValues &values);

// ParseReply: "100"/"200" want ACK first; "07", "10", "11", "13" (all its fields),
// "05", "06", "08" are read by length; "12" by the block rules into `block`.
ParseResult ParseReply(QStringView code, const QString &reply, int koNo, ReceiverValues &values,
                       const BlockTarget *block = nullptr);

// "12": appends the reply's records to `records` only when the whole block is good.
BlockError parseSampleBlock(const QString &reply, const QDateTime &requestedTime, int maxRecords,
                            QStringList &records);

bool isRefusal(const QString &reply);
bool isAcknowledgement(const QString &reply);

} // namespace zt
