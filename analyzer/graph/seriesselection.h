#pragma once

#include "records/channels.h"

#include <QString>
#include <functional>
#include <vector>

class QWidget;

namespace zt {

class DialogService;

// What a transmitter choice is for.
enum class SelectionPurpose { Graph = 0, WholePrint = 1, PartialPrint = 2, ParameterPrint = 3 };

// Transmitters that a graph or printout can cover at once.
constexpr int MaxChosenTransmitters = 4;

// One line of the choice: a transmitter with data, in SeriesNo order.
struct SelectionCandidate
{
    int seriesNo = 0;
    QString label; // its name, or its number when unnamed
};

std::vector<SelectionCandidate> selectionCandidates(const LogSet &set);

// Tool tip of the list after `selected` of `lines` lines are chosen.
QString remainingChoiceToolTip(int selected, int lines);

// The last confirmed choice by list position; it lives for the program run and is
// forgotten once a new set has arrived.
class RememberedChoice
{
public:
    static std::vector<bool> &positions();
    static void noteNewSet();
    // Clears the positions when a new set arrived since the last call.
    static void takeNewSet();

private:
    static bool &newSetPending();
};

// Chooses the transmitters (asking only when more than four have data), builds the series
// list and hands it on from the owner's `OkureTimer`. False when nothing was chosen.
using SelectionHandler = std::function<void(const GraphSeries &, SelectionPurpose)>;
bool startSelection(QWidget *owner, DialogService &dialogs, const LogSet &set,
                    SelectionPurpose purpose, SelectionHandler proceed);

} // namespace zt
