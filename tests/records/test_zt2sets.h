#pragma once

#include "records/logset.h"
#include "records/statistics.h"

#include <QMetaType>
#include <QtGlobal>
#include <csignal>
#include <functional>
#include <memory>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

// LogSets for the data file and export tests, the sample files and the benchmarks.
namespace zt::test {

// Adds the next series (call in ascending KoNo) with its samples; CH2 may be empty.
inline KoSeries &addSeries(LogSet &set, int koNo, int koKind, const std::vector<qint16> &ch1,
                           const std::vector<qint16> &ch2 = {}, int offset = 0)
{
    int seriesNo = 1;
    for (const KoSeries &s : set.series)
        seriesNo += s.HasData == 1 ? 1 : 0;
    KoSeries &s = set.ko(koNo);
    s.HasData = 1;
    s.SeriesNo = qint16(seriesNo);
    s.KoKind = qint16(koKind);
    s.DataCount = qint16(ch1.size());
    s.StartOffset = qint16(offset);
    for (std::size_t i = 0; i < ch1.size(); ++i) {
        set.value(seriesNo, 1, int(i) + 1) = ch1[i];
        set.mark(seriesNo, 1, int(i) + 1) = ch1[i] > 300 && ch1[i] < StarValue ? 1 : 0;
    }
    for (std::size_t i = 0; i < ch2.size() && i < ch1.size(); ++i)
        set.value(seriesNo, 2, int(i) + 1) = ch2[i];
    return s;
}

inline std::unique_ptr<LogSet> emptySet()
{
    auto set = std::make_unique<LogSet>();
    set->setStartTime(QDateTime(QDate(2024, 5, 1), QTime(0, 0), Qt::UTC));
    set->setInterval(10);
    return set;
}

// The checked-in sample.zt2: a kind-12 transmitter for a day at 10 minutes and a kind-10
// one starting an hour later, with a few special values.
inline std::unique_ptr<LogSet> sampleSet()
{
    auto set = emptySet();
    set->KoCount = 3;
    std::vector<qint16> temp, hum, fridge;
    for (int i = 0; i < 144; ++i) {
        const int hour = i / 6;
        const int warm = hour <= 14 ? hour : 28 - hour; // warmest mid-afternoon
        temp.push_back(qint16(180 + warm * 5 + (i % 3)));
        hum.push_back(qint16(70 - warm - (i % 2)));
    }
    temp[50] = StarValue;
    temp[51] = DashValue;
    hum[51] = DashValue;
    for (int i = 0; i < 138; ++i)
        fridge.push_back(qint16(30 + (i % 12) * 4));
    fridge[100] = StarValue;
    addSeries(*set, 1, 12, temp, hum, 0);
    addSeries(*set, 3, 10, fridge, std::vector<qint16>(fridge.size(), 0), 6);
    computeStatistics(*set);
    return set;
}

// 30 transmitters with MaxSamples each: the largest file there is.
inline std::unique_ptr<LogSet> fullSet()
{
    auto set = emptySet();
    set->KoCount = MaxKo;
    std::vector<qint16> ch1(MaxSamples), ch2(MaxSamples);
    for (int k = 1; k <= MaxKo; ++k) {
        for (int i = 0; i < MaxSamples; ++i) {
            ch1[std::size_t(i)] = qint16(-200 + (i * 7 + k) % 600);
            ch2[std::size_t(i)] = qint16((i + k) % 100);
        }
        ch1[std::size_t(k)] = StarValue;
        addSeries(*set, k, k % 3 == 0 ? 10 : 12, ch1, ch2, 0);
    }
    computeStatistics(*set);
    return set;
}

// Runs `work` in a forked child after `setup`; the exit status carries its result
// (255 for one that does not fit, 254 when the setup failed, -1 when the child died).
inline int runInChild(const std::function<bool()> &setup, const std::function<int()> &work)
{
    const pid_t child = fork();
    if (child == 0) {
        if (!setup())
            _exit(254);
        const int result = work();
        _exit(result < 0 || result > 253 ? 255 : result);
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

// Files of the child may not grow past `bytes`; write() then fails with EFBIG.
inline std::function<bool()> fileSizeLimit(rlim_t bytes)
{
    return [bytes] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{bytes, bytes};
        return setrlimit(RLIMIT_FSIZE, &limit) == 0;
    };
}

// The superuser writes anywhere: the child drops to "nobody" so permissions count.
inline bool asUnprivilegedUser()
{
    if (geteuid() != 0)
        return true;
    constexpr uid_t nobody = 65534;
    return setgid(nobody) == 0 && setuid(nobody) == 0;
}

} // namespace zt::test

// Sets travel through _data() tables shared, as they are too big to copy per row.
Q_DECLARE_METATYPE(std::shared_ptr<zt::LogSet>)
