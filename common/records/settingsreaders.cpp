#include "records/settingsformat.h"

#include <limits>

namespace zt::settingsformat {

namespace {

// Reads values in order and stops at the first error; what was read stays stored.
class Steps
{
public:
    explicit Steps(CommaReader &in) : m_in(in) {}

    template <typename Int>
    Steps &integer(Int &out, qint64 min = std::numeric_limits<Int>::min(),
                   qint64 max = std::numeric_limits<Int>::max())
    {
        if (m_error == 0)
            m_error = m_in.readInt(out, min, max);
        return *this;
    }
    Steps &text(QString &out)
    {
        if (m_error == 0)
            m_error = m_in.readText(out);
        return *this;
    }
    Steps &time(QTime &out)
    {
        if (m_error == 0)
            m_error = m_in.readTime(out);
        return *this;
    }
    // Section labels are read and dropped.
    Steps &label()
    {
        QString ignored;
        return text(ignored);
    }
    int error() const { return m_error; }

private:
    CommaReader &m_in;
    int m_error = 0;
};

bool isTimeText(const QString &text)
{
    if (text.size() != 10)
        return false;
    for (QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return true;
}

} // namespace

int readApp(CommaReader &in, AppSettings &app)
{
    return Steps(in)
        .integer(app.PortNo)
        .integer(app.ScaleFixed1)
        .integer(app.ScaleFixed2)
        .integer(app.ScaleMax1)
        .integer(app.ScaleMin1)
        .integer(app.ScaleMax2)
        .integer(app.ScaleMin2)
        .integer(app.SpareSetting)
        .error();
}

int readPortNoOnly(CommaReader &in, AppSettings &app)
{
    return Steps(in).integer(app.PortNo).error();
}

int readOyaNames(CommaReader &in, OyaRegistry &oya)
{
    Steps steps(in);
    for (int slot = 1; slot <= MaxOya; ++slot)
        steps.text(oya.OyaName[slot]);
    return steps.error();
}

int readKoNames(CommaReader &in, KoNameTable &names)
{
    Steps steps(in);
    for (int slot = 1; slot <= MaxOya; ++slot)
        for (int ko = 1; ko <= MaxKo; ++ko)
            steps.text(names.name(slot, ko));
    return steps.error();
}

int readOyaIds(CommaReader &in, OyaRegistry &oya)
{
    Steps steps(in);
    // Any 16-bit count reads: a full registry holds 100, and a refusal here would lose
    // the ids after it.
    steps.integer(oya.OyaCount);
    for (int slot = 1; slot <= MaxOya; ++slot)
        steps.integer(oya.OyaID[slot]);
    return steps.error();
}

int readAutoSave(CommaReader &in, AutoSaveSettings &autos)
{
    // Every field is a 16-bit integer in the file and reads whatever it holds; the
    // monitor decides what an unknown choice means.
    Steps steps(in);
    steps.integer(autos.autoSave)
        .integer(autos.saveType)
        .integer(autos.folderMode)
        .time(autos.saveTime)
        .label()
        .integer(autos.csvSaveTime)
        .label()
        .integer(autos.autoOffSeconds)
        .integer(autos.releaseType)
        .integer(autos.autoReturn)
        .label();
    qint16 count = 0;
    steps.integer(count);
    if (steps.error() != 0)
        return steps.error();
    autos.autoOffChoices.clear();
    for (int i = 0; i < count && steps.error() == 0; ++i) {
        qint16 seconds = 0;
        if (steps.integer(seconds).error() == 0)
            autos.autoOffChoices.push_back(seconds);
    }
    // Files written before the accumulate option end after the list, and a file cut
    // right after its label still holds everything before it.
    if (steps.error() != 0 || in.atEnd())
        return steps.error();
    if (steps.label().error() != 0 || in.atEnd())
        return steps.error();
    return steps.integer(autos.accumulate).error();
}

int readOptions(CommaReader &in, qint16 &option)
{
    // Only 1 switches the option on; any other 16-bit value reads as it stands.
    return Steps(in).integer(option).error();
}

int readReadMarks(CommaReader &in, ReadMarks &marks)
{
    Steps steps(in);
    for (ReadMark &mark : marks) {
        QString time;
        if (steps.text(time).error() != 0)
            break;
        if (!isTimeText(time))
            return BadFileFormatError;
        mark.time = time;
        steps.integer(mark.value1).integer(mark.value2);
    }
    return steps.error();
}

} // namespace zt::settingsformat
