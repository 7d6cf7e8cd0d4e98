#include "engine/scenario.h"

#include "link/fields.h"
#include "records/limits.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <array>
#include <optional>

namespace zt::sim {

namespace {

// Raised inside the parser; turned into ScenarioResult::error at the top.
struct ParseError
{
    QString text;
};

[[noreturn]] void fail(const QString &text)
{
    throw ParseError{text};
}

// The shortest communication interval the receiver allows for this many transmitters.
int defaultCommMinutes(int koCount, int measureMinutes)
{
    static constexpr std::array table{3, 5, 10, 20, 30, 60, 90, 120, 240, 360, 720, 1440};
    const int minimum = 3 * koCount;
    int entry = table.back();
    for (int t : table) {
        if (t >= minimum) {
            entry = t;
            break;
        }
    }
    return measureMinutes < entry ? entry : measureMinutes;
}

int intIn(const QJsonObject &o, const char *key, int low, int high, int fallback)
{
    const QJsonValue v = o.value(QLatin1String(key));
    if (v.isUndefined())
        return fallback;
    if (!v.isDouble() || v.toDouble() != double(v.toInt()) || v.toInt() < low || v.toInt() > high)
        fail(QStringLiteral("\"%1\" must be a whole number from %2 to %3")
                 .arg(QLatin1String(key))
                 .arg(low)
                 .arg(high));
    return v.toInt();
}

// A time is "now", a wall-clock text "yyyy-MM-ddThh:mm[:ss]", or minutes after the clock start.
QDateTime timeValue(const QJsonValue &v, const QDateTime &anchor, const QString &what)
{
    if (v.isDouble())
        return anchor.addSecs(qint64(v.toDouble() * 60));
    const QString text = v.toString();
    if (text == QLatin1String("now"))
        return anchor;
    for (const char *format : {"yyyy-MM-ddTHH:mm:ss", "yyyy-MM-ddTHH:mm", "yyyy-MM-dd HH:mm"}) {
        QDateTime t = QDateTime::fromString(text, QLatin1String(format));
        if (t.isValid())
            return QDateTime(t.date(), t.time(), Qt::UTC);
    }
    fail(QStringLiteral("%1: \"%2\" is not a time (use minutes, \"now\" or yyyy-MM-ddThh:mm)")
             .arg(what, text));
}

ChannelPair pairValue(const QJsonValue &v, const ChannelPair &fallback, const QString &what)
{
    if (v.isUndefined())
        return fallback;
    const QJsonArray a = v.toArray();
    if (a.size() != 4)
        fail(what + QStringLiteral(" must be [high1, low1, high2, low2] in tenths"));
    std::array<qint16, 4> n{};
    for (int i = 0; i < 4; ++i) {
        if (!a[i].isDouble() || a[i].toInt() < -32768 || a[i].toInt() > 32767)
            fail(what + QStringLiteral(" holds a value that is not a 16-bit number"));
        n[std::size_t(i)] = qint16(a[i].toInt());
    }
    return {n[0], n[1], n[2], n[3]};
}

SlotSetup slotValue(const QJsonObject &o, int index)
{
    const QString what = QStringLiteral("transmitters[%1]").arg(index);
    SlotSetup s;
    s.slot = intIn(o, "slot", 1, MaxKo, index + 1);
    s.kind = intIn(o, "kind", 0, 99, 12);
    if (s.kind != 0 && s.kind != 10 && s.kind != 11 && s.kind != 12)
        fail(what + QStringLiteral(": kind must be 0, 10, 11 or 12"));
    s.recording = o.value(QLatin1String("recording")).toBool(true);
    s.limitsWritten = o.value(QLatin1String("limitsWritten")).toBool(false);
    s.range = pairValue(o.value(QLatin1String("range")), defaultRange(s.kind), what + ".range");
    s.limits = pairValue(o.value(QLatin1String("limits")), s.range, what + ".limits");
    return s;
}

std::optional<ScenarioEvent::Type> eventType(const QString &name)
{
    using T = ScenarioEvent::Type;
    static const QList<std::pair<QString, T>> names{
        {QStringLiteral("code"), T::Code},     {QStringLiteral("gap"), T::Gap},
        {QStringLiteral("alarm"), T::Alarm},   {QStringLiteral("battery"), T::Battery},
        {QStringLiteral("radio"), T::Radio},   {QStringLiteral("leaveRemote"), T::LeaveRemote},
        {QStringLiteral("forget"), T::Forget}, {QStringLiteral("clockJump"), T::ClockJump}};
    for (const auto &[n, t] : names)
        if (n == name)
            return t;
    return std::nullopt;
}

ScenarioEvent eventValue(const QJsonObject &o, int index, const QDateTime &anchor)
{
    const QString what = QStringLiteral("events[%1]").arg(index);
    const auto type = eventType(o.value(QLatin1String("type")).toString());
    if (!type)
        fail(what +
             QStringLiteral(": type must be code, gap, alarm, battery, radio, leaveRemote, forget "
                            "or clockJump"));
    ScenarioEvent e;
    e.type = *type;
    if (e.type == ScenarioEvent::Type::LeaveRemote || e.type == ScenarioEvent::Type::ClockJump) {
        e.from = timeValue(o.value(QLatin1String("at")), anchor, what + ".at");
        e.minutes = intIn(o, "minutes", -100000, 100000, 0);
        return e;
    }
    if (e.type == ScenarioEvent::Type::Forget) {
        // At "at" the slot's memory keeps only the records measured from "at" on.
        e.slot = intIn(o, "slot", 1, MaxKo, 0);
        if (e.slot == 0)
            fail(what + QStringLiteral(": slot is missing"));
        e.from = timeValue(o.value(QLatin1String("at")), anchor, what + ".at");
        return e;
    }
    e.slot = intIn(o, "slot", 1, MaxKo, 0);
    if (e.slot == 0)
        fail(what + QStringLiteral(": slot is missing"));
    e.channel = intIn(o, "channel", 0, 2, 0);
    e.from = timeValue(o.value(QLatin1String("from")), anchor, what + ".from");
    if (o.contains(QLatin1String("to")))
        e.to = timeValue(o.value(QLatin1String("to")), anchor, what + ".to");
    if (e.to.isValid() && e.to <= e.from)
        fail(what + QStringLiteral(": \"to\" must be later than \"from\""));
    if (e.type == ScenarioEvent::Type::Code) {
        const QString code = o.value(QLatin1String("code")).toString();
        if (code.size() != 4 || readHex(code) == 0)
            fail(what + QStringLiteral(": code must be four hexadecimal digits, e.g. \"E064\""));
        e.value = qint16(readHex(code));
    } else if (e.type == ScenarioEvent::Type::Alarm) {
        e.value = qint16(intIn(o, "value", -32768, 32767, 0));
    }
    return e;
}

Scenario scenarioValue(const QJsonObject &root, const QDateTime &now)
{
    Scenario s;
    const QJsonValue id = root.value(QLatin1String("receiverId"));
    if (id.isString()) {
        const QString text = id.toString();
        bool ok = false;
        const uint v = text.toUInt(&ok, 16);
        if (!ok || text.size() > 4)
            fail(QStringLiteral("\"receiverId\" must be up to four hexadecimal digits"));
        s.receiverId = quint16(v);
    } else {
        s.receiverId = quint16(intIn(root, "receiverId", 0, 0xFFFF, s.receiverId));
    }
    const QJsonObject clock = root.value(QLatin1String("clock")).toObject();
    s.clockStart = timeValue(clock.value(QLatin1String("start")).isUndefined()
                                 ? QJsonValue(QStringLiteral("now"))
                                 : clock.value(QLatin1String("start")),
                             now, QStringLiteral("clock.start"));
    s.speed = clock.value(QLatin1String("speed")).toDouble(1.0);
    if (s.speed <= 0)
        fail(QStringLiteral("clock.speed must be above 0"));
    s.seed = quint32(root.value(QLatin1String("seed")).toInteger(1));
    s.remoteMode = root.value(QLatin1String("remoteMode")).toBool(false);

    const QJsonArray list = root.value(QLatin1String("transmitters")).toArray();
    int highest = 0;
    for (int i = 0; i < list.size(); ++i) {
        s.transmitters.append(slotValue(list[i].toObject(), i));
        highest = std::max(highest, s.transmitters.last().slot);
        for (int j = 0; j < i; ++j)
            if (s.transmitters[j].slot == s.transmitters.last().slot)
                fail(QStringLiteral("transmitters[%1]: slot %2 is given twice")
                         .arg(i)
                         .arg(s.transmitters.last().slot));
    }
    s.systemKoCount = intIn(root, "systemKoCount", 1, MaxKo, std::max(highest, 1));
    if (s.systemKoCount < highest)
        fail(QStringLiteral("\"systemKoCount\" is below the highest transmitter slot %1")
                 .arg(highest));
    s.measureMinutes = intIn(root, "measureInterval", 1, 1440, 10);
    s.commMinutes =
        intIn(root, "commInterval", 1, 1440, defaultCommMinutes(s.systemKoCount, s.measureMinutes));
    const QJsonValue start = root.value(QLatin1String("recordingStart"));
    s.recordingStart = start.isUndefined()
                           ? s.clockStart
                           : timeValue(start, s.clockStart, QStringLiteral("recordingStart"));
    const QJsonArray events = root.value(QLatin1String("events")).toArray();
    for (int i = 0; i < events.size(); ++i)
        s.events.append(eventValue(events[i].toObject(), i, s.clockStart));
    return s;
}

QDateTime toMinute(const QDateTime &t)
{
    return QDateTime(t.date(), QTime(t.time().hour(), t.time().minute()), Qt::UTC);
}

} // namespace

ChannelPair defaultRange(int kind)
{
    switch (kind) {
    case 10:
        return {600, -100, 0, 0};
    case 11:
        return {600, -100, 600, -100};
    default:
        return {600, -100, 1000, 0};
    }
}

ScenarioResult parseScenario(const QByteArray &json, const QDateTime &now)
{
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &parseError);
    if (doc.isNull())
        return {{},
                QStringLiteral("not valid JSON at offset %1: %2")
                    .arg(parseError.offset)
                    .arg(parseError.errorString())};
    if (!doc.isObject())
        return {{}, QStringLiteral("the scenario must be a JSON object")};
    try {
        return {scenarioValue(doc.object(), toMinute(now)), {}};
    } catch (const ParseError &e) {
        return {{}, e.text};
    }
}

