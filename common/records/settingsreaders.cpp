#include "records/settingsformat.h"

#include <limits>

namespace zt::settingsformat {

namespace {

constexpr qint64 Int16Max = std::numeric_limits<qint16>::max();

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
    steps.integer(oya.OyaCount, 0, MaxOya - 1);
    for (int slot = 1; slot <= MaxOya; ++slot)
        steps.integer(oya.OyaID[slot]);
    return steps.error();
}

int readAutoSave(CommaReader &in, AutoSaveSettings &autos)
{
    Steps steps(in);
    steps.integer(autos.autoSave, 0, 1)
        .integer(autos.saveType, 0, 2)
        .integer(autos.folderMode, 0, 2)
        .time(autos.saveTime)
        .label()
        .integer(autos.csvSaveTime)
        .label()
        .integer(autos.autoOffSeconds, 0, Int16Max)
        .integer(autos.releaseType, 0, 1)
        .integer(autos.autoReturn, 0, 1)
        .label();
    int count = 0;
    steps.integer(count, 0, MaxAutoOffChoices);
    if (steps.error() != 0)
        return steps.error();
    autos.autoOffChoices.clear();
    for (int i = 0; i < count && steps.error() == 0; ++i) {
        qint16 seconds = 0;
        if (steps.integer(seconds, 0, Int16Max).error() == 0)
            autos.autoOffChoices.push_back(seconds);
    }
    // Files written before the accumulate option end here.
    if (steps.error() != 0 || in.atEnd())
        return steps.error();
    return steps.label().integer(autos.accumulate, 0, 1).error();
}

int readOptions(CommaReader &in, qint16 &option)
{
    return Steps(in).integer(option, 0, 1).error();
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
