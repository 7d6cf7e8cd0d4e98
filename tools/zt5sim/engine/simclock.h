#pragma once

#include <QDateTime>
#include <functional>

namespace zt::sim {

// The receiver's wall clock: a start time that runs `speed` times faster than the
// millisecond source. Tests inject a source they step by hand.
class SimClock
{
public:
    using MsSource = std::function<qint64()>; // monotonic milliseconds

    explicit SimClock(MsSource source = {});

    QDateTime now() const;
    void setNow(const QDateTime &wallClock);

    double speed() const { return m_speed; }
    void setSpeed(double speed);

private:
    MsSource m_source;
    QDateTime m_base;
    qint64 m_baseMs = 0;
    double m_speed = 1.0;
};

} // namespace zt::sim
