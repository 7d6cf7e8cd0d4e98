#pragma once

#include <QByteArray>
#include <QList>

namespace zt::sim {

// Cuts a byte stream into request frames: the text between STX and ETX. Bytes outside a
// frame (the CR LF trailer, noise) are dropped; a new STX restarts the frame.
class FrameAssembler
{
public:
    static constexpr int MaxFrame = 256; // longer runs are noise, not a request

    QList<QByteArray> feed(QByteArrayView bytes);

private:
    QByteArray m_frame;
    bool m_inFrame = false;
};

} // namespace zt::sim
