#pragma once

#include "engine/ptyserver.h"
#include "engine/receiverengine.h"
#include "platform/folders.h"
#include "platform/ports.h"
#include "zt5sim/simfixture.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace zt::test {

// Four system slots: 1 temperature and humidity (limits 30.0/15.0 ℃, 80/30 %),
// 2 temperature only, 3 two temperatures, 4 registered but not recording.
inline sim::Scenario watchScenario()
{
    sim::Scenario s = sim::test::testScenario();
    sim::SlotSetup three;
    three.slot = 3;
    three.kind = 11;
    three.range = sim::defaultRange(11);
    three.limits = {350, 0, 250, -50};
    sim::SlotSetup four;
    four.slot = 4;
    four.kind = 12;
    four.recording = false;
    four.range = sim::defaultRange(12);
    four.limits = four.range;
    s.transmitters << three << four;
    return s;
}

// A private HOME with the virtual receiver on a pty linked as COM1, whose clock
// stands still unless the test moves it.
struct WatchRig
{
    explicit WatchRig(const sim::Scenario &scenario = watchScenario())
        : engine(scenario, time.source()), server(&engine)
    {
        for (const char *name : {"HOME", "XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_RUNTIME_DIR"})
            saved.append(qgetenv(name));
        qputenv("HOME", home.path().toUtf8());
        qputenv("XDG_DATA_HOME", (home.path() + "/.local/share").toUtf8());
        qputenv("XDG_CONFIG_HOME", (home.path() + "/.config").toUtf8());
        qputenv("XDG_RUNTIME_DIR", home.path().toUtf8());
        QString error;
        opened = server.open(&error);
        if (!opened)
            qWarning("pty: %s", qPrintable(error));
        QDir().mkpath(portLinkFolder());
        QFile::link(server.devicePath(), portLinkFolder() + QStringLiteral("/COM1"));
    }
    ~WatchRig()
    {
        const char *names[] = {"HOME", "XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_RUNTIME_DIR"};
        for (int i = 0; i < 4; ++i) {
            if (saved.at(i).isEmpty())
                qunsetenv(names[i]);
            else
                qputenv(names[i], saved.at(i));
        }
    }

    QStringList received() const
    {
        QStringList frames;
        for (const QByteArray &f : const_cast<WatchRig *>(this)->server.log().received())
            frames << QString::fromLatin1(f);
        return frames;
    }
    // The "20" request that takes the receiver out of remote mode.
    bool sawRemoteOff() const
    {
        for (const QString &f : received())
            if (f.contains(QStringLiteral("0000120,")) && f.contains(QStringLiteral(",0012340,")))
                return true;
        return false;
    }
    int countOf(const QString &accessAndCode) const
    {
        int n = 0;
        for (const QString &f : received())
            n += f.mid(1, 7) == QStringLiteral("000") + accessAndCode ? 1 : 0;
        return n;
    }

    QTemporaryDir home;
    QList<QByteArray> saved;
    sim::test::ManualTime time;
    sim::ReceiverEngine engine;
    sim::PtyServer server;
    bool opened = false;
};

} // namespace zt::test
