#include "link/replyframer.h"

namespace zt {

void ReplyFramer::resetReceive()
{
    m_rxBuffer.clear();
    m_commState = CommState::Waiting;
    m_rxCount = -1;
    m_rxArmed = true;
    // Both modes forget the previous reply, so a frame without ETX can never be
    // judged by the text of an earlier exchange.
    m_replyText.clear();
    if (m_mode == LinkMode::Watch)
        setIndicator(true);
}

FramerAction ReplyFramer::feed(QByteArrayView bytes)
{
    if (m_mode == LinkMode::Watch)
        return feedWatch(bytes);
    FramerAction action = FramerAction::None;
    for (char c : bytes) {
        if (!m_rxArmed)
            break; // the rest is read and thrown away
        const FramerAction a = feedKestrelChar(c);
        if (a != FramerAction::None)
            action = a;
    }
    return action;
}

FramerAction ReplyFramer::feedKestrelChar(char c)
{
    if (m_rxCount < 0) {
        if (c == STX) {
            m_rxCount = 0;
            m_rxBuffer.clear();
        }
        return FramerAction::None;
    }
    if (c == LF) {
        m_rxArmed = false;
        m_commState = CommState::Complete;
        return m_syncWait ? FramerAction::None : FramerAction::StartCmdButton;
    }
    if (c == ETX) {
        m_replyText = m_rxBuffer;
        return FramerAction::None;
    }
    // The CR after ETX lands here too but never reaches ReplyText.
    return append(QByteArrayView(&c, 1));
}

FramerAction ReplyFramer::feedWatch(QByteArrayView bytes)
{
    if (!m_rxArmed)
        return FramerAction::None;
    if (m_rxCount < 0) {
        const qsizetype stx = bytes.indexOf(STX);
        if (stx < 0)
            return FramerAction::None;
        m_rxCount = 0;
        m_rxBuffer.clear();
        bytes = bytes.sliced(stx + 1);
    }
    const qsizetype etx = bytes.indexOf(ETX);
    if (etx < 0)
        return append(bytes);
    const FramerAction a = append(bytes.first(etx));
    if (a != FramerAction::None)
        return a;
    m_replyText = m_rxBuffer;
    disarm(); // the indicator going off also ends reception
    if (m_syncWait)
        return FramerAction::StartSendWait;
    m_commState = CommState::Complete;
    return FramerAction::StartCmdButton;
}

FramerAction ReplyFramer::append(QByteArrayView bytes)
{
    if (m_rxBuffer.size() + bytes.size() > MaxReplyLength)
        return overrun();
    m_rxBuffer.append(bytes);
    m_rxCount += int(bytes.size());
    return FramerAction::None;
}

// Endless text without a terminator is handled like the port's receive-buffer
// overflow instead of growing without bound.
FramerAction ReplyFramer::overrun()
{
    m_rxBuffer.clear();
    return lineError();
}

FramerAction ReplyFramer::lineError()
{
    if (!m_rxArmed)
        return FramerAction::None;
    m_commState = CommState::LineError;
    m_rxArmed = false;
    setIndicator(false);
    // Kestrel hands every line error over; its handler leaves a synchronous
    // command's result to the waiting Transact.
    return FramerAction::StartCmdButton;
}

void ReplyFramer::timedOut()
{
    m_commState = CommState::TimedOut;
    m_rxArmed = false;
    setIndicator(false);
}

void ReplyFramer::disarm()
{
    m_rxArmed = false;
    setIndicator(false);
}

void ReplyFramer::completeSyncWait()
{
    if (m_commState == CommState::Waiting)
        m_commState = CommState::Complete;
}

void ReplyFramer::setIndicator(bool on)
{
    if (m_mode == LinkMode::Watch)
        m_commIndicator = on;
}

} // namespace zt
