#pragma once

#include "graph/seriesselection.h"

#include <QDialog>

class QLabel;
class QListWidget;

namespace zt {

// `grapfchsel`: picks at most four of the transmitters with data.
class TransmitterChoiceDialog : public QDialog
{
    Q_OBJECT
public:
    TransmitterChoiceDialog(DialogService &dialogs, std::vector<SelectionCandidate> candidates,
                            SelectionPurpose purpose, QWidget *parent = nullptr);

    QListWidget *list() const { return listMain; }
    // Toggles line `row` as a click on it does, refusing a fifth transmitter.
    void clickLine(int row);
    std::vector<int> chosenSeriesNos() const;

public slots:
    void accept() override;

private:
    void afterClick(int row);
    int selectedCount() const;

    DialogService &dialogs;
    std::vector<SelectionCandidate> candidates;
    QListWidget *listMain;
    QLabel *instruction;
};

} // namespace zt
