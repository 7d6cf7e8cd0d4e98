#pragma once

#include "analyzerfixture.h"
#include "session/analyzersession.h"
#include "readout/newdataread2dialog.h"
#include "engine/portlink.h"
#include "engine/ptyserver.h"
#include "engine/receiverengine.h"
#include "engine/scenario.h"
#include "platform/ports.h"
#include "records/datetime.h"
#include "ui/scripteddialogservice.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

namespace zt::test {

// One day of 10-minute samples on four transmitters: a few blocks each.
inline sim::Scenario shortScenario()
{
    sim::Scenario s = sim::defaultScenario(localNow());
    s.recordingStart = s.clockStart.addDays(-1);
    return s;
}

// A private home, a session, the virtual receiver on a pty linked as COM1.
struct ReadoutDialogRig
{
    ReadoutDialogRig()
    {
        pointHomeAt(home.path());
        session = std::make_unique<AnalyzerSession>();
        session->startUp();
        engine = std::make_unique<sim::ReceiverEngine>(shortScenario());
        server = std::make_unique<sim::PtyServer>(engine.get());
        opened = server->open() && com1.create(portLinkFolder() + QStringLiteral("/COM1"),
                                               server->devicePath(), &error);
        session->settings.oya.OyaID[2] = qint32(engine->receiverId());
        session->settings.oya.OyaName[2] = QStringLiteral("倉庫");
        session->settings.koNames.name(2, 1) = QStringLiteral("冷蔵庫Ａ");
        session->settings.koNames.name(2, 2).clear();
    }
    // Replies leave late enough for a test to act between two blocks.
    void slowDown()
    {
        sim::ServerFaults faults;
        faults.lateMs = 15;
        server->setFaults(faults);
    }
    ~ReadoutDialogRig()
    {
        com1.remove();
        server.reset();
        engine.reset();
        QDir(home.path()).removeRecursively();
    }

    QTemporaryDir home;
    std::unique_ptr<AnalyzerSession> session;
    ScriptedDialogService dialogs;
    std::unique_ptr<sim::ReceiverEngine> engine;
    std::unique_ptr<sim::PtyServer> server;
    sim::PortLink com1;
    QString error;
    bool opened = false;
};

// Drives the modal NewDataRead2 once it is up: `act` runs on every tick until it
// returns true.
class DialogDriver : public QObject
{
public:
    explicit DialogDriver(std::function<bool(NewDataRead2Dialog &)> act) : act(std::move(act))
    {
        connect(&timer, &QTimer::timeout, this, [this] {
            auto *d = qobject_cast<NewDataRead2Dialog *>(QApplication::activeModalWidget());
            if (d && !done)
                done = this->act(*d);
        });
        timer.start(10);
    }
    bool done = false;

private:
    std::function<bool(NewDataRead2Dialog &)> act;
    QTimer timer;
};

// Saves a picture of the widget when ZT_GRAB_DIR names a folder.
inline void grabTo(QWidget &w, const QString &name)
{
    const QString dir = qEnvironmentVariable("ZT_GRAB_DIR");
    if (!dir.isEmpty())
        w.grab().save(dir + QLatin1Char('/') + name + QStringLiteral(".png"));
}

} // namespace zt::test