ScenarioResult loadScenario(const QString &path, const QDateTime &now)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {{}, QStringLiteral("%1: %2").arg(path, file.errorString())};
    ScenarioResult r = parseScenario(file.readAll(), now);
    if (!r.ok())
        r.error = path + QStringLiteral(": ") + r.error;
    return r;
}

Scenario defaultScenario(const QDateTime &now)
{
    Scenario s;
    s.clockStart = toMinute(now);
    s.recordingStart = QDateTime(s.clockStart.date().addDays(-3), QTime(0, 0), Qt::UTC);
    s.systemKoCount = 4;
    s.measureMinutes = 10;
    s.commMinutes = defaultCommMinutes(4, 10);
    const ChannelPair limits{300, 150, 800, 300};
    for (int slot = 1; slot <= 4; ++slot) {
        SlotSetup t;
        t.slot = slot;
        t.kind = slot == 3 ? 10 : 12;
        t.range = defaultRange(t.kind);
        t.limits = t.kind == 10 ? ChannelPair{300, 150, 0, 0} : limits;
        s.transmitters.append(t);
    }
    using T = ScenarioEvent::Type;
    const QDateTime &at = s.clockStart;
    // Slot 1 runs warm from 40 minutes ago for 80 minutes: recorded and still live.
    s.events.append({T::Alarm, 1, 1, 325, at.addSecs(-40 * 60), at.addSecs(40 * 60)});
    s.events.append(
        {T::Code, 3, 1, qint16(0xE064), at.addSecs(-50 * 3600), at.addSecs(-49 * 3600)});
    s.events.append({T::Gap, 4, 0, 0, at.addSecs(-20 * 3600), at.addSecs(-19 * 3600)});
    s.events.append({T::Battery, 4, 0, 0, at.addSecs(-6 * 3600), {}});
    return s;
}

} // namespace zt::sim
