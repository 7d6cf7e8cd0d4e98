#pragma once

#include "analyzerfixture.h"
#include "print/printinput.h"
#include "print/recordingprintengine.h"

#include <memory>

// Sets and pages for the printout tests.
namespace zt::test {

// A page in points (72 dpi) with `room` printable width between margins of 20.
inline PageGeometry pageWithRoom(double room, double height = 842, double dpi = 72)
{
    const double dot = dpi / 72;
    return {(room + 40) * dot, height * dot, 20 * dot, 20 * dot, 20 * dot, 20 * dot, dpi};
}

// The demo set with an alarm mark on an invalid sample too.
inline std::unique_ptr<LogSet> markedSet(int samples = 10)
{
    auto set = std::make_unique<LogSet>();
    fillDemoSet(*set, samples);
    set->mark(1, 1, 3) = 1; // StarValue: must not print the mark
    return set;
}

struct PrintFixture
{
    std::unique_ptr<LogSet> set;
    DisplayChannels channels;
    ListPrintInput input(const GraphSeries &series) const
    {
        return {set.get(), &channels, series, QStringLiteral("IPAGothic")};
    }
    explicit PrintFixture(std::unique_ptr<LogSet> s) : set(std::move(s))
    {
        channels = buildDisplayChannels(*set);
    }
};

} // namespace zt::test
