#include "engine/faultoptions.h"

#include <QStringList>

namespace zt::sim {

namespace {

bool toCount(const QString &text, int low, int &out)
{
    bool ok = false;
    const int v = text.toInt(&ok);
    if (!ok || v < low)
        return false;
    out = v;
    return true;
}

} // namespace

QString addFaultOption(const QString &option, FaultPlan &plan)
{
    const qsizetype eq = option.indexOf(QLatin1Char('='));
    const QString name = option.left(eq);
    const QString value = eq < 0 ? QString() : option.mid(eq + 1);
    ServerFaults &f = plan.faults;
    const QString bad = QStringLiteral("--fault %1: ").arg(option);
    if (name == QLatin1String("noreply") || name == QLatin1String("nak")) {
        (name == QLatin1String("nak") ? f.nak : f.noReply) = true;
        if (!value.isEmpty() && !toCount(value, 1, f.count))
            return bad + QStringLiteral("N must be a count of replies, 1 or more");
    } else if (name == QLatin1String("garbage")) {
        f.garbage = value.isEmpty() ? QByteArrayLiteral("\xFF#?") : value.toLatin1();
    } else if (name == QLatin1String("split")) {
        const QStringList parts = value.split(QLatin1Char(':'));
        if (!toCount(parts[0], 2, f.splitPieces) ||
            (parts.size() > 1 && !toCount(parts[1], 0, f.splitDelayMs)) || parts.size() > 2)
            return bad + QStringLiteral("use split=PIECES[:MS] with 2 or more pieces");
    } else if (name == QLatin1String("late")) {
        if (!toCount(value, 1, f.lateMs))
            return bad + QStringLiteral("use late=MS");
    } else if (name == QLatin1String("block-time") || name == QLatin1String("block-comma")) {
        f.blockFault = name == QLatin1String("block-time") ? ServerFaults::BlockFault::TimeShift
                                                           : ServerFaults::BlockFault::NoEndComma;
        if (!value.isEmpty() && !toCount(value, 1, f.blockFaultCount))
            return bad + QStringLiteral("N must be a count of \"12\" replies, 1 or more");
    } else if (name == QLatin1String("ignore-alarm")) {
        f.ignoreAlarmStates = true;
    } else if (name == QLatin1String("leave-remote") || name == QLatin1String("hangup")) {
        int seconds = 0;
        if (!toCount(value, 0, seconds))
            return bad + QStringLiteral("give the seconds after start, e.g. %1=30").arg(name);
        (name == QLatin1String("hangup") ? plan.hangUpAfterMs : plan.leaveRemoteAfterMs) =
            seconds * 1000;
    } else {
        return bad + QStringLiteral("unknown fault (noreply, nak, garbage, split, late, "
                                    "block-time, block-comma, ignore-alarm, leave-remote, hangup)");
    }
    return {};
}

} // namespace zt::sim
