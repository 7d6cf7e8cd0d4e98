#pragma once

#include "link/receivervalues.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QTime>
#include <array>

// The transmitter recording settings without their window: the interval rule, the
// checks before applying, the "02" text and the command sequence.
namespace zt {

class SerialLink;
struct OyaRegistry;

// Measurement intervals offered, in minutes (1440 is "24:00").
inline constexpr std::array<int, 11> MeasureIntervals{1,   5,   10,  20,  30,  60,
                                                      120, 240, 360, 720, 1440};
// Communication intervals the receiver supports, in minutes.
inline constexpr std::array<int, 12> CommIntervals{3,  5,   10,  20,  30,  60,
                                                   90, 120, 240, 360, 720, 1440};

// "hh:nn" of an interval or a time of day in minutes.
QString minutesText(int minutes);
// Minutes of an "hh:nn" text, or -1 when it is not one.
int minutesOf(const QString &text);

// Three minutes per transmitter, rounded up to a supported communication interval,
// and never shorter than the measurement interval.
int commIntervalFor(int koCount, int measureMinutes);

enum class RecordingRefusal {
    None,
    OneMinuteWithManyTransmitters, // message 35
    ClockOutOfRange,               // message 39
};
RecordingRefusal checkRecordingSettings(int koCount, int measureMinutes, int pcYear);

struct RecordingChoice
{
    int koCount = 1;
    int measureMinutes = 10;
    int commMinutes = 30;
    QTime startTime{0, 0};
};

// The 30-character "02" text: the clock now (with seconds), both intervals, today's date
// with the start time, and "00". Empty when `now` cannot be encoded (before 2000 or
// after 2255) or an interval is outside 1..1440 minutes.
QString clockAndIntervalsText(const QDateTime &now, const RecordingChoice &choice);

// The count "01" carries: the choice when no transmitter is registered, else 0 (not sent).
int koCountToSend(int chosen, int registeredCount);

// The receiver as the dialog opens: "05", "06", "08" and the registry slot.
struct RecordingSurvey
{
    ReceiverValues values;
    int oyaSlot = 1;
    // Data of a slot within the system count would be erased.
    bool recordingWarning = false;
};

// Opens the port and reads the receiver; on failure the port is closed.
bool prepareRecordingSettings(SerialLink &link, const OyaRegistry &registry,
                              RecordingSurvey &survey);

// "20" on, "01" when the count is not 0, "02", "20" off, each a Transact. The first
// failure closes the port; remote mode is then left as the receiver has it.
bool applyRecordingSettings(SerialLink &link, qint32 receiverId, const RecordingChoice &choice,
                            int registeredCount, const QDateTime &now);

// The start time chosen last in this run of the program, offered the next time.
QTime rememberedStartTime();
void rememberStartTime(const QTime &time);

} // namespace zt
