// Any bytes given to the .zt2 loader: it must answer 0 or an error number, never read
// outside the buffer, and a loaded set must save back to a file it loads again.
#include "records/zt2file.h"

#include <QByteArray>
#include <cstdint>
#include <cstdlib>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const zt::OyaRegistry oya;
    static const zt::KoNameTable names;
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    auto set = std::make_unique<zt::LogSet>();
    if (zt::decodeZt2(bytes, oya, names, *set) != 0)
        return 0;
    auto again = std::make_unique<zt::LogSet>();
    const QByteArray saved = zt::encodeZt2(*set);
    if (zt::decodeZt2(saved, oya, names, *again) != 0 || zt::encodeZt2(*again) != saved)
        std::abort();
    return 0;
}
