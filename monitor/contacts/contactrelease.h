#pragma once

#include "records/limits.h"
#include "records/settingsfiles.h"

#include <QObject>
#include <array>

class QTimer;

namespace zt {

class MonitorCycle;
class ContactIndicators;

// The release letter of command "21": "0" releases data and communication/battery
// alarms (release type 1), "E" data alarms only (type 0).
QChar releaseLetter(int releaseType);

// Whether `AlarmCancelB` is enabled: the alarm contact is on, or the battery-alarm
// contact is on and the release type also releases it.
bool cancelButtonEnabled(bool alarmContactOn, bool batteryContactOn, int releaseType);

// Contact releases of the monitor. Nothing is sent while an exchange of the cycle is
// in progress: a release asked for then runs in the end-of-cycle step.
class ContactRelease : public QObject
{
    Q_OBJECT
public:
    static constexpr int TickMs = 1000;

    enum class Outcome { Sent, Failed, Deferred, Ignored };
    Q_ENUM(Outcome)

    // Installs itself as the cycle's end-of-cycle step.
    explicit ContactRelease(MonitorCycle &cycle, QObject *parent = nullptr);

    // Release type, auto-return and auto-off time; starts or stops the auto-off timer
    // while it is armed.
    void setOptions(const AutoSaveSettings &options);
    int releaseType() const { return m_releaseType; }
    // The list window opened: the auto-off timer runs while auto-return is on.
    void arm();
    // Monitoring ended.
    void disarm();
    bool autoOffRunning() const;

    // `AlarmCancelB`.
    Outcome manualRelease();
    // Kind 3 confirmed: monitoring off for the slot, then its release.
    Outcome releaseSingle(int koNo);
    // One tick of `SettenOffTimer` (public so tests may step it).
    void tick();
    // Pending manual release and due auto-offs; true when anything was sent.
    bool endOfCycleStep();
    // ReflectedAlarmState, auto-off due flag and counter back to 0.
    void clearSlot(int koNo);

    bool manualPending() const { return m_manualPending; }
    int autoOffCounter(int koNo) const { return m_counter[std::size_t(koNo - 1)]; }
    bool autoOffDue(int koNo) const { return m_due[std::size_t(koNo - 1)]; }

signals:
    // The list rows and the button's state may have changed.
    void slotsChanged();
    // The manual release failed: kind 10 with this caption and text follows.
    void manualReleaseFailed(const QString &caption, const QString &text);
    // `AlarmCancelB` may be enabled again (after a release ended either way).
    void manualReleaseEnded();

private:
    bool sendManual();
    bool sendDueReleases();
    void onRecordsStored(int koNo);
    void releaseNowIfIdle();

    MonitorCycle &m_cycle;
    QTimer *m_SettenOffTimer;
    int m_releaseType = 0;
    int m_autoReturn = 0;
    int m_autoOffSeconds = 1;
    bool m_armed = false;
    bool m_manualPending = false;
    std::array<int, MaxKo> m_counter{};
    std::array<bool, MaxKo> m_due{};
};

} // namespace zt
