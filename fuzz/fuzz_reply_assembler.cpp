// Feeds arbitrary bytes to the reply framer in both modes, in chunks whose sizes
// come from the input itself, with resets, line errors and time-outs mixed in.
#include "link/replyframer.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    for (zt::LinkMode mode : {zt::LinkMode::Kestrel, zt::LinkMode::Watch}) {
        zt::ReplyFramer framer(mode);
        framer.setSyncWait(size > 0 && (data[0] & 1));
        framer.resetReceive();
        size_t at = 1;
        while (at < size) {
            const uint8_t control = data[at++];
            const size_t chunk = control % 32;
            const size_t take = chunk < size - at ? chunk : size - at;
            framer.feed(QByteArrayView(reinterpret_cast<const char *>(data + at), qsizetype(take)));
            at += take;
            if (control == 0xFD)
                framer.lineError();
            else if (control == 0xFE)
                framer.timedOut();
            else if (control == 0xFF || !framer.rxArmed())
                framer.resetReceive();
            if (framer.rxBuffer().size() > zt::ReplyFramer::MaxReplyLength)
                __builtin_trap();
        }
        (void)framer.replyText();
    }
    return 0;
}
