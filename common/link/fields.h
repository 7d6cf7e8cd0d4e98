#pragma once

#include <QDateTime>
#include <QString>
#include <QStringView>
#include <functional>

// Text encodings of numbers, date-times and sample pairs on the receiver's wire.
namespace zt {

// Upper-case hexadecimal of a signed 16-bit value: non-negative values are left-padded
// with '0' to `width` (never cut); negative ones give four-digit two's complement.
QString HexField(int value, int width);

// Reads a hexadecimal run from the start of `text` up to the first non-hex character
// (none gives 0). Up to four digits is a signed 16-bit value, five to eight digits a
// signed 32-bit one. A longer run calls the handler set below and reads 0.
qint32 readHex(QStringView text);

// The programs show message 33 through this; tests may count calls.
void setHexTooLongHandler(std::function<void()> handler);

// DateField: YY M DD hh mm [ss] in hexadecimal, 9 or 11 characters.
QString DateField(const QDateTime &t, bool withSeconds);
// Invalid QDateTime when the fields do not make a date.
QDateTime readDateField(QStringView text, bool withSeconds);

// A RecordField: CH1 and CH2 as four-digit hexadecimal each.
struct RawRecord
{
    qint16 ch1 = 0;
    qint16 ch2 = 0;
};
RawRecord readRecordField(QStringView text);
QString RecordField(int ch1, int ch2);

// Raw codes that are not measurements.
constexpr qint16 MissingCode = qint16(0xC000);     // no record for that time ("-----")
constexpr qint16 NoValueCode = qint16(0x8000);     // the channel has no value (blank)
constexpr qint16 SensorErrorCode = qint16(0xE064); // "センサ異常"
constexpr qint16 OverflowCode = qint16(0xF000);    // "*****"

// A raw value is a measurement inside -998..9998.
bool isValidRaw(int raw);

// The sample value a LogSet stores for a raw value: valid CH1 as is, valid CH2 divided
// by 10 (halves to even); C000 and other invalid values give DashValue, E000/F000 StarValue.
qint16 storedSample(int raw, bool divideByTen);

} // namespace zt
