// "12" block exchanges of a real SerialLink against the virtual receiver over a pty.
// Both ends share this thread and its event loop, as in the tests.
#include "engine/ptyserver.h"
#include "engine/receiverengine.h"
#include "link/commandtable.h"
#include "link/receivercommands.h"
#include "link/seriallink.h"
#include "records/datetime.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

using namespace zt;

// Two days of ten-minute records on slot 1; the receiver clock stands still.
sim::Scenario benchScenario()
{
    sim::Scenario s;
    s.clockStart = wallClock(2024, 5, 3, 0, 0);
    s.recordingStart = wallClock(2024, 5, 1, 0, 0);
    sim::SlotSetup one;
    one.slot = 1;
    one.range = sim::defaultRange(12);
    one.limits = one.range;
    s.transmitters = {one};
    s.systemKoCount = 1;
    return s;
}

struct Rig
{
    explicit Rig(LinkMode mode, bool pacing)
        : engine(benchScenario(), [] { return qint64(0); }), server(&engine), link(mode)
    {
        server.setPacing(pacing);
        if (server.open()) {
            link.setPortName(server.devicePath());
            ok = link.OpenPort() == 0;
        }
        const sim::SlotState &slot = engine.slot(1);
        oldest = slot.nextSample - slot.ring.size();
        blocks = slot.ring.size() / MaxBlockRecords;
    }

    // The n-th full block of 50, cycling through what the slot holds.
    bool readBlock(qint64 n)
    {
        const QDateTime t = engine.sampleTime(oldest + (n % blocks) * MaxBlockRecords);
        const Request request = blockRequest(1, MaxBlockRecords, t);
        QStringList records;
        const BlockTarget target{t, MaxBlockRecords, &records};
        ReceiverValues values;
        const bool parsed =
            link.Transact(request.access(), request.code(), request.data, [&](const QString &r) {
                return ParseReply(request.parseCode(), r, 1, values, &target).ok;
            });
        return parsed && records.size() == MaxBlockRecords;
    }

    sim::ReceiverEngine engine;
    sim::PtyServer server;
    SerialLink link;
    qint64 oldest = 0;
    qint64 blocks = 1;
    bool ok = false;
};

LinkMode modeOf(const benchmark::State &state)
{
    return state.range(0) == 0 ? LinkMode::Kestrel : LinkMode::Watch;
}

// Read-out speed without pacing: the budget is 640 exchanges in 3 s.
void blockExchangesUnpaced(benchmark::State &state)
{
    Rig rig(modeOf(state), false);
    if (!rig.ok) {
        state.SkipWithError("pty or port did not open");
        return;
    }
    qint64 n = 0;
    for (auto _ : state)
        if (!rig.readBlock(n++)) {
            state.SkipWithError("block exchange failed");
            return;
        }
    state.counters["exchanges_per_s"] =
        benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
    state.SetLabel(state.range(0) == 0 ? "kestrel" : "watch");
}
BENCHMARK(blockExchangesUnpaced)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond)->UseRealTime();

// One block at the 9600-baud wire rate, against the wire time of every byte of the
// exchange (request and reply, 10 bits each). The pty carries the request at once, so
// only the reply is paced: a ratio a little under 1 is the expected result.
void blockExchangePaced(benchmark::State &state)
{
    Rig rig(modeOf(state), true);
    if (!rig.ok) {
        state.SkipWithError("pty or port did not open");
        return;
    }
    const Request request = blockRequest(1, MaxBlockRecords, rig.engine.sampleTime(rig.oldest));
    const int requestBytes = 4 + 2 + 2 + 1 + int(request.data.size()) + 4;
    const int replyBytes = 1 + 21 + 8 * MaxBlockRecords + 1 + 3; // STX, ReplyText, ETX CR LF
    const double wireNs = double(requestBytes + replyBytes) * 10 / 9600 * 1e9;
    const double replyWireNs = double(replyBytes) * 10 / 9600 * 1e9;
    qint64 n = 0;
    double totalNs = 0;
    QElapsedTimer clock;
    for (auto _ : state) {
        clock.start();
        const bool ok = rig.readBlock(n++);
        totalNs += double(clock.nsecsElapsed());
        if (!ok) {
            state.SkipWithError("block exchange failed");
            return;
        }
    }
    const double meanNs = totalNs / double(state.iterations());
    state.counters["wire_ms"] = wireNs / 1e6;
    state.counters["wire_ratio"] = meanNs / wireNs;
    state.counters["reply_wire_ratio"] = meanNs / replyWireNs;
    state.SetLabel(state.range(0) == 0 ? "kestrel" : "watch");
}
BENCHMARK(blockExchangePaced)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(8);

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
