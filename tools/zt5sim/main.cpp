// zt5sim: a virtual receiver on a pseudo-terminal, linked where the PC programs look for COMn.
#include "engine/faultoptions.h"
#include "engine/portlink.h"
#include "engine/ptyserver.h"
#include "engine/receiverengine.h"
#include "engine/scenario.h"
#include "platform/folders.h"
#include "records/datetime.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QSocketNotifier>
#include <QTimer>
#include <csignal>
#include <cstdio>
#include <sys/socket.h>
#include <unistd.h>

using namespace zt::sim;

namespace {

int signalPipe[2] = {-1, -1};

void onSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(signalPipe[1], &byte, 1);
}

// Ctrl+C and SIGTERM end the event loop, so the link is removed on the way out.
void quitOnSignals(QCoreApplication &app)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) != 0)
        return;
    auto *notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, &app);
    QObject::connect(notifier, &QSocketNotifier::activated, &app, &QCoreApplication::quit);
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

void say(const QString &text)
{
    std::fprintf(stdout, "%s\n", qPrintable(text));
    std::fflush(stdout);
}

int fail(const QString &text)
{
    std::fprintf(stderr, "zt5sim: %s\n", qPrintable(text));
    return 2;
}

QString kindText(int kind)
{
    switch (kind) {
    case 10:
        return QStringLiteral("temperature");
    case 11:
        return QStringLiteral("2 x temperature");
    default:
        return QStringLiteral("temperature + humidity");
    }
}

void describe(const ReceiverEngine &engine, const PtyServer &server, const QString &link,
              bool pacing)
{
    say(QStringLiteral("zt5sim serving %1 (link %2)").arg(server.devicePath(), link));
    say(QStringLiteral("receiver id %1, system transmitters %2, measure %3 min, comm %4 min")
            .arg(engine.receiverId(), 4, 16, QLatin1Char('0'))
            .arg(engine.systemKoCount())
            .arg(engine.measureMinutes())
            .arg(engine.commMinutes()));
    say(QStringLiteral("clock %1, speed x%2, 9600-baud pacing %3")
            .arg(engine.now().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")))
            .arg(engine.clock().speed())
            .arg(pacing ? QStringLiteral("on") : QStringLiteral("off")));
    for (int koNo : engine.registeredSlots()) {
        const SlotState &s = engine.slot(koNo);
        say(QStringLiteral("  transmitter %1: kind %2 (%3), %4 records")
                .arg(koNo, 2)
                .arg(s.setup.kind)
                .arg(kindText(s.setup.kind))
                .arg(s.ring.size()));
    }
    say(QStringLiteral("Ctrl+C stops."));
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("zt5sim"));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Virtual ZT5 receiver on a pseudo-terminal."));
    parser.addHelpOption();
    const QCommandLineOption port(QStringLiteral("port"),
                                  QStringLiteral("Port name to link (COM1..COM16)."),
                                  QStringLiteral("COMn"), QStringLiteral("COM1"));
    const QCommandLineOption scenarioFile(QStringLiteral("scenario"),
                                          QStringLiteral("Scenario file (JSON)."),
                                          QStringLiteral("FILE"));
    const QCommandLineOption speed(QStringLiteral("speed"), QStringLiteral("Clock speed factor."),
                                   QStringLiteral("N"));
    const QCommandLineOption pace(QStringLiteral("pace"),
                                  QStringLiteral("Send at the 9600-baud wire rate."));
    const QCommandLineOption fault(
        QStringLiteral("fault"),
        QStringLiteral("noreply[=N], nak[=N], garbage[=TEXT], split=PIECES[:MS], "
                       "late=MS, leave-remote=SECONDS, hangup=SECONDS"),
        QStringLiteral("FAULT"));
    const QCommandLineOption log(QStringLiteral("log"), QStringLiteral("Print every frame."));
    const QCommandLineOption deviceLink(QStringLiteral("device-link"),
                                        QStringLiteral("Put the link at this path instead."),
                                        QStringLiteral("PATH"));
    parser.addOptions({port, scenarioFile, speed, pace, fault, log, deviceLink});
    parser.process(app);

    const QString portName = parser.value(port).toUpper();
    const int portNo = portName.startsWith(QLatin1String("COM")) ? portName.mid(3).toInt() : 0;
    if (portNo < 1 || portNo > 16)
        return fail(QStringLiteral("--port must be COM1..COM16"));

    Scenario scenario = defaultScenario(zt::localNow());
    if (parser.isSet(scenarioFile)) {
        const ScenarioResult loaded = loadScenario(parser.value(scenarioFile), zt::localNow());
        if (!loaded.ok())
            return fail(loaded.error);
        scenario = loaded.scenario;
    }
    if (parser.isSet(speed)) {
        bool ok = false;
        scenario.speed = parser.value(speed).toDouble(&ok);
        if (!ok || scenario.speed <= 0)
            return fail(QStringLiteral("--speed must be a number above 0"));
    }
    FaultPlan plan;
    for (const QString &option : parser.values(fault))
        if (const QString error = addFaultOption(option, plan); !error.isEmpty())
            return fail(error);

    ReceiverEngine engine(scenario);
    PtyServer server(&engine);
    QString error;
    if (!server.open(&error))
        return fail(error);
    server.setPacing(parser.isSet(pace));
    server.setFaults(plan.faults);

    const QString linkPath =
        parser.isSet(deviceLink)
            ? parser.value(deviceLink)
            : zt::joinPath(zt::joinPath(zt::settingsFolder(), QStringLiteral("ports")),
                           QStringLiteral("COM%1").arg(portNo));
    PortLink link;
    if (!link.create(linkPath, server.devicePath(), &error))
        return fail(error);

    if (parser.isSet(log))
        QObject::connect(&server.log(), &FrameLog::added, &app,
                         [](const FrameLogEntry &e) { say(FrameLog::format(e)); });
    QObject::connect(&engine, &ReceiverEngine::remoteModeChanged, &app, [](bool on) {
        say(on ? QStringLiteral("remote mode on") : QStringLiteral("remote mode off"));
    });
    QObject::connect(&server, &PtyServer::hungUp, &app, [] {
        say(QStringLiteral("port hung up; stopping"));
        QCoreApplication::quit();
    });
    if (plan.leaveRemoteAfterMs >= 0)
        QTimer::singleShot(plan.leaveRemoteAfterMs, &server, &PtyServer::leaveRemoteMode);
    if (plan.hangUpAfterMs >= 0)
        QTimer::singleShot(plan.hangUpAfterMs, &server, &PtyServer::hangUp);

    quitOnSignals(app);
    describe(engine, server, linkPath, parser.isSet(pace));
    const int result = app.exec();
    link.remove();
    say(QStringLiteral("zt5sim stopped"));
    return result;
}
