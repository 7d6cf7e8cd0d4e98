#pragma once

#include "tamperingreceiver.h"

#include "readout/readoutmachine.h"
#include "readout/readoutpreparation.h"
#include "engine/ptyserver.h"
#include "engine/receiverengine.h"
#include "link/fields.h"
#include "link/seriallink.h"
#include "records/settingsfiles.h"
#include "zt5sim/simfixture.h"

#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace zt::readout {

// Four lost replies cost under a second.
constexpr int FastTimeoutMs = 200;
// Generous bound for a whole read-out; the tests wait for the end, not for this.
constexpr int ReadoutWaitMs = 20000;

constexpr int ScenarioKoCount = 17; // 1000 samples per transmitter

// Twelve days of 10-minute records, more than the 1000 a slot holds: slot 1
// (kind 12) runs warm for a while, slot 2 (kind 10) lost its radio for the last five
// hours so its samples end earlier, slot 3 (kind 12) carries special codes.
inline sim::Scenario readoutScenario()
{
    sim::Scenario s = sim::test::testScenario();
    s.systemKoCount = ScenarioKoCount;
    s.recordingStart = s.clockStart.addDays(-12);
    sim::SlotSetup one{1, 12, true, false, sim::defaultRange(12), {300, 150, 600, 450}};
    sim::SlotSetup two{2, 10, true, false, sim::defaultRange(10), {250, 220, 0, 0}};
    sim::SlotSetup three{3, 12, true, false, sim::defaultRange(12), {270, 210, 650, 420}};
    s.transmitters = {one, two, three};
    using E = sim::ScenarioEvent;
    const QDateTime c = s.clockStart;
    auto ev = [](E::Type type, int slot, int channel, qint16 value, QDateTime from, QDateTime to) {
        return E{type, slot, channel, value, from, to};
    };
    s.events = {
        ev(E::Type::Alarm, 1, 1, 325, c.addSecs(-40 * 3600), c.addSecs(-38 * 3600)),
        ev(E::Type::Radio, 2, 0, 0, c.addSecs(-5 * 3600), {}),
        ev(E::Type::Code, 3, 0, qint16(0xC000), c.addSecs(-30 * 3600), c.addSecs(-29 * 3600)),
        ev(E::Type::Code, 3, 1, qint16(0xE000), c.addSecs(-20 * 3600), c.addSecs(-19 * 3600)),
        ev(E::Type::Code, 3, 2, qint16(0xF000), c.addSecs(-10 * 3600), c.addSecs(-9 * 3600)),
        ev(E::Type::Code, 3, 0, qint16(0xE064), c.addSecs(-3 * 3600), c.addSecs(-2 * 3600)),
    };
    return s;
}

// The engine on a pty (the pty server, or the tampering relay), a real SerialLink,
// settings in a temporary folder and the machine under test.
struct ReadoutRig
{
    enum class Peer { Server, Tampering };

    explicit ReadoutRig(Peer peer = Peer::Server, const sim::Scenario &scenario = readoutScenario())
        : engine(scenario, time.source()), link(LinkMode::Kestrel, nullptr, FastTimeoutMs)
    {
        settings.oya.OyaID[2] = qint32(scenario.receiverId);
        settings.oya.OyaName[2] = QStringLiteral("倉庫");
        settings.koNames.name(2, 1) = QStringLiteral("冷蔵庫Ａ");
        settings.koNames.name(2, 3) = QStringLiteral("前室");
        if (peer == Peer::Server) {
            server = std::make_unique<sim::PtyServer>(&engine);
            opened = server->open();
            link.setPortName(server->devicePath());
        } else {
            tampering = std::make_unique<TamperingReceiver>(&engine);
            opened = tampering->isOpen();
            link.setPortName(tampering->devicePath());
        }
        machine = std::make_unique<ReadoutMachine>(link, settings, readMarksPath());
    }

    QString readMarksPath() const { return dir.filePath(QStringLiteral("zt2000opTIme.dat")); }

    // Preparation and the dialog's "13" reads, as the dialog does them.
    bool prepare()
    {
        if (!opened || prepareReadout(link, survey) != PreparationResult::Ready)
            return false;
        readSlotKinds(link, survey);
        return true;
    }

    ReadoutMachine::StartResult start(const ReadRange &range, std::array<bool, MaxKo> selected)
    {
        return machine->start(survey, range, selected);
    }
    ReadoutMachine::StartResult startAll()
    {
        std::array<bool, MaxKo> all{};
        all.fill(true);
        return start(allDataRange(survey.spans), all);
    }

    QList<QByteArray> received() const
    {
        return server ? server->log().received() : tampering->received();
    }

    sim::test::ManualTime time;
    sim::ReceiverEngine engine;
    std::unique_ptr<sim::PtyServer> server;
    std::unique_ptr<TamperingReceiver> tampering;
    SerialLink link;
    QTemporaryDir dir;
    SettingsRecords settings;
    ReadoutSurvey survey;
    std::unique_ptr<ReadoutMachine> machine;
    bool opened = false;
};

// Code of a logged request frame (STX "000" access code ...).
inline QByteArray codeOf(const QByteArray &frame)
{
    return frame.mid(6, 2);
}

// The data field of a logged request.
inline QByteArray dataOf(const QByteArray &frame)
{
    const qsizetype comma = frame.indexOf(',');
    return frame.mid(comma + 1, frame.lastIndexOf(',') - comma - 1);
}

inline QList<QByteArray> framesOf(const QList<QByteArray> &frames, const char *code)
{
    QList<QByteArray> out;
    for (const QByteArray &f : frames)
        if (codeOf(f) == code)
            out << f;
    return out;
}

} // namespace zt::readout
