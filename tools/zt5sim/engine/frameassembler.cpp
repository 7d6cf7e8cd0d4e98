#include "engine/frameassembler.h"

namespace zt::sim {

QList<QByteArray> FrameAssembler::feed(QByteArrayView bytes)
{
    QList<QByteArray> frames;
    for (char c : bytes) {
        if (c == '\x02') {
            m_frame.clear();
            m_inFrame = true;
        } else if (!m_inFrame) {
            continue;
        } else if (c == '\x03') {
            frames.append(m_frame);
            m_frame.clear();
            m_inFrame = false;
        } else if (m_frame.size() < MaxFrame) {
            m_frame.append(c);
        } else {
            m_frame.clear();
            m_inFrame = false;
        }
    }
    return frames;
}

} // namespace zt::sim
