#include "readout/readoutmachine.h"

#include "link/receivercommands.h"
#include "link/fields.h"
#include "link/seriallink.h"

namespace zt {

namespace {
// Status dialog kinds of the read-out's ends.
constexpr int KindNothingRead = 5;
constexpr int KindCancelled = 10;
constexpr int KindBrokenOff = 20;
constexpr int KindSettingsChanged = 21;

// Failures in a row before a step gives up: the first try and three more.
constexpr int MaxRetries = 3;

QString changedItemsText(const std::array<SlotKind, MaxKo> &before,
                         const std::array<SlotKind, MaxKo> &after,
                         const std::array<bool, MaxKo> &compared)
{
    using Field = qint16 (*)(const SlotKind &);
    const std::array<std::pair<const char16_t *, Field>, 5> items{{
        {u"センサ", [](const SlotKind &s) { return s.KoKind; }},
        {u"警報１上限", [](const SlotKind &s) { return s.ranges.RangeHigh1; }},
        {u"警報１下限", [](const SlotKind &s) { return s.ranges.RangeLow1; }},
        {u"警報２上限", [](const SlotKind &s) { return s.ranges.RangeHigh2; }},
        {u"警報２下限", [](const SlotKind &s) { return s.ranges.RangeLow2; }},
    }};
    QStringList lines;
    for (const auto &[label, field] : items) {
        QString line = QString::fromUtf16(label);
        bool changed = false;
        for (std::size_t i = 0; i < before.size(); ++i) {
            if (compared[i] && field(before[i]) != field(after[i])) {
                line += QStringLiteral(" :") + QString::number(i + 1);
                changed = true;
            }
        }
        if (changed)
            lines << line;
    }
    return lines.join(QLatin1Char('\n'));
}
} // namespace

ReadoutMachine::ReadoutMachine(SerialLink &link, SettingsRecords &settings, QString readMarksPath,
                               QObject *parent)
    : QObject(parent), m_link(link), m_settings(settings), m_readMarksPath(std::move(readMarksPath))
{
    connect(&m_link, &SerialLink::completed, this, &ReadoutMachine::onCompleted);
}

ReadoutMachine::~ReadoutMachine() = default;

void ReadoutMachine::setState(State state)
{
    if (state == m_state)
        return;
    m_state = state;
    emit stateChanged(state);
}

ReadoutMachine::StartResult ReadoutMachine::start(const ReadoutSurvey &survey,
                                                  const ReadRange &range,
                                                  const std::array<bool, MaxKo> &selected)
{
    if (reading())
        return StartResult::Failed;
    m_survey = survey;
    m_range = range;
    m_slots = {};
    m_result.reset();
    m_statusKind = 0;
    m_changeText.clear();
    m_readMarksError = 0;
    m_cancelRequested = false;
    m_awaiting = false;
    m_toRead = 0;
    m_finished = 0;
    const ReceiverValues &v = m_survey.values;
    for (int k = 1; k <= MaxKo; ++k) {
        SlotRead &slot = m_slots[std::size_t(k - 1)];
        if (!selected[std::size_t(k - 1)] || !survey.registered(k))
            continue;
        slot.plan = ReadDataCalcDisp(survey.span(k), range, v.MeasureInterval, v.SystemKoCount);
        slot.toRead = slot.plan.count > 0;
        m_toRead += slot.toRead ? 1 : 0;
    }
    if (m_toRead == 0)
        return StartResult::NothingToRead;
    m_working = std::make_unique<LogSet>();
    m_collected.clear();
    m_koNo = 0;
    emit slotProgress(0, m_toRead);
    const int first = nextSlotAfter(0);
    emit slotStarted(first, 1);
    if (!startSlot(first)) {
        end(State::Failed, KindNothingRead);
        return StartResult::Failed;
    }
    return StartResult::Started;
}

void ReadoutMachine::cancel()
{
    if (reading())
        m_cancelRequested = true;
}

int ReadoutMachine::nextSlotAfter(int koNo) const
{
    for (int k = koNo + 1; k <= MaxKo; ++k)
        if (m_slots[std::size_t(k - 1)].toRead)
            return k;
    return 0;
}

bool ReadoutMachine::startSlot(int koNo)
{
    ReceiverValues &v = m_survey.values;
    m_koNo = koNo;
    m_retries = 0;
    SlotKind &kind = m_survey.kinds[std::size_t(koNo - 1)];
    // Settings may have changed since the dialog opened.
    bool ok = ReadByCode(m_link, Command::ReadSettings, 0, v) &&
              (kind.read || readSlotKind(m_link, koNo, v, kind)) &&
              ReadByCode(m_link, Command::ReadAlarmLimits, koNo, v);
    if (ok) {
        current().limits = v.slot(koNo).limits;
        setState(State::Summary);
        ok = send(readRequest(Command::ReadSummary, koNo));
    }
    if (!ok)
        m_link.ClosePort();
    return ok;
}

bool ReadoutMachine::send(const Request &request)
{
    m_request = request;
    m_awaiting = sendRequest(m_link, request);
    return m_awaiting;
}

void ReadoutMachine::onCompleted()
{
    if (!reading() || !m_awaiting)
        return;
    m_awaiting = false;
    if (m_cancelRequested) {
        end(State::Cancelled, KindCancelled);
        return;
    }
    const bool replied = m_link.commState() == CommState::Complete;
    if (m_state == State::Summary) {
        if (replied &&
            ParseReply(m_request.parseCode(), m_link.replyText(), m_koNo, m_survey.values).ok)
            onSummary();
        else
            onStepFailed();
        return;
    }
    const qsizetype before = m_records.size();
    const BlockTarget target{m_request.blockTime, m_request.blockCount, &m_records};
    const bool ok =
        replied &&
        ParseReply(m_request.parseCode(), m_link.replyText(), m_koNo, m_survey.values, &target).ok;
    // An empty block would never advance the position.
    if (ok && m_records.size() > before)
        onBlock(int(m_records.size() - before));
    else
        onStepFailed();
}

void ReadoutMachine::onSummary()
{
    if (current().plan.count == 0 ||
        !ReadByCode(m_link, Command::ReadSummary, m_koNo, m_survey.values, true)) {
        endSlot(SlotEnd::Skipped);
        return;
    }
    current().plan = freshPlan();
    if (current().plan.count == 0) {
        endSlot(SlotEnd::Skipped);
        return;
    }
    beginBlocks();
}

void ReadoutMachine::beginBlocks()
{
    m_records.clear();
    m_records.reserve(current().plan.count);
    m_position = 0;
    emit sampleProgress(0, current().plan.count);
    setState(State::Blocks);
    sendBlock();
}

void ReadoutMachine::onBlock(int received)
{
    m_retries = 0;
    m_position += received;
    const ReadPlan &plan = current().plan;
    emit sampleProgress(m_position, plan.count);
    if (m_position < plan.count) {
        sendBlock();
        return;
    }
    storeRecords();
    endSlot(SlotEnd::Read);
}

void ReadoutMachine::sendBlock()
{
    const ReadPlan &plan = current().plan;
    const int n = std::min(plan.count - m_position, MaxBlockRecords);
    const qint64 step = measureStepMinutes(m_survey.values.MeasureInterval);
    const QDateTime time = plan.start.addSecs(m_position * step * 60);
    if (!send(blockRequest(m_koNo, n, time)))
        onStepFailed();
}

void ReadoutMachine::onStepFailed()
{
    if (m_link.syncWait())
        return;
    if (m_retries >= MaxRetries) {
        end(State::Failed, KindBrokenOff);
        return;
    }
    ++m_retries;
    if (m_state == State::Summary) {
        if (!send(m_request))
            onStepFailed();
        return;
    }
    ReadByCode(m_link, Command::ReadSummary, m_koNo, m_survey.values, true);
    const ReadPlan fresh = freshPlan();
    SlotRead &slot = current();
    if (fresh.start == slot.plan.start && fresh.count > m_position) {
        slot.plan = fresh;
        sendBlock();
        return;
    }
    // The receiver dropped samples this read still wanted: the records read so far
    // would no longer line up with the times of a moved start, so the slot starts over.
    slot.plan = fresh;
    if (fresh.count == 0) {
        endSlot(SlotEnd::Skipped);
        return;
    }
    beginBlocks();
}

ReadPlan ReadoutMachine::freshPlan() const
{
    const ReceiverValues &v = m_survey.values;
    const SlotValues &s = v.slot(m_koNo);
    return ReadDataCalcDisp(slotSpan(s.DataCount, s.newestTime, v.MeasureInterval), m_range,
                            v.MeasureInterval, v.SystemKoCount);
}

void ReadoutMachine::storeRecords()
{
    SlotRead &slot = current();
    SlotRecords taken;
    taken.koNo = m_koNo;
    taken.koKind = m_survey.kinds[std::size_t(m_koNo - 1)].KoKind;
    taken.firstTime = slot.plan.start;
    taken.limits = {slot.limits.AlarmHigh1, slot.limits.AlarmLow1, slot.limits.AlarmHigh2,
                    slot.limits.AlarmLow2};
    taken.records.reserve(std::size_t(slot.plan.count));
    for (int i = 0; i < slot.plan.count; ++i) {
        const RawRecord raw = readRecordField(m_records.at(i));
        taken.records.push_back({raw.ch1, raw.ch2});
    }
    m_collected.push_back(std::move(taken));
    slot.done = true;
    m_records.clear();
}

void ReadoutMachine::endSlot(SlotEnd how)
{
    if (how == SlotEnd::Read) {
        ++m_finished;
        emit slotProgress(m_finished, m_toRead);
    }
    const int next = nextSlotAfter(m_koNo);
    if (next == 0) {
        finish();
        return;
    }
    emit slotStarted(next, m_finished + 1);
    if (!startSlot(next))
        end(State::Failed, KindBrokenOff);
}

void ReadoutMachine::finish()
{
    m_link.ClosePort();
    if (m_finished == 0) {
        end(State::NothingRead, KindNothingRead);
        return;
    }
    std::array<SlotKind, MaxKo> now = m_survey.kinds;
    std::array<bool, MaxKo> compared{};
    for (int k = 1; k <= MaxKo; ++k) {
        const std::size_t i = std::size_t(k - 1);
        if (!m_slots[i].done)
            continue;
        if (!readSlotKind(m_link, k, m_survey.values, now[i])) {
            end(State::Failed, KindBrokenOff);
            return;
        }
        compared[i] = true;
    }
    m_link.ClosePort();
    m_changeText = changedItemsText(m_survey.kinds, now, compared);
    if (!m_changeText.isEmpty()) {
        end(State::Voided, KindSettingsChanged);
        return;
    }
    buildSet();
    updateReadMarks();
    m_result = std::move(m_working);
    setState(State::Taken);
}

void ReadoutMachine::end(State state, int statusKind)
{
    m_link.ClosePort();
    m_awaiting = false;
    m_working.reset();
    m_collected.clear();
    m_records.clear();
    m_statusKind = statusKind;
    setState(state);
}

void ReadoutMachine::buildSet()
{
    const ReceiverValues &v = m_survey.values;
    SetHeader header;
    header.oyaSlot = m_settings.oya.slotForReadout(v.ReceiverID);
    header.oyaName = m_settings.oya.nameOf(header.oyaSlot);
    header.intervalMinutes = v.MeasureInterval;
    header.koCount = v.SystemKoCount;
    buildLogSet(header, std::move(m_collected), *m_working, &m_settings.koNames);
    m_collected.clear();
    m_working->LogSaved = false;
}

void ReadoutMachine::updateReadMarks()
{
    const ReceiverValues &v = m_survey.values;
    const qint64 step = measureStepMinutes(v.MeasureInterval);
    for (int k = 1; k <= MaxKo; ++k) {
        const SlotRead &slot = m_slots[std::size_t(k - 1)];
        if (!slot.done)
            continue;
        const QDateTime last = slot.plan.start.addSecs((slot.plan.count - 1) * step * 60);
        ReadMark &mark = m_settings.readMarks[std::size_t(k - 1)];
        mark.time = last.toString(QStringLiteral("yyMMddHHmm"));
        mark.value1 = v.slot(k).summary1;
        mark.value2 = v.slot(k).summary2;
    }
    if (!m_readMarksPath.isEmpty())
        m_readMarksError = writeSettings(SettingsFile::ReadTimes, m_readMarksPath, m_settings);
}

} // namespace zt
