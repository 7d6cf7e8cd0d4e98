#pragma once

#include "records/logset.h"
#include "records/registry.h"

#include <QByteArray>
#include <QString>
#include <functional>

// The recorded data file (.zt2): little-endian 16-bit fields, an 18-byte header and one
// block per transmitter slot. Names are not stored; a load looks them up in the registry.
namespace zt {

constexpr int Zt2HeaderBytes = 18;
constexpr int Zt2EmptyBlockBytes = 4;
constexpr int Zt2BlockFixedBytes = 28;
constexpr int Zt2PairBytes = 4; // sample value and alarm mark
// The largest file a save can write: every slot full, both channels.
constexpr qint64 Zt2MaxFileBytes =
    Zt2HeaderBytes + MaxKo * (Zt2BlockFixedBytes + qint64(2) * Zt2PairBytes * MaxSamples);

// Called every ProgressStep samples while a file is decoded, so a window can stay live.
using LoadProgress = std::function<void()>;
constexpr int ProgressStep = 200;

// Bytes of a set's file: header and 30 slot blocks, taken from the set as it is.
QByteArray encodeZt2(const LogSet &set);

// Decodes a whole file into `out` (a fresh set). A file cut short keeps what was read,
// the remaining samples 0. Returns 0, or ErrBadFileFormat for an empty file or one whose
// fields no save could have written; `out` is then unspecified.
int decodeZt2(const QByteArray &bytes, const OyaRegistry &oya, const KoNameTable &koNames,
              LogSet &out, const LoadProgress &progress = {});

// Writes the file through QSaveFile. Returns 0 or the error number; a failed save leaves
// any previous file as it was. Marks nothing: the caller sets LogSaved.
int saveZt2(const QString &path, const LogSet &set);

// Reads and decodes a file; a longer file than Zt2MaxFileBytes, or anything but a
// regular file, is refused unread. Only on success is `set` replaced (LogSaved true).
// Returns 0 or the error number, with `set` unchanged.
int loadZt2(const QString &path, const OyaRegistry &oya, const KoNameTable &koNames, LogSet &set,
            const LoadProgress &progress = {});

} // namespace zt
