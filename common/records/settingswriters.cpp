#include "records/settingsformat.h"

namespace zt::settingsformat {

void writeApp(CommaWriter &out, const AppSettings &app)
{
    out.number(app.PortNo)
        .number(app.ScaleFixed1)
        .number(app.ScaleFixed2)
        .number(app.ScaleMax1)
        .number(app.ScaleMin1)
        .number(app.ScaleMax2)
        .number(app.ScaleMin2)
        .number(app.SpareSetting)
        .endLine();
}

void writeOyaNames(CommaWriter &out, const OyaRegistry &oya)
{
    for (int slot = 1; slot <= MaxOya; ++slot)
        out.text(oya.OyaName[slot]).endLine();
}

void writeKoNames(CommaWriter &out, const KoNameTable &names)
{
    for (int slot = 1; slot <= MaxOya; ++slot)
        for (int ko = 1; ko <= MaxKo; ++ko)
            out.text(names.name(slot, ko)).endLine();
}

void writeOyaIds(CommaWriter &out, const OyaRegistry &oya)
{
    out.number(oya.OyaCount).endLine();
    for (int slot = 1; slot <= MaxOya; ++slot)
        out.number(oya.OyaID[slot]).endLine();
}

void writeAutoSave(CommaWriter &out, const AutoSaveSettings &autos)
{
    out.number(autos.autoSave)
        .number(autos.saveType)
        .number(autos.folderMode)
        .time(autos.saveTime)
        .endLine();
    out.text(QStringLiteral("[CSV自動保存時間設定]")).endLine();
    out.number(autos.csvSaveTime).endLine();
    out.text(QStringLiteral("[接点設定]")).endLine();
    out.number(autos.autoOffSeconds).number(autos.releaseType).number(autos.autoReturn).endLine();
    out.text(QStringLiteral("[接点自動OFF時間設定]")).endLine();
    out.number(qint64(autos.autoOffChoices.size())).endLine();
    for (qint16 seconds : autos.autoOffChoices)
        out.number(seconds).endLine();
    out.text(QStringLiteral("[自動保存拡張設定]")).endLine();
    out.number(autos.accumulate).endLine();
}

void writeOptions(CommaWriter &out, qint16 option)
{
    out.number(option).endLine();
}

void writeReadMarks(CommaWriter &out, const ReadMarks &marks)
{
    for (const ReadMark &mark : marks) {
        out.text(mark.time).endLine();
        out.number(mark.value1).endLine();
        out.number(mark.value2).endLine();
    }
}

} // namespace zt::settingsformat
