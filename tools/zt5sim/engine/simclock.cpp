#include "engine/simclock.h"

#include <QElapsedTimer>
#include <memory>

namespace zt::sim {

SimClock::SimClock(MsSource source) : m_source(std::move(source))
{
    if (!m_source) {
        auto timer = std::make_shared<QElapsedTimer>();
        timer->start();
        m_source = [timer] { return timer->elapsed(); };
    }
    m_baseMs = m_source();
    m_base = QDateTime(QDate(2000, 1, 1), QTime(0, 0), Qt::UTC);
}

QDateTime SimClock::now() const
{
    const double elapsed = double(m_source() - m_baseMs) * m_speed;
    return m_base.addMSecs(qint64(elapsed));
}

void SimClock::setNow(const QDateTime &wallClock)
{
    m_base = wallClock;
    m_baseMs = m_source();
}

void SimClock::setSpeed(double speed)
{
    // Rebase first so changing the speed never makes the clock jump.
    setNow(now());
    m_speed = speed > 0 ? speed : 1.0;
}

} // namespace zt::sim
