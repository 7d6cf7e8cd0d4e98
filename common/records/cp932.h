#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <utility>

// Code page 932 at the edges: settings files, CSV and logs are stored in it, and
// name length rules count its bytes.
namespace zt {

// nullopt when a character has no code page 932 form.
std::optional<QByteArray> toCp932(const QString &text);
// Like toCp932, with '?' in place of characters that cannot be encoded.
QByteArray toCp932Lossy(const QString &text);
QString fromCp932(const QByteArray &bytes);

// Byte length in code page 932, or -1 when the text cannot be encoded.
int cp932Length(const QString &text);
bool isCp932Encodable(const QString &text);

// Two-line headings: the first line takes at most `bytes` code page 932 bytes
// without cutting a double-byte character; the rest goes to the second line.
std::pair<QString, QString> splitNameAtBytes(const QString &name, int bytes = 6);

} // namespace zt
