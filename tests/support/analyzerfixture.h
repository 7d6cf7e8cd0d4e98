#pragma once

#include "records/logset.h"
#include "records/statistics.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <vector>

// A private home for every analyzer test and small recorded sets to show.
namespace zt::test {

inline void pointHomeAt(const QString &home)
{
    const QByteArray path = QFile::encodeName(home);
    qputenv("HOME", path);
    qputenv("XDG_DATA_HOME", path + "/.local/share");
    qputenv("XDG_CONFIG_HOME", path + "/.config");
    qunsetenv("XDG_DOCUMENTS_DIR");
}

// Two transmitters: KoNo 2 of kind 12 from the start, KoNo 5 of kind 10 two rows
// later; special values and alarm marks in the first.
inline void fillDemoSet(LogSet &set, int samples = 10)
{
    set.clear();
    set.OyaSlot = 1;
    set.oyaName = QStringLiteral("未登録");
    set.setStartTime(QDateTime(QDate(2024, 5, 1), QTime(9, 0), Qt::UTC));
    set.setInterval(10);
    set.KoCount = 2;
    auto add = [&](int koNo, int seriesNo, int kind, int offset,
                   const QString &name) -> KoSeries & {
        KoSeries &s = set.ko(koNo);
        s.HasData = 1;
        s.SeriesNo = qint16(seriesNo);
        s.KoKind = qint16(kind);
        s.DataCount = qint16(samples);
        s.StartOffset = qint16(offset);
        s.name = name;
        return s;
    };
    add(2, 1, 12, 0, QStringLiteral("冷蔵庫Ａ棟"));
    add(5, 2, 10, 2, QStringLiteral("Room5"));
    for (int n = 1; n <= samples; ++n) {
        set.value(1, 1, n) = qint16(250 + n);
        set.value(1, 2, n) = qint16(60 + n % 3);
        set.value(2, 1, n) = qint16(-50 - n);
    }
    set.value(1, 1, 3) = StarValue;
    set.value(1, 1, 4) = DashValue;
    set.mark(1, 1, 5) = 1;
    computeStatistics(set);
    set.LogSaved = true;
}

inline QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace zt::test
