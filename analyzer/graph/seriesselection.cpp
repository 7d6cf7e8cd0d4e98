#include "graph/seriesselection.h"

#include "graph/transmitterchoicedialog.h"

#include <QTimer>
#include <algorithm>

namespace zt {

std::vector<SelectionCandidate> selectionCandidates(const LogSet &set)
{
    std::vector<SelectionCandidate> out;
    for (const KoSeries &ko : set.series)
        if (ko.HasData == 1)
            out.push_back({ko.SeriesNo, ko.name.isEmpty() ? QString::number(ko.KoNo) : ko.name});
    std::sort(out.begin(), out.end(),
              [](const auto &a, const auto &b) { return a.seriesNo < b.seriesNo; });
    return out;
}

QString remainingChoiceToolTip(int selected, int lines)
{
    const int limit = lines <= 3 ? lines : MaxChosenTransmitters;
    if (selected == lines || selected == MaxChosenTransmitters)
        return QStringLiteral("最大台数選択済みです");
    return QStringLiteral("あと%1台選択できます").arg(limit - selected);
}

std::vector<bool> &RememberedChoice::positions()
{
    static std::vector<bool> chosen(MaxKo + 1, false);
    return chosen;
}

bool &RememberedChoice::newSetPending()
{
    static bool pending = false;
    return pending;
}

void RememberedChoice::noteNewSet()
{
    newSetPending() = true;
}

void RememberedChoice::takeNewSet()
{
    if (!newSetPending())
        return;
    positions().assign(MaxKo + 1, false);
    newSetPending() = false;
}

namespace {

void handOn(QWidget *owner, const GraphSeries &series, SelectionPurpose purpose,
            SelectionHandler proceed)
{
    auto *timer =
        owner->findChild<QTimer *>(QStringLiteral("OkureTimer"), Qt::FindDirectChildrenOnly);
    if (!timer) {
        timer = new QTimer(owner);
        timer->setObjectName(QStringLiteral("OkureTimer"));
        timer->setSingleShot(true);
    }
    timer->disconnect();
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, owner, [timer, series, purpose, proceed] {
        timer->stop();
        timer->setInterval(0);
        proceed(series, purpose);
    });
    timer->start();
}

} // namespace

bool startSelection(QWidget *owner, DialogService &dialogs, const LogSet &set,
                    SelectionPurpose purpose, SelectionHandler proceed)
{
    const std::vector<SelectionCandidate> candidates = selectionCandidates(set);
    std::vector<int> chosen;
    if (int(candidates.size()) <= MaxChosenTransmitters) {
        for (const SelectionCandidate &c : candidates)
            chosen.push_back(c.seriesNo);
    } else {
        TransmitterChoiceDialog dialog(dialogs, candidates, purpose, owner);
        if (dialog.exec() != QDialog::Accepted)
            return false;
        chosen = dialog.chosenSeriesNos();
    }
    if (chosen.empty())
        return false;
    handOn(owner, buildGraphSeries(chosen), purpose, std::move(proceed));
    return true;
}

} // namespace zt
