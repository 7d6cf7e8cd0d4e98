// Whole read-outs by the read-out machine against the virtual receiver over a pty,
// preparation included. Both ends share this thread and its event loop.
#include "readout/readoutmachine.h"
#include "readout/readoutpreparation.h"
#include "engine/ptyserver.h"
#include "engine/receiverengine.h"
#include "link/seriallink.h"
#include "records/datetime.h"
#include "benchsupport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <benchmark/benchmark.h>

namespace {

using namespace zt;

// One transmitter recording every minute, its 32000-sample share full.
sim::Scenario benchScenario()
{
    sim::Scenario s;
    s.clockStart = wallClock(2024, 5, 30, 0, 0);
    s.recordingStart = s.clockStart.addSecs(-qint64(MaxSamples + 100) * 60);
    s.measureMinutes = 1;
    s.commMinutes = 1;
    sim::SlotSetup one;
    one.slot = 1;
    one.range = sim::defaultRange(12);
    one.limits = {300, 150, 800, 300};
    s.transmitters = {one};
    s.systemKoCount = 1;
    return s;
}

struct Rig
{
    explicit Rig(bool pacing)
        : engine(benchScenario(), [] { return qint64(0); }), server(&engine),
          link(LinkMode::Kestrel), machine(link, settings, QString())
    {
        server.setPacing(pacing);
        ok = server.open();
        link.setPortName(server.devicePath());
    }

    // Prepares and reads the newest `count` samples of slot 1; false unless a set came out.
    bool readOut(int count)
    {
        ReadoutSurvey survey;
        if (prepareReadout(link, survey) != PreparationResult::Ready)
            return false;
        readSlotKinds(link, survey);
        const QDateTime newest = survey.span(1).newest;
        const ReadRange range{newest.addSecs(-qint64(count - 1) * 60), newest};
        std::array<bool, MaxKo> chosen{};
        chosen[0] = true;
        QEventLoop loop;
        QObject::connect(&machine, &ReadoutMachine::stateChanged, &loop, [&] {
            if (!machine.reading())
                loop.quit();
        });
        if (machine.start(survey, range, chosen) != ReadoutMachine::StartResult::Started)
            return false;
        loop.exec();
        const std::unique_ptr<LogSet> set = machine.takeSet();
        return set && set->ko(1).DataCount == count;
    }

    sim::ReceiverEngine engine;
    sim::PtyServer server;
    SerialLink link;
    SettingsRecords settings;
    ReadoutMachine machine;
    bool ok = false;
};

// Budget: 32000 samples (640 blocks) in 3 s.
void readOut32000Unpaced(benchmark::State &state)
{
    Rig rig(false);
    if (!rig.ok) {
        state.SkipWithError("pty did not open");
        return;
    }
    for (auto _ : state)
        if (!rig.readOut(MaxSamples)) {
            state.SkipWithError("read-out failed");
            return;
        }
    state.counters["samples_per_s"] =
        benchmark::Counter(double(state.iterations()) * MaxSamples, benchmark::Counter::kIsRate);
}
BENCHMARK(readOut32000Unpaced)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// Budget: at the 9600-baud wire rate, within 3 % of the bytes' wire time. The pty
// carries requests at once and only replies are paced, so the ratio against all
// bytes lies below 1; the ratio against the reply bytes shows the program's own share.
void readOutPaced(benchmark::State &state)
{
    Rig rig(true);
    if (!rig.ok) {
        state.SkipWithError("pty did not open");
        return;
    }
    double wire = 0, replyWire = 0, elapsed = 0;
    QElapsedTimer clock;
    for (auto _ : state) {
        rig.server.log().clear();
        clock.start();
        const bool ok = rig.readOut(int(state.range(0)));
        elapsed += double(clock.nsecsElapsed()) / 1e9;
        if (!ok) {
            state.SkipWithError("read-out failed");
            return;
        }
        wire += zt::bench::wireSeconds(rig.server.log(), false);
        replyWire += zt::bench::wireSeconds(rig.server.log(), true);
    }
    state.counters["wire_s"] = wire / double(state.iterations());
    state.counters["wire_ratio"] = elapsed / wire;
    state.counters["reply_wire_ratio"] = elapsed / replyWire;
}
BENCHMARK(readOutPaced)->Arg(500)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv); // the pty notifiers and the link need an event loop
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
