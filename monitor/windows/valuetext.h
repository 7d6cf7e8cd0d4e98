#pragma once

#include <QString>
#include <QtGlobal>

// How the monitor shows one reading in tenths, in the list and the record grid alike.
namespace zt {

enum class ValueKind { Temperature, Humidity };

// 0xF000 "*****", 0xE064 "センサ異常", 0xC000 "-----", 0x8000 four spaces; otherwise
// value / 10 as "##0.0" (temperature) or "##0" (humidity).
QString monitorValueText(qint16 value, ValueKind kind);

// What channel 2 of a transmitter kind measures: a second temperature for kind 11.
ValueKind channel2Kind(qint16 koKind);

// A limit in tenths as whole units with at most one decimal ("30", "-5.5").
QString limitText(qint16 tenths);

} // namespace zt
