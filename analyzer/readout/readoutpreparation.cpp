#include "readout/readoutpreparation.h"

#include "link/receivercommands.h"
#include "link/seriallink.h"

namespace zt {

namespace {
PreparationResult fail(SerialLink &link, PreparationResult result)
{
    link.ClosePort();
    return result;
}
} // namespace

PreparationResult prepareReadout(SerialLink &link, ReadoutSurvey &survey)
{
    survey = {};
    ReceiverValues &v = survey.values;
    if (link.OpenPort() != 0)
        return PreparationResult::CommFailure;
    if (!ReadByCode(link, Command::ReadIdentification, 0, v) ||
        !ReadByCode(link, Command::ReadSettings, 0, v) ||
        !ReadByCode(link, Command::ReadRecording, 0, v))
        return fail(link, PreparationResult::CommFailure);
    if (v.registeredCount == 0)
        return fail(link, PreparationResult::NothingRecorded);
    for (int k = 1; k <= MaxKo; ++k) {
        SlotValues &slot = v.slot(k);
        slot.DataCount = 0;
        slot.newestTime = {};
        if (!survey.registered(k))
            continue;
        if (!ReadByCode(link, Command::ReadSummary, k, v))
            return fail(link, PreparationResult::CommFailure);
        survey.spans[std::size_t(k - 1)] =
            slotSpan(slot.DataCount, slot.newestTime, v.MeasureInterval);
    }
    return PreparationResult::Ready;
}

bool readSlotKind(SerialLink &link, int koNo, ReceiverValues &values, SlotKind &kind)
{
    if (!ReadByCode(link, Command::ReadKind, koNo, values))
        return false;
    const SlotValues &slot = values.slot(koNo);
    kind = {slot.KoKind, slot.ranges, true};
    return true;
}

void readSlotKinds(SerialLink &link, ReadoutSurvey &survey)
{
    for (int k = 1; k <= MaxKo; ++k)
        if (survey.registered(k))
            readSlotKind(link, k, survey.values, survey.kinds[std::size_t(k - 1)]);
}

} // namespace zt
