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
    ~TransmitterChoiceDialog() override;

    QListWidget *list() const { return listMain; }
    // Toggles line `row` as a click on it does, refusing a fifth transmitter.
    void clickLine(int row);
    std::vector<int> chosenSeriesNos() const;

public slots:
    void accept() override;

private:
    void selectionChanged();
    std::vector<bool> selection() const;
    int selectedCount() const;

    DialogService &dialogs;
    std::vector<SelectionCandidate> candidates;
    QListWidget *listMain;
    QLabel *instruction;
    std::vector<bool> allowed; // the last selection of at most four lines
    bool restoring = false;
};

} // namespace zt
