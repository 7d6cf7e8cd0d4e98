// Runs every reply parser on arbitrary text: the first byte picks the slot, the
// rest is taken as a ReplyText.
#include "link/replyparsers.h"
#include "link/sampledecoding.h"
#include "records/datetime.h"

#include <QString>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const int koNo = data[0] % 33; // includes the invalid 0, 31, 32
    const QString reply =
        QString::fromLatin1(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    zt::setHexTooLongHandler({});
    zt::ReceiverValues values;
    for (const char16_t *code :
         {u"05", u"06", u"07", u"08", u"10", u"11", u"13", u"100", u"200", u"20", u"21", u"99"}) {
        zt::ParseReply(code, reply, koNo, values);
        zt::readByCodeReply(code, reply, koNo, values);
    }
    QStringList records;
    const zt::BlockTarget block{zt::wallClock(2024, 1, 1, 0, 0), 50, &records};
    const zt::ParseResult r = zt::ParseReply(u"12", reply, koNo, values, &block);
    if (!r.ok && !records.isEmpty())
        __builtin_trap(); // a rejected block appends nothing
    for (const QString &record : records)
        zt::decodeRecord(record, {}, koNo % 13);
    return 0;
}
